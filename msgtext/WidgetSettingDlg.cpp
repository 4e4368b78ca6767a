#include "msgtext/WidgetSettingDlg.h"

#include "document/TavixDoc.h"
#include "elements/BlockObj.h"
#include "msgtext/MsgTextLists.h"
#include "msgtext/Widget.h"
#include "msgtext/WidgetChoice.h"
#include "platform/ui/controls/CtlCommCtrl.h"
#include "platform/ui/core/MessageMap.h"
#include "platform/ui/dialogs/Ddx.h"
#include "resources/resource.h"

namespace {

constexpr int kIdBlock = 1331;
constexpr int kIdValue = 1396;
constexpr int kIdMin = 1133;
constexpr int kIdMinSpin = 1134;
constexpr int kIdMax = 1135;
constexpr int kIdMaxSpin = 1136;
constexpr int kIdWidth = 1137;
constexpr int kIdWidthSpin = 1138;
constexpr int kIdGroup = 1417;
constexpr int kIdWidthLabel = 1416;
constexpr int kIdTimeUnit = 1278;

// Scope sampling times, in 10 ms, of the document's scope time index.
constexpr int kScopeTimes[5] = {100, 200, 400, 800, 1000};

} // namespace

BEGIN_MESSAGE_MAP(CWidgetSettingDlg, CDialog)
    ON_CONTROL(CBN_SELCHANGE, kIdBlock, OnBlockSelChange)
    ON_CONTROL(EN_UPDATE, kIdMin, OnMinUpdate)
    ON_CONTROL(EN_UPDATE, kIdMax, OnMaxUpdate)
END_MESSAGE_MAP()

CWidgetSettingDlg::CWidgetSettingDlg(CTavixDoc* pDoc, CWnd* pParent) : CDialog(IDD_MT_GAUGE, pParent), m_pDoc(pDoc) {}

void CWidgetSettingDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, kIdBlock, m_cbBlock);
    DDX_Control(pDX, kIdValue, m_cbValue);
    DDX_Text(pDX, kIdMax, m_nMaxValue);
    DDV_MinMaxInt(pDX, m_nMaxValue, -32768, 32767);
    DDX_Text(pDX, kIdMin, m_nMinValue);
    DDV_MinMaxInt(pDX, m_nMinValue, -32768, 32767);
    DDX_Text(pDX, kIdWidth, m_nWidthOrTime);
    if (m_nType == widgetBar)
        DDV_MinMaxInt(pDX, m_nWidthOrTime, 2, 12);
    else if (m_nType == widgetScope)
        DDV_MinMaxInt(pDX, m_nWidthOrTime, 5, 50000);
    DDX_CBIndex(pDX, kIdValue, m_nValueIndex);
    if (pDX->m_bSaveAndValidate && m_nMinValue >= m_nMaxValue) {
        MessageBox(msgtext::Res(IDS_MT_MAX_ABOVE_MIN), nullptr, MB_OK | MB_ICONINFORMATION);
        pDX->PrepareEditCtrl(kIdMax);
        pDX->Fail();
    }
}

BOOL CWidgetSettingDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CWidgetChoice::FillChoice(m_pDoc, m_cbBlock, m_cbValue, m_pWidget, m_nValueIndex);

    for (int id : {kIdMinSpin, kIdMaxSpin})
        ::SendMessageW(::GetDlgItem(m_hWnd, id), UDM_SETRANGE32, WPARAM(-32768), LPARAM(32767));

    if (m_nType == widgetScope) {
        SetWindowText(msgtext::Res(IDS_MT_SCOPE_CAPTION));
        SetDlgItemText(kIdGroup, L"");
        SetDlgItemText(kIdWidthLabel, msgtext::Res(IDS_MT_TIME_LABEL));
        const int index = m_pDoc ? m_pDoc->m_nScanTime : 0;
        SetDlgItemInt(kIdWidth, UINT(kScopeTimes[index >= 0 && index < 5 ? index : 0]), TRUE);
        ::EnableWindow(::GetDlgItem(m_hWnd, kIdWidth), FALSE);
        ::ShowWindow(::GetDlgItem(m_hWnd, kIdTimeUnit), SW_SHOW);
        ::ShowWindow(::GetDlgItem(m_hWnd, kIdWidthSpin), SW_HIDE);
    } else if (m_nType == widgetPointer) {
        SetWindowText(msgtext::Res(IDS_MT_POINTER_CAPTION));
        for (int id : {kIdGroup, kIdWidthLabel, kIdWidth, kIdWidthSpin})
            ::ShowWindow(::GetDlgItem(m_hWnd, id), SW_HIDE);
    } else {
        ::SendMessageW(::GetDlgItem(m_hWnd, kIdWidthSpin), UDM_SETRANGE32, 2, 12);
        ::SendMessageW(::GetDlgItem(m_hWnd, kIdWidth), EM_LIMITTEXT, 2, 0);
    }
    return TRUE;
}

void CWidgetSettingDlg::OnBlockSelChange()
{
    CWidgetChoice::OnBlockChanged(m_pDoc, m_cbBlock, m_cbValue);
}

void CWidgetSettingDlg::OnMinUpdate()
{
    CWidgetChoice::ClampEdit(this, kIdMin);
}

void CWidgetSettingDlg::OnMaxUpdate()
{
    CWidgetChoice::ClampEdit(this, kIdMax);
}

void CWidgetSettingDlg::OnOK()
{
    int number = -1;
    CBlockObj* pBlock = nullptr;
    if (!CWidgetChoice::TakeChoice(this, m_pDoc, m_cbBlock, m_cbValue, &pBlock, &number))
        return;
    // Every check runs before the field changes, so that Cancel after a refusal leaves it whole.
    if (!UpdateData(TRUE))
        return;
    m_nBlockNumber = number;
    if (m_pWidget)
        CWidgetChoice::PointField(m_pWidget, pBlock, number, m_nValueIndex);
    EndDialog(IDOK);
}
