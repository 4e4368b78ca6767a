#include "elements/BlockComment.h"
#include "elements/HandleRects.h"

#include <cstring>

IMPLEMENT_SERIAL(CBlockComment, CObject, VERSIONABLE_SCHEMA | 1)

namespace {
constexpr int kFaceChars = 32;
}

CBlockComment::CBlockComment()
    : m_nWidth(0), m_nHeight(0), m_strText(L"Comment"), m_nLines(1), m_crText(0),
      m_logFont{}, m_bSelected(FALSE)
{
    m_logFont.lfHeight = 12;
    const wchar_t face[] = L"Arial";
    for (size_t i = 0; i < sizeof(face) / sizeof(face[0]); ++i)
        m_logFont.lfFaceName[i] = face[i];
}

void CBlockComment::Serialize(CArchive& ar)
{
    LOGFONTW& lf = m_logFont;
    if (ar.IsStoring()) {
        ar << int(m_ptOrigin.x) << int(m_ptOrigin.y) << int(m_ptSecond.x) << int(m_ptSecond.y);
        ar << m_nWidth << m_nHeight;
        ar << m_strText << m_nLines << DWORD(m_crText);
        ar << int(lf.lfHeight) << int(lf.lfWidth) << int(lf.lfEscapement) << int(lf.lfOrientation)
           << int(lf.lfWeight);
        ar << lf.lfItalic << lf.lfUnderline << lf.lfStrikeOut << lf.lfCharSet
           << lf.lfOutPrecision << lf.lfClipPrecision << lf.lfQuality << lf.lfPitchAndFamily;
        // The face name as 32 UTF-16 units, whatever the width of wchar_t here.
        for (int i = 0; i < kFaceChars; ++i)
            ar << WORD(lf.lfFaceName[i]);
        return;
    }
    int x1, y1, x2, y2;
    ar >> x1 >> y1 >> x2 >> y2;
    m_ptOrigin = CPoint(x1, y1);
    m_ptSecond = CPoint(x2, y2);
    ar >> m_nWidth >> m_nHeight;
    DWORD colour;
    ar >> m_strText >> m_nLines >> colour;
    m_crText = colour;
    int v[5];
    for (int& i : v)
        ar >> i;
    lf.lfHeight = v[0];
    lf.lfWidth = v[1];
    lf.lfEscapement = v[2];
    lf.lfOrientation = v[3];
    lf.lfWeight = v[4];
    ar >> lf.lfItalic >> lf.lfUnderline >> lf.lfStrikeOut >> lf.lfCharSet >> lf.lfOutPrecision >>
        lf.lfClipPrecision >> lf.lfQuality >> lf.lfPitchAndFamily;
    const UINT schema = ar.GetObjectSchema();
    if (schema == 1) {
        for (int i = 0; i < kFaceChars; ++i) {
            WORD w;
            ar >> w;
            lf.lfFaceName[i] = wchar_t(w);
        }
    } else if (schema == 0) {
        // Older records hold 8-bit characters, widened by sign extension.
        for (int i = 0; i < kFaceChars; ++i) {
            BYTE b;
            ar >> b;
            lf.lfFaceName[i] = wchar_t(WORD(short(static_cast<signed char>(b))));
        }
    } else {
        AfxThrowArchiveException(CArchiveException::badSchema);
    }
}

void CBlockComment::GetTextLines(CStringArray* pLines, CArray<int, int>* pOffsets) const
{
    if (!pLines || !pOffsets)
        return;
    pLines->RemoveAll();
    pOffsets->RemoveAll();
    if (m_nLines == 0)
        return;
    CString rest = m_strText;
    int k = 0;
    for (int at; (at = rest.Find(L"\r\n")) >= 0; ++k) {
        pLines->Add(rest.Left(at));
        pOffsets->Add(int((long long)m_nHeight * k / m_nLines));
        rest = rest.Mid(at + 2);
    }
    if (!rest.IsEmpty() || k == 0) {
        pLines->Add(rest);
        pOffsets->Add(k == 0 ? 0 : int((long long)m_nHeight * k / m_nLines));
    }
}

void CBlockComment::GetHandleRects(CRect rects[4]) const
{
    GetCornerHandleRects(m_ptOrigin, m_nWidth, m_nHeight, rects);
}
