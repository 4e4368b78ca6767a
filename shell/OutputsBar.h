// COutputsBar: the Outputs bar of a simulated diagram: a lamp per output Q and a read-only
// number per analog output AQ, updated by the blocks while they are evaluated. In a ladder
// diagram the controls stand for the operands of its coils and ladder analog outputs.
#pragma once

#include "shell/SimIOBar.h"

class COutputsBar : public CSimIOBar
{
    DECLARE_DYNAMIC(COutputsBar)
public:
    enum { kWideWidth = 86 };
    COutputsBar();

protected:
    BOOL CollectBlocks() override;
    void AddBlockControls(CBlockObj* pBlock, const CRect& column) override;
    void ShowBlockState(CBlockObj* pBlock) override;
    // The lamps are never disabled by the idle update.
    void OnUpdateAlways(CCmdUI*) {}
    void OnCollapse() {}
    DECLARE_MESSAGE_MAP()

private:
    static bool IsOutput(const CBlockObj* pBlock);
    static bool IsAnalogOutput(const CBlockObj* pBlock);
    // The number a listed element stands for: its own number, or a ladder element's operand.
    static int NumberOf(const CBlockObj* pBlock);
};
