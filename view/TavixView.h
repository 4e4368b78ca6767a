// CTavixView: the diagram view of one program. This is the part of the view that the diagram
// elements and the document use: the edit mode, the simulated time of the current repaint, the
// block factory with its message-text numbers, and the view's services to the block families.
// The window, painting and editing come with the framework's scroll view.
#pragma once

#include "platform/base/Afx.h"

class CTavixDoc;
class CChildFrame;
class CBlockObj;

class CTavixView
{
public:
    enum { modeSelect = 0, modeInsert = 1, modeConnect = 2, modeSimulate = 100 };
    enum { kMessageTextSlots = 16 };

    explicit CTavixView(CTavixDoc* pDoc = nullptr, CChildFrame* pFrame = nullptr);
    virtual ~CTavixView() = default;

    CTavixDoc* GetDocument() const { return m_pDocument; }
    void SetDocument(CTavixDoc* pDoc) { m_pDocument = pDoc; }
    CChildFrame* GetParentFrame() const { return m_pFrame; }
    void SetParentFrame(CChildFrame* pFrame) { m_pFrame = pFrame; }
    BOOL IsSimulating() const { return m_nEditMode == modeSimulate; }

    // Creates an element of a type code with its class's constructor, sized 25 x 40 (four
    // inputs) or 25 x 36; a message-text block takes the lowest free message-text number.
    // The element is not numbered, placed or added; the caller owns it. Null on no memory.
    CBlockObj* CreateBlockByType(int nType);

    // The one repaint request of the view; counted until the window exists.
    void InvalidateAll() { ++m_nRepaintRequests; }
    // Refreshes the open monitor sheets of a block (none exist yet).
    void UpdateMonitorSheets(CBlockObj* pBlock) {}
    // Narrows *pUpper / *pLower to the range of the analog sources feeding the block; leaves
    // them unchanged while the view has no analog ranges.
    void GetAnalogRange(CBlockObj* pBlock, int* pUpper, int* pLower) {}

    SYSTEMTIME m_simTime{};                       // simulated clock copied at each repaint
    int m_nEditMode = modeSelect;                  // 100 while simulating
    BOOL m_bMsgTextSlotUsed[kMessageTextSlots] = {};
    CBlockObj* m_pPopupBlock = nullptr;
    int m_nRepaintRequests = 0;

private:
    CTavixDoc* m_pDocument;
    CChildFrame* m_pFrame;
};
