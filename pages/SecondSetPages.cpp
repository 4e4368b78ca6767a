// Which page each block type of the second set gets.
#include "pages/SecondSetPages.h"

#include "pages/AstroClock.h"
#include "pages/ConstantsIOPar.h"
#include "pages/ConstantsPar.h"
#include "pages/DataLog.h"
#include "pages/HoursCounter.h"
#include "pages/MiscRelay.h"
#include "pages/ModbusPropPage.h"
#include "pages/OneTimeTimerPage.h"
#include "pages/TwoTimeTimerPage.h"
#include "pages/StairwaySwitchPage.h"
#include "pages/MultiFunctionSwitchPage.h"
#include "pages/StopWatch.h"
#include "pages/ThresholdTrigger.h"
#include "pages/Udc.h"
#include "pages/UpDownCounter.h"
#include "pages/Wifi.h"
#include "pages/WeeklyGeneral.h"
#include "pages/YearlyTimer.h"

CBlockPage* CreateSecondSetPage(int nType)
{
    switch (nType) {
    case 400: case 401: case 403: case 404: return new COneTimeTimerPage;
    case 402: case 405: case 406: case 407: return new CTwoTimeTimerPage;
    case 408: return new CStairwaySwitchPage;
    case 409: return new CMultiFunctionSwitchPage;
    case 410: return new CWeeklyGeneral;
    case 411: return new CYearlyTimer;
    case 412: return new CAstroClock;
    case 413: case 820: case 864: case 865: case 869: case 870: case 871: case 872: case 873: case 874: case 875:
    case 876: case 877: case 878: return new CStopWatch;
    case 800: case 848: return new CUpDownCounter;
    case 801: return new CHoursCounter;
    case 802: return new CThresholdTrigger;
    case 600: case 605: case 608: case 609: return new CConstantsIOPar;
    case 601: case 602: case 606: case 607: case 610: case 611: return new CConstantsPar;
    case 808: case 809: case 812: case 831: case 832: case 833: case 853: case 860: case 861: case 866: case 867:
    case 868: return new CMiscRelay;
    case 824: case 825: case 826: case 827: return new CWIFI;
    case 855: return new CUDC;
    case 813: case 814: return new CModbusPropPage;
    case 911: return new CDataLog;
    default: return nullptr;
    }
}
