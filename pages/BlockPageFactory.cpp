// The parameter page of each block type; a type without a page here gets a sheet with the
// comment page alone (603, 604) or no sheet at all (the view decides).
#include "pages/AMathMux.h"
#include "pages/ARRMXIV.h"
#include "pages/ARamp.h"
#include "pages/AVGVAL.h"
#include "pages/AllPropertySheet.h"
#include "pages/AnalogComparator.h"
#include "pages/BasicFunPar.h"
#include "pages/Boolean.h"
#include "pages/Mask.h"
#include "pages/MathErr.h"
#include "pages/Mem.h"
#include "pages/MaxMin.h"
#include "pages/PI.h"
#include "pages/PWM.h"
#include "pages/QUAD.h"
#include "msgtext/MessageTexts.h"
#include "pages/SecondSetPages.h"

CBlockPage* CreateBlockPage(int nType, BOOL bNewModel)
{
    if (CBlockPage* pPage = CreateSecondSetPage(nType))
        return pPage;
    if (nType >= 300 && nType <= 307)
        return new CBasicFunPar;
    if (nType == 830)
        return new CBoolean;
    if (nType == 810)  // the machine type of the program being edited decides the layout
        return bNewModel ? static_cast<CBlockPage*>(new CMessageTexts_New) : new CMessageTexts;
    if (nType >= 803 && nType <= 807)
        return new CAnalogComparator;
    if (nType == 817)
        return new CARAMP;
    if (nType == 815 || nType == 816)
        return new CAMathMux;
    if (nType == 822)
        return new CAVGVAL;
    if (nType == 823)
        return new CMathErr;
    if (nType == 879)
        return new CQUAD;
    if (nType == 818)
        return new CPI;
    if (nType == 819)
        return new CPWM;
    if (nType == 844 || nType == 845 || (nType >= 849 && nType <= 852) || nType == 856)
        return new CARRMXIV;
    if (nType == 847)
        return new CMEM;
    if (nType >= 838 && nType <= 843)
        return new CMask;
    if (nType == 821 || (nType >= 834 && nType <= 837) || nType == 846 || nType == 854 || nType == 862 || nType == 863)
        return new CMaxMin;
    return nullptr;
}

BOOL HasCurrentValueBox(int nType)
{
    auto in = [nType](int lo, int hi) { return nType >= lo && nType <= hi; };
    if (in(300, 307) || in(600, 611) || nType == 808 || nType == 809 || nType == 810 || nType == 812 ||
        nType == 813 || nType == 814 || in(824, 827) || in(830, 833) || nType == 847 || in(849, 855) ||
        nType == 860 || nType == 861 || in(866, 868) || nType == 911)
        return FALSE;
    return TRUE;
}
