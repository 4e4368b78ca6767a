// CMultiFunctionSwitchPage: the template with TL; the rest is the stairway lighting page's.
#include "pages/MultiFunctionSwitchPage.h"

#include "resources/resource.h"

CMultiFunctionSwitchPage::CMultiFunctionSwitchPage() : CStairwaySwitchPage(IDD_SPECIAL_PAR4, TRUE) {}
