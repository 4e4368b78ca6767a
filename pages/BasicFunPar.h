// CBasicFunPar: the page of the eight basic logic gates, whose only parameter is the name.
#pragma once

#include "pages/BlockPage.h"

class CBasicFunPar : public CBlockPage {
public:
    CBasicFunPar();

protected:
    BOOL HasValueBox() const override { return FALSE; }
};
