#include "msgtext/CharPaletteDlg.h"

#include "platform/ui/controls/CtlStd.h"
#include "platform/ui/core/MessageMap.h"
#include "resources/resource.h"

namespace {
// Euro, degree Fahrenheit, degree Celsius, right and left pointers, down and up triangles,
// plus-minus, double vertical bar, black square.
constexpr wchar_t kChars[CCharPaletteDlg::kButtons] = {0x20AC, 0x2109, 0x2103, 0x25BA, 0x25C4,
                                                      0x25BC, 0x25B2, 0x00B1, 0x2551, 0x25A0};
} // namespace

BEGIN_MESSAGE_MAP(CCharPaletteDlg, CDialog)
    ON_CONTROL_RANGE(BN_CLICKED, CCharPaletteDlg::kFirstButton, CCharPaletteDlg::kFirstButton + CCharPaletteDlg::kButtons - 1, OnChar)
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

CCharPaletteDlg::CCharPaletteDlg(CSpecialCharOwner* pOwner) : m_pOwner(pOwner) {}

wchar_t CCharPaletteDlg::CharOfButton(int nId)
{
    const int i = nId - kFirstButton;
    return i >= 0 && i < kButtons ? kChars[i] : 0;
}

BOOL CCharPaletteDlg::CreatePalette(CWnd* pParent)
{
    if (!Create(IDD_MT_SPECIAL_CHARS, pParent))
        return FALSE;
    ShowWindow(SW_SHOW);
    return TRUE;
}

BOOL CCharPaletteDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (CWnd* pOwner = m_pOwner ? m_pOwner->OwnerWindow() : nullptr) {
        CRect owner;
        pOwner->GetWindowRect(&owner);
        SetWindowPos(nullptr, owner.left, owner.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    for (int i = 0; i < kButtons; ++i) {
        const wchar_t text[2] = {kChars[i], 0};
        SetDlgItemText(kFirstButton + i, text);
    }
    return TRUE;
}

void CCharPaletteDlg::OnChar(UINT nId)
{
    if (m_pOwner)
        m_pOwner->CloseEditWindow(CharOfButton(int(nId)));
}

void CCharPaletteDlg::OnLButtonDown(UINT, CPoint)
{
    if (m_pOwner)
        m_pOwner->CloseEditWindow(0);
}

void CCharPaletteDlg::PostNcDestroy()
{
    CDialog::PostNcDestroy();
    delete this;
}
