// CMask: the mask text is brought to valid hexadecimal on every change, however it arrives
// (typed, pasted, set), so the stored mask is always the value the edit shows.
#include "pages/Mask.h"

#include "document/TavixDoc.h"
#include "elements/BlockObj.h"
#include "pages/MaskBitsDlg.h"
#include "resources/resource.h"

#include "platform/ui/core/MessageMap.h"
#include "platform/ui/dialogs/Ddx.h"

#include <cwctype>

namespace {

bool IsHexDigit(wchar_t c) { return std::iswxdigit(static_cast<wint_t>(c)) != 0 && c < 128; }

}  // namespace

CString NormalizeHexMask(const CString& text)
{
    CString result;
    for (int i = 0; i < text.GetLength() && result.GetLength() < 4; ++i)
        if (IsHexDigit(text[i]))
            result += wchar_t(std::towupper(static_cast<wint_t>(text[i])));
    return result;
}

int ParseHexMask(const CString& text)
{
    int value = 0;
    for (int i = 0; i < text.GetLength(); ++i) {
        const wchar_t c = text[i];
        const int digit = c <= L'9' ? c - L'0' : c - L'A' + 10;
        value = ((value << 4) | digit) & 0xFFFF;
    }
    return value;
}

BEGIN_MESSAGE_MAP(CMask, CBlockPage)
ON_CONTROL(EN_CHANGE, IDC_MASK_TEXT, OnMaskChanged)
ON_CONTROL(BN_CLICKED, IDC_MASK_PROTECTION, OnProtectionClicked)
ON_CONTROL(BN_CLICKED, IDC_MASK_REFERENCE, OnReferenceClicked)
ON_CONTROL(BN_CLICKED, IDC_MASK_SETTING, OnSetting)
ON_CONTROL(CBN_SELCHANGE, IDC_MASK_REF_COMBO, OnRefBlockSelected)
END_MESSAGE_MAP()

CMask::CMask() : CBlockPage(IDD_MASK) {}

void CMask::DoDataExchange(CDataExchange* pDX)
{
    CBlockPage::DoDataExchange(pDX);
    if (m_nBlockType != 840)
        DDX_Text(pDX, IDC_MASK_TEXT, m_strMask);
    DDX_Check(pDX, IDC_MASK_PROTECTION, m_bProtection);
}

BOOL CMask::PreTranslateMessage(MSG* pMsg)
{
    CWnd* pEdit = GetDlgItem(IDC_MASK_TEXT);
    if (pEdit && pMsg->hwnd == pEdit->GetSafeHwnd() && pMsg->message == WM_CHAR) {
        const wchar_t c = wchar_t(pMsg->wParam);
        if (c >= L'a' && c <= L'f')
            pMsg->wParam = WPARAM(c - L'a' + L'A');
        else if (c >= 0x20 && !IsHexDigit(c)) {
            m_toolTip.RelayEvent(pMsg);
            return TRUE;
        }
    }
    return CBlockPage::PreTranslateMessage(pMsg);
}

void CMask::InitPage()
{
    if (m_nBlockType == 840) {
        for (UINT id : {1007u, IDC_MASK_TEXT, IDC_MASK_SETTING, 1330u, IDC_MASK_REFERENCE})
            if (CWnd* p = GetDlgItem(int(id)))
                p->ShowWindow(SW_HIDE);
        return;
    }
    if (CWnd* pEdit = GetDlgItem(IDC_MASK_TEXT)) {
        CRect rc;
        pEdit->GetWindowRect(&rc);
        ScreenToClient(&rc);
        m_cbRefBlock.Create(WS_CHILD | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST,
                            CRect(rc.left, rc.top, rc.right + 140, rc.top + 200), this, IDC_MASK_REF_COMBO);
        m_cbRefBlock.SetFont(GetFont());
    }
    SendDlgItemMessage(IDC_MASK_TEXT, EM_LIMITTEXT, 4);
    ApplyReferenceState();
    FillReferenceList();
    SetTabOrder();
}

void CMask::ApplyReferenceState()
{
    if (CWnd* p = GetDlgItem(IDC_MASK_REFERENCE))
        p->EnableWindow(m_bRefAllowed);
    const BOOL bRef = m_bRef && m_pRefBlock;
    for (UINT id : {IDC_MASK_TEXT, IDC_MASK_SETTING, 1330u})
        if (CWnd* p = GetDlgItem(int(id)))
            p->ShowWindow(bRef ? SW_HIDE : SW_SHOW);
    if (m_cbRefBlock.GetSafeHwnd())
        m_cbRefBlock.ShowWindow(bRef ? SW_SHOW : SW_HIDE);
    if (!bRef) {
        CString text;
        GetDlgItemText(IDC_MASK_TEXT, text);
        while (text.GetLength() < 4)
            text.Insert(0, L'0');
        SetDlgItemText(IDC_MASK_TEXT, text);
    }
}

void CMask::FillReferenceList()
{
    if (!m_cbRefBlock.GetSafeHwnd())
        return;
    m_cbRefBlock.ResetContent();
    ApplyNameRule();
    if (const CTavixDoc* pDoc = GetDocument())
        pDoc->FillBlockComboBox(m_nBlockNumber, &m_cbRefBlock);
    int sel = 0;
    if (m_pRefBlock) {
        for (int i = 0; i < m_cbRefBlock.GetCount(); ++i) {
            CString text;
            m_cbRefBlock.GetLBText(i, text);
            if (text.GetLength() > 1 && wcstol(text.GetString() + 1, nullptr, 10) == m_pRefBlock->m_nNumber - 9000) {
                sel = i;
                break;
            }
        }
    }
    m_cbRefBlock.SetCurSel(sel);
}

void CMask::SetTabOrder()
{
    CWnd* pAfter = GetDlgItem(IDC_BLOCK_NAME);
    const BOOL bRef = m_bRef && m_cbRefBlock.GetSafeHwnd();
    std::initializer_list<CWnd*> order = {bRef ? static_cast<CWnd*>(&m_cbRefBlock) : GetDlgItem(IDC_MASK_TEXT),
                                          GetDlgItem(IDC_MASK_SETTING), GetDlgItem(IDC_MASK_REFERENCE)};
    for (CWnd* p : order)
        if (pAfter && p && p->GetSafeHwnd()) {
            p->SetWindowPos(pAfter, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            pAfter = p;
        }
}

void CMask::AddTips()
{
    if (CWnd* p = GetDlgItem(IDC_MASK_TEXT))
        m_toolTip.AddTool(p, L"Number(Hex) between 0x0000 and 0xFFFF");
}

void CMask::OnMaskChanged()
{
    CWnd* pEdit = GetDlgItem(IDC_MASK_TEXT);
    if (pEdit == nullptr)
        return;
    CString text;
    pEdit->GetWindowText(text);
    const CString valid = NormalizeHexMask(text);
    if (valid != text) {
        // Pasted or set text is held to the same rule as typed text.
        pEdit->SetWindowText(valid);
        pEdit->SendMessage(EM_SETSEL, WPARAM(valid.GetLength()), LPARAM(valid.GetLength()));
        return;  // the change of the corrected text comes back here
    }
    m_nMask = ParseHexMask(valid);
    OnParamChanged();
}

void CMask::OnReferenceClicked()
{
    m_bRef = !m_bRef;
    if (m_bRef) {
        OnRefBlockSelected();
    } else {
        m_pRefBlock = nullptr;
    }
    for (UINT id : {IDC_MASK_TEXT, IDC_MASK_SETTING, 1330u})
        if (CWnd* p = GetDlgItem(int(id)))
            p->ShowWindow(m_bRef ? SW_HIDE : SW_SHOW);
    if (m_cbRefBlock.GetSafeHwnd())
        m_cbRefBlock.ShowWindow(m_bRef ? SW_SHOW : SW_HIDE);
    SetTabOrder();
    SetModified(TRUE);
}

void CMask::OnRefBlockSelected()
{
    const CTavixDoc* pDoc = GetDocument();
    const int sel = m_cbRefBlock.GetSafeHwnd() ? m_cbRefBlock.GetCurSel() : -1;
    if (pDoc == nullptr || sel < 0) {
        m_pRefBlock = nullptr;
        return;
    }
    CString text;
    m_cbRefBlock.GetLBText(sel, text);
    m_pRefBlock = text.GetLength() > 1 ? pDoc->FindBlockByNumber(9000 + int(wcstol(text.GetString() + 1, nullptr, 10)))
                                       : nullptr;
    SetModified(TRUE);
}

void CMask::OnSetting()
{
    CMaskBitsDlg dlg(this);
    GetDlgItemText(IDC_MASK_TEXT, dlg.m_strMask);
    if (dlg.DoModal() == IDOK)
        SetDlgItemText(IDC_MASK_TEXT, dlg.m_strMask);
}

void CMask::OnOK()
{
    if (m_bRef && m_pRefBlock)
        m_nMask = 0;
    else {
        m_bRef = 0;
        m_pRefBlock = nullptr;
    }
    CBlockPage::OnOK();
}
