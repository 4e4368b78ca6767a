// CLabelWnd: a label in the parent's font that shortens a text too wide for it with an
// ellipsis (at the end, or in the middle of a path).
#pragma once

#include "platform/ui/core/Wnd.h"

class CLabelWnd : public CWnd {
    DECLARE_DYNAMIC(CLabelWnd)
public:
    explicit CLabelWnd(UINT nFormat = DT_NOPREFIX | DT_VCENTER, BOOL bPathEllipsis = FALSE)
        : m_bPathEllipsis(bPathEllipsis), m_nFormat(nFormat)
    {
    }

protected:
    BOOL m_bPathEllipsis;
    UINT m_nFormat;

    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    LRESULT OnSetText(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()
};
