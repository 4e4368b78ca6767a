// Lets GoogleTest print CString values in failure messages.
#pragma once

#include "platform/base/CString.h"

#include <ostream>

inline void PrintTo(const CString& s, std::ostream* os)
{
    *os << '"' << ToUtf8(s) << '"';
}
