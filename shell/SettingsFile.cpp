#include "shell/SettingsFile.h"

#include "platform/base/Exceptions.h"
#include "platform/base/File.h"
#include "platform/base/FileSystem.h"
#include "platform/base/SafeReplace.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

CString GetShellConfigFolder()
{
    return GetUserConfigFolder(L"tavix");
}

CString GetSettingsFilePath()
{
    return GetShellConfigFolder() + L"ZelvoEditor.ini";
}

CString DecodeUtf16Le(const std::vector<std::uint8_t>& bytes)
{
    std::wstring text;
    text.reserve(bytes.size() / 2);
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const unsigned unit = unsigned(bytes[i]) | (unsigned(bytes[i + 1]) << 8);
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 3 < bytes.size()) {
            const unsigned low = unsigned(bytes[i + 2]) | (unsigned(bytes[i + 3]) << 8);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                text.push_back(wchar_t(0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00)));
                i += 2;
                continue;
            }
        }
        if (unit == 0)
            break;  // the text ends at a terminator, as a zero-terminated string read would
        text.push_back(wchar_t(unit));
    }
    return CString(text.c_str());
}

std::vector<std::uint8_t> EncodeUtf16Le(const CString& text)
{
    std::vector<std::uint8_t> out;
    auto unit = [&](unsigned u) {
        out.push_back(std::uint8_t(u & 0xFF));
        out.push_back(std::uint8_t(u >> 8));
    };
    for (int i = 0; i < text.GetLength(); ++i) {
        const unsigned c = unsigned(text[i]);
        if (c >= 0x10000) {
            unit(0xD800 + ((c - 0x10000) >> 10));
            unit(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            unit(c);
        }
    }
    return out;
}

int ParseLanguageSetting(const std::vector<std::uint8_t>& bytes, bool* pDamaged)
{
    const CString text = DecodeUtf16Le(bytes);
    if (pDamaged)
        *pDamaged = !bytes.empty() && ((bytes.size() % 2) != 0 || text.Find(L"language=") < 0);
    return text.Find(L"zh_CN") >= 0 ? 1 : 0;
}

std::vector<std::uint8_t> UpdateLanguageSetting(const std::vector<std::uint8_t>& bytes, int nIndex)
{
    CString line;
    line.Format(L"language=%ls\n", nIndex == 1 ? L"zh_CN" : L"en_US");
    CString text = DecodeUtf16Le(bytes);
    const int key = text.Find(L"language=");
    if (key >= 0) {
        const int end = text.Find(L'\n', key);
        text = text.Left(key) + line + (end >= 0 ? text.Mid(end + 1) : CString());
    } else {
        if (!text.IsEmpty() && text[text.GetLength() - 1] != L'\n')
            text += L"\n";
        text += line;
    }
    return EncodeUtf16Le(text);
}

BOOL ReadWholeFile(const CString& path, std::vector<std::uint8_t>& bytes, CString* pError)
{
    bytes.clear();
    std::ifstream in(ToNativePath(path), std::ios::binary);
    if (!in) {
        if (pError && errno != ENOENT)
            *pError = CString(std::strerror(errno));
        return FALSE;
    }
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad()) {
        if (pError)
            *pError = L"read error";
        bytes.clear();
        return FALSE;
    }
    return TRUE;
}

BOOL WriteWholeFile(const CString& path, const std::vector<std::uint8_t>& bytes, CString* pError)
{
    try {
        AfxWriteFileReplacing(path, [&bytes](CFile& file) {
            if (!bytes.empty())
                file.Write(bytes.data(), UINT(bytes.size()));
        });
        return TRUE;
    } catch (CException* e) {
        if (pError)
            *pError = e->GetErrorMessage();
        e->Delete();
        return FALSE;
    }
}
