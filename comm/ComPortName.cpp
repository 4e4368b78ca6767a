#include "comm/ComPortName.h"

CString GetComPortName(int nPort)
{
    CString name;
    name.Format(nPort < 10 ? L"COM%d" : L"\\\\.\\COM%d", nPort);
    return name;
}
