#include "platform/base/CodePage.h"

#include "platform/base/CString.h"
#include "platform/base/FileSystem.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <cwchar>
#include <iconv.h>

namespace {

std::atomic<UINT> g_ansiCodePage{1252};

constexpr wchar_t kReplacement = 0xFFFD;

UINT Resolve(UINT codePage)
{
    return codePage == CP_ACP || codePage == CP_OEMCP ? GetACP() : codePage;
}

// An iconv descriptor that closes itself.
class Iconv {
public:
    Iconv(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~Iconv()
    {
        if (ok())
            iconv_close(m_cd);
    }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;
    bool ok() const { return m_cd != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const { return m_cd; }
    void reset() { iconv(m_cd, nullptr, nullptr, nullptr, nullptr); }

private:
    iconv_t m_cd;
};

std::string IconvName(UINT codePage) { return "CP" + std::to_string(codePage); }

wchar_t FromLe32(const unsigned char* p)
{
    return static_cast<wchar_t>(static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
                                (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24));
}

enum class Result { Ok, BadCodePage, Invalid };

Result Decode(UINT codePage, const char* bytes, std::size_t count, bool strict, std::wstring& out)
{
    if (codePage == CP_UTF8) {
        CString text = FromUtf8(bytes, count);
        // Valid UTF-8 survives the round trip unchanged; anything replaced does not.
        if (strict && ToUtf8(text) != std::string(bytes, count))
            return Result::Invalid;
        out = text.str();
        return Result::Ok;
    }
    Iconv cd("UTF-32LE", IconvName(codePage).c_str());
    if (!cd.ok())
        return Result::BadCodePage;
    char* in = const_cast<char*>(bytes);
    std::size_t inLeft = count;
    unsigned char buf[4096];
    for (;;) {
        char* o = reinterpret_cast<char*>(buf);
        std::size_t oLeft = sizeof buf;
        std::size_t r = inLeft > 0 ? iconv(cd.get(), &in, &inLeft, &o, &oLeft) : iconv(cd.get(), nullptr, nullptr, &o, &oLeft);
        int err = errno;
        for (auto* p = buf; p + 4 <= reinterpret_cast<unsigned char*>(o); p += 4)
            out += FromLe32(p);
        if (r != static_cast<std::size_t>(-1)) {
            if (inLeft == 0)
                break;
            continue;
        }
        if (err == E2BIG)
            continue;
        // EILSEQ (a byte sequence the code page lacks) or EINVAL (cut off at the end).
        if (strict)
            return Result::Invalid;
        out += kReplacement;
        ++in;
        --inLeft;
        cd.reset();
        if (inLeft == 0)
            break;
    }
    return Result::Ok;
}

Result Encode(UINT codePage, const wchar_t* text, std::size_t count, char defaultChar, std::string& out, bool& usedDefault)
{
    usedDefault = false;
    if (codePage == CP_UTF8) {
        out = ToUtf8(text, count);
        return Result::Ok;
    }
    Iconv cd(IconvName(codePage).c_str(), "UTF-32LE");
    if (!cd.ok())
        return Result::BadCodePage;
    // One character at a time, so that a character the code page lacks becomes the default
    // character without disturbing its neighbours.
    for (std::size_t i = 0; i < count; ++i) {
        auto cp = static_cast<std::uint32_t>(text[i]);
        unsigned char in4[4] = {static_cast<unsigned char>(cp), static_cast<unsigned char>(cp >> 8),
                                static_cast<unsigned char>(cp >> 16), static_cast<unsigned char>(cp >> 24)};
        char outBuf[16];
        char* in = reinterpret_cast<char*>(in4);
        std::size_t inLeft = 4;
        char* o = outBuf;
        std::size_t oLeft = sizeof outBuf;
        std::size_t r = iconv(cd.get(), &in, &inLeft, &o, &oLeft);
        if (r == static_cast<std::size_t>(-1) || inLeft != 0 || r > 0) {
            // r > 0: glibc substituted an approximation; the code page has no exact character.
            out += defaultChar;
            usedDefault = true;
            cd.reset();
            continue;
        }
        iconv(cd.get(), nullptr, nullptr, &o, &oLeft);
        out.append(outBuf, static_cast<std::size_t>(o - outBuf));
    }
    return Result::Ok;
}

int Fail(DWORD error)
{
    SetLastError(error);
    return 0;
}

// Hands a converted text to the caller the Win32 way: a room of 0 asks only for its length,
// otherwise the text is copied when it fits.
template <class Text, class Ch>
int CopyOut(const Text& out, Ch* dst, int room)
{
    if (out.size() > static_cast<std::size_t>(INT_MAX))
        return Fail(ERROR_INSUFFICIENT_BUFFER);
    if (room == 0)
        return static_cast<int>(out.size());
    if (out.size() > static_cast<std::size_t>(room))
        return Fail(ERROR_INSUFFICIENT_BUFFER);
    std::copy(out.begin(), out.end(), dst);
    SetLastError(ERROR_SUCCESS);
    return static_cast<int>(out.size());
}

}  // namespace

UINT GetACP()
{
    return g_ansiCodePage.load();
}

void SetACP(UINT codePage)
{
    if (codePage != CP_ACP && codePage != CP_OEMCP)
        g_ansiCodePage.store(codePage);
}

int MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR mb, int byteCount, LPWSTR wide, int wideCount)
{
    if (mb == nullptr || byteCount == 0 || byteCount < -1 || wideCount < 0 || (wideCount > 0 && wide == nullptr))
        return Fail(ERROR_INVALID_PARAMETER);
    std::size_t n = byteCount == -1 ? std::strlen(mb) + 1 : static_cast<std::size_t>(byteCount);
    std::wstring out;
    Result r = Decode(Resolve(codePage), mb, n, (flags & MB_ERR_INVALID_CHARS) != 0, out);
    if (r == Result::BadCodePage)
        return Fail(ERROR_INVALID_PARAMETER);
    if (r == Result::Invalid)
        return Fail(ERROR_NO_UNICODE_TRANSLATION);
    return CopyOut(out, wide, wideCount);
}

int WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR wide, int wideCount, LPSTR mb, int byteCount,
                        LPCSTR defaultChar, BOOL* usedDefaultChar)
{
    if (wide == nullptr || wideCount == 0 || wideCount < -1 || byteCount < 0 || (byteCount > 0 && mb == nullptr))
        return Fail(ERROR_INVALID_PARAMETER);
    const UINT cp = Resolve(codePage);
    if (cp == CP_UTF8 && (defaultChar != nullptr || usedDefaultChar != nullptr))
        return Fail(ERROR_INVALID_PARAMETER);
    std::size_t n = wideCount == -1 ? std::wcslen(wide) + 1 : static_cast<std::size_t>(wideCount);
    std::string out;
    bool used = false;
    if (Encode(cp, wide, n, defaultChar != nullptr ? defaultChar[0] : '?', out, used) == Result::BadCodePage)
        return Fail(ERROR_INVALID_PARAMETER);
    if (usedDefaultChar != nullptr)
        *usedDefaultChar = used ? TRUE : FALSE;
    return CopyOut(out, mb, byteCount);
}

std::string WideToCodePage(UINT codePage, const std::wstring& text)
{
    std::string out;
    bool used = false;
    if (Encode(Resolve(codePage), text.data(), text.size(), '?', out, used) != Result::Ok)
        return std::string();
    return out;
}

std::wstring CodePageToWide(UINT codePage, const std::string& bytes)
{
    std::wstring out;
    if (Decode(Resolve(codePage), bytes.data(), bytes.size(), false, out) != Result::Ok)
        return std::wstring();
    return out;
}
