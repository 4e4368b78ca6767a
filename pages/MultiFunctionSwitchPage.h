// CMultiFunctionSwitchPage: the page of the multiple function switch 409: the stairway lighting page with
// the permanent-light time TL besides T.
#pragma once

#include "pages/StairwaySwitchPage.h"

class CMultiFunctionSwitchPage : public CStairwaySwitchPage {
public:
    CMultiFunctionSwitchPage();
};
