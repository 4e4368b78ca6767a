#include "shell/InfoWindowBar.h"

#include "platform/ui/core/MessageMap.h"
#include "platform/ui/framework/App.h"
#include "resources/resource.h"
#include "shell/MainFrame.h"

IMPLEMENT_DYNAMIC(CInfoWindowBar, CSizingControlBarCF)

BEGIN_MESSAGE_MAP(CInfoWindowBar, CSizingControlBarCF)
    ON_WM_CREATE()
    ON_WM_NCLBUTTONUP()
END_MESSAGE_MAP()

int CInfoWindowBar::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CSizingControlBarCF::OnCreate(lpcs) == -1)
        return -1;
    SetSCBStyle(GetSCBStyle() | SCBS_SHOWEDGES | SCBS_SIZECHILD);
    CRect rc;
    GetClientRect(&rc);
    if (!m_wndEdit.Create(WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL, rc, this,
                          IDW_INFO_WINDOW))
        return -1;
    m_wndEdit.ModifyStyleEx(0, WS_EX_CLIENTEDGE);
    m_wndEdit.SetLimitText(kMaxLogChars);
    m_bStockFont = m_font.Attach(::GetStockObject(DEFAULT_GUI_FONT));
    if (!m_bStockFont && !m_font.CreatePointFont(80, L"MS Sans Serif"))
        return -1;
    m_wndEdit.SendMessage(WM_SETFONT, WPARAM(m_font.GetSafeHandle()), TRUE);
    return 0;
}

void CInfoWindowBar::OnNcLButtonUp(UINT nHitTest, CPoint point)
{
    // A release over the bar completes a held power cycle of the simulation first.
    if (auto* frame = dynamic_cast<CMainFrame*>(AfxGetMainWnd()))
        frame->ReleaseHeldPower();
    CSizingControlBarCF::OnNcLButtonUp(nHitTest, point);
}

CInfoWindowBar::~CInfoWindowBar()
{
    if (m_bStockFont)
        m_font.Detach();  // the stock font is not ours to delete
}

CString CInfoWindowBar::GetLogText() const
{
    CString text;
    if (m_wndEdit.m_hWnd)
        m_wndEdit.GetWindowText(text);
    return text;
}

void CInfoWindowBar::AppendLog(const CString& added)
{
    if (!m_wndEdit.m_hWnd)
        return;
    CString line = added;
    line.Replace(L"\r\n", L"\n");
    line.Replace(L"\n", L"\r\n");
    CString text = GetLogText() + line;
    if (text.GetLength() > kMaxLogChars) {
        // Drop whole lines from the front until the rest fits.
        int cut = text.GetLength() - kMaxLogChars;
        const int nl = text.Find(L'\n', cut);
        cut = nl >= 0 ? nl + 1 : text.GetLength() - kMaxLogChars;
        text = text.Mid(cut);
    }
    m_wndEdit.SetWindowText(text);
    // First line, then down so that the last four lines are in view.
    m_wndEdit.LineScroll(-m_wndEdit.GetLineCount());
    m_wndEdit.LineScroll(std::max(0, m_wndEdit.GetLineCount() - 4));
}
