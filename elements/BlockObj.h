// CBlockObj: the base of every diagram element (blocks, I/O, ladder elements, connectors, the
// data log, the power bus). It holds the element's identity, geometry, pins and links, the
// parameter words that the families give their own meanings, simulation state, and the element
// record that goes into program files, undo snapshots and the clipboard.
#pragma once

#include "platform/base/Afx.h"
#include "elements/BlockTypes.h"

#include <memory>

class CTavixView;
class CTavixDoc;
class CDC;
struct ElementTextCache;

class CBlockObj : public CObject
{
    DECLARE_SERIAL(CBlockObj)

public:
    CBlockObj();                         // used when an element is read from an archive
    CBlockObj(int nType, int nInputs);   // a new element of a type
    ~CBlockObj() override;

    // ---- element record ----
    void Serialize(CArchive& ar) override;

    // ---- virtual operations of every element ----
    // One simulation step; the base does nothing and returns TRUE.
    virtual BOOL Simulate(CTavixView* pView);
    // TRUE when the time measured since m_tmStart reaches limitMs (updates m_dElapsed).
    virtual BOOL IsTimeElapsed(CTavixView* pView, double limitMs);
    // TRUE while the time since m_tmStart2 has not passed limitMs.
    virtual BOOL IsWithinTime(CTavixView* pView, int limitMs);
    // Reads the bit inputs from the outputs they are wired to, up to the first non-bit pin.
    virtual void ReadInputs(CTavixView* pView);
    // Sets an input's value; LINK_OPEN gives the value of an open input.
    virtual void SetInputValue(int pin, int value);
    // Combines the bit inputs (mode bit 0 AND, bit 1 OR, bit 2 XOR) into *pResult; returns it,
    // inverted when the output is negated.
    virtual int CombineInputs(int* pResult, int mode);
    // Feedback-loop search of the analog family (m_bLoopFound, m_pLoopStart).
    virtual void CheckRecursion(CTavixView* pView, CBlockObj* pBlock, int pin, int* pSteps);
    // Copies this element's settings into pDst; nMachineType is that of the document the copy
    // happens in (the newer fields are copied only from machine type 'Q' on).
    virtual void CopyTo(CBlockObj* pDst, BOOL bGeometry, int nMachineType);
    // ---- painting (diagram units; the view's mapping zooms) ----
    // The whole element: pin stubs, the pin under the cursor while wiring, negation marks,
    // body, symbol, label and comment. Colour 0 is the editing look; any other colour is the
    // simulation look (inputs by their own value, outputs and outline in the colour).
    virtual void Draw(CTavixView* pView, CDC* pDC, int nFlag, COLORREF colour);
    // Draw in the selection colour, then the four corner handles.
    virtual void DrawSelected(CTavixView* pView, CDC* pDC);
    // Simulate, then Draw red when the output is 1, else blue.
    virtual void SimulateAndDraw(CTavixView* pView, CDC* pDC);
    virtual void DrawOutputState(CTavixView* pView, CDC* pDC);
    virtual void DrawValueText(CDC* pDC, CTavixView* pView);
    // Time text of the monitor sheets ("%02d:%02d" and a unit letter).
    virtual void GetTimeText(CTavixView* pView, CString* pText);
    // The filled body, outlined in the colour when bBorder is set.
    virtual void DrawBody(CDC* pDC, COLORREF colour, BOOL bBorder);
    // The family symbol inside the body.
    void DrawSymbol(CTavixView* pView, CDC* pDC);
    // The comment lines above the element (its own comment, or its operand's).
    void DrawComment(CTavixView* pView, CDC* pDC, const int& lineHeight);
    void DrawSelectionHandles(CDC* pDC);
    // The stub of parameter pin `pin` and the block's parameter texts beside the body.
    void DrawParameterText(CTavixView* pView, CDC* pDC, int pin, int spacing, int cw, int lh);
    // TRUE when the mouse cursor lies on the pin's rectangle in the view's window.
    BOOL IsCursorOverPin(CTavixView* pView, int pin, CDC* pDC) const;
    // The pin is outlined: the cursor is on it while the view wires or drags a wire end.
    BOOL IsPinHighlighted(CTavixView* pView, int pin, CDC* pDC) const;
    // Numeric output of pBlock (not of this element) for blocks whose value others reference.
    virtual void GetOutputValue(CBlockObj* pBlock, double* pValue);
    // Passes this element's output to every ladder contact that switches on its number.
    virtual void UpdateLadderContacts(CTavixView* pView);

    // Output word of an analog-family block (its actual value); 0 for every other element.
    // The analog family overrides it.
    virtual int GetAnalogOutputWord() const { return 0; }

    // ---- signal helpers ----
    // Value of a word input: the element named by the pin's link in the view's document.
    void GetInputValue(CTavixView* pView, WORD* pValue, int pin);
    static int ToBCD(int v);
    static int FromBCD(int v);
    static int LCM(int a, int b);
    static void SplitTime(double ms, int base, int* pHigh, int* pLow);

    // ---- pins and geometry ----
    // Pin kinds of the inputs and outputs again from the type's row; in a ladder document
    // (pDoc of kind 2) the outputs get none except for 700-702 and 901.
    void ResetPinKinds(CTavixDoc* pDoc);
    // What construction does in a ladder document: clear the output pin kinds (not 700-702, 901).
    void ClearLadderOutputPins();
    // Stamps both start times with the simulated clock of the view's frame.
    void StampStartTimes(CTavixView* pView);
    // Code size, operand count and option bits of the type's table row (when it has one).
    void ApplyTypeConstants();

    int HitTest(CPoint pt) const;
    BOOL GetRect(CRect* pRect) const;
    BOOL GetPinRect(CRect* pRect, int pin, int size) const;
    void GetHandleRects(CRect rects[4]) const;

    // ---- message-text variables ----
    void GetVariableDetailText(CTavixView* pView, CString* pText, int variable, int fieldKind);
    void GetVariableDisplayText(CTavixView* pView, CString* pText, int variable, int fieldKind);

public:
    int m_nLastInput[3];         // simulation working words of the families
    double m_dLastFactor;        // simulation working value of the families
    int m_nType;                 // block type code
    CPoint m_ptOrigin;           // top-left corner of the body
    CPoint m_ptSaved;            // position a cancelled move returns to
    int m_nWidth;
    int m_nHeight;
    int m_nNumber;               // block number
    int m_nLink[kPinCount];      // link of each pin slot
    int m_nPinKind[kPinCount];   // PinKind of each slot
    int m_nPinValue[kPinCount];  // live signals; [10] is the output Q
    BOOL m_bPinChanged[kPinCount];  // input changed at the last ReadInputs
    CString m_strText;
    int m_nOperand;
    CString m_strName;           // user name, at most 8 characters
    BOOL m_bRetentive;
    BOOL m_bProtected;
    int m_nMonthly;
    int m_nPulse;
    int m_nYearly;
    int m_nYearEnd;
    int m_nYearStart;
    int m_nStartValue;
    int m_nTime1Low, m_nTime1High, m_nTime1Base;
    int m_nRefUnit1, m_nRefUnit2;  // 0 minutes, 1 seconds, 2 milliseconds
    BOOL m_bRef[4];                // parameter k takes its value from another block
    int m_nRefNumber[4];           // number of that block; -1 none
    CBlockObj* m_pRefBlock[4];     // that block (not owned); rebuilt from the numbers on load
    int m_nOperandCount;
    int m_nTime2Low, m_nTime2High, m_nTime2Base;
    int m_nCount;
    BOOL m_bStdPreWarning;
    int m_nPreWarn[4];
    int m_nExtra1;
    int m_nExtra2;
    int m_nExtra3;
    int m_nSimKind;              // 0 switch, 1 push-button (make), 2 push-button (break), 3 frequency
    int m_nExtra4;
    int m_nExtra5;               // copied, never stored
    WORD m_nCodeSize;
    BOOL m_bNegate[kPinCount];
    int m_nIndex;                // first input the feedback-loop search follows; -1 none
    CString m_strComment;
    BOOL m_bShowComment;
    BOOL m_bAutoRange;
    int m_nSimValue;
    int m_nSimMin, m_nSimMax;
    int m_nSimState;             // live analog value of analog I/O and ladder analog elements
    BOOL m_bSelected;
    BOOL m_bMark;
    int m_nContactState;         // ladder contact state
    int m_nInputs, m_nOutputs;
    int m_nReserved1, m_nReserved2;
    SYSTEMTIME m_tmStart, m_tmStart2;
    double m_dElapsed;           // measured milliseconds; the numeric output of many families
    double m_dValue2, m_dValue3;
    BOOL m_bLoopFound;
    CBlockObj* m_pLoopStart;
    int m_nLoopMark;
    SYSTEMTIME m_tmHold;         // while year, month or day is set, time measurements hold
    BOOL m_bRunning, m_bRunning2;
    int m_nSchema;               // schema of the record last read
    CString m_strParam;          // text parameter
    double m_dParam;             // real parameter
    BYTE m_byOptions;            // BlockOptionBits, a class constant, never stored
    int m_nLastValue;
    CString m_strValueText;      // value text shown under the block in simulation

    // The texts this element painted last and what they were made from; not part of the
    // element's settings (never stored or copied).
    ElementTextCache& TextCache() const;

private:
    void InitDefaults();

    mutable std::unique_ptr<ElementTextCache> m_pTextCache;
};

// Greatest common divisor by Euclid on truncating remainders; callers never pass b = 0.
int GCD(int a, int b);

// A double as an int, truncated toward zero and held within the int range (NaN gives 0).
int TruncateToInt(double v);
// Types of the analog function family (803-807, 815-822).
bool IsAnalogFamilyType(int nType);
