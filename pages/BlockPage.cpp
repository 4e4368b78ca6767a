// CBlockPage: the name edit and its limits, Protection and Retentivity, the range tips and the
// live value box that every block page shares.
#include "pages/BlockPage.h"

#include "document/TavixDoc.h"
#include "resources/resource.h"
#include "view/TavixView.h"

#include "platform/ui/controls/CommCtrlUpDown.h"
#include "platform/ui/core/MessageMap.h"
#include "platform/ui/core/WndDC.h"
#include "platform/ui/dialogs/Ddx.h"

CString FilterBlockName(const CString& name)
{
    CString text = name;
    for (int i = 0; i < text.GetLength();) {
        if (unsigned(text[i]) < 128) {
            ++i;
            continue;
        }
        text.Remove(text[i]);
    }
    return text;
}

BEGIN_MESSAGE_MAP(CBlockPage, CPropertyPage)
ON_CONTROL(EN_CHANGE, IDC_BLOCK_NAME, OnParamChanged)
ON_CONTROL_RANGE(BN_CLICKED, IDC_RETENTIVITY, IDC_PROTECTION, OnParamChangedRange)
END_MESSAGE_MAP()

CBlockPage::CBlockPage(UINT nIDTemplate) : CPropertyPage(nIDTemplate) { m_psp.dwFlags |= PSP_HASHELP; }

CBlockPage::~CBlockPage()
{
    if (m_pValueBox) {
        m_pValueBox->DestroyWindow();
        delete m_pValueBox;
        m_pValueBox = nullptr;
    }
}

CTavixDoc* CBlockPage::GetDocument() const { return m_pView ? m_pView->GetDocument() : nullptr; }

BOOL CBlockPage::IsSimulating() const { return m_pView && m_pView->IsSimulating(); }

void CBlockPage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    if (HasControl(IDC_BLOCK_NAME)) {
        DDX_Text(pDX, IDC_BLOCK_NAME, m_strBlockName);
        DDV_MaxChars(pDX, m_strBlockName, kMaxBlockNameLength);
    }
    if (HasControl(IDC_RETENTIVITY))
        DDX_Check(pDX, IDC_RETENTIVITY, m_bRetentivity);
    if (HasControl(IDC_PROTECTION))
        DDX_Check(pDX, IDC_PROTECTION, m_bProtection);
}

BOOL CBlockPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    ApplyNameRule();
    InitPage();
    if (IsSimulating() && HasValueBox())
        AddCurrentValueBox(30);
    m_toolTip.Create(this);
    AddTips();
    return TRUE;
}

BOOL CBlockPage::AttachControl(CWnd& control, UINT nID)
{
    if (control.GetSafeHwnd())
        return TRUE;
    return control.SubclassDlgItem(nID, this);
}

void CBlockPage::ApplyNameRule()
{
    CWnd* pName = GetDlgItem(IDC_BLOCK_NAME);
    if (pName == nullptr)
        return;
    const CTavixDoc* pDoc = GetDocument();
    const BOOL bRoom = pDoc == nullptr || pDoc->CountNamedBlocks() < kNamedBlockLimit;
    pName->EnableWindow(bRoom || !m_strBlockName.IsEmpty());
}

BOOL CBlockPage::PreTranslateMessage(MSG* pMsg)
{
    m_toolTip.RelayEvent(pMsg);
    return CPropertyPage::PreTranslateMessage(pMsg);
}

void CBlockPage::OnParamChanged()
{
    CWnd* pName = GetDlgItem(IDC_BLOCK_NAME);
    if (pName && GetFocus() == pName) {
        CString text;
        pName->GetWindowText(text);
        const CString filtered = FilterBlockName(text);
        if (filtered != text)
            pName->SetWindowText(filtered);
    }
    SetModified(TRUE);
}

void CBlockPage::AddRangeTip(UINT nID, int nMin, int nMax)
{
    CString format, text;
    format.LoadString(IDS_NUMBER_RANGE_INT);
    text.Format(format.GetString(), nMin, nMax);
    if (CWnd* pCtrl = GetDlgItem(int(nID)))
        m_toolTip.AddTool(pCtrl, text);
}

void CBlockPage::AddRangeTip(UINT nID, double dMin, double dMax)
{
    CString format, text;
    format.LoadString(IDS_NUMBER_RANGE_REAL);
    text.Format(format.GetString(), dMin, dMax);
    if (CWnd* pCtrl = GetDlgItem(int(nID)))
        m_toolTip.AddTool(pCtrl, text);
}

void CBlockPage::AddCurrentValueBox(int nMargin)
{
    if (m_pValueBox)
        return;
    CRect rc;
    GetWindowRect(&rc);
    ScreenToClient(&rc);
    auto* pBox = new CButton;
    const CRect rcBox(rc.left, rc.bottom - nMargin + 10, rc.right, rc.bottom + nMargin);
    if (!pBox->Create(L"Current Parameter Value", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, rcBox, this, IDC_VALUE_BOX)) {
        delete pBox;
        return;
    }
    pBox->SetFont(GetFont());
    m_pValueBox = pBox;
    m_rcValueText = CRect(rc.left + nMargin / 2, rcBox.top + nMargin - 5, rc.right - 2 * nMargin, rcBox.bottom - 7);
    CClientDC dc(this);
    CFont* pOld = dc.SelectObject(GetFont());
    TEXTMETRIC tm{};
    dc.GetTextMetrics(&tm);
    dc.SelectObject(pOld);
    m_nCharWidth = tm.tmAveCharWidth;
    m_nAscent = tm.tmHeight - tm.tmDescent;
}

void CBlockPage::ShowCurrentValue(const CString& text)
{
    if (m_pValueBox == nullptr || GetSafeHwnd() == nullptr)
        return;
    m_strShownValue = text;
    CClientDC dc(this);
    CFont* pOld = dc.SelectObject(GetFont());
    const int x = m_rcValueText.left + m_nCharWidth;
    const int y = m_rcValueText.top + (m_rcValueText.bottom - m_nAscent - m_rcValueText.top) / 2;
    dc.SetBkColor(dc.GetPixel(x - 3, y));
    dc.ExtTextOut(x, y, ETO_OPAQUE, &m_rcValueText, text, nullptr);
    dc.SelectObject(pOld);
}

void CBlockPage::LimitNumberEdit(UINT nEdit, UINT nSpin, int nMin, int nMax, int nChars)
{
    SendDlgItemMessage(int(nSpin), UDM_SETRANGE32, WPARAM(nMin), LPARAM(nMax));
    SendDlgItemMessage(int(nEdit), EM_LIMITTEXT, WPARAM(nChars), 0);
}

void CBlockPage::HideRetentivity(UINT nRetentivity, UINT nProtection)
{
    CWnd* pRet = GetDlgItem(int(nRetentivity));
    CWnd* pProt = GetDlgItem(int(nProtection));
    if (pRet && pProt) {
        CRect rc;
        pRet->GetWindowRect(&rc);
        ScreenToClient(&rc);
        pRet->ShowWindow(SW_HIDE);
        pProt->MoveWindow(&rc);
    }
}

void ChainTabOrder(CWnd*& pAfter, std::initializer_list<CWnd*> controls)
{
    for (CWnd* p : controls)
        if (pAfter && p && p->GetSafeHwnd()) {
            p->SetWindowPos(pAfter, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            pAfter = p;
        }
}
