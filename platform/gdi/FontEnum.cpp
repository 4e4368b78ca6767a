// Font family enumeration over the faces the font mapper knows.
#include "platform/gdi/DC.h"

#include <cwchar>
#include <cwctype>
#include <string>

namespace {

const wchar_t* const kFaces[] = {
    L"Arial", L"Tahoma", L"MS Sans Serif", L"MS Shell Dlg", L"Microsoft Sans Serif", L"System",
    L"Courier New", L"Times New Roman", L"Marlett", L"SimSun", L"\u5B8B\u4F53", L"NSimSun",
    L"\u65B0\u5B8B\u4F53", L"SimHei", L"\u9ED1\u4F53", L"Microsoft YaHei", L"\u5FAE\u8F6F\u96C5\u9ED1",
    L"Liberation Sans", L"Liberation Mono", L"Liberation Serif", L"WenQuanYi Zen Hei",
};

bool SameFace(const wchar_t* a, const wchar_t* b)
{
    for (; *a && *b; ++a, ++b)
        if (std::towlower(wint_t(*a)) != std::towlower(wint_t(*b)))
            return false;
    return *a == *b;
}

}  // namespace

int EnumFontFamiliesExW(HDC hdc, const LOGFONTW* filter, FONTENUMPROCW proc, LPARAM param, DWORD)
{
    if (!proc)
        return 0;
    CDC* dc = CDC::FromHandle(hdc);
    std::wstring wanted = filter ? std::wstring(filter->lfFaceName, wcsnlen(filter->lfFaceName, LF_FACESIZE)) : L"";
    int result = 1;
    for (const wchar_t* face : kFaces) {
        if (!wanted.empty() && !SameFace(face, wanted.c_str()))
            continue;
        ENUMLOGFONTEXW elf{};
        elf.elfLogFont.lfHeight = 16;
        elf.elfLogFont.lfWeight = FW_NORMAL;
        elf.elfLogFont.lfCharSet = filter ? filter->lfCharSet : BYTE(DEFAULT_CHARSET);
        elf.elfLogFont.lfOutPrecision = OUT_TT_PRECIS;
        bool mono = SameFace(face, L"Courier New") || SameFace(face, L"Liberation Mono");
        elf.elfLogFont.lfPitchAndFamily = mono ? BYTE(FIXED_PITCH | FF_MODERN) : BYTE(VARIABLE_PITCH | FF_SWISS);
        std::wcsncpy(elf.elfLogFont.lfFaceName, face, LF_FACESIZE - 1);
        std::wcsncpy(elf.elfFullName, face, 63);
        std::wcsncpy(elf.elfStyle, L"Regular", LF_FACESIZE - 1);
        NEWTEXTMETRICEXW ntm{};
        if (dc) {
            CFont font;
            font.CreateFontIndirect(&elf.elfLogFont);
            CFont* old = dc->SelectObject(&font);
            dc->GetTextMetrics(&ntm.ntmTm.tm);
            if (old)
                dc->SelectObject(old);
        }
        ntm.ntmTm.ntmSizeEM = 2048;
        ntm.ntmTm.ntmCellHeight = UINT(ntm.ntmTm.tm.tmHeight);
        ntm.ntmTm.ntmAvgWidth = UINT(ntm.ntmTm.tm.tmAveCharWidth);
        result = proc(&elf.elfLogFont, &ntm.ntmTm.tm, TRUETYPE_FONTTYPE, param);
        if (result == 0)
            break;
    }
    return result;
}
