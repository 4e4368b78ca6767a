#include "controls/GridClipText.h"

#include <cwctype>
#include <string>

namespace {

// White space trimmed from both ends and control characters dropped: neither is anything the
// display can show.
CString Trimmed(const std::wstring& raw)
{
    std::wstring s;
    for (wchar_t ch : raw)
        if (!((unsigned(ch) < 0x20 && !std::iswspace(wint_t(ch))) || ch == 0x7F))
            s += ch;
    size_t first = 0;
    size_t last = s.size();
    while (first < last && std::iswspace(wint_t(s[first])))
        ++first;
    while (last > first && std::iswspace(wint_t(s[last - 1])))
        --last;
    return CString(s.substr(first, last - first).c_str());
}

} // namespace

GridClipText ParseGridClipText(const wchar_t* pText, size_t nLength)
{
    GridClipText result;
    size_t n = 0;
    while (n < nLength && pText[n])
        ++n;
    std::wstring text(pText, n);
    result.bCellMode = text.find(L'\t') != std::wstring::npos || text.size() == 1;

    while (!text.empty()) {
        const size_t lf = text.find(L'\n');
        const std::wstring rest = lf == std::wstring::npos ? std::wstring() : text.substr(lf + 1);
        GridClipLine line;
        if (result.bCellMode) {
            std::wstring cells = text.substr(0, lf);
            // Cells are split at tabs only: a comma is a character like any other, so that a
            // cell holding one comes back as it went.
            size_t start = 0;
            for (;;) {
                const size_t tab = cells.find(L'\t', start);
                line.items.push_back(Trimmed(cells.substr(start, tab == std::wstring::npos ? tab : tab - start)));
                if (tab == std::wstring::npos || tab + 1 >= cells.size())
                    break;
                start = tab + 1;
            }
            if (cells.empty())
                line.items.clear();
            result.lines.push_back(std::move(line));
        } else {
            const size_t end = text.find_first_of(L"\r\n");
            const std::wstring chars = text.substr(0, end);
            for (wchar_t ch : chars)
                line.items.push_back(Trimmed(std::wstring(1, ch)));
            if (!line.items.empty())
                result.lines.push_back(std::move(line));
        }
        if (lf == std::wstring::npos)
            break;
        text = rest;
    }
    return result;
}

CString FormatGridClipText(const std::vector<std::vector<CString>>& rows)
{
    CString text;
    for (size_t r = 0; r < rows.size(); ++r) {
        for (size_t c = 0; c < rows[r].size(); ++c) {
            text += rows[r][c];
            if (c + 1 < rows[r].size())
                text += L'\t';
        }
        if (r + 1 < rows.size())
            text += L"\r\n";
    }
    return text;
}
