// The upload road and the walk over the instruction area: each instruction becomes a function
// block with its number, name, flags and input links; inputs from I/O elements create those
// elements on first use. Every read stays inside area J and inside its instruction.
#include "image/TavixCoreRule.h"

#include "document/TavixDoc.h"
#include "elements/BlockDataLog.h"
#include "elements/BlockFactory.h"
#include "elements/BlockLogic.h"
#include "elements/BlockMSGTEXT.h"
#include "elements/BlockObj.h"
#include "image/LcdCharMap.h"
#include "image/OpcodeTables.h"
#include "msgtext/Widget.h"

namespace {

struct IoClass {
    int nType;
    int nBase;
};

// Operand classes 0-15 of an I/O operand word; type -1: no element.
constexpr IoClass kIoClasses[16] = {
    {600, 100}, {601, 1280}, {602, 1000}, {603, 1870}, {604, 2900}, {605, 600},
    {607, 1316}, {-1, 0},    {608, 4000}, {609, 4230}, {610, 4288}, {611, 1300},
    {-1, 0},    {-1, 0},     {-1, 0},     {-1, 0},
};

int IoBaseOfType(int nType)
{
    for (const IoClass& c : kIoClasses)
        if (c.nType == nType)
            return c.nBase;
    return nType == 606 ? 4800 : 0;
}

} // namespace

// ---- the upload road ----

BOOL CTavixCoreRule::DecodeImage()
{
    if (m_pDoc == nullptr || m_area0.size() != size_t(kArea0Size) ||
        m_areaJ.size() != size_t(m_nJSize)) {
        Fail(L"No uploaded image to decode.");
        return FALSE;
    }
    InitOpcodeTables();
    m_decodeIndex.clear();
    m_pendingFields.clear();
    for (POSITION pos = m_pDoc->m_blocks.GetHeadPosition(); pos != nullptr;) {
        CBlockObj* p = static_cast<CBlockObj*>(m_pDoc->m_blocks.GetNext(pos));
        m_decodeIndex.emplace(p->m_nNumber, p);
    }
    for (int table = 4; table <= 8; ++table)
        DecodeOutputTables(table);
    if (m_nJSize != 0 && !DecodeProgram()) {
        m_pendingFields.clear();  // the fields may go with the failed program
        return FALSE;
    }
    DecodeNameOrPassword(10);
    DecodeNameOrPassword(11);
    DecodeInputSettings();
    ResolveReferences();
    ResolveFieldBlocks();
    return TRUE;
}

// Fields of message texts decoded before the blocks they show get their block now, and with
// its type their item, caption and width. The text keeps its mark for the layout.
void CTavixCoreRule::ResolveFieldBlocks()
{
    for (const PendingField& p : m_pendingFields) {
        p.pField->m_pBlock = FindDecoded(p.pField->m_nNumber);
        const int type = p.pField->m_pBlock ? p.pField->m_pBlock->m_nType : p.nTypeHint;
        CompleteDecodedField(p.pField, type, p.loc[0], p.loc[1]);
    }
    m_pendingFields.clear();
    for (POSITION pos = m_pDoc->m_blocks.GetHeadPosition(); pos != nullptr;) {
        auto* text = dynamic_cast<CBlockMSGTEXT*>(static_cast<CObject*>(m_pDoc->m_blocks.GetNext(pos)));
        if (text == nullptr || !text->m_bSelected)
            continue;
        for (int line = 0; line < CBlockMSGTEXT::kLines; ++line)
            for (CObArray* fields : {&text->m_aLines1[line], &text->m_aLines2[line]})
                for (int i = 0; i < fields->GetSize(); ++i) {
                    auto* f = static_cast<CWidget*>(fields->GetAt(i));
                    if (f != nullptr && f->m_pBlock == nullptr && f->m_nType != widgetGraph &&
                        f->m_nNumber >= kFirstBlockNumber)
                        f->m_pBlock = FindDecoded(f->m_nNumber);
                }
    }
}

void CTavixCoreRule::AddDecoded(CBlockObj* pBlock)
{
    const int inputs = pBlock->m_nInputs;
    pBlock->m_nWidth = 25;
    pBlock->m_nHeight = inputs == 4 ? 40 : 36;
    m_pDoc->m_blocks.AddTail(pBlock);
    m_decodeIndex.emplace(pBlock->m_nNumber, pBlock);
}

CBlockObj* CTavixCoreRule::FindDecoded(int nNumber) const
{
    const auto it = m_decodeIndex.find(nNumber);
    return it == m_decodeIndex.end() ? nullptr : it->second;
}

CBlockObj* CTavixCoreRule::CreateIoElement(int nType, int nNumber)
{
    CBlockObj* p = NewBlockOfType(nType);
    if (p == nullptr)
        return nullptr;
    p->m_nNumber = nNumber;
    p->m_nOperand = nNumber - IoBaseOfType(nType);
    AddDecoded(p);
    return p;
}

// ---- the walk ----

BOOL CTavixCoreRule::DecodeProgram()
{
    if (m_pDoc == nullptr || m_areaJ.size() != size_t(m_nJSize)) {
        Fail(L"No uploaded program to decode.");
        return FALSE;
    }
    const BYTE* j = m_areaJ.data();
    const int end = m_nJSize;
    int pos = 0;
    m_nDecodedMsgTexts = 0;
    for (int index = 0;; ++index) {
        if (pos + 2 > end || (j[pos] == 0xFF && j[pos + 1] == 0xFF))
            break;
        if (index >= kMaxInstructions) {
            Fail(L"The uploaded program holds more instructions than the device can run.");
            return FALSE;
        }
        const BYTE b0 = j[pos];
        const BYTE b1 = j[pos + 1];
        const int type = OpcodeTables::TypeOfKey(OpcodeTables::KeyOfOpcode(b0, b1));
        if (type < 0) {
            CString text;
            text.Format(L"Unknown instruction 0x%02X%02X at byte %d of the uploaded program.",
                        b0, b1, pos);
            Fail(text);
            return FALSE;
        }
        const int size = DecodeInstruction(type, index, pos, b1);
        if (size <= 0)
            return FALSE;
        pos += size;
    }
    OpenDanglingLinks();
    return TRUE;
}

CBlockObj* CTavixCoreRule::NewDecodedBlock(int nType, int nIndex, BYTE flags)
{
    CBlockObj* b = NewBlockOfType(nType);
    if (b == nullptr)
        return nullptr;
    b->m_nNumber = kFirstBlockNumber + nIndex;
    LookUpBlockName(b, nIndex);
    ApplyFlagByte(b, flags);
    const bool old = IsOldFamily();
    if (nType == 411)
        b->m_nCodeSize = old ? 8 : 14;
    else if (nType == 812)
        b->m_nCodeSize = old ? 12 : 16;
    else if (nType == 814)
        b->m_nCodeSize = old ? 18 : 22;
    return b;
}

void CTavixCoreRule::ApplyFlagByte(CBlockObj* b, BYTE flags)
{
    const int t = b->m_nType;
    // The gates' second opcode byte and the Modbus and WiFi opcodes carry no flags.
    if ((t >= 300 && t <= 307) || t == 813 || t == 814 || (t >= 824 && t <= 827))
        return;
    b->m_bRetentive = IsFlagBitSet(flags, 7);
    b->m_bProtected = !IsFlagBitSet(flags, 6);
    if (t == 847) {
        b->m_bRef[0] = IsFlagBitSet(flags, 5);
    } else if (t >= 849 && t <= 852) {
        b->m_bRef[1] = IsFlagBitSet(flags, 5);
        b->m_bRef[0] = IsFlagBitSet(flags, 4);
    } else {
        for (int k = 0; k < 4; ++k)
            b->m_bRef[k] = IsFlagBitSet(flags, 5 - k);
    }
}

int CTavixCoreRule::DecodeInstruction(int nType, int nIndex, int nStart, BYTE flags)
{
    CBlockObj* b = NewDecodedBlock(nType, nIndex, flags);
    if (b == nullptr) {
        Fail(L"Out of memory while decoding the uploaded program.");
        return 0;
    }
    const int size = b->m_nCodeSize;
    if (size < 2 || nStart + size > m_nJSize) {
        CString text;
        if (size < 2)
            text.Format(L"The instruction at byte %d of the uploaded program cannot be decoded.",
                        nStart);
        else
            text.Format(L"The instruction at byte %d runs past the end of the uploaded program.",
                        nStart);
        Fail(text);
        delete b;
        return 0;
    }
    AddDecoded(b);
    InstrReader r;
    r.p = m_areaJ.data();
    r.start = nStart + 2;
    r.end = nStart + size;
    switch (nType) {
    case 410: DecodeWeeklyTimer(b, r); break;
    case 411: DecodeYearlyTimer(b, r); break;
    case 412: DecodeAstroClock(b, r); break;
    case 413: DecodeStopwatch(b, r); break;
    case 800: DecodeCounter(b, r); break;
    case 801: DecodeHoursCounter(b, r); break;
    case 802: DecodeThresholdTrigger(b, r); break;
    case 803: case 804: case 805: case 807: DecodeAnalogTrigger(b, r); break;
    case 806: DecodeAnalogWatchdog(b, r); break;
    case 808: case 809: case 812: DecodeRelay(b, r); break;
    case 810: DecodeMessageTextBlock(b, r, ++m_nDecodedMsgTexts); break;
    case 811: DecodeSoftKey(b, r); break;
    case 813: case 814: DecodeModbusBlock(b, r); break;
    case 815: case 816: DecodeMathInstruction(b, r); break;
    case 817: DecodeAnalogRamp(b, r); break;
    case 818: DecodePIController(b, r); break;
    case 819: DecodePWM(b, r); break;
    case 820: DecodeAnalogFilter(b, r); break;
    case 821: DecodeMaxMin(b, r); break;
    case 822: DecodeAverage(b, r); break;
    case 823: DecodeMathError(b, r); break;
    case 824: case 825: case 826: case 827: DecodeWifiBlock(b, r); break;
    case 847: DecodeMEM(b, r); break;
    case 848: DecodeEncoder(b, r); break;
    case 855: DecodeUDC(b, r); break;
    case 879: DecodeQuadratic(b, r); break;
    default: DecodeGenericBlock(b, r, flags); break;
    }
    if (r.bad) {
        CString text;
        text.Format(L"The instruction at byte %d of the uploaded program is damaged.", nStart);
        Fail(text);
        return 0;
    }
    return size;
}

// ---- names and operands ----

void CTavixCoreRule::LookUpBlockName(CBlockObj* pBlock, int nIndex)
{
    const BYTE* a = SectionPtr("A");
    const BYTE* b = SectionPtr("B");
    if (a == nullptr || b == nullptr)
        return;
    const int entries = FindImageSection("A")->wSize / 2;
    for (int pos = 0; pos < entries; ++pos) {
        const unsigned e = GetU16(a + 2 * pos);
        if (e == 0xFFFF || int(e) > nIndex)
            return;
        if (int(e) != nIndex)
            continue;
        const bool old = IsOldFamily();
        CString name;
        for (int i = 0; i < 8; ++i) {
            const BYTE code = b[8 * pos + i];
            if (code == 0)
                break;
            const wchar_t ch = old ? LcdCharOf(code) : wchar_t(code);
            if (ch == 0)
                break;
            name += ch;
        }
        name.TrimRight();
        pBlock->m_strName = name;
        return;
    }
}

int CTavixCoreRule::SetIoLink(WORD swapped, CBlockObj* pBlock, int nPin)
{
    const int b1 = swapped & 0xFF;
    const int b0 = swapped >> 8;
    const IoClass& c = kIoClasses[b1 >> 4];
    if (c.nType < 0)
        return -1;
    const int index = ((b1 & 3) << 8) | b0;
    pBlock->m_nLink[nPin] = (c.nType == 603 || c.nType == 604) ? c.nBase : c.nBase + index;
    return c.nType;
}

CBlockObj* CTavixCoreRule::DecodeIoOperand(BYTE b1, int nPin, CBlockObj* pBlock, WORD swapped)
{
    if (IsFlagBitSet(b1, 2))
        pBlock->m_bNegate[nPin] = TRUE;
    const int type = SetIoLink(swapped, pBlock, nPin);
    CBlockObj* pSource = nullptr;
    if (type != -1) {
        const int number = pBlock->m_nLink[nPin];
        pSource = FindDecoded(number);
        if (pSource == nullptr) {
            pSource = CreateIoElement(type, number);
            if (pSource != nullptr) {
                pSource->m_nLink[kOutputPin] = pBlock->m_nNumber;
                if (type == 605 || type == 607 || type == 609 || type == 610)
                    InsertByNumber(m_rootList, pSource);
            }
        }
    }
    if (pBlock->m_nIndex == -1)
        pBlock->m_nIndex = nPin;
    return pSource;
}

void CTavixCoreRule::DecodeOperand(InstrReader& r, int off, CBlockObj* b, int nPin)
{
    const BYTE b0 = r.B(off);
    const BYTE b1 = r.B(off + 1);
    if (b0 == 0xFF && b1 == 0xFF)
        return;
    if (b0 == 0x00 && b1 == 0xF4) {
        b->m_bNegate[nPin] = TRUE;
        return;
    }
    if ((b1 >> 4) == 7) {
        b->m_nLink[nPin] = kFirstBlockNumber + (((b1 & 3) << 8) | b0);
        if (IsFlagBitSet(b1, 2))
            b->m_bNegate[nPin] = TRUE;
        if (b->m_nIndex == -1)
            b->m_nIndex = nPin;
        return;
    }
    DecodeIoOperand(b1, nPin, b, WORD((b0 << 8) | b1));
}

void CTavixCoreRule::DecodeOperands(InstrReader& r, CBlockObj* b, int nCount)
{
    for (int i = 0; i < nCount; ++i)
        DecodeOperand(r, 2 * i, b, i);
}

// Links to function-block numbers that no instruction produced would dangle in the document.
void CTavixCoreRule::OpenDanglingLinks()
{
    for (POSITION pos = m_pDoc->m_blocks.GetHeadPosition(); pos != nullptr;) {
        CBlockObj* b = static_cast<CBlockObj*>(m_pDoc->m_blocks.GetNext(pos));
        for (int p = 0; p < kFirstOutputPin; ++p) {
            const int link = b->m_nLink[p];
            if (link >= kFirstBlockNumber && link <= kLastBlockNumber && FindDecoded(link) == nullptr) {
                b->m_nLink[p] = LINK_OPEN;
                CString text;
                text.Format(L"Element %d: input %d named the missing block B%03d and was opened.",
                            b->m_nNumber, p, link - kFirstBlockNumber);
                m_warnings.Add(text);
            }
        }
    }
}

void CTavixCoreRule::ResolveReferences()
{
    if (m_pDoc == nullptr)
        return;
    for (POSITION pos = m_pDoc->m_blocks.GetHeadPosition(); pos != nullptr;) {
        CBlockObj* b = static_cast<CBlockObj*>(m_pDoc->m_blocks.GetNext(pos));
        if (dynamic_cast<CBlockLogic*>(b) != nullptr)
            continue;
        const int kind = CTavixDoc::GetBlockKind(b->m_nType);
        if (kind == KIND_FUNCTION) {
            for (int k = 0; k < 4; ++k)
                if (b->m_bRef[k])
                    b->m_pRefBlock[k] = FindDecoded(b->m_nRefNumber[k]);
        } else if (kind == KIND_DATALOG) {
            CBlockDataLog* pLog = dynamic_cast<CBlockDataLog*>(b);
            if (pLog == nullptr)
                continue;
            for (int i = 0; i < pLog->m_aItems.GetSize(); ++i) {
                CDataLogItem& item = pLog->m_aItems[i];
                if (item.m_strOperand.GetLength() > 0 && item.m_strOperand[0] == L'B')
                    item.m_pBlock = FindDecoded(item.m_nOperand);
            }
        }
    }
}
