// CSpecialPar4: the page of the multiple function switch 409: the stairway lighting page with
// the permanent-light time TL besides T.
#pragma once

#include "pages/SpecialPar3.h"

class CSpecialPar4 : public CSpecialPar3 {
public:
    CSpecialPar4();
};
