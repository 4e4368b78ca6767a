// CAMathMux: four values that may come from other blocks; for the mathematical instruction the
// operators and a permutation of the priorities L, M and H.
#include "pages/AMathMux.h"

#include "document/TavixDoc.h"
#include "elements/BlockObj.h"
#include "pages/RefBlockList.h"
#include "resources/resource.h"

#include "platform/ui/controls/CommCtrlUpDown.h"
#include "platform/ui/core/MessageMap.h"
#include "platform/ui/dialogs/Ddx.h"

#include <algorithm>
#include <cwchar>

namespace {

const UINT kButton[4] = {1254, 1264, 1271, 1278};
const UINT kEdit[4] = {1252, 1262, 1269, 1276};
const UINT kGroup[4] = {1258, 1265, 1272, 1279};
const UINT kSpin[4] = {1253, 1263, 1270, 1277};
const UINT kCombo[4] = {104, 125, 127, 129};
const UINT kOpLabel[3] = {1255, 1267, 1274};
const UINT kOperator[3] = {1257, 1251, 1273};
const UINT kPriLabel[3] = {1256, 1268, 1275};
const UINT kPriority[3] = {1083, 1084, 1085};
constexpr UINT IDC_DECIMALS = 1096, IDC_DECIMALS_SPIN = 1097, IDC_SAMPLE = 1098, IDC_EN_LABEL = 1259,
               IDC_EN_ZERO = 1260, IDC_EN_LAST = 1261;
constexpr int kValueLo = -32768, kValueHi = 32767;

int IndexOf(const UINT (&ids)[4], UINT nID)
{
    for (int i = 0; i < 4; ++i)
        if (ids[i] == nID)
            return i;
    return -1;
}

}  // namespace

BEGIN_MESSAGE_MAP(CAMathMux, CBlockPage)
ON_CONTROL(BN_CLICKED, 1254, OnReference1)
ON_CONTROL(BN_CLICKED, 1264, OnReference2)
ON_CONTROL(BN_CLICKED, 1271, OnReference3)
ON_CONTROL(BN_CLICKED, 1278, OnReference4)
ON_CONTROL(CBN_SELCHANGE, 104, OnBlock1)
ON_CONTROL(CBN_SELCHANGE, 125, OnBlock2)
ON_CONTROL(CBN_SELCHANGE, 127, OnBlock3)
ON_CONTROL(CBN_SELCHANGE, 129, OnBlock4)
ON_CONTROL(EN_CHANGE, IDC_DECIMALS, OnDecimalsChanged)
ON_CONTROL(EN_CHANGE, 1252, OnChanged)
ON_CONTROL(EN_CHANGE, 1262, OnChanged)
ON_CONTROL(EN_CHANGE, 1269, OnChanged)
ON_CONTROL(EN_CHANGE, 1276, OnChanged)
ON_CONTROL_RANGE(BN_CLICKED, IDC_EN_ZERO, IDC_EN_LAST, OnChangedRange)
ON_CONTROL(CBN_SELCHANGE, 1257, OnChanged)
ON_CONTROL(CBN_SELCHANGE, 1251, OnChanged)
ON_CONTROL(CBN_SELCHANGE, 1273, OnChanged)
ON_CONTROL_RANGE(CBN_SELCHANGE, 1083, 1085, OnPriorityChanged)
END_MESSAGE_MAP()

CAMathMux::CAMathMux() : CBlockPage(IDD_AMATH_MUX) {}

BOOL CAMathMux::OnInitDialog()
{
    // The lists get their items before the exchange selects the block's choices in them.
    for (int i = 0; i < 3; ++i)
        if (AttachControl(m_cbOperator[i], kOperator[i]) && m_cbOperator[i].GetCount() == 0)
            for (const wchar_t* item : {L"+", L"-", L"x", L"/"})
                m_cbOperator[i].AddString(item);
    for (int i = 0; i < 3; ++i)
        if (AttachControl(m_cbPriority[i], kPriority[i]) && m_cbPriority[i].GetCount() == 0)
            for (const wchar_t* item : {L"L", L"M", L"H"})
                m_cbPriority[i].AddString(item);
    std::copy(m_nPriority, m_nPriority + 3, m_nShownPriority);
    return CBlockPage::OnInitDialog();
}

void CAMathMux::DoDataExchange(CDataExchange* pDX)
{
    CBlockPage::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_DECIMALS, m_nDecimals);
    DDV_MinMaxInt(pDX, m_nDecimals, 0, 3);
    for (int i = 0; i < 4; ++i) {
        // A value taken from another block has no literal to check.
        if (pDX->m_bSaveAndValidate && m_bRef[i])
            continue;
        DDX_Text(pDX, int(kEdit[i]), m_nValue[i]);
        DDV_MinMaxInt(pDX, m_nValue[i], kValueLo, kValueHi);
    }
    DDX_Radio(pDX, IDC_EN_ZERO, m_nEnOutput);
    for (int k = 0; k < 3; ++k)
        DDX_CBIndex(pDX, int(kOperator[k]), m_nOperator[k]);
    for (int k = 0; k < 3; ++k)
        DDX_CBIndex(pDX, int(kPriority[k]), m_nPriority[k]);
}

void CAMathMux::InitPage()
{
    for (int i = 0; i < 4; ++i) {
        CWnd* pEdit = GetDlgItem(int(kEdit[i]));
        CWnd* pButton = GetDlgItem(int(kButton[i]));
        if (pEdit && pButton) {
            CRect rcEdit, rcButton;
            pEdit->GetWindowRect(&rcEdit);
            pButton->GetWindowRect(&rcButton);
            ScreenToClient(&rcEdit);
            ScreenToClient(&rcButton);
            CreateBlockList(m_cbBlock[i], this, CRect(rcEdit.left, rcEdit.top, rcButton.left - 2, rcEdit.top + 200),
                            kCombo[i], FALSE);
        }
        SendDlgItemMessage(int(kSpin[i]), UDM_SETRANGE32, WPARAM(kValueLo), LPARAM(kValueHi));
        if (pButton)
            pButton->EnableWindow(m_bRefAllowed);
        m_bRef[i] = m_pRefBlock[i] != nullptr;
        CString title;
        if (m_nBlockType == 816)
            title.Format(L"V%d(S1=%d;S2=%d)", i + 1, (i >> 1) & 1, i & 1);
        else
            title.Format(L"V%d", i + 1);
        SetDlgItemText(int(kGroup[i]), title);
        ShowValue(i);
    }
    SendDlgItemMessage(IDC_DECIMALS_SPIN, UDM_SETRANGE32, 0, 3);
    SendDlgItemMessage(IDC_DECIMALS, EM_LIMITTEXT, 1);
    UpdateDecimalsSample();
    const int nShow = m_nBlockType == 815 ? SW_SHOW : SW_HIDE;
    for (int k = 0; k < 3; ++k)
        for (UINT id : {kOpLabel[k], kOperator[k], kPriLabel[k], kPriority[k]})
            if (CWnd* p = GetDlgItem(int(id)))
                p->ShowWindow(nShow);
    for (UINT id : {IDC_EN_LABEL, IDC_EN_ZERO, IDC_EN_LAST})
        if (CWnd* p = GetDlgItem(int(id)))
            p->ShowWindow(nShow);
    FillBlockCombos();
    UpdateTabOrder();
}

void CAMathMux::AddTips()
{
    for (UINT id : kEdit)
        AddRangeTip(id, kValueLo, kValueHi);
    AddRangeTip(IDC_DECIMALS, 0, 3);
}

void CAMathMux::ShowValue(int i)
{
    const BOOL bRef = m_bRef[i] && m_cbBlock[i].GetSafeHwnd();
    ShowLiteralOrList(*this, {kEdit[i], kSpin[i]}, m_cbBlock[i], bRef);
}

void CAMathMux::FillBlockCombos()
{
    const CTavixDoc* pDoc = GetDocument();
    if (!m_bRefAllowed || pDoc == nullptr)
        return;
    for (int i = 0; i < 4; ++i)
        FillBlockList(m_cbBlock[i], pDoc, m_nBlockNumber, m_pRefBlock[i]);
    ApplyNameRule();
}

void CAMathMux::UpdateTabOrder()
{
    CWnd* pAfter = GetDlgItem(IDC_BLOCK_NAME);
    auto thread = [&](CWnd* p) { ChainTabOrder(pAfter, {p}); };
    for (int i = 0; i < 4; ++i) {
        thread(m_bRef[i] && m_cbBlock[i].GetSafeHwnd() ? static_cast<CWnd*>(&m_cbBlock[i]) : GetDlgItem(int(kEdit[i])));
        thread(GetDlgItem(int(kButton[i])));
        if (m_nBlockType == 815 && i < 3) {
            thread(GetDlgItem(int(kOperator[i])));
            thread(GetDlgItem(int(kPriority[i])));
        }
    }
    thread(GetDlgItem(IDC_DECIMALS));
    if (m_nBlockType == 815) {
        thread(GetDlgItem(IDC_EN_ZERO));
        thread(GetDlgItem(IDC_EN_LAST));
    }
    thread(GetDlgItem(IDC_PROTECTION));
}

void CAMathMux::UpdateDecimalsSample()
{
    static const wchar_t* const samples[] = {L"+12345", L"+1234.5", L"+123.45", L"+12.345"};
    BOOL bOk = FALSE;
    const int n = int(GetDlgItemInt(IDC_DECIMALS, &bOk, TRUE));
    SetDlgItemText(IDC_SAMPLE, bOk && n >= 0 && n <= 3 ? samples[n] : L"");
}

void CAMathMux::OnDecimalsChanged()
{
    BOOL bOk = FALSE;
    if (int(GetDlgItemInt(IDC_DECIMALS, &bOk, TRUE)) > 3 && bOk) {
        SetDlgItemInt(IDC_DECIMALS, 3, TRUE);
        return;  // the corrected text comes back here
    }
    UpdateDecimalsSample();
    SetModified(TRUE);
}

void CAMathMux::OnReference(UINT nID)
{
    // The button that sent the click tells which value, not the focus.
    const int i = IndexOf(kButton, nID);
    if (i < 0)
        return;
    ToggleReference(m_bRef[i], m_pRefBlock[i], m_cbBlock[i], GetDocument());
    ShowValue(i);
    UpdateTabOrder();
    SetModified(TRUE);
}

void CAMathMux::OnBlockSelected(UINT nID)
{
    const int i = IndexOf(kCombo, nID);
    const CTavixDoc* pDoc = GetDocument();
    if (i < 0 || pDoc == nullptr)
        return;
    m_pRefBlock[i] = SelectedBlock(m_cbBlock[i], pDoc);
    SetModified(TRUE);
}

void CAMathMux::OnPriorityChanged(UINT nID)
{
    const int k = int(nID - kPriority[0]);
    if (k < 0 || k > 2 || m_cbPriority[k].GetSafeHwnd() == nullptr)
        return;
    const int now = m_cbPriority[k].GetCurSel();
    // The other priority that held this choice takes the one the changed list held before.
    for (int other : {k == 0 ? 1 : 0, k == 2 ? 1 : 2}) {
        CComboBox& rOther = m_cbPriority[other];
        if (rOther.GetSafeHwnd() && rOther.GetCurSel() == now) {
            rOther.SetCurSel(m_nShownPriority[k]);
            break;
        }
    }
    for (int j = 0; j < 3; ++j)
        if (m_cbPriority[j].GetSafeHwnd())
            m_nShownPriority[j] = m_nPriority[j] = m_cbPriority[j].GetCurSel();
    SetModified(TRUE);
}

void CAMathMux::OnOK()
{
    for (int i = 0; i < 4; ++i)
        if (!m_bRef[i] || m_pRefBlock[i] == nullptr) {
            m_bRef[i] = 0;
            m_pRefBlock[i] = nullptr;
            if (m_cbBlock[i].GetSafeHwnd() && m_cbBlock[i].GetCount() > 0)
                m_cbBlock[i].SetCurSel(0);
        }
    CBlockPage::OnOK();
}
