// CWeeklyGeneral: the cams are stored Sunday first in the block and shown Monday first.
#include "pages/WeeklyGeneral.h"

#include "document/TavixDoc.h"
#include "elements/BlockTime.h"
#include "resources/resource.h"

#include "platform/ui/core/MessageMap.h"
#include "platform/ui/dialogs/Ddx.h"

BEGIN_MESSAGE_MAP(CWeeklyGeneral, CBlockPage)
ON_CONTROL(BN_CLICKED, 1076, OnPulseOutputClicked)
END_MESSAGE_MAP()

CWeeklyGeneral::CWeeklyGeneral() : CBlockPage(IDD_WEEKLY_GENERAL) {}

void CWeeklyGeneral::DoDataExchange(CDataExchange* pDX)
{
    CBlockPage::DoDataExchange(pDX);
    DDX_Check(pDX, 1076, m_bPulseOutput);
}

void CWeeklyGeneral::InitPage()
{
    const CTavixDoc* pDoc = GetDocument();
    if (CWnd* p = GetDlgItem(1076))
        p->ShowWindow(pDoc && pDoc->IsNewModel() ? SW_SHOW : SW_HIDE);
}

void CWeeklyGeneral::OnPulseOutputClicked()
{
    if (!UpdateData(TRUE))
        return;
    g_nWeeklyPulseOutput = m_bPulseOutput;
    QuerySiblings(WPARAM(m_bPulseOutput), 0);
    SetModified(TRUE);
}

void CWeeklyGeneral::AddPagesBeforeComment(CPropertySheet& sheet)
{
    // The tabs read alike in English and carry the cam's number in Chinese: the string table
    // of the interface language says which.
    const UINT captions[] = {IDS_WEEKLY_CAM1, IDS_WEEKLY_CAM2, IDS_WEEKLY_CAM3};
    int i = 0;
    for (CWeeklyCams1& cam : m_cams) {
        cam.m_strCaption.LoadString(captions[i++]);
        cam.SetView(GetView());
        sheet.AddPage(&cam);
    }
}

void CWeeklyGeneral::FillFromBlock(const CBlockObj& block, const CTavixDoc&, bool)
{
    m_bProtection = block.m_bProtected;
    m_bPulseOutput = block.m_nPulse ? 1 : 0;
    g_nWeeklyPulseOutput = m_bPulseOutput;
    const auto* pTime = dynamic_cast<const CBlockTime*>(&block);
    if (pTime == nullptr)
        return;
    for (int c = 0; c < 3; ++c) {
        CWeeklyCams1& cam = m_cams[c];
        cam.m_nBlockNumber = block.m_nNumber;
        for (int d = 0; d < 6; ++d)
            cam.m_bDay[d] = pTime->m_bCamDays[c][d + 1];
        cam.m_bDay[6] = pTime->m_bCamDays[c][0];
        cam.m_nOnHour = pTime->m_nCamOn[c][0];
        cam.m_nOnMinute = pTime->m_nCamOn[c][1];
        cam.m_bOnDisabled = pTime->m_bCamOnOff[c];
        cam.m_nOffHour = pTime->m_nCamOff[c][0];
        cam.m_nOffMinute = pTime->m_nCamOff[c][1];
        cam.m_bOffDisabled = pTime->m_bCamOffOff[c];
    }
}


void CWeeklyGeneral::FillWeeklyRecord(CWeeklyParamRecord& record) const
{
    record.bPulseOutput = m_bPulseOutput;
    for (int c = 0; c < 3; ++c) {
        const CWeeklyCams1& cam = m_cams[c];
        for (int d = 0; d < 6; ++d)
            record.bDays[c][d + 1] = cam.m_bDay[d];
        record.bDays[c][0] = cam.m_bDay[6];
        record.nOn[c][0] = cam.m_nOnHour, record.nOn[c][1] = cam.m_nOnMinute;
        record.bOnOff[c] = cam.m_bOnDisabled;
        record.nOff[c][0] = cam.m_nOffHour, record.nOff[c][1] = cam.m_nOffMinute;
        record.bOffOff[c] = cam.m_bOffDisabled;
    }
}
