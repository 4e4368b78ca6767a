#include "platform/base/Locale.h"

#include "platform/base/CString.h"
#include "platform/base/FileSystem.h"

#include <clocale>
#include <cwchar>
#include <langinfo.h>

int GetLocaleInfoW(LCID, LCTYPE type, LPWSTR data, int dataCount)
{
    CString value;
    switch (type) {
    case LOCALE_SDECIMAL:
        value = FromUtf8(nl_langinfo(RADIXCHAR));
        break;
    case LOCALE_STHOUSAND:
        value = FromUtf8(nl_langinfo(THOUSEP));
        break;
    case LOCALE_SPOSITIVESIGN:
        value = L"";  // Windows locales leave the positive sign empty
        break;
    case LOCALE_SNEGATIVESIGN:
        value = L"-";
        break;
    default:
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const int needed = value.GetLength() + 1;
    if (dataCount == 0)
        return needed;
    if (data == nullptr || dataCount < needed) {
        SetLastError(dataCount < 0 || data == nullptr ? ERROR_INVALID_PARAMETER : ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    std::wmemcpy(data, value.GetString(), static_cast<std::size_t>(needed));
    return needed;
}
