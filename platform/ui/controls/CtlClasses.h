// All control classes of the window layer: the standard controls, the common controls and
// image lists, with their window classes registered by AfxRegisterControlClasses.
#pragma once

#include "platform/ui/controls/CtlBarClasses.h"
#include "platform/ui/controls/CtlStdClasses.h"
#include "platform/ui/controls/CtlImageList.h"
#include "platform/ui/controls/CtlMiscClasses.h"
#include "platform/ui/controls/CtlViewClasses.h"
