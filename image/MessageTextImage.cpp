// Message texts in the image. The older families keep four lines of twelve LCD codes per text
// in section C; the newer ones keep a 1280-byte record per text in the message-text memory:
// attribute and data bytes per cell for two text sets (Chinese characters as double-byte
// code-page characters over two cells) and the placed fields in the line records.
#include "image/TavixCoreRule.h"

#include "document/TavixDoc.h"
#include "elements/BlockMSGTEXT.h"
#include "elements/BlockObj.h"
#include "elements/BlockSwitches.h"
#include "image/FieldParams.h"
#include "image/LcdCharMap.h"
#include "image/OpcodeTables.h"
#include "msgtext/Widget.h"
#include "platform/base/CodePage.h"

#include <algorithm>

namespace {

constexpr int kOldLineBytes = 16;
constexpr int kOldCells = 12;
constexpr int kCells = 24;
constexpr int kLineRecord = 32;
constexpr int kSetLines = 128;     // four line records per set
constexpr int kSetChars = 192;     // four lines x 24 cells x 2 bytes
constexpr int kCharsAt = 256;
constexpr int kOnOffAt = 640;
constexpr int kBarsAt = 1024;
constexpr int kBarRecord = 16;
constexpr int kBarsPerSet = 8;
constexpr int kOnOffPerSet = 12;

struct SpecialChar {
    wchar_t ch;
    BYTE code;
};
constexpr SpecialChar kSpecials[] = {
    {0x20AC, 14}, {0x2109, 15}, {0x25BA, 16}, {0x25C4, 17}, {0x25BC, 18},
    {0x25B2, 19}, {0x00B1, 20}, {0x2103, 21}, {0x2551, 22}, {0x25A0, 23},
};

int SpecialCode(wchar_t ch)
{
    for (const SpecialChar& s : kSpecials)
        if (s.ch == ch)
            return s.code;
    return -1;
}

wchar_t SpecialChar(unsigned code)
{
    for (const auto& s : kSpecials)
        if (s.code == code)
            return s.ch;
    return 0;
}

// Attribute code and code page of a text set's character set (0 SC, 1 TC, 2 others).
void CharSetOf(int nSet, BYTE* pCode, UINT* pCodePage)
{
    switch (nSet) {
    case 0: *pCode = 0x61; *pCodePage = 936; break;
    case 1: *pCode = 0x51; *pCodePage = 950; break;
    default: *pCode = 0x01; *pCodePage = 0; break;
    }
}

// Variable-location pairs of the bar, scale-time, scope and pointer fields, by block type.
struct VarLocation {
    int nType;
    BYTE pairs[3][2];
};
constexpr BYTE N = 0xFF;
constexpr VarLocation kVarLocations[] = {
    {413, {{8, 0}, {14, 0}, {10, 0}}}, {800, {{10, 1}, {N, N}, {N, N}}},
    {801, {{8, 0}, {2, 1}, {N, N}}},   {802, {{10, 1}, {N, N}, {N, N}}},
    {815, {{6, 0}, {N, N}, {N, N}}},   {803, {{14, 0}, {16, 0}, {10, 0}}},
    {804, {{10, 0}, {N, N}, {N, N}}},  {805, {{10, 0}, {N, N}, {N, N}}},
    {806, {{8, 0}, {10, 0}, {N, N}}},  {807, {{10, 0}, {16, 0}, {N, N}}},
    {816, {{6, 0}, {N, N}, {N, N}}},   {817, {{8, 0}, {N, N}, {N, N}}},
    {818, {{6, 0}, {8, 0}, {N, N}}},   {819, {{4, 1}, {N, N}, {N, N}}},
    {820, {{8, 0}, {6, 0}, {N, N}}},   {821, {{8, 0}, {16, 0}, {18, 0}}},
    {822, {{14, 0}, {6, 0}, {N, N}}},  {823, {{16, 0}, {14, 0}, {N, N}}},
};

// The two location bytes of a block type's variable column; 0xFF 0xFF when it has none.
void VarLocationOf(int nType, int nColumn, BYTE* p)
{
    p[0] = p[1] = 0xFF;
    const bool single = (nType >= 832 && nType <= 846) || nType == 853 || (nType >= 862 && nType <= 879);
    if (single) {
        if (nColumn == 0) {
            p[0] = 6;
            p[1] = 0;
        }
        return;
    }
    if (nColumn < 0 || nColumn > 2)
        return;
    for (const VarLocation& v : kVarLocations)
        if (v.nType == nType) {
            p[0] = v.pairs[nColumn][0];
            p[1] = v.pairs[nColumn][1];
            return;
        }
}

// Variable column of a stored location pair; 0 when the type has no such pair.
int VarColumnOf(int nType, BYTE b0, BYTE b1)
{
    for (int column = 0; column < 3; ++column) {
        BYTE loc[2];
        VarLocationOf(nType, column, loc);
        if (loc[0] == b0 && loc[1] == b1 && loc[0] != 0xFF)
            return column;
    }
    return 0;
}

CString& Cell(CBlockMSGTEXT* b, int nSet, int nLine, int nCol)
{
    CString* cells = nSet == 0 ? b->m_astrCells1 : b->m_astrCells2;
    return cells[CBlockMSGTEXT::CellIndex(nLine, nCol)];
}

CObArray& Line(CBlockMSGTEXT* b, int nSet, int nLine)
{
    return nSet == 0 ? b->m_aLines1[nLine - 1] : b->m_aLines2[nLine - 1];
}

// Writes bytes of a line record without passing its end.
struct RecordWriter {
    BYTE* rec;
    int p;
    void Put(int off, unsigned v)
    {
        if (p + off >= 0 && p + off < kLineRecord)
            rec[p + off] = BYTE(v & 0xFF);
    }
    void Put16(int off, unsigned v)
    {
        Put(off, v);
        Put(off + 1, v >> 8);
    }
};

} // namespace

// ---- older families ----

void CTavixCoreRule::EncodeMessageTextOld(CBlockMSGTEXT* pBlock, int nCPos)
{
    BYTE* c = SectionPtr("C");
    if (c == nullptr || nCPos < 0 || nCPos + 64 > FindImageSection("C")->wSize) {
        Fail(L"Too many message texts for the device.");
        return;
    }
    BYTE* text = c + nCPos;
    for (int line = 1; line <= 4; ++line) {
        BYTE* rec = text + kOldLineBytes * (line - 1);
        BYTE chars[kOldCells];
        for (int col = 1; col <= kOldCells; ++col) {
            const CString& s = Cell(pBlock, 0, line, col);
            chars[col - 1] = (s.IsEmpty() || s == L" ") ? kLcdSpace : LcdCodeOf(s[0]);
        }
        CObArray& fields = Line(pBlock, 0, line);
        const CWidget* f = fields.GetSize() > 0 ? static_cast<const CWidget*>(fields.GetAt(0)) : nullptr;
        if (f == nullptr) {
            rec[0] = 1;
            for (int i = 0; i < kOldCells; ++i)
                rec[2 + i] = chars[i];
            continue;
        }
        int kind = 2;
        switch (f->m_nItem) {
        case 34: kind = 3; break;
        case 1: kind = 4; break;
        case 2: kind = 5; break;
        case 3: kind = 6; break;
        case -1: kind = 1; break;
        default: break;
        }
        // Items 1, 2, 3 and 34 of another message text are that block's values, not this
        // text's own: they travel as a block value like any other.
        const bool other = (f->m_pBlock != nullptr && f->m_pBlock != pBlock) ||
                           (f->m_pBlock == nullptr && f->m_nNumber >= kFirstBlockNumber &&
                            f->m_nNumber != pBlock->m_nNumber);
        if (kind >= 3 && other)
            kind = 2;
        rec[0] = BYTE(kind);
        rec[1] = BYTE(f->m_nCol - 1);
        if (kind == 1)
            continue;
        int at = 2;
        if (kind == 2) {
            const CBlockObj* pRef = f->m_pBlock ? f->m_pBlock : m_pDoc->FindBlockByNumber(f->m_nNumber);
            const int number = pRef ? pRef->m_nNumber : f->m_nNumber;
            PutU16(rec + 2, unsigned(number - kFirstBlockNumber));
            WORD opcode = 0;
            if (pRef != nullptr)
                OpcodeTables::LookUpOpcode(pRef->m_nType, &opcode);
            rec[4] = BYTE(opcode >> 8);
            rec[5] = BYTE(f->m_nType + (dynamic_cast<const CBlockRG*>(pRef) != nullptr ? 1 : 0));
            at = 7;
        } else if (kind >= 5) {
            at = 2 + std::max(0, f->m_nWidth);
        }
        // The characters outside the field, in order; never past the line's 16 bytes.
        for (int col = 1; col <= kOldCells && at < kOldLineBytes; ++col)
            if (col < f->m_nCol || col >= f->m_nCol + f->m_nWidth)
                rec[at++] = chars[col - 1];
    }
}

void CTavixCoreRule::DecodeMessageText(CBlockMSGTEXT* pBlock, int nText)
{
    const BYTE* c = SectionPtr("C");
    const int pos = 64 * (nText - 1);
    if (c == nullptr || nText < 1 || pos + 64 > FindImageSection("C")->wSize)
        return;
    for (int line = 1; line <= 4; ++line) {
        const BYTE* rec = c + pos + kOldLineBytes * (line - 1);
        const int kind = rec[0];
        auto putChar = [&](int col, BYTE code) {
            const wchar_t ch = LcdCharOf(code);
            Cell(pBlock, 0, line, col) = (ch == 0 || ch == L' ') ? CString() : CString(ch);
        };
        if (kind == 1) {
            if (rec[1] == 0)
                for (int col = 1; col <= kOldCells; ++col)
                    putChar(col, rec[2 + col - 1]);
            continue;
        }
        if (kind < 2 || kind > 6)
            continue;
        CWidget* f = new CWidget();
        f->m_nRow = line;
        f->m_nCol = rec[1] + 1;
        static const int kItems[7] = {0, 0, 0, 34, 1, 2, 3};
        f->m_nItem = kItems[kind];
        int at = 2;
        if (kind == 2) {
            f->m_nNumber = kFirstBlockNumber + int(GetU16(rec + 2));
            const int type = OpcodeTables::TypeOfKey(OpcodeTables::KeyOfOpcode(rec[4], 0));
            f->m_nType = rec[5] - (type == 407 ? 1 : 0);
            f->m_crColor = 0x808080;
            at = 7;
            // The width is not stored: the field is as wide as the table says for the item at
            // its position. A record holding more characters than that leaves room for was
            // written from a narrower field; its characters end at the first 0 and say the width.
            int count = 0;
            while (at + count < kOldLineBytes && rec[at + count] != 0)
                ++count;
            const CBlockObj* pShown = FindDecoded(f->m_nNumber);
            ApplyFieldParams(f, pShown ? pShown->m_nType : type, m_pDoc->GetMachineType());
            if (f->m_nItem < 0)
                f->m_nItem = 0;  // still a value field when the table does not know the position
            if (f->m_nWidth < 1 || count > kOldCells - f->m_nWidth)
                f->m_nWidth = kOldCells - count;
        } else {
            f->m_nNumber = pBlock->m_nNumber;
            f->m_nWidth = CWidget::GetDefaultWidth(f->m_nItem);
            f->m_strText = ParamCaption(f->m_nItem);
            if (kind >= 5)
                at = 2 + f->m_nWidth;
        }
        if (f->m_nWidth < 1 || f->m_nWidth > kOldCells)
            f->m_nWidth = 1;
        f->m_pBlock = FindDecoded(f->m_nNumber);
        if (f->m_pBlock == nullptr)
            pBlock->m_bSelected = TRUE;  // resolved once every block is decoded
        for (int col = 1; col <= kOldCells && at < kOldLineBytes; ++col)
            if (col < f->m_nCol || col >= f->m_nCol + f->m_nWidth)
                putChar(col, rec[at++]);
        Line(pBlock, 0, line).Add(f);
    }
}

// ---- newer families ----

void CTavixCoreRule::EncodeMessageTextNew(CBlockMSGTEXT* pBlock)
{
    const int ordinal = m_nMsgTextOrdinal;
    if (ordinal < 0 || ordinal >= m_nMsgTextCount ||
        m_msgText.size() < size_t(ordinal + 1) * kMsgTextRecordSize) {
        Fail(L"More message texts than the message-text memory was prepared for.");
        return;
    }
    BYTE* rec = m_msgText.data() + size_t(ordinal) * kMsgTextRecordSize;
    for (int set = 0; set < 2; ++set) {
        BYTE code = 0;
        UINT codePage = 0;
        CharSetOf(set == 0 ? m_pDoc->m_nTextSet1 : m_pDoc->m_nTextSet2, &code, &codePage);
        for (int line = 1; line <= 4; ++line) {
            BYTE* attr = rec + set * kSetLines + (line - 1) * kLineRecord;
            BYTE* data = rec + kCharsAt + set * kSetChars + (line - 1) * kCells * 2;
            for (int cell = 1; cell <= kCells; ++cell) {
                const CString& s = Cell(pBlock, set, line, cell);
                const wchar_t ch = s.IsEmpty() ? L' ' : s[0];
                const int special = SpecialCode(ch);
                BYTE* d = data + 2 * (cell - 1);
                if (code == 0x01 || ch < 0x80 || special >= 0) {
                    attr[cell - 1] = 1;
                    PutU16(d, special >= 0 ? unsigned(special) : (ch > 0xFFFF ? unsigned('?') : unsigned(ch)));
                    continue;
                }
                char mb[4] = {};
                const int n = WideCharToMultiByte(codePage, 0, &ch, 1, mb, 4, nullptr, nullptr);
                if (n != 2 || cell == kCells) {
                    // Not a double-byte character of the set, or no cell left for its second
                    // half on this line: the cell shows a question mark.
                    attr[cell - 1] = 1;
                    PutU16(d, unsigned('?'));
                    continue;
                }
                attr[cell - 1] = code;
                d[0] = BYTE(mb[1]);  // trail, then lead
                d[1] = BYTE(mb[0]);
                ++cell;  // the next cell holds the second half
                PutU16(d + 2, 0x20);
            }
            attr[28] = BYTE(pBlock->m_bTickerLine[(line - 1) * 2 + set]);
            if (line == 1) {
                attr[27] = BYTE(set == 0 ? pBlock->m_nTickerMode1 : pBlock->m_nTickerMode2);
                if (set == 0) {
                    attr[29] = BYTE(pBlock->m_bSet1Enabled);
                    attr[30] = BYTE(pBlock->m_bSet2Enabled);
                }
            }
        }
    }
    EncodeMessageFields(pBlock, 0);
    EncodeMessageFields(pBlock, 1);
}

void CTavixCoreRule::EncodeMessageFields(CBlockMSGTEXT* pBlock, int nSet)
{
    const int ordinal = m_nMsgTextOrdinal;
    if (ordinal < 0 || m_msgText.size() < size_t(ordinal + 1) * kMsgTextRecordSize)
        return;
    BYTE* rec = m_msgText.data() + size_t(ordinal) * kMsgTextRecordSize;
    int bars = 0, scopes = 0, pointers = 0, onOffs = 0;
    for (int line = 1; line <= 4; ++line) {
        CObArray& fields = Line(pBlock, nSet, line);
        for (int i = 0; i < fields.GetSize(); ++i) {
            const CWidget* f = static_cast<const CWidget*>(fields.GetAt(i));
            if (f == nullptr || f->m_nCol < 1 || f->m_nCol > kCells)
                continue;
            BYTE* lineRec = rec + nSet * kSetLines + (line - 1) * kLineRecord;
            RecordWriter w{lineRec, f->m_nCol - 1};
            const CBlockObj* pRef = f->m_pBlock;
            if (pRef == nullptr && f->m_nNumber > 0)
                pRef = m_pDoc->FindBlockByNumber(f->m_nNumber);
            const int number = pRef ? pRef->m_nNumber : f->m_nNumber;
            int ioType = pRef ? pRef->m_nType : 0;
            if (pRef == nullptr && number >= NUM_ANALOG_IN && number < NUM_ANALOG_OUT)
                ioType = TYPE_ANALOG_IN;
            else if (pRef == nullptr && number >= NUM_ANALOG_FLAG && number < NUM_OPEN_X)
                ioType = TYPE_ANALOG_FLAG;
            BYTE loc[2];
            VarLocationOf(pRef ? pRef->m_nType : -1, f->m_nValueIndex, loc);
            // Fields that span rows write one row record per line, never past line 4.
            auto rowWriter = [&](int row) {
                return RecordWriter{rec + nSet * kSetLines + (line - 1 + row) * kLineRecord, f->m_nCol - 1};
            };
            if (f->m_nType == widgetGraph && pRef == nullptr) {
                for (int row = 0; row < 4 && line + row <= 4; ++row) {
                    RecordWriter r = rowWriter(row);
                    r.Put(0, 0xDD);
                    r.Put(1, unsigned(row));
                    r.Put(2, unsigned(f->m_nSetting));
                }
            } else if (pRef == pBlock && f->m_nType != widgetOnOff) {
                const int item = f->m_nItem;
                w.Put(0, item == 1 ? 4u : item == 2 ? 5u : item == 3 ? 6u : item == 34 ? 3u : 0u);
            } else if (f->m_nType >= 0 && ioType == TYPE_ANALOG_IN) {
                // Analog values are named by their number, whether or not the element is in
                // the diagram.
                w.Put(0, 7);
                w.Put16(2, 0x8000u | unsigned((number - NUM_ANALOG_IN) & 0x0FFF));
            } else if (f->m_nType >= 0 && ioType == TYPE_ANALOG_FLAG) {
                w.Put(0, 14);
                w.Put16(1, 0xA000u | unsigned((number - NUM_ANALOG_FLAG) & 0x0FFF));
            } else if (f->m_nType == widgetBar) {
                if (bars >= kBarsPerSet) {
                    m_warnings.Add(L"A message text has more bars than the device shows; the extra ones were left out.");
                    continue;
                }
                w.Put(0, 0xA9);
                w.Put(1, unsigned(bars * kBarRecord));
                BYTE* bar = rec + kBarsAt + nSet * kBarsPerSet * kBarRecord + bars * kBarRecord;
                PutU16(bar, unsigned(number - kFirstBlockNumber));
                bar[2] = loc[0];
                bar[3] = loc[1];
                PutU16(bar + 4, unsigned(f->m_nMaxValue));
                PutU16(bar + 6, unsigned(f->m_nMinValue));
                bar[8] = 0;
                bar[9] = BYTE(f->m_nWidth - 1);
                ++bars;
            } else if (f->m_nType == widgetScaleTime) {
                w.Put(0, 10);
                w.Put16(2, unsigned(number - kFirstBlockNumber));
                w.Put(4, loc[0]);
                w.Put(5, loc[1]);
                w.Put(6, unsigned(f->m_nSetting));
            } else if (f->m_nType == widgetOnOff) {
                if (onOffs >= kOnOffPerSet) {
                    m_warnings.Add(L"A message text has more ON/OFF fields than the device shows; the extra ones were left out.");
                    continue;
                }
                WORD op = 0;
                if (pRef != nullptr)
                    EncodeOperand(&op, pRef, FALSE);
                w.Put(0, 8);
                w.Put(1, unsigned(onOffs));
                w.Put16(2, op);
                BYTE* names = rec + kOnOffAt + nSet * kOnOffPerSet * 16 + onOffs * 16;
                for (int k = 0; k < 8; ++k) {
                    const CString& on = f->m_strStatusName[1 * CWidget::nameCols + 1 + k];
                    const CString& off = f->m_strStatusName[2 * CWidget::nameCols + 1 + k];
                    names[k] = on.IsEmpty() ? BYTE(' ') : BYTE(on[0] & 0xFF);
                    names[8 + k] = off.IsEmpty() ? BYTE(' ') : BYTE(off[0] & 0xFF);
                }
                ++onOffs;
            } else if (f->m_nType == widgetScope || f->m_nType == widgetPointer) {
                const bool scope = f->m_nType == widgetScope;
                const int n = scope ? scopes++ : pointers++;
                for (int row = 0; row < 3 && line + row <= 4; ++row) {
                    RecordWriter r = rowWriter(row);
                    r.Put(0, unsigned((scope ? 0x0B : 0x0C) + 16 * row));
                    r.Put(1, unsigned(n));
                    r.Put16(2, unsigned(number - kFirstBlockNumber));
                    r.Put(4, loc[0]);
                    r.Put(5, loc[1]);
                    r.Put16(6, unsigned(f->m_nMaxValue));
                    r.Put16(8, unsigned(f->m_nMinValue));
                    if (scope)
                        r.Put16(10, unsigned(m_pDoc->m_nAnalogFilter));
                }
            } else if (f->m_nType >= 0 && pRef != nullptr) {
                WORD opcode = 0;
                OpcodeTables::LookUpOpcode(pRef->m_nType, &opcode);
                w.Put(0, 2);
                w.Put(1, opcode >> 8);
                w.Put16(2, unsigned((number - kFirstBlockNumber) & 0x0FFF) | (unsigned(f->m_nType & 0xF) << 12));
            }
        }
    }
}

void CTavixCoreRule::DecodeMessageTextNew(CBlockMSGTEXT* pBlock, int nText)
{
    if (nText < 1 || m_msgText.size() < size_t(nText) * kMsgTextRecordSize)
        return;
    const BYTE* rec = m_msgText.data() + size_t(nText - 1) * kMsgTextRecordSize;
    for (int set = 0; set < 2; ++set)
        for (int line = 1; line <= 4; ++line) {
            const BYTE* attr = rec + set * kSetLines + (line - 1) * kLineRecord;
            const BYTE* data = rec + kCharsAt + set * kSetChars + (line - 1) * kCells * 2;
            for (int cell = 1; cell <= kCells; ++cell) {
                const BYTE a = attr[cell - 1];
                const unsigned word = GetU16(data + 2 * (cell - 1));
                CString& out = Cell(pBlock, set, line, cell);
                out.Empty();
                if ((a == 0x61 || a == 0x51) && cell < kCells) {
                    const char mb[2] = {char(word >> 8), char(word & 0xFF)};
                    wchar_t wide[2] = {};
                    if (MultiByteToWideChar(a == 0x61 ? 936 : 950, 0, mb, 2, wide, 2) == 1)
                        out = CString(wide[0]);
                    ++cell;  // the second half
                    Cell(pBlock, set, line, cell).Empty();
                    continue;
                }
                if (a == 0xFF)
                    continue;  // second half of a double-byte character
                const wchar_t special = SpecialChar(word);
                const wchar_t ch = special ? special : wchar_t(word);
                if (ch != L' ' && ch != 0 && word != 0xFFFF)
                    out = CString(ch);
            }
            pBlock->m_bTickerLine[(line - 1) * 2 + set] = attr[28];
            if (line == 1) {
                (set == 0 ? pBlock->m_nTickerMode1 : pBlock->m_nTickerMode2) = attr[27];
                if (set == 0) {
                    pBlock->m_bSet1Enabled = attr[29];
                    pBlock->m_bSet2Enabled = attr[30];
                }
            }
        }
    DecodeMessageFields(pBlock, nText, 0);
    DecodeMessageFields(pBlock, nText, 1);
}

void CTavixCoreRule::DecodeMessageFields(CBlockMSGTEXT* pBlock, int nText, int nSet)
{
    if (nText < 1 || m_msgText.size() < size_t(nText) * kMsgTextRecordSize)
        return;
    const BYTE* rec = m_msgText.data() + size_t(nText - 1) * kMsgTextRecordSize;
    bool graphMade = false;
    for (int line = 1; line <= 4; ++line) {
        const BYTE* lr = rec + nSet * kSetLines + (line - 1) * kLineRecord;
        for (int p = 0; p < kCells;) {
            const BYTE code = lr[p];
            auto at = [&](int off) -> unsigned { return p + off < kLineRecord ? lr[p + off] : 0xFFu; };
            auto at16 = [&](int off) { return at(off) | (at(off + 1) << 8); };
            CWidget* f = nullptr;
            int skip = 1;
            int typeHint = -1;               // the block type the record names, if any
            BYTE loc[2] = {0xFF, 0xFF};      // variable location of a gauge field
            auto make = [&](int type, int number, COLORREF colour) {
                f = new CWidget();
                f->m_nRow = line;
                f->m_nCol = p + 1;
                f->m_nType = type;
                f->m_nNumber = number;
                f->m_crColor = colour;
            };
            switch (code) {
            case 2:
                make(int(at16(2) >> 12), kFirstBlockNumber + int(at16(2) & 0x0FFF), 0x808080);
                typeHint = OpcodeTables::TypeOfKey(OpcodeTables::KeyOfOpcode(BYTE(at(1)), 0));
                skip = 4;
                break;
            case 3: case 4: case 5: case 6: {
                static const int kItems[4] = {34, 1, 2, 3};
                make(0, pBlock->m_nNumber, 0x808080);
                f->m_nItem = kItems[code - 3];
                f->m_nWidth = CWidget::GetDefaultWidth(f->m_nItem);
                break;
            }
            case 7: case 14: {
                CBlockObj probe;
                const unsigned op = code == 7 ? at16(2) : at16(1);
                const int type = SetIoLink(WORD(((op & 0xFF) << 8) | (op >> 8)), &probe, 0);
                make(0, type == -1 ? -1 : probe.m_nLink[0], 0x808080);
                typeHint = code == 7 ? TYPE_ANALOG_IN : TYPE_ANALOG_FLAG;
                skip = code == 7 ? 4 : 3;
                break;
            }
            case 8: {
                const unsigned op = at16(2);
                int number = -1;
                if ((op >> 12) == 7) {
                    number = kFirstBlockNumber + int(op & 0x3FF);
                } else {
                    CBlockObj probe;
                    if (SetIoLink(WORD(((op & 0xFF) << 8) | (op >> 8)), &probe, 0) != -1)
                        number = probe.m_nLink[0];
                }
                make(widgetOnOff, number, 0x808080);
                const int ordinal = int(at(1));
                if (ordinal < kOnOffPerSet) {
                    const BYTE* names = rec + kOnOffAt + nSet * kOnOffPerSet * 16 + ordinal * 16;
                    for (int k = 0; k < 8; ++k) {
                        f->m_strStatusName[CWidget::nameCols + 1 + k] = CString(wchar_t(names[k]));
                        f->m_strStatusName[2 * CWidget::nameCols + 1 + k] = CString(wchar_t(names[8 + k]));
                    }
                }
                skip = 4;
                break;
            }
            case 10:
                make(widgetScaleTime, kFirstBlockNumber + int(at16(2)), 0x808080);
                f->m_nSetting = int(at(6));
                loc[0] = BYTE(at(4));
                loc[1] = BYTE(at(5));
                skip = 7;
                break;
            case 0x0B: case 0x0C:
                make(code == 0x0B ? widgetScope : widgetPointer, kFirstBlockNumber + int(at16(2)), 0xFF8080);
                f->m_nMaxValue = short(at16(6));
                f->m_nMinValue = short(at16(8));
                loc[0] = BYTE(at(4));
                loc[1] = BYTE(at(5));
                skip = code == 0x0B ? 12 : 10;
                break;
            case 0x1B: case 0x2B: skip = 12; break;
            case 0x1C: case 0x2C: skip = 10; break;
            case 0xA9: {
                const int ordinal = int(at(1)) / kBarRecord;
                if (ordinal < kBarsPerSet) {
                    const BYTE* bar = rec + kBarsAt + nSet * kBarsPerSet * kBarRecord + ordinal * kBarRecord;
                    make(widgetBar, kFirstBlockNumber + int(GetU16(bar)), 0xFF8080);
                    f->m_nMaxValue = short(GetU16(bar + 4));
                    f->m_nMinValue = short(GetU16(bar + 6));
                    f->m_nWidth = bar[9] + 1;
                    loc[0] = bar[2];
                    loc[1] = bar[3];
                }
                skip = 2;
                break;
            }
            case 0xDD:
                if (!graphMade) {
                    make(widgetGraph, 0, 0xFF8080);
                    f->m_nSetting = int(at(2));
                    f->m_nWidth = 12;
                    f->m_rect = CRect(0, 0, 240, 148);
                    graphMade = true;
                }
                skip = 3;
                break;
            default:
                break;
            }
            if (f != nullptr) {
                const bool ownItem = code >= 3 && code <= 6;
                // Fields of I/O elements name them by number only.
                if (f->m_nType != widgetGraph && f->m_nNumber >= kFirstBlockNumber) {
                    f->m_pBlock = FindDecoded(f->m_nNumber);
                    if (f->m_pBlock == nullptr) {
                        pBlock->m_bSelected = TRUE;  // resolved once every block is decoded
                        if (!ownItem)
                            m_pendingFields.push_back({f, typeHint, {loc[0], loc[1]}});
                    }
                }
                if (ownItem) {
                    f->m_strText = ParamCaption(f->m_nItem);
                } else {
                    const CBlockObj* pShown = f->m_pBlock;
                    if (pShown == nullptr && f->m_nNumber >= 0 && f->m_nNumber < kFirstBlockNumber)
                        pShown = FindDecoded(f->m_nNumber);
                    CompleteDecodedField(f, pShown ? pShown->m_nType : typeHint, loc[0], loc[1]);
                }
                Line(pBlock, nSet, line).Add(f);
            }
            p += skip;
        }
    }
}

void CTavixCoreRule::CompleteDecodedField(CWidget* pField, int nType, BYTE b0, BYTE b1)
{
    if (pField == nullptr || m_pDoc == nullptr)
        return;
    const int kind = pField->m_nType;
    const bool gauge = kind == widgetBar || kind == widgetScaleTime || kind == widgetScope ||
                       kind == widgetPointer;
    if (gauge && nType >= 0)
        pField->m_nValueIndex = VarColumnOf(nType, b0, b1);
    ApplyFieldParams(pField, nType, m_pDoc->GetMachineType());
}
