// The calling thread's last Win32 error code.
//
// The serial layer carries its own pair of these functions; the definitions here are weak so
// that a program linking both layers gets exactly one of them instead of a duplicate symbol.
#include "platform/base/FileSystem.h"

namespace {
thread_local DWORD t_lastError = ERROR_SUCCESS;
}

__attribute__((weak)) DWORD GetLastError()
{
    return t_lastError;
}

__attribute__((weak)) void SetLastError(DWORD error)
{
    t_lastError = error;
}
