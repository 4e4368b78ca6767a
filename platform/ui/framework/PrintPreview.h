// Print preview: a window of ours showing the pages of a view's print job, drawn by the same
// OnPrint as the printed pages, one page at a time.
#pragma once

#include "platform/gdi/DC.h"
#include "platform/ui/framework/Print.h"
#include "platform/ui/core/Wnd.h"

#include <memory>

class CView;

class CPreviewView : public CWnd {
public:
    // The buttons along the top, left to right.
    enum Button { kPrint, kPrev, kNext, kClose, kButtons };

    CPreviewView() = default;
    ~CPreviewView() override;

    // Opens the preview of pView's job; the window deletes itself when closed.
    BOOL Create(CView* pView, std::unique_ptr<CPrintInfo> info);
    void SetCurrentPage(UINT nPage);
    UINT GetCurrentPage() const { return m_pInfo ? m_pInfo->m_nCurPage : 0; }
    UINT GetPageCount() const;
    // The view whose job shows.
    CView* GetView() const { return m_pView; }
    void ClosePreview();
    // Prev is off on the first page, Next on the last; Print and Close are always on.
    bool IsButtonEnabled(int index) const;
    // A button's place in the client area.
    CRect ButtonRect(int index) const;
    // The picture of the current page (a printer DC drawing into an image).
    CDC* GetPageDC() { return &m_pageDC; }
    // The preview window open now, if any.
    static CPreviewView* GetActive();

    BOOL PreTranslateMessage(MSG* pMsg) override;
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnClose();
    void OnDestroy();
    void PostNcDestroy() override;

private:
    void RenderPage();
    UINT LastPage() const;
    void PressButton(int index);

    CView* m_pView = nullptr;
    std::unique_ptr<CPrintInfo> m_pInfo;
    CDC m_pageDC;
    CSize m_page{0, 0};
    bool m_ended = false;

    DECLARE_MESSAGE_MAP()
};
