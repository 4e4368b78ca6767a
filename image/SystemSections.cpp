// The settings sections of area 0: written at download from the document's program settings
// and read back into a new document at upload, with the data log and the output driver tables.
#include "image/TavixCoreRule.h"

#include "document/NameTables.h"
#include "document/TavixDoc.h"
#include "elements/BlockDataLog.h"
#include "elements/BlockFactory.h"
#include "elements/BlockIO.h"
#include "elements/BlockObj.h"
#include "image/FieldParams.h"
#include "image/OpcodeTables.h"
#include "shell/MainFrame.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr int kPortWords = 11;
constexpr int kDataLogItemsAt = 16;

long Hundredths(double v)
{
    const double x = v * 100.0;
    return TruncateToInt(x + (x >= 0 ? 1e-7 : -1e-7));
}

// Class code and base of a logged element that is not a function block, by its number.
void DataLogClass(int number, int* pClass, int* pBase)
{
    static const int kRanges[][2] = {{4288, 10}, {4230, 9}, {4000, 8}, {1316, 6}, {600, 5},
                                     {100, 0}};
    for (const auto& r : kRanges)
        if (number >= r[0]) {
            *pClass = r[1];
            *pBase = r[0];
            return;
        }
    *pClass = 0;
    *pBase = number;  // below 100: class 0 and value 0
}

} // namespace

// ---- download ----

void CTavixCoreRule::CompileSystemPart1(CTavixDoc* pDoc)
{
    BYTE* k = SectionPtr("K");
    BYTE* l = SectionPtr("L");
    BYTE* ps = SectionPtr("PS");
    if (pDoc == nullptr || k == nullptr || l == nullptr || ps == nullptr)
        return;
    const CString& name = pDoc->m_strProgramName;
    for (int i = 0; i < name.GetLength() && i < 13; ++i)
        k[i] = BYTE(name[i] & 0xFF);
    const CString& password = pDoc->m_strPassword;
    for (int i = 0; i < password.GetLength() && i < 8; ++i)
        l[i] = BYTE(password[i] & 0xFF);
    const unsigned words = unsigned((kArea0Size + m_nJSize) / 2);
    PutU16(ps, words);
    PutU16(m_area0.data() + kLcTotalWords, words);
}

void CTavixCoreRule::CompileSystemPart2()
{
    CTavixDoc* pDoc = m_pDoc;
    if (pDoc == nullptr || m_area0.size() != size_t(kArea0Size))
        return;
    BYTE* cm = SectionPtr("CM");
    static const int kCarried[kPortWords] = {0, 1, 2, 3, 5, 6, 7, 8, 9, 10, 11};
    for (int p = 0; p < 3; ++p)
        for (int i = 0; i < kPortWords; ++i) {
            int v = pDoc->m_port[p][kCarried[i]];
            if (i == 0 && v == 2)
                v = 0;
            PutU16(cm + 2 * (p * kPortWords + i), unsigned(v));
        }
    PutU16(SectionPtr("PR"), unsigned(pDoc->m_bCopyProtect));
    BYTE* rd = SectionPtr("RD");
    PutU16(rd, unsigned(pDoc->m_nRedundancy));
    PutU32(rd + 2, (unsigned long)(unsigned)pDoc->m_nSyncTime);

    SYSTEMTIME st = m_tmCompile;
    if (!m_bHaveTime)
        GetLocalTime(&st);
    char text[40];
    std::snprintf(text, sizeof(text), "DL%04d%02d%02d%02d%02d%02d", int(st.wYear) % 10000,
                  int(st.wMonth) % 100, int(st.wDay) % 100, int(st.wHour) % 100,
                  int(st.wMinute) % 100, int(st.wSecond) % 100);
    BYTE* id = SectionPtr("ID");
    for (int i = 0; i < 8; ++i)  // the earlier character in the high byte of each word
        PutU16(id + 2 * i, (unsigned(BYTE(text[2 * i])) << 8) | BYTE(text[2 * i + 1]));

    PutU16(SectionPtr("HT"), unsigned(short(pDoc->m_nTempHigh)));
    PutU16(SectionPtr("LT"), unsigned(short(pDoc->m_nTempLow)));
    PutU16(SectionPtr("M1"), pDoc->m_nHardwareCode);
    PutU16(SectionPtr("M2"), unsigned(WORD(pDoc->m_nHardwareExtra)));
    PutU16(SectionPtr("V1"), pDoc->m_nMinFirmware);
    PutU16(SectionPtr("V2"), unsigned(WORD(pDoc->m_nMinFirmwareExtra)));

    if (IsOldFamily())
        return;
    BYTE* c = SectionPtr("C");
    static const int kScope[4] = {100, 200, 400, 800};
    const int code = pDoc->m_nScanTime;
    PutU16(c, unsigned(code >= 0 && code < 4 ? kScope[code] : 1000));
    PutU16(c + 2, unsigned(pDoc->m_nTextTime1));
    PutU16(c + 4, unsigned(pDoc->m_nTextSet1));
    PutU16(c + 6, unsigned(pDoc->m_nTextSet2));
    PutU16(c + 8, unsigned(pDoc->m_nTextSetting));
    PutU16(SectionPtr("KV"), unsigned(pDoc->m_bKeepLastAQ));
    BYTE* qt = SectionPtr("QT");
    for (int i = 0; i < 32 && i < int(pDoc->m_qt.GetSize()); ++i)
        qt[i] = pDoc->m_qt[i];
    BYTE* fv = SectionPtr("FV");
    for (int i = 0; i < 32 && i < int(pDoc->m_fv.GetSize()); ++i)
        PutU16(fv + 2 * i, unsigned(short(Hundredths(pDoc->m_fv[i]))));
    BYTE* rv = SectionPtr("RV");
    for (int i = 0; i < 3; ++i)
        PutU16(rv + 2 * i, unsigned(pDoc->m_nOptionCount[i]));
    rv[6] = BYTE(pDoc->m_nDisplayLanguage);
    rv[7] = BYTE(pDoc->m_nLogoTime);
    rv[8] = BYTE(pDoc->m_nContrast * 3 + 32);
    rv[9] = BYTE(pDoc->m_nBacklight);
    rv[16] = BYTE(pDoc->m_nAIRange0);
    rv[17] = BYTE(pDoc->m_nAIRange1);
    for (POSITION pos = pDoc->m_blocks.GetHeadPosition(); pos != nullptr;) {
        CBlockObj* p = static_cast<CBlockObj*>(pDoc->m_blocks.GetNext(pos));
        if (p->m_nType == TYPE_DATALOG) {
            CompileDataLog(p, pDoc, SectionPtr("DL"));
            break;
        }
    }
}

void CTavixCoreRule::CompileDataLog(CBlockObj* pDataLog, CTavixDoc* pDoc, BYTE* pSection)
{
    CBlockDataLog* pLog = dynamic_cast<CBlockDataLog*>(pDataLog);
    if (pLog == nullptr || pSection == nullptr || pDoc == nullptr)
        return;
    const int count = int(pLog->m_aItems.GetSize());
    if (count > CBlockDataLog::kMaxItems) {
        Fail(L"The data log holds more items than the device can record.");
        return;
    }
    InstrWriter w;
    w.p = pSection;
    w.end = 0x300;
    WriteOperand(w, pDataLog, 0);  // the enable input; the Par pin carries no operand
    w.U16(unsigned(pDataLog->m_bProtected));
    w.U16(unsigned(count));
    for (int i = 0; i < count; ++i) {
        const CDataLogItem& item = pLog->m_aItems[i];
        BYTE* at = pSection + kDataLogItemsAt + 4 * i;
        const int number = item.m_nOperand;
        if (number >= kFirstBlockNumber) {
            const CBlockObj* pBlock = item.m_pBlock ? item.m_pBlock : pDoc->FindBlockByNumber(number);
            WORD opcode = 0;
            if (pBlock != nullptr)
                OpcodeTables::LookUpOpcode(pBlock->m_nType, &opcode);
            PutU16(at, (unsigned(opcode >> 8) << 8) | 7u);
            PutU16(at + 2, unsigned((number - kFirstBlockNumber) & 0x0FFF) |
                               (unsigned(item.m_nParamIndex & 0x0F) << 12));
        } else {
            int cls = 0, base = 0;
            DataLogClass(number, &cls, &base);
            PutU16(at, 0xFF00u + unsigned(cls));
            PutU16(at + 2, unsigned(number - base));
        }
    }
}

// ---- upload ----

BOOL CTavixCoreRule::DecodeSettings()
{
    CTavixDoc* pDoc = m_pDoc;
    if (pDoc == nullptr || m_area0.size() != size_t(kArea0Size)) {
        Fail(L"No uploaded image to decode.");
        return FALSE;
    }
    const BYTE* lc = m_area0.data();
    if (GetU16(lc + kLcLogoFlag) != 0) {
        BYTE* logo = new BYTE[kLcLogoBytes];
        std::copy(lc + kLcLogo, lc + kLcLogo + kLcLogoBytes, logo);
        delete[] pDoc->m_pLogo;
        pDoc->m_pLogo = logo;
        pDoc->m_bLogoPresent = TRUE;
    }
    const BYTE* cm = SectionPtr("CM");
    for (int p = 0; p < 3; ++p) {
        const BYTE* rec = cm + 2 * p * kPortWords;
        PortSettings& port = pDoc->m_port[p];
        for (int i = 0; i < 4; ++i)
            port[i] = int(GetU16(rec + 2 * i));
        for (int i = 5; i <= 10; ++i)
            port[i] = int(GetU16(rec + 2 * (i - 1)));
        if (GetU16(rec + 4) == 0)
            port[0] = 2;
    }
    pDoc->m_bCopyProtect = int(GetU16(SectionPtr("PR")));
    const BYTE* rd = SectionPtr("RD");
    pDoc->m_nRedundancy = int(GetU16(rd));
    pDoc->m_nSyncTime = int(GetU32(rd + 2));
    pDoc->m_nTempHigh = short(GetU16(SectionPtr("HT")));
    pDoc->m_nTempLow = short(GetU16(SectionPtr("LT")));
    pDoc->m_nHardwareCode = WORD(GetU16(SectionPtr("M1")));
    pDoc->m_nHardwareExtra = short(GetU16(SectionPtr("M2")));
    pDoc->m_nMinFirmware = WORD(GetU16(SectionPtr("V1")));
    pDoc->m_nMinFirmwareExtra = short(GetU16(SectionPtr("V2")));
    CString name;
    WORD minFirmware = 0;
    if (CMainFrame::GetSeriesName(pDoc->m_nHardwareCode, &name, &minFirmware) != -1)
        pDoc->m_strHardwareName = name;
    if (IsOldFamily())
        return TRUE;

    const BYTE* c = SectionPtr("C");
    const unsigned scope = GetU16(c);
    pDoc->m_nScanTime = scope == 100 ? 0 : scope == 200 ? 1 : scope == 400 ? 2 : scope == 800 ? 3 : 4;
    pDoc->m_nTextTime1 = int(GetU16(c + 2));
    pDoc->m_nTextTime2 = int(GetU16(c + 2)) * 10;
    pDoc->m_nTextSet1 = int(GetU16(c + 4));
    pDoc->m_nTextSet2 = int(GetU16(c + 6));
    pDoc->m_nTextSetting = int(GetU16(c + 8));
    pDoc->m_bKeepLastAQ = int(GetU16(SectionPtr("KV")));
    const BYTE* qt = SectionPtr("QT");
    pDoc->m_qt.SetSize(32);
    for (int i = 0; i < 32; ++i)
        pDoc->m_qt[i] = qt[i];
    // The fixed values were written as signed hundredths.
    const BYTE* fv = SectionPtr("FV");
    pDoc->m_fv.SetSize(32);
    for (int i = 0; i < 32; ++i)
        pDoc->m_fv[i] = short(GetU16(fv + 2 * i)) * 0.01;
    const BYTE* rv = SectionPtr("RV");
    pDoc->m_nDisplayLanguage = rv[6];
    pDoc->m_nLogoTime = rv[7];
    pDoc->m_nContrast = (int(rv[8]) - 32) / 3;
    pDoc->m_nBacklight = rv[9];
    pDoc->m_nAIRange0 = rv[16];
    pDoc->m_nAIRange1 = rv[17];
    DecodeDataLog(SectionPtr("DL"));
    return TRUE;
}

void CTavixCoreRule::DecodeDataLog(const BYTE* pSection)
{
    if (pSection == nullptr || (pSection[2] == 0xFF && pSection[3] == 0xFF))
        return;
    CBlockObj* pBlock = NewBlockOfType(TYPE_DATALOG);
    CBlockDataLog* pLog = dynamic_cast<CBlockDataLog*>(pBlock);
    if (pLog == nullptr) {
        delete pBlock;
        return;
    }
    pLog->m_nNumber = NUM_DATALOG;
    AddDecoded(pLog);
    InsertByNumber(m_rootList, pLog);

    InstrReader r;
    r.p = pSection;
    r.start = 0;
    r.end = 0x300;
    DecodeOperand(r, 0, pLog, 0);
    pLog->m_bProtected = int(r.W(2));
    // The section has room for 188 items; a larger count comes from a damaged image.
    const int stored = int(r.W(4));
    const int count = std::min(stored, int(CBlockDataLog::kMaxItems));
    if (stored > count)
        m_warnings.Add(L"The data log of the device names more items than it can hold.");
    for (int i = 0; i < count; ++i) {
        const int at = kDataLogItemsAt + 4 * i;
        const int cls = r.B(at);
        const int value = int(r.W(at + 2));
        CDataLogItem item;
        CString text;
        static const int kBases[11] = {100, -1, -1, -1, -1, 600, 1316, 9000, 4000, 4230, 4288};
        if (cls > 10 || kBases[cls] < 0) {
            m_warnings.Add(L"A data log item of an unknown kind was dropped.");
            continue;
        }
        if (cls == 7) {
            item.m_nParamIndex = value >> 12;
            item.m_nOperand = kFirstBlockNumber + (value & 0x0FFF);
            const int type = OpcodeTables::TypeOfKey(OpcodeTables::KeyOfOpcode(r.B(at + 1), 0));
            text.Format(L"B%d%s", item.m_nOperand - kFirstBlockNumber,
                        (const wchar_t*)GetBlockTypeName(type));
            item.m_strParam = ParamCaption(AddressableItemAt(type, item.m_nParamIndex));
        } else {
            item.m_nOperand = value + kBases[cls];
            const CBlockObj* pNamed = FindDecoded(item.m_nOperand);
            const CString name = pNamed ? pNamed->m_strName : CString();
            switch (cls) {
            case 0: text.Format(L"I%d%02d-I%d%02d", value >> 5, value & 31, value >> 5, (value & 31) + 7); break;
            case 5: text.Format(L"Q%d%02d-Q%d%02d", value >> 4, value & 15, value >> 4, (value & 15) + 7); break;
            case 6: text.Format(L"M%d-M%d", value, value + 7); break;
            case 8: text.Format(L"AI%d%02d%s", value / 8, value % 8, (const wchar_t*)name); break;
            case 9: text.Format(L"AQ%d%02d%s", value / 4, value % 4, (const wchar_t*)name); break;
            default: text.Format(L"AM%d%s", value, (const wchar_t*)name); break;
            }
        }
        item.m_strOperand = text;
        pLog->m_aItems.Add(item);
    }
    pLog->m_nTime1High = int(pLog->m_aItems.GetSize());
}

int CTavixCoreRule::DecodeOutputTables(int nTable)
{
    static const struct {
        const char* name;
        int type;
        int base;
    } kTables[5] = {{"E", 605, 600}, {"F", 607, 1316}, {"G1", 609, 4230}, {"G2", 610, 4288},
                    {"H", 606, 4800}};
    if (nTable < 4 || nTable > 8)
        return 0;
    const auto& table = kTables[nTable - 4];
    const ImageSection* s = FindImageSection(table.name);
    const BYTE* p = SectionPtr(table.name);
    if (p == nullptr)
        return 0;
    for (int i = 0; i < s->wSize / 2; ++i) {
        const BYTE v = p[2 * i];
        const BYTE w = p[2 * i + 1];
        if (v == 0xFF && w == 0xFF)
            continue;
        const int number = table.base + i;
        CBlockObj* pOut = FindDecoded(number);
        if (pOut == nullptr) {
            pOut = CreateIoElement(table.type, number);
            if (pOut == nullptr)
                continue;
            InsertByNumber(m_rootList, pOut);
        }
        if ((w >> 4) == 7) {
            pOut->m_nLink[0] = kFirstBlockNumber + ((w & 3) << 8) + v;
        } else {
            const int type = SetIoLink(WORD((v << 8) | w), pOut, 0);
            if (type == -1)
                continue;
            const int link = pOut->m_nLink[0];
            if (FindDecoded(link) == nullptr) {
                CBlockObj* pSource = CreateIoElement(type, link);
                if (pSource != nullptr) {
                    pSource->m_nLink[kOutputPin] = number;
                    if (type == 605 || type == 607 || type == 609 || type == 610)
                        InsertByNumber(m_rootList, pSource);
                }
            }
        }
        if (pOut->m_nIndex == -1)
            pOut->m_nIndex = 0;
    }
    return 1;
}

int CTavixCoreRule::DecodeNameOrPassword(int n)
{
    if (n != 10 && n != 11)
        return 0;
    const char* name = n == 10 ? "K" : "L";
    const BYTE* p = SectionPtr(name);
    if (p == nullptr || m_pDoc == nullptr)
        return 0;
    CString text;
    for (int i = 0; i < FindImageSection(name)->wSize && p[i] != 0xFF; ++i)
        text += wchar_t(p[i]);
    (n == 10 ? m_pDoc->m_strProgramName : m_pDoc->m_strPassword) = text;
    return 1;
}

int CTavixCoreRule::DecodeInputSettings()
{
    const BYTE* pw = SectionPtr("PW");
    if (pw == nullptr || m_pDoc == nullptr)
        return 0;
    for (POSITION pos = m_pDoc->m_blocks.GetHeadPosition(); pos != nullptr;) {
        CBlockIn* pIn = dynamic_cast<CBlockIn*>(static_cast<CObject*>(m_pDoc->m_blocks.GetNext(pos)));
        if (pIn == nullptr || pIn->m_nType != TYPE_INPUT)
            continue;
        const int index = pIn->m_nNumber - NUM_INPUT;
        if (index >= 0 && index < 256)
            pIn->m_bHighSpeed = pw[index];
    }
    return 1;
}
