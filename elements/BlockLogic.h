// The basic logic functions of a function block diagram: AND, AND(Edge), NAND, NAND(Edge), OR,
// NOR, XOR and NOT (types 300-307), served by one class.
#pragma once

#include "elements/BlockObj.h"

class CBlockLogic : public CBlockObj
{
    DECLARE_SERIAL(CBlockLogic)
public:
    CBlockLogic();
    explicit CBlockLogic(int nType);
    void Serialize(CArchive& ar) override;
    BOOL Simulate(CTavixView* pView) override;

    // Stored with the gate and written back as read; new gates store 1.
    int m_nLogicExtra = 1;
};
