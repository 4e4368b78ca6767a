// CMask: the mask text is brought to valid hexadecimal on every change, however it arrives
// (typed, pasted, set), so the stored mask is always the value the edit shows.
#include "pages/Mask.h"

#include "document/TavixDoc.h"
#include "elements/BlockObj.h"
#include "pages/HexText.h"
#include "pages/MaskBitsDlg.h"
#include "pages/RefBlockList.h"
#include "resources/resource.h"

#include "platform/ui/core/MessageMap.h"
#include "platform/ui/dialogs/Ddx.h"

#include <cwctype>

namespace {

bool IsHexDigit(wchar_t c) { return std::iswxdigit(static_cast<wint_t>(c)) != 0 && c < 128; }

}  // namespace

CString NormalizeHexMask(const CString& text) { return HexDigitsOf(text, 4); }

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
        CreateBlockList(m_cbRefBlock, this, CRect(rc.left, rc.top, rc.right + 140, rc.top + 200), IDC_MASK_REF_COMBO,
                        FALSE);
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
    ShowLiteralOrList(*this, {IDC_MASK_TEXT, IDC_MASK_SETTING, 1330u}, m_cbRefBlock, bRef);
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
    ApplyNameRule();
    FillBlockList(m_cbRefBlock, GetDocument(), m_nBlockNumber, m_pRefBlock);
}

void CMask::SetTabOrder()
{
    CWnd* pAfter = GetDlgItem(IDC_BLOCK_NAME);
    const BOOL bRef = m_bRef && m_cbRefBlock.GetSafeHwnd();
    ChainTabOrder(pAfter, {bRef ? static_cast<CWnd*>(&m_cbRefBlock) : GetDlgItem(IDC_MASK_TEXT),
                           GetDlgItem(IDC_MASK_SETTING), GetDlgItem(IDC_MASK_REFERENCE)});
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
    ToggleReference(m_bRef, m_pRefBlock, m_cbRefBlock, GetDocument());
    ShowLiteralOrList(*this, {IDC_MASK_TEXT, IDC_MASK_SETTING, 1330u}, m_cbRefBlock, m_bRef);
    SetTabOrder();
    SetModified(TRUE);
}

void CMask::OnRefBlockSelected()
{
    m_pRefBlock = SelectedBlock(m_cbRefBlock, GetDocument());
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
