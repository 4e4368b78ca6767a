// CMaxMin: the value is held within its type's range as it is typed or stepped; Modulo refuses a
// base of 0 when the page is left.
#include "pages/MaxMin.h"

#include "document/TavixDoc.h"
#include "elements/BlockObj.h"
#include "pages/RefBlockList.h"
#include "resources/resource.h"

#include "platform/ui/controls/CommCtrlUpDown.h"
#include "platform/ui/core/MessageMap.h"
#include "platform/ui/dialogs/Ddx.h"

MathValueRange MathValueRangeOf(int nType)
{
    switch (nType) {
    case 821: return {0, 3, 1, false};
    case 834: case 835: case 836: case 837: return {1, 15, 2, false};
    case 854: return {0, 15, 2, false};
    case 846: return {1, 32767, 5, false};
    default: return {-32767, 32767, 5, true};  // 862, 863
    }
}

BEGIN_MESSAGE_MAP(CMaxMin, CBlockPage)
ON_WM_VSCROLL()
ON_CONTROL(EN_CHANGE, IDC_MATH_VALUE, OnValueChanged)
ON_CONTROL(BN_CLICKED, IDC_MATH_RESET, OnCheck)
ON_CONTROL(BN_CLICKED, IDC_MATH_RETENTIVITY, OnCheck)
ON_CONTROL(BN_CLICKED, IDC_MATH_PROTECTION, OnCheck)
ON_CONTROL(BN_CLICKED, IDC_MATH_REFERENCE, OnReferenceClicked)
ON_CONTROL(CBN_SELCHANGE, IDC_MATH_REF_COMBO, OnRefBlockSelected)
END_MESSAGE_MAP()

CMaxMin::CMaxMin() : CBlockPage(IDD_MAX_MIN) {}

int CMaxMin::ReferencePlaceholder() const
{
    switch (m_nBlockType) {
    case 834: case 835: case 836: case 837: case 846: return 1;
    case 862: case 863: return 10;
    default: return 0;
    }
}

void CMaxMin::DoDataExchange(CDataExchange* pDX)
{
    CBlockPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_MATH_VALUE, m_editValue);
    // A value from another block needs no literal of its own.
    if (!(pDX->m_bSaveAndValidate && m_bRef)) {
        DDX_Text(pDX, IDC_MATH_VALUE, m_nValue);
        const MathValueRange r = MathValueRangeOf(m_nBlockType);
        if (pDX->m_bSaveAndValidate)
            DDV_MinMaxInt(pDX, m_nValue, r.lo, r.hi);
        if (pDX->m_bSaveAndValidate && m_nBlockType == 862 && m_nValue == 0) {
            AfxMessageBox(L"Base number cannot be zero!", MB_ICONEXCLAMATION);
            pDX->Fail();
        }
    }
    DDX_Check(pDX, IDC_MATH_RESET, m_bResetOnDisable);
    DDX_Check(pDX, IDC_MATH_PROTECTION, m_bProtection);
    DDX_Check(pDX, IDC_MATH_RETENTIVITY, m_bRetentivity);
}

void CMaxMin::InitPage()
{
    if (CWnd* pEdit = GetDlgItem(IDC_MATH_VALUE)) {
        CRect rc;
        pEdit->GetWindowRect(&rc);
        ScreenToClient(&rc);
        CreateBlockList(m_cbRefBlock, this, CRect(rc.left, rc.top, rc.right + 140, rc.top + 200), IDC_MATH_REF_COMBO,
                        FALSE);
    }
    const MathValueRange r = MathValueRangeOf(m_nBlockType);
    m_editValue.SetMaxWholeDigits(r.sign ? r.digits : -r.digits);
    SendDlgItemMessage(IDC_MATH_SPIN, UDM_SETRANGE32, WPARAM(r.lo), LPARAM(r.hi));
    const wchar_t* label = nullptr;
    switch (m_nBlockType) {
    case 834: case 835: label = L"Number of bit(s) of Rotation"; break;
    case 836: case 837: label = L"Number of bit(s) of Shift"; break;
    case 854: label = L"Bit Position:"; break;
    case 846: case 862: case 863: label = L"Base"; break;
    default: break;
    }
    if (label)
        SetDlgItemText(1007, label);
    if (m_nBlockType != 821) {
        for (UINT id : {1303u, 1304u, 1305u, 1306u, IDC_MATH_RESET})
            if (CWnd* p = GetDlgItem(int(id)))
                p->ShowWindow(SW_HIDE);
        HideRetentivity(IDC_MATH_RETENTIVITY, IDC_MATH_PROTECTION);
    }
    if (CWnd* p = GetDlgItem(IDC_MATH_REFERENCE))
        p->EnableWindow(m_bRefAllowed);
    m_bRef = m_pRefBlock != nullptr;
    ShowReferenceState();
    FillReferenceList();
    SetTabOrder();
}

void CMaxMin::AddTips()
{
    const MathValueRange r = MathValueRangeOf(m_nBlockType);
    CString format, text;
    format.LoadString(IDS_NUMBER_RANGE_INT);
    text.Format(format.GetString(), r.lo, r.hi);
    if (m_nBlockType == 862)
        text += L" and <> 0";
    if (CWnd* p = GetDlgItem(IDC_MATH_VALUE))
        m_toolTip.AddTool(p, text);
}

void CMaxMin::ShowReferenceState()
{
    ShowLiteralOrList(*this, {IDC_MATH_VALUE, IDC_MATH_SPIN}, m_cbRefBlock, m_bRef);
}

void CMaxMin::FillReferenceList()
{
    if (!m_cbRefBlock.GetSafeHwnd())
        return;
    ApplyNameRule();
    FillBlockList(m_cbRefBlock, GetDocument(), m_nBlockNumber, m_pRefBlock);
}

void CMaxMin::SetTabOrder()
{
    CWnd* pAfter = GetDlgItem(IDC_BLOCK_NAME);
    const BOOL bRef = m_bRef && m_cbRefBlock.GetSafeHwnd();
    ChainTabOrder(pAfter, {bRef ? static_cast<CWnd*>(&m_cbRefBlock) : GetDlgItem(IDC_MATH_VALUE),
                           bRef ? nullptr : GetDlgItem(IDC_MATH_SPIN), GetDlgItem(IDC_MATH_REFERENCE)});
}

void CMaxMin::OnValueChanged()
{
    // Typed or stepped, the value stays within its type's bounds.
    BOOL bOk = FALSE;
    const int value = int(GetDlgItemInt(IDC_MATH_VALUE, &bOk, TRUE));
    const MathValueRange r = MathValueRangeOf(m_nBlockType);
    if (bOk && (value < r.lo || value > r.hi)) {
        SetDlgItemInt(IDC_MATH_VALUE, UINT(value < r.lo ? r.lo : r.hi), TRUE);
        return;  // the corrected text comes back here
    }
    OnParamChanged();
}

void CMaxMin::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    CBlockPage::OnVScroll(nSBCode, nPos, pScrollBar);
    if (pScrollBar && pScrollBar->GetDlgCtrlID() == int(IDC_MATH_SPIN))
        OnValueChanged();
}

void CMaxMin::OnReferenceClicked()
{
    ToggleReference(m_bRef, m_pRefBlock, m_cbRefBlock, GetDocument());
    ShowReferenceState();
    SetTabOrder();
    SetModified(TRUE);
}

void CMaxMin::OnRefBlockSelected()
{
    m_pRefBlock = SelectedBlock(m_cbRefBlock, GetDocument());
    SetModified(TRUE);
}

void CMaxMin::OnOK()
{
    if (m_bRef && m_pRefBlock) {
        m_nValue = ReferencePlaceholder();
    } else {
        m_bRef = 0;
        m_pRefBlock = nullptr;
    }
    CBlockPage::OnOK();
}
