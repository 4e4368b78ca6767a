// The formula engine of the mathematical instruction: a bounded stack of texts used to turn the
// infix token list into postfix order and to evaluate it.
#pragma once

#include "platform/base/Afx.h"

// A stack of at most 20 texts. Pushing onto a full stack, or taking from an empty one, is
// refused quietly (the engine's token lists never reach either limit; the guards only keep a
// damaged list from overrunning the stack, and a simulation step never opens a message box).
class CExprStack
{
public:
    enum { kCapacity = 20 };

    BOOL IsEmpty() const { return m_nTop == -1; }
    BOOL IsFull() const { return m_nTop + 1 == m_nCapacity; }
    // FALSE (text discarded) when the stack is full.
    BOOL Push(const CString& text);
    // Removes the top text; nothing on an empty stack.
    void Drop();
    // The top text; empty on an empty stack.
    CString Top() const;
    // Removes and returns the top text; empty on an empty stack.
    CString Pop();

private:
    int m_nTop = -1;
    int m_nCapacity = kCapacity;
    CString m_astrItems[kCapacity];
};

namespace Formula {

// TRUE for a one-character token "+", "-", "*" or "/" (so "-5" is an operand).
bool IsOperator(const CString& token);
// The leading integer of a text (optional sign and digits; an empty text is 0), held within
// the 64-bit range.
long long ReadInteger(const CString& text);

} // namespace Formula
