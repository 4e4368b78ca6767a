// CPowerBusObj: the vertical rail at the left of every ladder diagram (type 951, number -1).
// Contacts wired to it read a permanent 1 while the program is simulated.
#pragma once

#include "elements/BlockIO.h"

class CPowerBusObj : public CBlockHigh
{
    DECLARE_SERIAL(CPowerBusObj)

public:
    enum { kLeft = 24, kTop = 20, kRailWidth = 4 };

    // At (24, 20), no inputs or outputs, output value 1. The view sets the width (4) and the
    // height field (the y of the rail's lower end) before every painting.
    CPowerBusObj();

    // The rail: 4 wide in the colour, from the origin down to the height field.
    void Draw(CTavixView* pView, CDC* pDC, int nFlag, COLORREF colour) override;
};
