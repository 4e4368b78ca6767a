// The device dialogs.
#pragma once

#include "comm/ComConfigDlg.h"
#include "comm/HColorDialog.h"
#include "comm/IOStatus.h"
#include "comm/PasswordDlg.h"
#include "comm/RemoteWifiSetupDlg.h"
#include "comm/SetClockDlg.h"
#include "comm/SummerTimeDlg.h"
#include "comm/TransferProgressDlg.h"
#include "comm/WifiSetupDlg.h"
