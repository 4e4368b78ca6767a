#include "shell/OutputsBar.h"

#include "document/TavixDoc.h"
#include "elements/BlockIO.h"
#include "elements/BlockLadder.h"
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
    auto listed = [](const std::vector<std::pair<int, CBlockObj*>>& list, int key) {
        for (const auto& e : list)
            if (e.first == key)
                return true;
        return false;
    };
    for (POSITION pos = pDoc->m_blocks.GetHeadPosition(); pos;) {
        auto* p = static_cast<CBlockObj*>(pDoc->m_blocks.GetNext(pos));
        // A ladder program's outputs are the operands of its coils, one lamp or value each.
        const int n = NumberOf(p);
        if (IsOutput(p) && n >= 600 && n <= 607 && !listed(outputs, n))
            InsertOrdered(outputs, n, p);
        else if (IsAnalogOutput(p) && n >= 4230 && n <= 4233 && !listed(analog, n))
            InsertOrdered(analog, n, p);
    }
    for (const auto* list : {&analog, &outputs})
        for (const auto& e : *list)
            m_listBlocks.push_back(e.second);
    return !m_listBlocks.empty();
}

void COutputsBar::AddBlockControls(CBlockObj* pBlock, const CRect& column)
{
    CString text;
    const int n = NumberOf(pBlock);
    if (IsAnalogOutput(pBlock)) {
        text.Format(L"AQ%d", n - NUM_ANALOG_OUT);
        AddLabelAndField(column, n, IDC_SIM_ANALOG_OUT, text, pBlock->m_nSimState, TRUE);
    } else {
        text.Format(L"Q%d", n - NUM_OUTPUT);
        AddButton(column, n, IDC_SIM_OUTPUT, text);
    }
}

void COutputsBar::ShowBlockState(CBlockObj* pBlock)
{
    Control* c = FindControlByNumber(NumberOf(pBlock));
    if (!c)
        return;
    if (c->bButton && IsOutput(pBlock)) {
        if (SetButtonOn(*c, pBlock->m_nPinValue[kOutputPin] != 0))
            RedrawBar();
    } else if (!c->bButton && IsAnalogOutput(pBlock)) {
        SetFieldValue(*c, pBlock->m_nSimState);
    }
}

bool COutputsBar::IsOutput(const CBlockObj* pBlock)
{
    return dynamic_cast<const CBlockOut*>(pBlock) || dynamic_cast<const CBlockRelayCoil*>(pBlock);
}

bool COutputsBar::IsAnalogOutput(const CBlockObj* pBlock)
{
    return dynamic_cast<const CBlockAnalogOut*>(pBlock) || dynamic_cast<const CBlockAOutLAD*>(pBlock);
}

int COutputsBar::NumberOf(const CBlockObj* pBlock)
{
    const bool ladder = dynamic_cast<const CBlockRelayCoil*>(pBlock) || dynamic_cast<const CBlockAOutLAD*>(pBlock);
    return ladder ? pBlock->m_nOperand : pBlock->m_nNumber;
}
