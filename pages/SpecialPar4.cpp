// CSpecialPar4: the template with TL; the rest is the stairway lighting page's.
#include "pages/SpecialPar4.h"

#include "resources/resource.h"

CSpecialPar4::CSpecialPar4() : CSpecialPar3(IDD_SPECIAL_PAR4, TRUE) {}
