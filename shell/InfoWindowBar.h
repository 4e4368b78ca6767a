// CInfoWindowBar: the main frame's "Infomation Window", a docking bar that holds one multi-line
// edit with the program's log. The log keeps the newest text: when it would grow past its limit
// the oldest lines are dropped, so an append never fails however long the editor runs.
#pragma once

#include "platform/gdi/GdiObjects.h"
#include "platform/ui/controls/CtlStdClasses.h"
#include "controls/SizingControlBarCF.h"

class CInfoWindowBar : public CSizingControlBarCF
{
    DECLARE_DYNAMIC(CInfoWindowBar)
public:
    // Longest log kept, in characters; the edit's own limit is set to it.
    static constexpr int kMaxLogChars = 64 * 1024;
    ~CInfoWindowBar() override;

    // Appends text ("\n" ends a line; written to the edit as "\r\n"), drops the oldest lines
    // beyond the limit and scrolls so that the last lines are in view.
    void AppendLog(const CString& text);
    CString GetLogText() const;

    CEdit m_wndEdit;
    CFont m_font;
    BOOL m_bStockFont = FALSE;

protected:
    int OnCreate(LPCREATESTRUCT lpcs);
    void OnNcLButtonUp(UINT nHitTest, CPoint point);
    DECLARE_MESSAGE_MAP()
};
