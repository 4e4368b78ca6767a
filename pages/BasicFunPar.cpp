#include "pages/BasicFunPar.h"

#include "resources/resource.h"

CBasicFunPar::CBasicFunPar() : CBlockPage(IDD_BASIC_FUN_PAR) {}
