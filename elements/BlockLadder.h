// Ladder elements: make (700), break (701) and analog (702) contacts, relay coils (703),
// inverted outputs (704) and ladder analog outputs (705). Each carries an operand: the number
// of the input, flag, output, key, constant, coil or function block it refers to.
#pragma once

#include "elements/BlockObj.h"

class CBlockMake : public CBlockObj  // Make contact
{
    DECLARE_SERIAL(CBlockMake)
public:
    CBlockMake();
    explicit CBlockMake(int nType);
    void Serialize(CArchive& ar) override;
    BOOL Simulate(CTavixView* pView) override;
    void Draw(CTavixView* pView, CDC* pDC, int nFlag, COLORREF colour) override;
};

class CBlockBreak : public CBlockMake  // Break contact
{
    DECLARE_SERIAL(CBlockBreak)
public:
    CBlockBreak();
    explicit CBlockBreak(int nType);
};

class CBlockAContact : public CBlockObj  // Analog contact
{
    DECLARE_SERIAL(CBlockAContact)
public:
    CBlockAContact();
    explicit CBlockAContact(int nType);
    BOOL Simulate(CTavixView* pView) override;
};

class CBlockRelayCoil : public CBlockObj  // Relay coil
{
    DECLARE_SERIAL(CBlockRelayCoil)
public:
    CBlockRelayCoil();
    explicit CBlockRelayCoil(int nType);
    BOOL Simulate(CTavixView* pView) override;
};

class CBlockInvOut : public CBlockRelayCoil  // Inverted output
{
    DECLARE_SERIAL(CBlockInvOut)
public:
    CBlockInvOut();
    explicit CBlockInvOut(int nType);
};

class CBlockAOutLAD : public CBlockObj  // Ladder analog output
{
    DECLARE_SERIAL(CBlockAOutLAD)
public:
    CBlockAOutLAD();
    explicit CBlockAOutLAD(int nType);
    BOOL Simulate(CTavixView* pView) override;
};

// Removes the operand comment of a ladder element that is being deleted from its document,
// when the operand lies in the element class's comment ranges and no other element of that
// document uses the same operand. Call it before the element leaves the document's block list
// (or with the element already removed). Only the given document is touched.
void ReleaseLadderOperandComment(CTavixDoc* pDoc, const CBlockObj* pElement);
