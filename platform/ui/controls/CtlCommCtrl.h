// All common controls: includes the header of each one.
#pragma once

#include "platform/ui/controls/CommCtrlImageList.h"
#include "platform/ui/controls/CommCtrlProgress.h"
#include "platform/ui/controls/CommCtrlTrackbar.h"
#include "platform/ui/controls/CommCtrlUpDown.h"
#include "platform/ui/controls/CommCtrlTab.h"
#include "platform/ui/controls/CommCtrlToolTip.h"
#include "platform/ui/controls/CommCtrlHeader.h"
#include "platform/ui/controls/CommCtrlListView.h"
#include "platform/ui/controls/CommCtrlTreeView.h"
#include "platform/ui/controls/CommCtrlDateTime.h"
#include "platform/ui/controls/CommCtrlIpAddress.h"
