// What keeps a program from moving to another model on the Hardware page: the first block the
// chosen model cannot run, as the message shown for it.
#include "shell/ProgramPropsHardware.h"

#include "document/TavixDoc.h"
#include "elements/BlockAnalog.h"
#include "elements/BlockClocks.h"
#include "elements/BlockCounters.h"
#include "elements/BlockIO.h"
#include "elements/BlockLadder.h"
#include "elements/BlockMSGTEXT.h"
#include "elements/BlockRelays.h"
#include "elements/BlockSwitches.h"
#include "elements/BlockTimers.h"
#include "elements/BlockTypes.h"
#include "elements/BlockWifi.h"
#include "platform/ui/framework/App.h"
#include "resources/resource.h"
#include "shell/MainFrame.h"

namespace {

template <class T>
bool Is(const CBlockObj* p)
{
    return dynamic_cast<const T*>(p) != nullptr;
}

CString TypeName(int nType)
{
    CString name;
    g_mapBlockTypeName.Lookup(nType, name);
    return name;
}

bool RefersToBlocks(const CBlockObj* p)
{
    const bool referencing = Is<CBlockMPLR>(p) || Is<CBlockRPR>(p) || Is<CBlockAPG>(p) || Is<CBlockRG>(p)
                             || Is<CBlockCPG>(p) || Is<CBlockSLS>(p) || Is<CBlockMFS>(p)
                             || Is<CBlockHCOUNTER>(p) || Is<CBlockTHTRG>(p) || Is<CBlockAnalog>(p);
    if (!referencing)
        return false;
    for (int k = 0; k < 4; ++k)
        if (p->m_bRef[k])
            return true;
    return false;
}

// The rows of the older families' table for one block, top to bottom; empty when it passes.
// bFirstShiftRegisterSeen tells whether a shift register came earlier in the list.
CString OlderFamilyProblem(const CBlockObj* p, const CString& model, bool& bFirstShiftRegisterSeen)
{
    const int t = p->m_nType;
    const int n = p->m_nNumber - NUM_FUNCTION;
    const CString name = TypeName(t);
    CString text;
    if (Is<CBlockFKey>(p)) {
        text.Format(AfxLoadString(IDS_FKEY_NOT_SUPPORTED), p->m_nNumber - NUM_FKEY + 1, LPCTSTR(name));
        return text;
    }
    if (Is<CBlockShift>(p)) {
        const int index = p->m_nNumber - NUM_SHIFT_BIT;
        if (index >= 16) {
            text.Format(AfxLoadString(IDS_SHIFT_NUMBER_TOO_HIGH), index / 16, index % 16, LPCTSTR(name));
            return text;
        }
    }
    if (Is<CBlockIn>(p) && t == TYPE_INPUT) {
        const int index = p->m_nNumber - NUM_INPUT;
        if (index % 32 >= 16) {
            text.Format(AfxLoadString(IDS_IO_NUMBER_TOO_HIGH), L"I", index / 32, index % 32, LPCTSTR(name));
            return text;
        }
    }
    if (Is<CBlockOut>(p) && t == TYPE_OUTPUT) {
        const int index = p->m_nNumber - NUM_OUTPUT;
        if (index % 16 >= 8) {
            text.Format(AfxLoadString(IDS_IO_NUMBER_TOO_HIGH), L"Q", index / 16, index % 16, LPCTSTR(name));
            return text;
        }
    }
    if (t == 412 || t == 413 || (t >= 815 && t <= 879) || Is<CBlockWIFI>(p)) {
        text.Format(AfxLoadString(IDS_BLOCK_NOT_SUPPORTED), n, LPCTSTR(name));
        return text;
    }
    if (t == TYPE_DATALOG) {
        text.Format(AfxLoadString(IDS_DATALOG_NOT_SUPPORTED), p->m_nNumber - NUM_DATALOG, LPCTSTR(name));
        return text;
    }
    if (RefersToBlocks(p)) {
        text.Format(AfxLoadString(IDS_REFERENCE_NOT_SUPPORTED), n, LPCTSTR(name), LPCTSTR(model));
        return text;
    }
    if (Is<CBlockWT>(p) && p->m_nPulse) {
        text.Format(AfxLoadString(IDS_PULSE_NOT_AVAILABLE), n);
        return text;
    }
    if (Is<CBlockYT>(p)) {
        if (p->m_nYearStart != 2000 || p->m_nYearEnd != 2099)
            text.Format(AfxLoadString(IDS_YEAR_RANGE_NOT_AVAILABLE), n, 2000, 2099);
        else if (!p->m_nYearly)
            text.Format(AfxLoadString(IDS_YEARLY_MODE_REQUIRED), n);
        else if (p->m_nPulse)
            text.Format(AfxLoadString(IDS_PULSE_NOT_AVAILABLE), n);
        if (!text.IsEmpty())
            return text;
    }
    if (Is<CBlockCOUNTER>(p) && p->m_nStartValue != 0) {
        text.Format(AfxLoadString(IDS_START_VALUE_NOT_USABLE), n, LPCTSTR(name));
        return text;
    }
    if (Is<CBlockHCOUNTER>(p) && (p->m_nTime1Low > 0 || p->m_nTime2Low > 0)) {
        text.Format(AfxLoadString(IDS_TIME_NOT_IN_HOURS), n, LPCTSTR(name));
        return text;
    }
    if (Is<CBlockAWDOG>(p)) {
        const auto* a = static_cast<const CBlockAnalog*>(p);
        if (a->m_nThreshold1 != a->m_nThreshold2) {
            text.Format(AfxLoadString(IDS_THRESHOLDS_MUST_BE_EQUAL), n, LPCTSTR(name));
            return text;
        }
    }
    if (Is<CBlockSREG>(p)) {
        if (bFirstShiftRegisterSeen) {
            text.Format(AfxLoadString(IDS_ONLY_FIRST_SHIFT_REGISTER), n, LPCTSTR(name));
            return text;
        }
        bFirstShiftRegisterSeen = true;
    }
    if (Is<CBlockMSGTEXT>(p)) {
        text.Format(AfxLoadString(IDS_RICH_TEXT_NOT_SUPPORTED), n, LPCTSTR(name));
        return text;
    }
    if (Is<CBlockMake>(p) && p->m_nOperand >= NUM_SHIFT_BIT && p->m_nOperand <= NUM_SHIFT_BIT + 63) {
        const int index = p->m_nOperand - NUM_SHIFT_BIT;
        if (index >= 16) {
            text.Format(AfxLoadString(IDS_SHIFT_NUMBER_TOO_HIGH), index / 16, index % 16,
                        LPCTSTR(TypeName(TYPE_SHIFT_BIT)));
            return text;
        }
    }
    return text;
}

} // namespace

CString CSelectHardware::FindUnsupportedBlock(const CTavixDoc& doc, int nNewData)
{
    const int from = ModelData(doc.m_nHardwareCode);
    const bool newerFamily = from == 5 || from == 7 || from == 9;
    if (newerFamily && (nNewData == 1 || nNewData == 3)) {
        // An older family: every rule of its table, at the first block that breaks one.
        const CString model = ModelText(nNewData);
        bool shiftRegisterSeen = false;
        for (POSITION pos = doc.m_blocks.GetHeadPosition(); pos != nullptr;) {
            const auto* p = static_cast<const CBlockObj*>(doc.m_blocks.GetNext(pos));
            const CString problem = OlderFamilyProblem(p, model, shiftRegisterSeen);
            if (!problem.IsEmpty())
                return problem;
        }
        return CString();
    }
    // Within the newer families only the 0x52 model runs the WiFi blocks.
    if (from != 7 || nNewData == 7 || nNewData % 2 == 0)
        return CString();
    for (POSITION pos = doc.m_blocks.GetHeadPosition(); pos != nullptr;) {
        const auto* p = static_cast<const CBlockObj*>(doc.m_blocks.GetNext(pos));
        if (!Is<CBlockWIFI>(p))
            continue;
        CString text;
        text.Format(AfxLoadString(IDS_BLOCK_NOT_SUPPORTED), p->m_nNumber - NUM_FUNCTION, LPCTSTR(TypeName(p->m_nType)));
        return text;
    }
    return CString();
}
