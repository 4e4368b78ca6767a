// Line settings, time-outs, queues and modem lines of COM ports.
#include "platform/serial/CommPort.h"

#include <cerrno>
#include <sys/ioctl.h>
#include <termios.h>

using serial_detail::CommPort;

namespace {

struct SpeedEntry { DWORD baud; speed_t speed; };

const SpeedEntry kSpeeds[] = {
    {50, B50},       {75, B75},         {110, B110},       {134, B134},       {150, B150},
    {200, B200},     {300, B300},       {600, B600},       {1200, B1200},     {1800, B1800},
    {2400, B2400},   {4800, B4800},     {9600, B9600},     {19200, B19200},   {38400, B38400},
    {57600, B57600}, {115200, B115200}, {230400, B230400}, {460800, B460800}, {500000, B500000},
    {576000, B576000}, {921600, B921600}, {1000000, B1000000}, {1152000, B1152000},
    {1500000, B1500000}, {2000000, B2000000},
};

bool SpeedOf(DWORD baud, speed_t* speed)
{
    for (const SpeedEntry& e : kSpeeds)
        if (e.baud == baud) {
            *speed = e.speed;
            return true;
        }
    return false;
}

DWORD BaudOf(speed_t speed)
{
    for (const SpeedEntry& e : kSpeeds)
        if (e.speed == speed)
            return e.baud;
    return 0;
}

// Sets or clears modem lines. A pseudo-terminal has no modem lines; that is not an error.
BOOL SetModemLines(int fd, int bits, bool on)
{
    if (ioctl(fd, on ? TIOCMBIS : TIOCMBIC, &bits) == 0 || errno == ENOTTY || errno == EINVAL)
        return TRUE;
    serial_detail::SetLastErrorFromErrno(errno);
    return FALSE;
}

} // namespace

BOOL SetupComm(HANDLE handle, DWORD, DWORD)
{
    // The kernel's queues have fixed sizes of at least 4096 bytes.
    return serial_detail::Lookup(handle) ? TRUE : FALSE;
}

namespace serial_detail {

void ReadDcb(const termios& tio, DCB& dcb)
{
    dcb = DCB{};
    dcb.DCBlength = sizeof(DCB);
    dcb.BaudRate = BaudOf(cfgetospeed(&tio));
    dcb.fBinary = 1;
    dcb.fParity = (tio.c_iflag & INPCK) ? 1 : 0;
    const bool hardware = (tio.c_cflag & CRTSCTS) != 0;
    dcb.fOutxCtsFlow = hardware ? 1 : 0;
    dcb.fRtsControl = hardware ? RTS_CONTROL_HANDSHAKE : RTS_CONTROL_ENABLE;
    dcb.fDtrControl = DTR_CONTROL_ENABLE;
    dcb.fOutX = (tio.c_iflag & IXON) ? 1 : 0;
    dcb.fInX = (tio.c_iflag & IXOFF) ? 1 : 0;
    dcb.fTXContinueOnXoff = 1;
    switch (tio.c_cflag & CSIZE) {
    case CS5: dcb.ByteSize = 5; break;
    case CS6: dcb.ByteSize = 6; break;
    case CS7: dcb.ByteSize = 7; break;
    default: dcb.ByteSize = 8; break;
    }
    if (!(tio.c_cflag & PARENB))
        dcb.Parity = NOPARITY;
    else if (tio.c_cflag & CMSPAR)
        dcb.Parity = (tio.c_cflag & PARODD) ? MARKPARITY : SPACEPARITY;
    else
        dcb.Parity = (tio.c_cflag & PARODD) ? ODDPARITY : EVENPARITY;
    dcb.StopBits = (tio.c_cflag & CSTOPB) ? TWOSTOPBITS : ONESTOPBIT;
    dcb.XonChar = char(tio.c_cc[VSTART]);
    dcb.XoffChar = char(tio.c_cc[VSTOP]);
    dcb.XonLim = 2048;
    dcb.XoffLim = 512;
}

bool ApplyDcb(const DCB& dcb, termios& out)
{
    speed_t speed = B0;
    if (!SpeedOf(dcb.BaudRate, &speed) || dcb.ByteSize < 5 || dcb.ByteSize > 8
        || dcb.Parity > SPACEPARITY || dcb.StopBits > TWOSTOPBITS
        || (dcb.StopBits == ONE5STOPBITS && dcb.ByteSize != 5))
        return false;
    // Every line setting is derived from the DCB, so nothing another program left behind
    // (handshakes, character translation, echo) stays in force.
    termios tio = out;
    cfmakeraw(&tio);
    tio.c_cflag &= ~tcflag_t(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS);
    tio.c_cflag |= CLOCAL | CREAD;
    static const tcflag_t kSizes[] = {CS5, CS6, CS7, CS8};
    tio.c_cflag |= kSizes[dcb.ByteSize - 5];
    switch (dcb.Parity) {
    case ODDPARITY: tio.c_cflag |= PARENB | PARODD; break;
    case EVENPARITY: tio.c_cflag |= PARENB; break;
    case MARKPARITY: tio.c_cflag |= PARENB | CMSPAR | PARODD; break;
    case SPACEPARITY: tio.c_cflag |= PARENB | CMSPAR; break;
    default: break;
    }
    if (dcb.Parity != NOPARITY && dcb.fParity)
        tio.c_iflag |= INPCK;
    if (dcb.StopBits != ONESTOPBIT)
        tio.c_cflag |= CSTOPB;
    if (dcb.fOutxCtsFlow || dcb.fRtsControl == RTS_CONTROL_HANDSHAKE)
        tio.c_cflag |= CRTSCTS;
    tio.c_iflag &= ~tcflag_t(IXON | IXOFF | IXANY);
    if (dcb.fOutX)
        tio.c_iflag |= IXON;
    if (dcb.fInX)
        tio.c_iflag |= IXOFF;
    tio.c_cc[VSTART] = cc_t(dcb.XonChar ? dcb.XonChar : 0x11);
    tio.c_cc[VSTOP] = cc_t(dcb.XoffChar ? dcb.XoffChar : 0x13);
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    cfsetispeed(&tio, speed);
    cfsetospeed(&tio, speed);
    out = tio;
    return true;
}

} // namespace serial_detail

BOOL GetCommState(HANDLE handle, LPDCB dcb)
{
    CommPort* port = serial_detail::Lookup(handle);
    if (!port)
        return FALSE;
    termios tio{};
    if (!dcb || tcgetattr(port->fd, &tio) != 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    serial_detail::ReadDcb(tio, *dcb);
    int lines = 0;
    if (ioctl(port->fd, TIOCMGET, &lines) == 0) {
        dcb->fDtrControl = (lines & TIOCM_DTR) ? DTR_CONTROL_ENABLE : DTR_CONTROL_DISABLE;
        if (dcb->fRtsControl != RTS_CONTROL_HANDSHAKE)
            dcb->fRtsControl = (lines & TIOCM_RTS) ? RTS_CONTROL_ENABLE : RTS_CONTROL_DISABLE;
    }
    return TRUE;
}

BOOL SetCommState(HANDLE handle, LPDCB dcb)
{
    CommPort* port = serial_detail::Lookup(handle);
    if (!port)
        return FALSE;
    termios tio{};
    if (tcgetattr(port->fd, &tio) != 0) {
        serial_detail::SetLastErrorFromErrno(errno);
        return FALSE;
    }
    if (!dcb || !serial_detail::ApplyDcb(*dcb, tio)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (tcsetattr(port->fd, TCSANOW, &tio) != 0) {
        serial_detail::SetLastErrorFromErrno(errno);
        return FALSE;
    }
    port->baudRate = dcb->BaudRate;
    if (dcb->fDtrControl != DTR_CONTROL_HANDSHAKE
        && !SetModemLines(port->fd, TIOCM_DTR, dcb->fDtrControl == DTR_CONTROL_ENABLE))
        return FALSE;
    if (dcb->fRtsControl == RTS_CONTROL_ENABLE || dcb->fRtsControl == RTS_CONTROL_DISABLE)
        if (!SetModemLines(port->fd, TIOCM_RTS, dcb->fRtsControl == RTS_CONTROL_ENABLE))
            return FALSE;
    return TRUE;
}

BOOL GetCommTimeouts(HANDLE handle, LPCOMMTIMEOUTS timeouts)
{
    CommPort* port = serial_detail::Lookup(handle);
    if (!port || !timeouts)
        return FALSE;
    *timeouts = port->timeouts;
    return TRUE;
}

BOOL SetCommTimeouts(HANDLE handle, LPCOMMTIMEOUTS timeouts)
{
    CommPort* port = serial_detail::Lookup(handle);
    if (!port)
        return FALSE;
    if (!timeouts) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    port->timeouts = *timeouts;
    return TRUE;
}

BOOL SetCommMask(HANDLE handle, DWORD mask)
{
    CommPort* port = serial_detail::Lookup(handle);
    if (!port)
        return FALSE;
    port->eventMask = mask;
    return TRUE;
}

BOOL GetCommMask(HANDLE handle, LPDWORD mask)
{
    CommPort* port = serial_detail::Lookup(handle);
    if (!port || !mask)
        return FALSE;
    *mask = port->eventMask;
    return TRUE;
}

BOOL PurgeComm(HANDLE handle, DWORD flags)
{
    CommPort* port = serial_detail::Lookup(handle);
    if (!port)
        return FALSE;
    // Reads and writes are synchronous, so there is never a pending operation to abort.
    const bool rx = flags & PURGE_RXCLEAR;
    const bool tx = flags & PURGE_TXCLEAR;
    if ((rx || tx) && tcflush(port->fd, rx && tx ? TCIOFLUSH : (rx ? TCIFLUSH : TCOFLUSH)) != 0) {
        serial_detail::SetLastErrorFromErrno(errno);
        return FALSE;
    }
    return TRUE;
}

BOOL EscapeCommFunction(HANDLE handle, DWORD function)
{
    CommPort* port = serial_detail::Lookup(handle);
    if (!port)
        return FALSE;
    switch (function) {
    case SETDTR: return SetModemLines(port->fd, TIOCM_DTR, true);
    case CLRDTR: return SetModemLines(port->fd, TIOCM_DTR, false);
    case SETRTS: return SetModemLines(port->fd, TIOCM_RTS, true);
    case CLRRTS: return SetModemLines(port->fd, TIOCM_RTS, false);
    case SETBREAK: return ioctl(port->fd, TIOCSBRK) == 0 || errno == ENOTTY ? TRUE : FALSE;
    case CLRBREAK: return ioctl(port->fd, TIOCCBRK) == 0 || errno == ENOTTY ? TRUE : FALSE;
    case SETXOFF: return tcflow(port->fd, TCOOFF) == 0 ? TRUE : FALSE;
    case SETXON: return tcflow(port->fd, TCOON) == 0 ? TRUE : FALSE;
    default:
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
}

BOOL ClearCommError(HANDLE handle, LPDWORD errors, LPCOMSTAT stat)
{
    CommPort* port = serial_detail::Lookup(handle);
    if (!port)
        return FALSE;
    // Parity, framing and overrun errors are not collected by the kernel for a plain read;
    // there is nothing to clear.
    if (errors)
        *errors = 0;
    if (stat) {
        *stat = COMSTAT{};
        int queued = 0;
        if (ioctl(port->fd, TIOCINQ, &queued) == 0 && queued > 0)
            stat->cbInQue = DWORD(queued);
        queued = 0;
        if (ioctl(port->fd, TIOCOUTQ, &queued) == 0 && queued > 0)
            stat->cbOutQue = DWORD(queued);
    }
    return TRUE;
}
