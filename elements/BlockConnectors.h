// Page connectors: the two ends of a wire cut in two. A wire from output A into a CBlockMale
// (type 900, numbers from 5000) and a wire from the CBlockFemale numbered 2000 higher to input B;
// in simulation the female passes on A's output. Each connector is the end block of its wire.
#pragma once

#include "elements/BlockObj.h"

class CConnectLineObj;

class CBlockMale : public CBlockObj
{
    DECLARE_SERIAL(CBlockMale)

public:
    CBlockMale();

    // The input takes the output of the element its link names; 0 when open or missing.
    BOOL Simulate(CTavixView* pView) override;
    // Draws red when input 0 holds exactly 1, else blue.
    void SimulateAndDraw(CTavixView* pView, CDC* pDC) override;
    void Draw(CTavixView* pView, CDC* pDC, int nFlag, COLORREF colour) override;
    virtual void DrawShape(CDC* pDC, int nFlag);

    // The partner female and the wire that leaves her (null when missing).
    CBlockObj* FindPartner(CTavixDoc* pDoc) const;
    // "label/pin" of the input the pair feeds: the far end of the partner's wire. Empty when
    // the partner or its wire is missing.
    CString GetLabel(CTavixDoc* pDoc) const;
};

class CBlockFemale : public CBlockObj
{
    DECLARE_SERIAL(CBlockFemale)

public:
    CBlockFemale();

    // The output takes the output of the element that feeds the partner male; 0 without an
    // outgoing wire or when the partner, its wire or the source is missing.
    BOOL Simulate(CTavixView* pView) override;
    void Draw(CTavixView* pView, CDC* pDC, int nFlag, COLORREF colour) override;
    virtual void DrawShape(CDC* pDC, int nFlag);

    CBlockObj* FindPartner(CTavixDoc* pDoc) const;
    // Label of the element that feeds the pair; empty when the partner or its wire is missing.
    CString GetLabel(CTavixDoc* pDoc) const;
};
