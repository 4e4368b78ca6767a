// The compilation driver: buffers, the order of the element lists, instruction placement,
// operand words, output driver tables and input settings.
#include "image/TavixCoreRule.h"

#include "document/NameTables.h"
#include "document/TavixDoc.h"
#include "elements/BlockConnectors.h"
#include "elements/BlockIO.h"
#include "elements/BlockMSGTEXT.h"
#include "elements/BlockObj.h"
#include "elements/ConnectLineObj.h"
#include "image/LcdCharMap.h"
#include "image/OpcodeTables.h"

#include <algorithm>
#include <vector>

IMPLEMENT_DYNAMIC(CTavixCoreRule, CObject)

namespace {

// The function-block types that compile into an instruction.
bool IsCompiledFunctionType(int t)
{
    return (t >= 300 && t <= 307) || (t >= 400 && t <= 413) || (t >= 800 && t <= 827) ||
           (t >= 830 && t <= 856) || (t >= 860 && t <= 879);
}

struct OperandClass {
    int nType;
    int nCode;
    int nBase;
};

constexpr OperandClass kOperandClasses[] = {
    {600, 0x0, 100},  {601, 0x1, 1280}, {602, 0x2, 1000}, {603, 0x3, 1870},
    {604, 0x4, 2900}, {605, 0x5, 600},  {607, 0x6, 1316}, {608, 0x8, 4000},
    {609, 0x9, 4230}, {610, 0xA, 4288}, {611, 0xB, 1300},
};

void SortByNumber(std::vector<CBlockObj*>& list)
{
    std::stable_sort(list.begin(), list.end(), [](const CBlockObj* a, const CBlockObj* b) {
        return a->m_nNumber < b->m_nNumber;
    });
}

} // namespace

CTavixCoreRule::CTavixCoreRule() = default;

CTavixCoreRule::~CTavixCoreRule()
{
    m_rootList.RemoveAll();
}

void CTavixCoreRule::Fail(const CString& text)
{
    if (m_strError.IsEmpty())
        m_strError = text;
}

bool CTavixCoreRule::IsOldFamily() const
{
    return m_pDoc == nullptr || m_pDoc->GetMachineType() <= 0x50;
}

void CTavixCoreRule::SetCompileTime(const SYSTEMTIME& st)
{
    m_tmCompile = st;
    m_bHaveTime = true;
}

// ---- buffers ----

BOOL CTavixCoreRule::AllocImageBuffers(int nMode, int nMessageTextCount)
{
    if (nMode & modeClear) {
        m_area0Wire.assign(kClearImageSize, 0xFF);
        m_nJSize = kClearImageSize;
        return TRUE;
    }
    if (nMode & modeDownload) {
        if (m_pDoc == nullptr)
            return FALSE;
        m_nJSize = ComputeJSize(CompiledCodeSize());
    } else if (nMode & modeUpload) {
        // The size comes from the device's answer: it must be a J size the device can hold.
        if (m_nJSize < 0 || m_nJSize > kMaxJSize)
            return FALSE;
        InitParamNameTable();
    } else {
        return FALSE;
    }
    if (nMessageTextCount < 0 || nMessageTextCount > 64)
        return FALSE;

    m_area0.resize(kArea0Size);
    m_areaJ.resize(size_t(m_nJSize));
    m_area0Wire.resize(kArea0Size);
    m_areaJWire.resize(size_t(m_nJSize));
    FillArea(nMode, m_area0.data(), 0, 0xFF, kArea0Size);
    FillArea(nMode, m_areaJ.data(), 1, 0xFF, m_nJSize);
    FillArea(nMode, m_area0Wire.data(), 2, 0xFF, kArea0Size);
    FillArea(nMode, m_areaJWire.data(), 3, 0xFF, m_nJSize);

    m_nMsgTextCount = nMessageTextCount;
    const size_t msgBytes = size_t(nMessageTextCount) * kMsgTextRecordSize;
    m_msgText.assign(msgBytes, 0xFF);
    m_msgTextWire.assign(msgBytes, 0xFF);
    for (int t = 0; t < nMessageTextCount; ++t) {
        BYTE* rec = m_msgText.data() + size_t(t) * kMsgTextRecordSize;
        for (int line = 0; line < 8; ++line)
            rec[line * 32 + 28] = 0;
        for (int i = 256; i < 640; i += 2) {
            rec[i] = 0x20;
            rec[i + 1] = 0x00;
        }
    }
    m_nMsgTextOrdinal = 0;
    m_nFilterOrdinal = 0;
    m_nNamedCount = 0;
    return TRUE;
}

void CTavixCoreRule::FillArea(int nMode, BYTE* pBuffer, int nArea, BYTE fill, int nSize)
{
    if (pBuffer == nullptr || nSize <= 0)
        return;
    if (!(nMode & (modeDownload | modeUpload | modeClear)))
        return;
    std::fill(pBuffer, pBuffer + nSize, fill);
    if (!(nMode & modeDownload) || nArea != 0 || m_area0.size() < size_t(kArea0Size))
        return;
    // The object's area 0 starts a download with LC and PW at 0 and C at 0 except every 16th
    // byte.
    const ImageSection* lc = FindImageSection("LC");
    const ImageSection* c = FindImageSection("C");
    const ImageSection* pw = FindImageSection("PW");
    BYTE* area0 = m_area0.data();
    std::fill(area0 + lc->wOffset, area0 + lc->wOffset + lc->wSize, 0);
    for (int i = 0; i < c->wSize; ++i)
        area0[c->wOffset + i] = (i % 16 == 0) ? fill : 0;
    std::fill(area0 + pw->wOffset, area0 + pw->wOffset + pw->wSize, 0);
}

BYTE* CTavixCoreRule::SectionPtr(const char* pszName)
{
    const ImageSection* s = FindImageSection(pszName);
    if (s == nullptr)
        return nullptr;
    std::vector<BYTE>& area = s->nArea == 0 ? m_area0 : m_areaJ;
    const size_t need = s->nArea == 0 ? size_t(s->wOffset) + s->wSize : size_t(s->wOffset) + 1;
    if (area.size() < need)
        return nullptr;
    return area.data() + s->wOffset;
}

// ---- opcode words ----

void CTavixCoreRule::InitOpcodeTables()
{
    // The tables are constant data; nothing to build.
}

void CTavixCoreRule::GetOpcodeWord(WORD* pWord, const CBlockObj* pBlock) const
{
    const int t = pBlock->m_nType;
    WORD map = 0;
    if (!OpcodeTables::LookUpOpcode(t, &map))
        return;
    if ((t >= 300 && t <= 307) || t == 813 || t == 814 || (t >= 824 && t <= 827)) {
        *pWord = map;
        return;
    }
    if (t >= 600 && t <= 611) {
        WORD index = 0;
        if (t != 603 && t != 604 && OpcodeTables::LookUpIndexWord(t, pBlock->m_nOperand, &index))
            map = index;
        *pWord = map;
        return;
    }
    BYTE flags = 0;
    if (pBlock->m_bRetentive)
        SetFlagBit(&flags, 7);
    if (!pBlock->m_bProtected)
        SetFlagBit(&flags, 6);
    if (t == 847) {
        if (pBlock->m_bRef[0])
            SetFlagBit(&flags, 5);
    } else if (t >= 849 && t <= 852) {
        if (pBlock->m_bRef[1])
            SetFlagBit(&flags, 5);
        if (pBlock->m_bRef[0])
            SetFlagBit(&flags, 4);
    } else {
        for (int k = 0; k < 4; ++k)
            if (pBlock->m_bRef[k])
                SetFlagBit(&flags, 5 - k);
    }
    *pWord = WORD((map & 0xFF00) | flags);
}

// ---- the driver ----

BOOL CTavixCoreRule::CompileProgram()
{
    m_strError.Empty();
    if (m_pDoc == nullptr || m_area0.size() != size_t(kArea0Size) ||
        m_areaJ.size() != size_t(m_nJSize)) {
        Fail(L"The image buffers are not allocated.");
        return FALSE;
    }
    m_wCurrentOffset = 0;
    m_wNextOffset = 0;
    m_nMsgTextOrdinal = 0;
    m_wMsgTextOffsetC = 0;
    m_nFilterOrdinal = 0;
    m_nNamedCount = 0;

    std::vector<CBlockObj*> blocks, outputs, markers, openX, analog, inputs;
    for (POSITION pos = m_pDoc->m_blocks.GetHeadPosition(); pos != nullptr;) {
        CBlockObj* p = static_cast<CBlockObj*>(m_pDoc->m_blocks.GetNext(pos));
        const int t = p->m_nType;
        if (IsCompiledFunctionType(t))
            blocks.push_back(p);
        else if (t == 605)
            outputs.push_back(p);
        else if (t == 607)
            markers.push_back(p);
        else if (t == 606)
            openX.push_back(p);
        else if (t == 609 || t == 610)
            analog.push_back(p);
        else if (t == 600)
            inputs.push_back(p);
    }
    for (auto* list : {&blocks, &outputs, &markers, &openX, &inputs})
        SortByNumber(*list);
    // Analog outputs first, then analog markers, each in ascending number.
    std::stable_sort(analog.begin(), analog.end(), [](const CBlockObj* a, const CBlockObj* b) {
        if (a->m_nType != b->m_nType)
            return a->m_nType == 609;
        return a->m_nNumber < b->m_nNumber;
    });

    // The device names a block by its position: numbers must run densely from 9000.
    for (size_t i = 0; i < blocks.size(); ++i)
        if (blocks[i]->m_nNumber != kFirstBlockNumber + int(i)) {
            CString text;
            text.Format(L"Function block numbers are not continuous (B%03d).",
                        blocks[i]->m_nNumber - kFirstBlockNumber);
            Fail(text);
            return FALSE;
        }
    if (CompiledCodeSize() > m_nJSize) {
        Fail(L"The program is too large for the device.");
        return FALSE;
    }

    CBlockNumberIndex index(*m_pDoc);
    bool ok = true;
    for (auto* list : {&blocks, &outputs, &markers, &openX})
        for (CBlockObj* p : *list) {
            if (!ok)
                break;
            ok = CompileBlock(p, m_pDoc) > 0;
        }
    if (ok)
        for (CBlockObj* p : analog) {
            ok = CompileBlock(p, m_pDoc) > 0;
            if (!ok)
                break;
        }
    CompileSystemPart1(m_pDoc);
    if (ok)
        for (CBlockObj* p : inputs) {
            ok = CompileBlock(p, m_pDoc) > 0;
            if (!ok)
                break;
        }
    CompileSystemPart2();
    if (!m_strError.IsEmpty())
        ok = false;
    if (!ok)
        Fail(L"Internal error,Please notify the engineer!");
    return ok ? TRUE : FALSE;
}

int CTavixCoreRule::CompileBlock(CBlockObj* pBlock, CTavixDoc* pDoc)
{
    const int t = pBlock->m_nType;
    if ((t >= 300 && t <= 599) || (t >= 800 && t <= 899))
        return IsCompiledFunctionType(t) ? CompileFunctionBlock(pBlock, pDoc) : -1;
    switch (t) {
    case 605: case 606: case 607: case 609: case 610:
        return CompileOutputDriver(pBlock, pDoc);
    case 600:
        return CompileInputSettings(pBlock);
    default:
        return -1;
    }
}

void CTavixCoreRule::WriteName(const CBlockObj* pBlock)
{
    BYTE* a = SectionPtr("A");
    BYTE* b = SectionPtr("B");
    if (a == nullptr || b == nullptr)
        return;
    const int n = m_nNamedCount;
    PutU16(a + 2 * n, unsigned(pBlock->m_nNumber - kFirstBlockNumber));
    const bool old = IsOldFamily();
    const CString& name = pBlock->m_strName;
    for (int i = 0; i < 8; ++i) {
        BYTE code;
        if (i < name.GetLength())
            code = old ? LcdCodeOf(name[i]) : BYTE(name[i] & 0xFF);
        else
            code = old ? kLcdSpace : 0x20;
        b[8 * n + i] = code;
    }
    ++m_nNamedCount;
}

int CTavixCoreRule::CompileFunctionBlock(CBlockObj* pBlock, CTavixDoc* pDoc)
{
    if (pBlock->m_nNumber < kFirstBlockNumber || pBlock->m_nNumber > kLastBlockNumber) {
        Fail(L"Too many function blocks for the device.");
        return 0;
    }
    if (!pBlock->m_strName.IsEmpty()) {
        if (m_nNamedCount >= kMaxNamedBlocks) {
            Fail(L"The device holds at most 256 block names.");
            return 0;
        }
        WriteName(pBlock);
    }
    if (pBlock->m_nType == 810) {
        CBlockMSGTEXT* pText = dynamic_cast<CBlockMSGTEXT*>(pBlock);
        if (pText != nullptr) {
            if (IsOldFamily()) {
                m_wMsgTextOffsetC = WORD(m_nMsgTextOrdinal == 0 ? 0 : m_wMsgTextOffsetC + 64);
                EncodeMessageTextOld(pText, m_wMsgTextOffsetC);
            } else {
                EncodeMessageTextNew(pText);
            }
        }
        ++m_nMsgTextOrdinal;
    }
    m_wCurrentOffset = pBlock->m_nNumber == kFirstBlockNumber ? 0 : m_wNextOffset;
    SetCodeSize(pBlock);
    m_wNextOffset = WORD(m_wCurrentOffset + pBlock->m_nCodeSize);
    return EncodeInstruction(pBlock, pDoc);
}

int CTavixCoreRule::CompiledCodeSize() const
{
    // The document's sum, with the sizes that compiling gives the blocks whose instruction
    // length depends on the device family (a document not yet updated for its hardware).
    const bool old = IsOldFamily();
    int size = 0;
    for (POSITION pos = m_pDoc->m_blocks.GetHeadPosition(); pos != nullptr;) {
        const CBlockObj* p = static_cast<const CBlockObj*>(m_pDoc->m_blocks.GetNext(pos));
        if (CTavixDoc::GetBlockKind(p->m_nType) != KIND_FUNCTION)
            continue;
        switch (p->m_nType) {
        case 411: size += old ? 8 : 14; break;
        case 812: size += old ? 12 : 16; break;
        case 814: size += old ? 18 : 22; break;
        default: size += p->m_nCodeSize; break;
        }
    }
    return size;
}

void CTavixCoreRule::SetCodeSize(CBlockObj* pBlock)
{
    const bool old = IsOldFamily();
    switch (pBlock->m_nType) {
    case 411: pBlock->m_nCodeSize = old ? 8 : 14; break;
    case 812: pBlock->m_nCodeSize = old ? 12 : 16; break;
    case 814: pBlock->m_nCodeSize = old ? 18 : 22; break;
    default: break;
    }
}

int CTavixCoreRule::EncodeInstruction(CBlockObj* pBlock, CTavixDoc* /*pDoc*/)
{
    const int start = m_wCurrentOffset;
    const int end = start + pBlock->m_nCodeSize;
    if (pBlock->m_nCodeSize < 2 || end > m_nJSize) {
        Fail(L"The program is too large for the device.");
        return 0;
    }
    WORD opcode = 0xFFFF;
    GetOpcodeWord(&opcode, pBlock);
    m_areaJ[size_t(start)] = BYTE(opcode >> 8);
    m_areaJ[size_t(start) + 1] = BYTE(opcode & 0xFF);

    InstrWriter w;
    w.p = m_areaJ.data();
    w.pos = start + 2;
    w.end = end;
    const int t = pBlock->m_nType;
    if ((t >= 300 && t <= 307) || t == 830 || t == 831 || t == 832 || t == 833 || t == 860 ||
        t == 861 || t == 853)
        EncodeLogicFamily(pBlock, w);
    else if (t >= 400 && t <= 409)
        EncodeTimerBlock(pBlock, w);
    else if (t == 410)
        EncodeWeeklyTimer(pBlock, w);
    else if (t == 411)
        EncodeYearlyTimer(pBlock, w);
    else if (t == 412)
        EncodeAstroClock(pBlock, w);
    else if (t == 413)
        EncodeStopwatch(pBlock, w);
    else if (t == 800)
        EncodeCounter(pBlock, w);
    else if (t == 801)
        EncodeHoursCounter(pBlock, w);
    else if (t == 802)
        EncodeThresholdTrigger(pBlock, w);
    else if (t == 815 || t == 816)
        EncodeAnalogMuxMath(pBlock, w);
    else if (t == 820)
        EncodeAnalogFilter(pBlock, w);
    else if (t == 822)
        EncodeAverageValue(pBlock, w);
    else if (t == 821)
        EncodeMaxMin(pBlock, w);
    else if (t == 806)
        EncodeAnalogWatchdog(pBlock, w);
    else if (t == 817)
        EncodeAnalogRamp(pBlock, w);
    else if (t == 818)
        EncodePiController(pBlock, w);
    else if (t == 819)
        EncodePwm(pBlock, w);
    else if (t == 803 || t == 804 || t == 805 || t == 807)
        EncodeAnalogBlock(pBlock, w);
    else if (t == 808 || t == 809 || t == 812)
        EncodeRelayBlock(pBlock, w);
    else if (t == 823)
        EncodeMathError(pBlock, w);
    else if (t == 810)
        EncodeMessageTextBlock(pBlock, w);
    else if (t == 813 || t == 814)
        EncodeModbusBlock(pBlock, w);
    else if (t == 855)
        EncodeUdcBlock(pBlock, w);
    else if (t == 879)
        EncodeQuadBlock(pBlock, w);
    else if (t == 848)
        EncodeEncoderBlock(pBlock, w);
    else if (t >= 824 && t <= 827)
        EncodeWifiBlock(pBlock, w);
    else if (t >= 834 && t <= 879)
        EncodeWordMathBlock(pBlock, w);
    // Type 811 carries its opcode word only.

    if (w.overflow) {
        CString text;
        text.Format(L"Block B%03d does not fit its instruction size.",
                    pBlock->m_nNumber - kFirstBlockNumber);
        Fail(text);
        return 0;
    }
    return m_strError.IsEmpty() ? 1 : 0;
}

// ---- operands ----

void CTavixCoreRule::EncodeOperand(WORD* pWord, const CBlockObj* pSource, BOOL bNegated) const
{
    WORD w = 0;
    const int t = pSource->m_nType;
    bool found = false;
    if (IsCompiledFunctionType(t)) {
        w = WORD(((pSource->m_nNumber - kFirstBlockNumber) & 0x0FFF) | 0x7000);
        found = true;
    }
    for (const OperandClass& c : kOperandClasses)
        if (!found && c.nType == t) {
            w = WORD(((pSource->m_nNumber - c.nBase) & 0x0FFF) | (c.nCode << 12));
            found = true;
        }
    if (!found)
        w = WORD(pSource->m_nNumber);
    if (bNegated)
        w = WORD(w | 0x0400);
    *pWord = w;
}

const CBlockObj* CTavixCoreRule::FindOperandSource(const CBlockObj* pBlock, int nLink) const
{
    (void)pBlock;
    // 52-75 in an input slot are slot codes; inputs I0 and I1 (100, 101) are real sources.
    if (nLink <= 0 || IsLinkCode(nLink))
        return nullptr;
    const CBlockObj* pSource = m_pDoc->FindBlockByNumber(nLink);
    if (pSource == nullptr)
        return nullptr;
    if (pSource->m_nType == TYPE_MALE || pSource->m_nType == TYPE_FEMALE) {
        // A page connector stands for the wire it cuts: follow it to the pair's source.
        const int partner = pSource->m_nType == TYPE_MALE ? nLink + kConnectorPartnerOffset
                                                          : nLink - kConnectorPartnerOffset;
        CBlockObj* pPartner = m_pDoc->FindBlockByNumber(partner);
        CConnectLineObj* pWire = pPartner ? m_pDoc->FindWireOnConnector(pPartner) : nullptr;
        pSource = pWire ? pWire->m_pStartBlock : nullptr;
    }
    return pSource;
}

void CTavixCoreRule::WriteOperand(InstrWriter& w, CBlockObj* pBlock, int nPin)
{
    const CBlockObj* pSource = FindOperandSource(pBlock, pBlock->m_nLink[nPin]);
    if (pSource == nullptr) {
        // An open input (also one whose source cannot be found) is no operand.
        if (pBlock->m_bNegate[nPin]) {
            w.Byte(0x00);
            w.Byte(0xF4);
        } else {
            w.Keep(2);
        }
        return;
    }
    WORD word = 0;
    EncodeOperand(&word, pSource, pBlock->m_bNegate[nPin]);
    w.U16(word);
}

// ---- output driver tables and input settings ----

int CTavixCoreRule::CompileOutputDriver(CBlockObj* pBlock, CTavixDoc* /*pDoc*/)
{
    const char* name = nullptr;
    switch (pBlock->m_nType) {
    case 605: name = "E"; break;
    case 606: name = "H"; break;
    case 607: name = "F"; break;
    case 609: name = "G1"; break;
    case 610: name = "G2"; break;
    default: return -1;
    }
    const ImageSection* s = FindImageSection(name);
    BYTE* p = SectionPtr(name);
    const int entry = pBlock->m_nOperand;
    if (p == nullptr || entry < 0 || entry >= s->wSize / 2) {
        CString text;
        text.Format(L"Element %d lies outside the device's range.", pBlock->m_nNumber);
        Fail(text);
        return 0;
    }
    const CBlockObj* pSource = FindOperandSource(pBlock, pBlock->m_nLink[0]);
    if (pSource != nullptr) {
        WORD word = 0;
        EncodeOperand(&word, pSource, FALSE);
        PutU16(p + 2 * entry, word);
    }
    return 1;
}

int CTavixCoreRule::CompileInputSettings(CBlockObj* pBlock)
{
    const CBlockIn* pIn = dynamic_cast<const CBlockIn*>(pBlock);
    BYTE* pw = SectionPtr("PW");
    const int index = pBlock->m_nNumber - NUM_INPUT;
    if (pw == nullptr || index < 0 || index >= 256) {
        Fail(L"An input lies outside the device's range.");
        return 0;
    }
    const int value = pIn != nullptr ? pIn->m_bHighSpeed : 0;
    if (value != 0)
        pw[index] = BYTE(value & 0xFF);
    return 1;
}

void CTavixCoreRule::InsertByNumber(CObList& list, CBlockObj* pBlock)
{
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) {
        POSITION at = pos;
        const CBlockObj* p = static_cast<const CBlockObj*>(list.GetNext(pos));
        if (p->m_nNumber > pBlock->m_nNumber) {
            list.InsertBefore(at, pBlock);
            return;
        }
    }
    list.AddTail(pBlock);
}

// ---- the transfer engine's finishing steps ----

void CTavixCoreRule::FinishImage()
{
    if (m_area0.size() != size_t(kArea0Size) || m_areaJ.size() != size_t(m_nJSize))
        return;
    BYTE* lc = m_area0.data();
    PutU32(lc + kLcChecksum, ComputeImageChecksum(m_area0.data(), m_areaJ.data(), m_nJSize));
    if (!IsOldFamily()) {
        const int bytes = int(m_msgText.size());
        PutU16(lc + kLcMsgTextWords, unsigned(bytes / 2));
        PutU32(lc + kLcMsgTextSum, SumLittleEndianDwords(m_msgText.data(), bytes / 4));
        m_msgTextWire.resize(m_msgText.size());
        ExchangeWordBytes(m_msgText.data(), m_msgTextWire.data(), bytes);
    }
    m_area0Wire.resize(m_area0.size());
    m_areaJWire.resize(m_areaJ.size());
    ExchangeWordBytes(m_area0.data(), m_area0Wire.data(), kArea0Size);
    ExchangeWordBytes(m_areaJ.data(), m_areaJWire.data(), m_nJSize);
}
