// Opening, closing, reading and writing COM ports.
#include "platform/serial/CommPort.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

using serial_detail::CommPort;

namespace {

using Clock = std::chrono::steady_clock;

DWORD OpenErrorFromErrno(int err)
{
    switch (err) {
    case EACCES:
    case EPERM:
    case EROFS:
        return ERROR_ACCESS_DENIED;
    case EBUSY:
    case EWOULDBLOCK:
        return ERROR_SHARING_VIOLATION;
    default:
        return ERROR_FILE_NOT_FOUND;
    }
}

// Milliseconds left until `deadline`, for poll (never negative).
int MsLeft(Clock::time_point deadline)
{
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0)
        return 0;
    return left > 0x7FFFFFFF ? 0x7FFFFFFF : int(left);
}

// Waits until the descriptor is ready for `events` or the time-out passes (-1: no limit).
// Returns 1 when ready, 0 on time-out, -1 with errno set on failure or hang-up.
int WaitReady(int fd, short events, int timeoutMs)
{
    pollfd p{fd, events, 0};
    for (;;) {
        const int r = poll(&p, 1, timeoutMs);
        if (r < 0 && errno == EINTR)
            continue;
        if (r <= 0)
            return r;
        if (p.revents & POLLNVAL) {
            errno = EBADF;
            return -1;
        }
        // A hang-up or error is reported by the read or write that follows.
        return 1;
    }
}

} // namespace

HANDLE CreateFileW(LPCWSTR name, DWORD access, DWORD shareMode, LPSECURITY_ATTRIBUTES security,
                   DWORD creation, DWORD flags, HANDLE templateFile)
{
    const int number = ParseComPortName(name);
    const std::string path = GetComPortDevicePath(number);
    if (number == 0 || path.empty()) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    const int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        SetLastError(OpenErrorFromErrno(errno));
        return INVALID_HANDLE_VALUE;
    }
    termios tio{};
    if (!isatty(fd) || tcgetattr(fd, &tio) != 0) {
        close(fd);
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    // No sharing: an advisory lock keeps out other programs that lock serial ports (and other
    // opens by this one), and TIOCEXCL refuses further opens of the terminal by other users.
    if (flock(fd, LOCK_EX | LOCK_NB) != 0 || ioctl(fd, TIOCEXCL) != 0) {
        const int err = errno;
        close(fd);
        SetLastError(err == EWOULDBLOCK || err == EBUSY ? ERROR_SHARING_VIOLATION
                                                         : OpenErrorFromErrno(err));
        return INVALID_HANDLE_VALUE;
    }
    // COM ports are binary: no line editing, echo or character translation.
    cfmakeraw(&tio);
    tio.c_cflag |= CLOCAL | CREAD;
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    tcsetattr(fd, TCSANOW, &tio);

    auto* port = new CommPort;
    port->fd = fd;
    port->path = path;
    SetLastError(ERROR_SUCCESS);
    return serial_detail::Register(port);
}

BOOL CloseHandle(HANDLE handle)
{
    CommPort* port = serial_detail::Unregister(handle);
    if (!port)
        return FALSE;
    // The exclusive mode belongs to the terminal, not to this descriptor: clear it so that the
    // port can be opened again while another descriptor of it stays open.
    ioctl(port->fd, TIOCNXCL);
    close(port->fd);
    delete port;
    return TRUE;
}

BOOL ReadFile(HANDLE handle, LPVOID buffer, DWORD count, LPDWORD read, LPOVERLAPPED)
{
    if (read)
        *read = 0;
    CommPort* port = serial_detail::Lookup(handle);
    if (!port)
        return FALSE;
    const COMMTIMEOUTS& t = port->timeouts;
    auto* out = static_cast<BYTE*>(buffer);
    DWORD got = 0;

    // MAXDWORD interval with zero totals: return at once with what has arrived.
    const bool immediate = t.ReadIntervalTimeout == MAXDWORD && t.ReadTotalTimeoutMultiplier == 0
                           && t.ReadTotalTimeoutConstant == 0;
    // MAXDWORD interval and multiplier: return as soon as anything has arrived, waiting at most
    // the constant for the first byte.
    const bool firstByte =
        t.ReadIntervalTimeout == MAXDWORD && t.ReadTotalTimeoutMultiplier == MAXDWORD;
    unsigned long long totalMs = t.ReadTotalTimeoutConstant;
    if (immediate)
        totalMs = 0;
    else if (!firstByte)
        totalMs += (unsigned long long)(t.ReadTotalTimeoutMultiplier) * count;
    // Zero multiplier and constant mean no total limit (except in the two special modes).
    const bool hasTotal = immediate || firstByte || totalMs > 0;
    const bool hasInterval = !immediate && !firstByte && t.ReadIntervalTimeout != 0;
    const int intervalMs = int(std::min<DWORD>(t.ReadIntervalTimeout, 0x7FFFFFFF));
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(totalMs);

    BOOL ok = TRUE;
    while (got < count) {
        int waitMs = hasTotal ? MsLeft(deadline) : -1;
        if (hasInterval && got > 0)
            waitMs = waitMs < 0 ? intervalMs : std::min(waitMs, intervalMs);
        const int ready = WaitReady(port->fd, POLLIN, waitMs);
        if (ready == 0)
            break;  // a time-out completes the read with what has arrived
        const ssize_t n = ready < 0 ? -1 : ::read(port->fd, out + got, count - got);
        if (n > 0) {
            got += DWORD(n);
            if (firstByte)
                break;
            continue;
        }
        if (n < 0 && (errno == EAGAIN || errno == EINTR))
            continue;
        // Nothing to read although the line was ready: the other end hung up.
        serial_detail::SetLastErrorFromErrno(n == 0 ? EIO : errno);
        ok = FALSE;
        break;
    }
    if (read)
        *read = got;
    if (ok)
        SetLastError(ERROR_SUCCESS);
    return ok;
}

BOOL WriteFile(HANDLE handle, LPCVOID buffer, DWORD count, LPDWORD written, LPOVERLAPPED)
{
    if (written)
        *written = 0;
    CommPort* port = serial_detail::Lookup(handle);
    if (!port)
        return FALSE;
    const COMMTIMEOUTS& t = port->timeouts;
    unsigned long long totalMs =
        (unsigned long long)(t.WriteTotalTimeoutMultiplier) * count + t.WriteTotalTimeoutConstant;
    if (totalMs == 0) {
        // Without a time-out a write waits until the line has taken every byte; a line held by
        // flow control must not stop the program for ever, so allow twice the wire time plus 2 s.
        const unsigned long long baud = port->baudRate ? port->baudRate : 9600;
        totalMs = 2000 + 2ull * count * 11 * 1000 / baud;
    }
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(totalMs);
    const auto* in = static_cast<const BYTE*>(buffer);
    DWORD put = 0;
    while (put < count) {
        const ssize_t n = ::write(port->fd, in + put, count - put);
        if (n > 0) {
            put += DWORD(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR) {
            serial_detail::SetLastErrorFromErrno(errno);
            if (written)
                *written = put;
            return FALSE;
        }
        const int ready = WaitReady(port->fd, POLLOUT, MsLeft(deadline));
        if (ready < 0) {
            serial_detail::SetLastErrorFromErrno(errno);
            if (written)
                *written = put;
            return FALSE;
        }
        if (ready == 0)
            break;  // time-out: the write completes with fewer bytes
    }
    if (written)
        *written = put;
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}
