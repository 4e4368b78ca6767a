// CInsComments: the free comment's text with the font dialog for its font and colour, and the
// measuring of the text at OK.
#include "pages/InsComments.h"

#include "pages/Comment.h"
#include "resources/resource.h"

#include "platform/gdi/GdiObjects.h"
#include "platform/ui/core/MessageMap.h"
#include "platform/ui/core/WndDC.h"
#include "platform/ui/dialogs/CommonDlg.h"
#include "platform/ui/dialogs/Ddx.h"

#include <algorithm>

namespace {

// A comment is never narrower than its default text.
constexpr const wchar_t* kMinimumWidthText = L"Comment";

}  // namespace

BEGIN_MESSAGE_MAP(CInsComments, CPropertyPage)
ON_CONTROL(BN_CLICKED, IDC_INS_COMMENTS_FONT, OnChooseFont)
END_MESSAGE_MAP()

CInsComments::CInsComments() : CPropertyPage(IDD_INS_COMMENTS) {}

void CInsComments::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_COMMENT_TEXT, m_strComment);
}

BOOL CInsComments::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    if (CWnd* pEdit = GetDlgItem(IDC_COMMENT_TEXT)) {
        CRect rc;
        pEdit->GetWindowRect(&rc);
        pEdit->SetWindowPos(nullptr, 0, 0, rc.Width() + 40, rc.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    m_lfWorkFont = m_lfFont;
    m_crWorkColor = m_crTextColor;
    return TRUE;
}

BOOL CInsComments::PreTranslateMessage(MSG* pMsg)
{
    TargetEscapeAtPage(this, pMsg);
    return CPropertyPage::PreTranslateMessage(pMsg);
}

void CInsComments::OnChooseFont()
{
    CFontDialog dlg(&m_lfWorkFont, CF_SCREENFONTS | CF_EFFECTS, nullptr, this);
    dlg.m_cf.rgbColors = m_crWorkColor;
    if (dlg.DoModal() != IDOK)
        return;
    dlg.GetCurrentFont(&m_lfWorkFont);
    m_crWorkColor = dlg.GetColor();
}

void CInsComments::OnOK()
{
    m_crTextColor = m_crWorkColor;
    m_lfFont = m_lfWorkFont;
    MeasureText();
    CPropertyPage::OnOK();
}

void CInsComments::MeasureText()
{
    CClientDC dc(this);
    CFont font;
    font.CreateFontIndirect(&m_lfFont);
    CFont* pOld = dc.SelectObject(&font);
    const int h = dc.GetTextExtent(m_strComment).cy;
    int width = dc.GetTextExtent(CString(kMinimumWidthText)).cx;
    // The edit knows the lines as the user sees them; a text that ends in a line break has an
    // empty last line there.
    CWnd* pEdit = GetDlgItem(IDC_COMMENT_TEXT);
    int n = pEdit ? int(pEdit->SendMessage(EM_GETLINECOUNT)) : 0;
    if (n <= 0) {
        n = 1;
        for (int at = 0; (at = m_strComment.Find(L"\r\n", at)) >= 0; at += 2)
            ++n;
    }
    m_nLineCount = n;
    m_nTextHeight = n * h;
    int start = 0;
    for (int k = 0; k < n; ++k) {
        const int at = m_strComment.Find(L"\r\n", start);
        const CString line = at < 0 ? m_strComment.Mid(start) : m_strComment.Mid(start, at - start);
        width = std::max(width, int(dc.GetTextExtent(line).cx));
        if (at < 0)
            break;
        start = at + 2;
    }
    m_nTextWidth = width;
    dc.SelectObject(pOld);
}
