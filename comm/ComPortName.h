// The name a COM port number is opened by.
#pragma once

#include "platform/base/CString.h"

// "COM%d" below 10; "\\.\COM%d" (the device namespace form needed above COM9) from 10 on.
CString GetComPortName(int nPort);
