// Places arbitrary bytes on the clipboard as one text format and reads every text format back.
// Other programs put what they like on the system clipboard, so making one text format from
// another must stay inside the block, whatever its size, terminator or encoding.
#include "platform/base/CodePage.h"
#include "platform/ui/core/Clipboard.h"

#include <cstdint>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    static const UINT formats[] = {CF_TEXT, CF_OEMTEXT, CF_UNICODETEXT};
    static const UINT codePages[] = {936, 950, 1252, 65001};
    UINT placed = formats[data[0] % 3];
    SetACP(codePages[data[1] % 4]);
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, size - 2);
    if (!h)
        return 0;
    if (size > 2)
        std::memcpy(GlobalLock(h), data + 2, size - 2);
    GlobalUnlock(h);
    if (!OpenClipboard(nullptr)) {
        GlobalFree(h);
        return 0;
    }
    EmptyClipboard();
    SetClipboardData(placed, h);
    for (UINT f : formats) {
        auto got = static_cast<HGLOBAL>(GetClipboardData(f));
        if (const auto* p = static_cast<const std::uint8_t*>(GlobalLock(got))) {
            volatile std::uint8_t sum = 0;
            for (SIZE_T i = 0; i < GlobalSize(got); ++i)
                sum = std::uint8_t(sum + p[i]);
            GlobalUnlock(got);
        }
    }
    CloseClipboard();
    std::wstring text;
    AfxGetClipboardText(text);
    return 0;
}
