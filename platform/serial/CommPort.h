// The open-port record behind a COM port HANDLE (internal to the serial layer).
#pragma once

#include "platform/serial/Comm.h"

#include <string>
#include <termios.h>

namespace serial_detail {

struct CommPort {
    int fd = -1;
    std::string path;
    COMMTIMEOUTS timeouts{};
    DWORD eventMask = 0;
    DWORD baudRate = 9600;  // kept for time-out estimates of writes
};

// Registers a new open port and returns its handle.
HANDLE Register(CommPort* port);
// The port of a handle, or null (with ERROR_INVALID_HANDLE set) when it is not an open port.
CommPort* Lookup(HANDLE handle);
// Removes the handle; returns its port for the caller to delete, or null when unknown.
CommPort* Unregister(HANDLE handle);

// The line state of a DCB in terms of termios (a raw line) and back. ApplyDcb fails for values
// the line cannot take and then leaves `tio` unchanged.
bool ApplyDcb(const DCB& dcb, termios& tio);
void ReadDcb(const termios& tio, DCB& dcb);

// Sets the last error from an errno value of a read, write or control call on an open port.
void SetLastErrorFromErrno(int err);

} // namespace serial_detail
