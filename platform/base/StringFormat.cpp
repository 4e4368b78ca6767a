// printf-style formatting with the semantics of the Microsoft C runtime's wide printf, which the
// editor's format strings are written for:
//  - %s and %c take WIDE text (as in swprintf on Windows); %hs, %S, %hc, %C take narrow text and
//    %ls, %ws, %lc, %wc wide text. Since every argument carries its type, a string argument is
//    printed correctly whichever of these the format names; narrow text is read as UTF-8.
//  - The size prefix l means 32 bits (Windows long): %ld and %lx of a 64-bit value print its
//    low 32 bits. No prefix is 32 bits as well; h is 16, hh 8; ll, I64 and j are 64; I, z and t
//    are pointer-sized (64). %lf is a double.
//  - A 0 flag pads strings and characters with zeros too ("%02s" of "5" is "05").
//  - %p prints the pointer as 16 upper-case hex digits without a prefix.
//  - Floating-point conversions follow the C library (two-digit exponents; the decimal point of
//    the current C locale).
//  - %% is a percent sign; %n is not supported and prints nothing.
// Arguments that do not match the conversion are converted sensibly (an integer for %f, a
// double truncated for %d); a missing argument counts as 0 (or "(null)" for strings). Widths and
// precisions are capped so that no format can request a huge allocation.
#include "platform/base/CString.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int kMaxWidth = 65536;
constexpr int kMaxPrecision = 1024;

struct Spec {
    bool left = false;
    bool plus = false;
    bool space = false;
    bool alt = false;
    bool zero = false;
    int width = 0;
    int precision = -1;  // -1 = not given
    enum Size { Default, Short, Byte, Long, LongLong, PtrSize, LongDouble, Wide } size = Default;
    wchar_t conv = 0;
};

class ArgReader {
public:
    ArgReader(const FormatArg* args, std::size_t count) : m_args(args), m_count(count) {}

    const FormatArg* Next()
    {
        if (m_index >= m_count)
            return nullptr;
        return &m_args[m_index++];
    }

    // Raw 64 bits of an argument used as an integer.
    unsigned long long NextBits()
    {
        const FormatArg* a = Next();
        if (a == nullptr)
            return 0;
        switch (a->kind) {
        case FormatArg::Int:
        case FormatArg::LongLong:
            return static_cast<unsigned long long>(a->i);
        case FormatArg::UInt:
        case FormatArg::ULongLong:
            return a->u;
        case FormatArg::Double: {
            double d = a->d;
            if (std::isnan(d))
                return 0;
            if (d >= 9.2233720368547758e18)
                return static_cast<unsigned long long>(LLONG_MAX);
            if (d <= -9.2233720368547758e18)
                return static_cast<unsigned long long>(LLONG_MIN);
            return static_cast<unsigned long long>(static_cast<long long>(d));
        }
        case FormatArg::WideStr:
        case FormatArg::NarrowStr:
        case FormatArg::Pointer:
            return static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(a->p));
        }
        return 0;
    }

    int NextInt() { return static_cast<int>(static_cast<unsigned int>(NextBits())); }

    double NextDouble()
    {
        const FormatArg* a = Next();
        if (a == nullptr)
            return 0.0;
        switch (a->kind) {
        case FormatArg::Double:
            return a->d;
        case FormatArg::Int:
        case FormatArg::LongLong:
            return static_cast<double>(a->i);
        case FormatArg::UInt:
        case FormatArg::ULongLong:
            return static_cast<double>(a->u);
        default:
            return 0.0;
        }
    }

private:
    const FormatArg* m_args;
    std::size_t m_count;
    std::size_t m_index = 0;
};

void Pad(std::wstring& out, const std::wstring& body, const Spec& spec, wchar_t fill)
{
    std::size_t width = static_cast<std::size_t>(spec.width);
    if (body.size() >= width) {
        out += body;
    } else if (spec.left) {
        out += body;
        out.append(width - body.size(), L' ');
    } else {
        out.append(width - body.size(), fill);
        out += body;
    }
}

void AppendNarrow(std::wstring& out, const char* text, std::size_t n)
{
    // snprintf output is ASCII apart from a locale's decimal point, which is UTF-8 on Linux.
    out += FromUtf8(text, n).str();
}

// Formats one numeric conversion through the C library with a narrow spec built from `spec`.
template <typename T>
void FormatNumber(std::wstring& out, const Spec& spec, const char* lengthAndConv, T value)
{
    std::string f = "%";
    if (spec.left)
        f += '-';
    if (spec.plus)
        f += '+';
    if (spec.space)
        f += ' ';
    if (spec.alt)
        f += '#';
    if (spec.zero)
        f += '0';
    if (spec.width > 0)
        f += std::to_string(spec.width);
    if (spec.precision >= 0) {
        f += '.';
        f += std::to_string(spec.precision);
    }
    f += lengthAndConv;
    int n = std::snprintf(nullptr, 0, f.c_str(), value);
    if (n <= 0)
        return;
    std::vector<char> buf(static_cast<std::size_t>(n) + 1);
    std::snprintf(buf.data(), buf.size(), f.c_str(), value);
    AppendNarrow(out, buf.data(), static_cast<std::size_t>(n));
}

int SizeBits(Spec::Size size)
{
    switch (size) {
    case Spec::Byte:
        return 8;
    case Spec::Short:
        return 16;
    case Spec::LongLong:
    case Spec::PtrSize:
        return 64;
    default:
        return 32;
    }
}

void FormatInteger(std::wstring& out, const Spec& spec, unsigned long long bits)
{
    int nbits = SizeBits(spec.size);
    unsigned long long mask = nbits == 64 ? ~0ULL : ((1ULL << nbits) - 1);
    unsigned long long u = bits & mask;
    if (spec.conv == L'd' || spec.conv == L'i') {
        long long s = static_cast<long long>(u);
        if (nbits < 64 && (u >> (nbits - 1)) != 0)
            s = static_cast<long long>(u | ~mask);  // sign-extend
        FormatNumber(out, spec, "lld", s);
        return;
    }
    const char* conv = spec.conv == L'u' ? "llu" : spec.conv == L'x' ? "llx" : spec.conv == L'X' ? "llX" : "llo";
    FormatNumber(out, spec, conv, u);
}

void FormatFloat(std::wstring& out, const Spec& spec, double value)
{
    char conv[3] = {static_cast<char>(spec.conv), 0, 0};
    FormatNumber(out, spec, conv, value);
}

void FormatString(std::wstring& out, const Spec& spec, const FormatArg* arg)
{
    std::wstring text;
    if (arg != nullptr && arg->kind == FormatArg::WideStr && arg->ws != nullptr) {
        std::size_t len = 0;
        // Honour the precision without reading past it: the text need not be terminated then.
        if (spec.precision >= 0)
            while (len < static_cast<std::size_t>(spec.precision) && arg->ws[len] != L'\0')
                ++len;
        else
            len = std::wcslen(arg->ws);
        text.assign(arg->ws, len);
    } else if (arg != nullptr && arg->kind == FormatArg::NarrowStr && arg->ns != nullptr) {
        std::size_t len = 0;
        if (spec.precision >= 0)
            while (len < static_cast<std::size_t>(spec.precision) && arg->ns[len] != '\0')
                ++len;
        else
            len = std::strlen(arg->ns);
        text = FromUtf8(arg->ns, len).str();
    } else {
        text = L"(null)";
    }
    if (spec.precision >= 0 && text.size() > static_cast<std::size_t>(spec.precision))
        text.resize(static_cast<std::size_t>(spec.precision));
    Pad(out, text, spec, spec.zero ? L'0' : L' ');
}

void FormatChar(std::wstring& out, const Spec& spec, unsigned long long bits)
{
    bool narrow = spec.conv == L'C' ? spec.size != Spec::Long && spec.size != Spec::Wide
                                    : spec.size == Spec::Short;
    wchar_t ch = narrow ? static_cast<wchar_t>(bits & 0xFF) : static_cast<wchar_t>(bits & 0xFFFFFFFF);
    Pad(out, std::wstring(1, ch), spec, spec.zero ? L'0' : L' ');
}

void FormatPointer(std::wstring& out, const Spec& spec, unsigned long long bits)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%016llX", bits);
    std::wstring body;
    AppendNarrow(body, buf, std::strlen(buf));
    Pad(out, body, spec, L' ');
}

// Reads a width or precision: digits, or '*' from the arguments.
int ReadCount(const wchar_t*& p, ArgReader& args, bool& fromArg)
{
    fromArg = false;
    if (*p == L'*') {
        ++p;
        fromArg = true;
        return args.NextInt();
    }
    long long n = 0;
    while (*p >= L'0' && *p <= L'9') {
        n = std::min<long long>(n * 10 + (*p - L'0'), kMaxWidth);
        ++p;
    }
    return static_cast<int>(n);
}

void ReadSize(const wchar_t*& p, Spec& spec)
{
    switch (*p) {
    case L'h':
        ++p;
        spec.size = Spec::Short;
        if (*p == L'h') {
            ++p;
            spec.size = Spec::Byte;
        }
        break;
    case L'l':
        ++p;
        spec.size = Spec::Long;
        if (*p == L'l') {
            ++p;
            spec.size = Spec::LongLong;
        }
        break;
    case L'L':
        ++p;
        spec.size = Spec::LongDouble;
        break;
    case L'w':
        ++p;
        spec.size = Spec::Wide;
        break;
    case L'j':
        ++p;
        spec.size = Spec::LongLong;
        break;
    case L'z':
    case L't':
        ++p;
        spec.size = Spec::PtrSize;
        break;
    case L'I':
        ++p;
        if (p[0] == L'6' && p[1] == L'4') {
            p += 2;
            spec.size = Spec::LongLong;
        } else if (p[0] == L'3' && p[1] == L'2') {
            p += 2;
            spec.size = Spec::Long;
        } else {
            spec.size = Spec::PtrSize;
        }
        break;
    default:
        break;
    }
}

}  // namespace

std::wstring FormatToString(const wchar_t* format, const FormatArg* args, std::size_t count)
{
    std::wstring out;
    if (format == nullptr)
        return out;
    ArgReader reader(args, count);
    const wchar_t* p = format;
    while (*p != L'\0') {
        if (*p != L'%') {
            out += *p++;
            continue;
        }
        const wchar_t* start = p++;
        if (*p == L'%') {
            out += L'%';
            ++p;
            continue;
        }
        Spec spec;
        for (;; ++p) {
            if (*p == L'-')
                spec.left = true;
            else if (*p == L'+')
                spec.plus = true;
            else if (*p == L' ')
                spec.space = true;
            else if (*p == L'#')
                spec.alt = true;
            else if (*p == L'0')
                spec.zero = true;
            else
                break;
        }
        bool fromArg = false;
        int width = ReadCount(p, reader, fromArg);
        if (width < 0) {  // a negative '*' width means left-justified
            spec.left = true;
            width = width == INT_MIN ? kMaxWidth : -width;
        }
        spec.width = std::min(width, kMaxWidth);
        if (*p == L'.') {
            ++p;
            int precision = ReadCount(p, reader, fromArg);
            // A negative '*' precision counts as none.
            spec.precision = precision < 0 ? -1 : std::min(precision, kMaxPrecision);
        }
        ReadSize(p, spec);
        spec.conv = *p;
        if (spec.conv == L'\0')
            break;  // an unfinished conversion at the end prints nothing
        ++p;
        if (spec.left)
            spec.zero = false;
        switch (spec.conv) {
        case L'd':
        case L'i':
        case L'u':
        case L'x':
        case L'X':
        case L'o':
            FormatInteger(out, spec, reader.NextBits());
            break;
        case L'f':
        case L'F':
        case L'e':
        case L'E':
        case L'g':
        case L'G':
        case L'a':
        case L'A':
            FormatFloat(out, spec, reader.NextDouble());
            break;
        case L's':
        case L'S':
        case L'Z':
            FormatString(out, spec, reader.Next());
            break;
        case L'c':
        case L'C':
            FormatChar(out, spec, reader.NextBits());
            break;
        case L'p':
            FormatPointer(out, spec, reader.NextBits());
            break;
        case L'n':
            reader.Next();
            break;
        default:
            // Unknown conversion: keep the text as written.
            out.append(start, p);
            break;
        }
    }
    // A %c of character 0 ends the text, as the result is read back up to the first null.
    std::size_t nul = out.find(L'\0');
    if (nul != std::wstring::npos)
        out.resize(nul);
    return out;
}
