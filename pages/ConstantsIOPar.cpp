// CConstantsIOPar: only numbers no other block of the type holds are offered, so a document
// never gets two blocks on one terminal.
#include "pages/ConstantsIOPar.h"

#include "document/TavixDoc.h"
#include "elements/BlockIO.h"
#include "pages/IoFields.h"
#include "pages/ParamRecords.h"
#include "resources/resource.h"
#include "shell/MainFrame.h"

#include "platform/ui/core/MessageMap.h"
#include "platform/ui/framework/App.h"
#include "platform/ui/dialogs/Ddx.h"

#include <cwchar>

BEGIN_MESSAGE_MAP(CConstantsIOPar, CBlockPage)
ON_CONTROL(CBN_SELCHANGE, 1002, OnModuleChanged)
ON_CONTROL(CBN_SELCHANGE, 1001, OnNumberChanged)
ON_CONTROL(BN_CLICKED, 1215, OnParamChanged)
ON_CONTROL(BN_CLICKED, 1233, OnAnalogOutputSettings)
ON_CONTROL(BN_CLICKED, 1234, OnAnalogOutputSettings)
END_MESSAGE_MAP()

CConstantsIOPar::CConstantsIOPar() : CBlockPage(IDD_CONSTANTS_IO_PAR) {}

void CConstantsIOPar::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_CBString(pDX, 1002, m_strModule);
    DDX_CBString(pDX, 1001, m_strIONumber);
    DDX_Check(pDX, 1215, m_bHighSpeed);
}

std::vector<int> CConstantsIOPar::Occupancy() const
{
    const IoRange* r = FindIoRange(m_nBlockType);
    std::vector<int> slots(r ? size_t(r->nCount) : 0, 0);
    if (const CTavixDoc* pDoc = GetDocument())
        for (POSITION pos = pDoc->m_blocks.GetHeadPosition(); pos;) {
            const auto* pBlock = static_cast<const CBlockObj*>(pDoc->m_blocks.GetNext(pos));
            const int i = pBlock->m_nOperand;
            if (pBlock->m_nType == m_nBlockType && i >= 0 && i < int(slots.size()))
                slots[size_t(i)] = i == m_nIOIndex ? 2 : 1;
        }
    return slots;
}

void CConstantsIOPar::FillNumbers(int nModule, const std::vector<int>& slots)
{
    const IoRange* r = FindIoRange(m_nBlockType);
    if (r == nullptr)
        return;
    const CTavixDoc* pDoc = GetDocument();
    const BOOL bNew = pDoc && pDoc->IsNewModel();
    SendDlgItemMessage(1001, CB_RESETCONTENT, 0, 0);
    for (int n = 0; n < r->nPerModule; ++n) {
        const int i = nModule * r->nPerModule + n;
        if (slots[size_t(i)] == 1 || (!bNew && n >= r->nOldCount))
            continue;
        const CString text = IoIndexText(*r, i);
        SendDlgItemMessage(1001, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.GetString()));
    }
}

void CConstantsIOPar::InitPage()
{
    const IoRange* r = FindIoRange(m_nBlockType);
    if (CWnd* p = GetDlgItem(1215))
        p->ShowWindow(m_nBlockType == 600 ? SW_SHOW : SW_HIDE);
    CString label;
    label.LoadString(m_nBlockType == 600 || m_nBlockType == 608 ? IDS_IO_INPUT_NUMBER : IDS_IO_OUTPUT_NUMBER);
    SetDlgItemText(1003, label);
    SendDlgItemMessage(1002, CB_RESETCONTENT, 0, 0);
    SendDlgItemMessage(1001, CB_RESETCONTENT, 0, 0);
    const CTavixDoc* pDoc = GetDocument();
    for (UINT id : {1233u, 1234u})
        if (CWnd* p = GetDlgItem(int(id)))
            p->ShowWindow(pDoc && m_nBlockType == 609 && pDoc->IsNewModel() ? SW_SHOW : SW_HIDE);
    if (pDoc == nullptr || r == nullptr)
        return;
    const std::vector<int> slots = Occupancy();
    int shown = 0;
    for (size_t i = 0; i < slots.size(); ++i)
        if (slots[i] == 2)
            shown = int(i) / r->nPerModule;
    for (int k = 0; k < 8; ++k)
        for (int n = 0; n < r->nPerModule; ++n)
            if (slots[size_t(k * r->nPerModule + n)] != 1) {
                SendDlgItemMessage(1002, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(g_astrIOModuleNames[k]));
                break;
            }
    m_strModule = g_astrIOModuleNames[shown];
    SendDlgItemMessage(1002, CB_SELECTSTRING, WPARAM(-1), reinterpret_cast<LPARAM>(m_strModule.GetString()));
    FillNumbers(shown, slots);
    const CString own = IoIndexText(*r, m_nIOIndex);
    const int pos = int(SendDlgItemMessage(1001, CB_FINDSTRINGEXACT, WPARAM(-1), reinterpret_cast<LPARAM>(own.GetString())));
    SendDlgItemMessage(1001, CB_SETCURSEL, WPARAM(pos), 0);
    UpdateHighSpeedCheck();
}

void CConstantsIOPar::UpdateHighSpeedCheck()
{
    if (m_nBlockType != 600)
        return;
    CString module, number;
    GetDlgItemText(1002, module);
    GetDlgItemText(1001, number);
    const BOOL bShow = module.CompareNoCase(g_astrIOModuleNames[0]) == 0 && number.GetLength() > 1 &&
                       std::wcstol(number.GetString() + 1, nullptr, 10) <= 3;
    if (CWnd* p = GetDlgItem(1215))
        p->ShowWindow(bShow ? SW_SHOW : SW_HIDE);
}

void CConstantsIOPar::OnModuleChanged()
{
    const IoRange* r = FindIoRange(m_nBlockType);
    if (r == nullptr || GetDocument() == nullptr)
        return;
    CString kept;
    GetDlgItemText(1001, kept);
    FillNumbers(ShownModule(), Occupancy());
    int pos = int(SendDlgItemMessage(1001, CB_FINDSTRINGEXACT, WPARAM(-1), reinterpret_cast<LPARAM>(kept.GetString())));
    SendDlgItemMessage(1001, CB_SETCURSEL, WPARAM(pos < 0 ? 0 : pos), 0);
    UpdateHighSpeedCheck();
    SetModified(TRUE);
}

void CConstantsIOPar::OnNumberChanged()
{
    UpdateHighSpeedCheck();
    SetModified(TRUE);
}

void CConstantsIOPar::OnAnalogOutputSettings()
{
    if (auto* pFrame = dynamic_cast<CMainFrame*>(AfxGetMainWnd())) {
        pFrame->m_nPropertiesStartPage = 2;
        pFrame->SendMessage(WM_COMMAND, ID_FILE_PROPERTIES);
    }
}

int CConstantsIOPar::ShownModule() const
{
    CString module;
    GetDlgItemText(1002, module);
    int m = 0;
    for (int k = 0; k < 8; ++k)
        if (module == g_astrIOModuleNames[k])
            m = k;
    return m;
}

int CConstantsIOPar::ShownIndex() const
{
    const IoRange* r = FindIoRange(m_nBlockType);
    if (r == nullptr || GetSafeHwnd() == nullptr)
        return -1;
    CString number;
    GetDlgItemText(1001, number);
    return IoIndexOfText(*r, number, ShownModule());
}

void CConstantsIOPar::ComputeIONumber()
{
    if (const int index = ShownIndex(); index >= 0)
        m_nIOIndex = index;
}

void CConstantsIOPar::OnOK()
{
    ComputeIONumber();
    // Only I0..I3 of the main module count fast pulses.
    if (m_nBlockType == 600 && m_nIOIndex > 3) {
        m_bHighSpeed = 0;
        CheckDlgButton(1215, BST_UNCHECKED);
    }
    CBlockPage::OnOK();
}

void CConstantsIOPar::AddPagesAfterComment(CPropertySheet& sheet)
{
    if (HasSimulationPage(m_nBlockType)) {
        m_pagSimulation.SetView(GetView());
        sheet.AddPage(&m_pagSimulation);
    }
}

void CConstantsIOPar::FillFromBlock(const CBlockObj& block, const CTavixDoc&, bool)
{
    const IoRange* r = FindIoRange(block.m_nType);
    m_nIOIndex = block.m_nOperand;
    if (r && r->nPerModule && m_nIOIndex >= 0 && m_nIOIndex < r->nCount)
        m_strModule = g_astrIOModuleNames[m_nIOIndex / r->nPerModule];
    m_strIONumber.Format(L"%d", m_nIOIndex);
    if (const auto* pIn = dynamic_cast<const CBlockIn*>(&block))
        m_bHighSpeed = pIn->m_bHighSpeed ? 1 : 0;
    if (HasSimulationPage(block.m_nType))
        LoadSimulation(m_pagSimulation, block);
}


void CConstantsIOPar::FillIORecord(CIOParamRecord& record) const
{
    // The index the lists show now; only I0..I3 of the main module count fast pulses.
    const int shown = ShownIndex();
    const int index = shown >= 0 ? shown : m_nIOIndex;
    record.strLabel = m_strIONumber;
    record.strModule = m_strModule;
    record.bHighSpeed = m_nBlockType == 600 && index <= 3 ? m_bHighSpeed : 0;
    record.nOperand = index;
    if (HasSimulationPage(m_nBlockType)) {
        record.bAutoRange = m_pagSimulation.m_bAutoRange;
        record.nValue = m_pagSimulation.m_nCurrent;
        record.nMin = m_pagSimulation.m_nMin;
        record.nMax = m_pagSimulation.m_nMax;
        record.nBehaviour = m_pagSimulation.m_nBehaviour;
    }
}

void CConstantsIOPar::SettleBeforeRecord()
{
    if (HasSimulationPage(m_nBlockType))
        m_pagSimulation.SettleRange();
}
