#include "shell/OutputsBar.h"

#include "document/TavixDoc.h"
#include "elements/BlockIO.h"
#include "platform/ui/controls/CtlStd.h"
#include "platform/ui/core/MessageMap.h"
#include "resources/resource.h"

IMPLEMENT_DYNAMIC(COutputsBar, CSimIOBar)

BEGIN_MESSAGE_MAP(COutputsBar, CSimIOBar)
    ON_UPDATE_COMMAND_UI(IDC_SIM_OUTPUT, OnUpdateAlways)
    ON_UPDATE_COMMAND_UI(IDC_SIM_COLLAPSE, OnUpdateAlways)
    ON_CONTROL(BN_CLICKED, IDC_SIM_COLLAPSE, OnCollapse)
END_MESSAGE_MAP()

COutputsBar::COutputsBar() : CSimIOBar(IDD_OUTPUTS_BAR, kWideWidth) {}

BOOL COutputsBar::CollectBlocks()
{
    m_listBlocks.clear();
    CTavixDoc* pDoc = GetDocument();
    if (!pDoc)
        return FALSE;
    std::vector<std::pair<int, CBlockObj*>> outputs, analog;
    for (POSITION pos = pDoc->m_blocks.GetHeadPosition(); pos;) {
        auto* p = static_cast<CBlockObj*>(pDoc->m_blocks.GetNext(pos));
        if (dynamic_cast<CBlockOut*>(p) && p->m_nNumber >= 600 && p->m_nNumber <= 607)
            InsertOrdered(outputs, p->m_nNumber, p);
        else if (dynamic_cast<CBlockAnalogOut*>(p) && p->m_nNumber >= 4230 && p->m_nNumber <= 4233)
            InsertOrdered(analog, p->m_nNumber, p);
    }
    for (const auto* list : {&analog, &outputs})
        for (const auto& e : *list)
            m_listBlocks.push_back(e.second);
    return !m_listBlocks.empty();
}

void COutputsBar::AddBlockControls(CBlockObj* pBlock, const CRect& column)
{
    CString text;
    if (dynamic_cast<CBlockAnalogOut*>(pBlock)) {
        text.Format(L"AQ%d", pBlock->m_nNumber - NUM_ANALOG_OUT);
        AddLabelAndField(column, pBlock->m_nNumber, IDC_SIM_ANALOG_OUT, text, pBlock->m_nSimState, TRUE);
    } else {
        text.Format(L"Q%d", pBlock->m_nNumber - NUM_OUTPUT);
        AddButton(column, pBlock->m_nNumber, IDC_SIM_OUTPUT, text);
    }
}

void COutputsBar::UpdateFromBlock(CBlockObj* pBlock)
{
    m_pLastBlock = pBlock;
    ++m_nUpdates;
    if (!pBlock)
        return;
    Control* c = FindControlByNumber(pBlock->m_nNumber);
    if (!c)
        return;
    if (c->bButton) {
        if (SetButtonOn(*c, pBlock->m_nPinValue[kOutputPin] != 0))
            RedrawBar();
    } else if (dynamic_cast<CBlockAnalogOut*>(pBlock)) {
        SetFieldValue(*c, pBlock->m_nSimState);
    }
}
