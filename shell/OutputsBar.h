// COutputsBar: the Outputs bar of a simulated diagram: a lamp per output Q and a read-only
// number per analog output AQ, updated by the blocks while they are evaluated.
#pragma once

#include "shell/SimIOBar.h"

class COutputsBar : public CSimIOBar
{
    DECLARE_DYNAMIC(COutputsBar)
public:
    enum { kWideWidth = 86 };
    COutputsBar();

    void UpdateFromBlock(CBlockObj* pBlock) override;

protected:
    BOOL CollectBlocks() override;
    void AddBlockControls(CBlockObj* pBlock, const CRect& column) override;
    // The lamps are never disabled by the idle update.
    void OnUpdateAlways(CCmdUI*) {}
    void OnCollapse() {}
    DECLARE_MESSAGE_MAP()
};
