// The table of open COM port handles.
#include "platform/serial/CommPort.h"

#include <cerrno>
#include <mutex>
#include <set>

namespace {

std::mutex& TableMutex()
{
    static std::mutex m;
    return m;
}

std::set<serial_detail::CommPort*>& Table()
{
    static std::set<serial_detail::CommPort*> table;
    return table;
}

} // namespace

namespace serial_detail {

HANDLE Register(CommPort* port)
{
    std::lock_guard<std::mutex> lock(TableMutex());
    Table().insert(port);
    return port;
}

CommPort* Lookup(HANDLE handle)
{
    std::lock_guard<std::mutex> lock(TableMutex());
    auto it = Table().find(static_cast<CommPort*>(handle));
    if (it == Table().end()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return *it;
}

CommPort* Unregister(HANDLE handle)
{
    std::lock_guard<std::mutex> lock(TableMutex());
    auto it = Table().find(static_cast<CommPort*>(handle));
    if (it == Table().end()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    CommPort* port = *it;
    Table().erase(it);
    return port;
}

void SetLastErrorFromErrno(int err)
{
    switch (err) {
    case EIO:
    case ENXIO:
    case ENODEV:
    case EPIPE:
        SetLastError(ERROR_DEVICE_NOT_CONNECTED);
        break;
    case EBADF:
        SetLastError(ERROR_INVALID_HANDLE);
        break;
    case EINVAL:
    case ENOTTY:
        SetLastError(ERROR_INVALID_PARAMETER);
        break;
    default:
        SetLastError(ERROR_GEN_FAILURE);
        break;
    }
}

} // namespace serial_detail
