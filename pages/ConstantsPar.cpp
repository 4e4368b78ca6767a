// CConstantsPar: the number list of a straight-through range; the flag page notes the message
// character set flag M511.
#include "pages/ConstantsPar.h"

#include "document/TavixDoc.h"
#include "elements/BlockObj.h"
#include "pages/IoFields.h"
#include "pages/ParamRecords.h"
#include "resources/resource.h"

#include "platform/ui/core/MessageMap.h"
#include "platform/ui/dialogs/Ddx.h"

BEGIN_MESSAGE_MAP(CConstantsPar, CBlockPage)
ON_CONTROL(CBN_SELCHANGE, 1001, OnNumberChanged)
ON_CONTROL(CBN_EDITCHANGE, 1001, OnNumberChanged)
END_MESSAGE_MAP()

CConstantsPar::CConstantsPar() : CBlockPage(IDD_CONSTANTS_PAR) {}

CConstantsPar::~CConstantsPar()
{
    if (m_pNoteStatic) {
        if (m_pNoteStatic->GetSafeHwnd())
            m_pNoteStatic->DestroyWindow();
        delete m_pNoteStatic;
    }
}

void CConstantsPar::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_CBString(pDX, 1001, m_strIONumber);
    DDV_MaxChars(pDX, m_strIONumber, 5);
}

void CConstantsPar::InitPage()
{
    const IoRange* r = FindIoRange(m_nBlockType);
    UINT label = 0;
    if (m_nBlockType == 602 || m_nBlockType == 611)
        label = IDS_IO_INPUT_NUMBER;
    else if (m_nBlockType == 606)
        label = IDS_IO_OUTPUT_NUMBER;
    else if (m_nBlockType == 607 || m_nBlockType == 610)
        label = IDS_IO_FLAG_NUMBER;
    CString text;
    if (label)
        text.LoadString(label);
    SetDlgItemText(1003, text);
    SendDlgItemMessage(1001, CB_RESETCONTENT, 0, 0);
    const CTavixDoc* pDoc = GetDocument();
    if (r && pDoc) {
        const int count = m_nBlockType == 602 && !pDoc->IsNewModel() ? r->nOldCount : r->nCount;
        std::vector<int> slots(size_t(r->nCount), 0);
        for (POSITION pos = pDoc->m_blocks.GetHeadPosition(); pos;) {
            const auto* pBlock = static_cast<const CBlockObj*>(pDoc->m_blocks.GetNext(pos));
            const int i = pBlock->m_nOperand;
            if (pBlock->m_nType == m_nBlockType && i >= 0 && i < r->nCount)
                slots[size_t(i)] = i == m_nIOIndex ? 2 : 1;
        }
        for (int i = 0; i < count; ++i)
            if (slots[size_t(i)] != 1) {
                const CString entry = IoIndexText(*r, i);
                SendDlgItemMessage(1001, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.GetString()));
            }
        const CString own = IoIndexText(*r, m_nIOIndex);
        SendDlgItemMessage(1001, CB_SETCURSEL,
                           WPARAM(SendDlgItemMessage(1001, CB_FINDSTRINGEXACT, WPARAM(-1), reinterpret_cast<LPARAM>(own.GetString()))), 0);
    }
    ShowFlagNote();
}

void CConstantsPar::ShowFlagNote()
{
    if (m_nBlockType != 607)
        return;
    if (m_pNoteStatic == nullptr) {
        CRect rcLabel, rcPage;
        if (CWnd* p = GetDlgItem(1003)) {
            p->GetWindowRect(&rcLabel);
            ScreenToClient(&rcLabel);
        }
        GetClientRect(&rcPage);
        const int top = rcPage.Height() * 3 / 5;
        m_pNoteStatic = new CStatic;
        m_pNoteStatic->Create(L"", WS_CHILD | WS_VISIBLE, CRect(rcLabel.left, top, rcPage.right, top + 30), this);
        m_pNoteStatic->SetFont(GetFont());
    }
    CString note;
    note.LoadString(IDS_IO_FLAG_NOTE);
    m_pNoteStatic->SetWindowText(note);
}

void CConstantsPar::OnNumberChanged()
{
    SetModified(TRUE);
    ShowFlagNote();
}

void CConstantsPar::AddPagesAfterComment(CPropertySheet& sheet)
{
    if (HasSimulationPage(m_nBlockType)) {
        m_pagSimulation.SetView(GetView());
        sheet.AddPage(&m_pagSimulation);
    }
}

void CConstantsPar::FillFromBlock(const CBlockObj& block, const CTavixDoc&, bool)
{
    m_nIOIndex = block.m_nOperand;
    m_strIONumber.Format(L"%d", m_nIOIndex);
    if (HasSimulationPage(block.m_nType))
        LoadSimulation(m_pagSimulation, block);
}


void CConstantsPar::FillIORecord(CIOParamRecord& record) const
{
    record.strLabel = m_strIONumber;
    if (const IoRange* r = FindIoRange(m_nBlockType)) {
        const int index = IoIndexOfText(*r, m_strIONumber, 0);
        record.nOperand = index >= 0 ? index : m_nIOIndex;
    }
    if (HasSimulationPage(m_nBlockType)) {
        record.bAutoRange = m_pagSimulation.m_bAutoRange;
        record.nValue = m_pagSimulation.m_nCurrent;
        record.nMin = m_pagSimulation.m_nMin;
        record.nMax = m_pagSimulation.m_nMax;
        record.nBehaviour = m_pagSimulation.m_nBehaviour;
    }
}

void CConstantsPar::SettleBeforeRecord()
{
    if (HasSimulationPage(m_nBlockType))
        m_pagSimulation.SettleRange();
}
