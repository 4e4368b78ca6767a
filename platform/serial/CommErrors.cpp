// Messages that explain serial port errors to the user.
#include "platform/serial/Comm.h"

std::wstring GetCommErrorMessage(DWORD code)
{
    switch (code) {
    case ERROR_SUCCESS:
        return L"The operation completed successfully.";
    case ERROR_FILE_NOT_FOUND:
        return L"The serial port does not exist. Check that the cable or USB adapter is plugged "
               L"in and that the right port is chosen.";
    case ERROR_SHARING_VIOLATION:
        return L"The serial port is in use by another program. Close that program and try "
               L"again.";
    case ERROR_ACCESS_DENIED:
        return L"You are not allowed to use the serial port. Add your user to the \"dialout\" "
               L"group (sudo usermod -aG dialout $USER), then log out and in again.";
    case ERROR_DEVICE_NOT_CONNECTED:
        return L"The serial device was disconnected.";
    case ERROR_WRITE_FAULT:
        return L"Not all data could be sent to the serial port.";
    case ERROR_INVALID_PARAMETER:
        return L"The serial port does not support these settings.";
    case ERROR_INVALID_HANDLE:
        return L"The serial port is not open.";
    default:
        return L"The serial port reported error " + std::to_wstring(code) + L".";
    }
}
