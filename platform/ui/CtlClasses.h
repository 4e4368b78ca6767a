// All control classes of the window layer: the standard controls, the common controls and
// image lists, with their window classes registered by AfxRegisterControlClasses.
#pragma once

#include "platform/ui/CtlBarClasses.h"
#include "platform/ui/CtlStdClasses.h"
#include "platform/ui/CtlImageList.h"
#include "platform/ui/CtlMiscClasses.h"
#include "platform/ui/CtlViewClasses.h"
