#include "elements/BlockFactory.h"

#include "elements/BlockObj.h"

#include "elements/BlockConnectors.h"
#include "elements/PowerBus.h"

#include <array>
#include <new>

// Each family adds the include of its header and its case lines in its own section below.
// ---- includes: I/O, logic, timers, clocks, counters, relays, ladder ----
#include "elements/BlockClocks.h"
#include "elements/BlockCounters.h"
#include "elements/BlockIO.h"
#include "elements/BlockLadder.h"
#include "elements/BlockLogic.h"
#include "elements/BlockRelays.h"
#include "elements/BlockSwitches.h"
#include "elements/BlockTimers.h"
// ---- end of includes: I/O, logic, timers, clocks, counters, relays, ladder ----
// ---- includes: analog, formula, word, data log, message text, math, device, Modbus, WiFi ----
#include "elements/BlockAnalog.h"
#include "elements/BlockDataLog.h"
#include "elements/BlockDevice.h"
#include "elements/BlockMSGTEXT.h"
#include "elements/BlockMath.h"
#include "elements/BlockModbus.h"
#include "elements/BlockWifi.h"
#include "elements/BlockWord.h"
// ---- end of includes: analog, formula, word, data log, message text, math, device, Modbus, WiFi ----

namespace {

CBlockObj* NewBlock(int nType)
{
    switch (nType) {
    // ---- I/O, key, marker, constant blocks (600-611) ----
    case 600: return new CBlockIn(nType);
    case 602: return new CBlockShift(nType);
    case 603: return new CBlockLow(nType);
    case 604: return new CBlockHigh(nType);
    case 605: return new CBlockOut(nType);
    case 606: return new CBlockOpenX(nType);
    case 607: return new CBlockFlag(nType);
    case 608: return new CBlockAnalogIn(nType);
    case 609: return new CBlockAnalogOut(nType);
    case 610: return new CBlockAnalogFlag(nType);
    case 611: return new CBlockFKey(nType);
    // ---- logic gates (300-307) ----
    case 300: case 301: case 302: case 303: case 304: case 305: case 306: case 307:
        return new CBlockLogic(nType);
    // ---- timers (400-409) ----
    case 400: return new CBlockDPR(nType);
    case 401: return new CBlockDDR(nType);
    case 402: return new CBlockMPLR(nType);
    case 403: return new CBlockPLR(nType);
    case 404: return new CBlockCPG(nType);
    case 405: return new CBlockRPR(nType);
    case 406: return new CBlockAPG(nType);
    // ---- random generator, lighting switches, clocks (407-413) ----
    case 407: return new CBlockRG(nType);
    case 408: return new CBlockSLS(nType);
    case 409: return new CBlockMFS(nType);
    case 410: return new CBlockWT(nType);
    case 411: return new CBlockYT(nType);
    case 412: return new CBlockAC(nType);
    case 413: return new CBlockSW(nType);
    // ---- counters and threshold trigger (800-802) ----
    case 800: return new CBlockCOUNTER(nType);
    case 801: return new CBlockHCOUNTER(nType);
    case 802: return new CBlockTHTRG(nType);
    // ---- relays, shift register, math error (808, 809, 812, 823) ----
    case 808: return new CBlockLR(nType);
    case 809: return new CBlockPR(nType);
    case 812: return new CBlockSREG(nType);  // the creator picks its register index
    case 823: return new CBlockMATHERR(nType);
    // ---- ladder elements (700-705) ----
    case 700: return new CBlockMake(nType);
    case 701: return new CBlockBreak(nType);
    case 702: return new CBlockAContact(nType);
    case 703: return new CBlockRelayCoil(nType);
    case 704: return new CBlockInvOut(nType);
    case 705: return new CBlockAOutLAD(nType);
    // ---- end of I/O, logic, timers, clocks, counters, relays, ladder ----

    // ---- analog function family (803-807, 815-822) ----
    case 803: return new CBlockACOMP(nType);
    case 804: return new CBlockATHTRG(nType);
    case 805: return new CBlockAAMP(nType);
    case 806: return new CBlockAWDOG(nType);
    case 807: return new CBlockADTRG(nType);
    case 815: return new CBlockAMATH(nType);
    case 816: return new CBlockAMUX(nType);
    case 817: return new CBlockARAMP(nType);
    case 818: return new CBlockPI(nType);
    case 819: return new CBlockPWM(nType);
    case 820: return new CBlockAFILTER(nType);
    case 821: return new CBlockMAXMIN(nType);
    case 822: return new CBlockAVGVAL(nType);
    // ---- word and bit functions (830-846) ----
    case 830: return new CBlockBoolean(nType);
    case 831: return new CBlockTDT(nType);
    case 832: return new CBlockBCD(nType);
    case 833: return new CBlockBIN(nType);
    case 834: return new CBlockROL(nType);
    case 835: return new CBlockROR(nType);
    case 836: return new CBlockSHL(nType);
    case 837: return new CBlockSHR(nType);
    case 838: return new CBlockANDM(nType);
    case 839: return new CBlockORM(nType);
    case 840: return new CBlockNOTM(nType);
    case 841: return new CBlockNANDM(nType);
    case 842: return new CBlockNORM(nType);
    case 843: return new CBlockXORM(nType);
    case 844: return new CBlockARRMXIV(nType);
    case 845: return new CBlockACMXIV(nType);
    case 846: return new CBlockRAND(nType);
    // ---- data log (911) ----
    case 911: return new CBlockDataLog(nType);
    // ---- message text (810) ----
    case 810: return new CBlockMSGTEXT(nType);  // the creator applies the document's settings
    // ---- math functions (860-879) ----
    case 860: return new CBlockODD(nType);
    case 861: return new CBlockEVEN(nType);
    case 862: return new CBlockMOD(nType);
    case 863: return new CBlockREM(nType);
    case 864: return new CBlockLOG(nType);
    case 865: return new CBlockSQRT(nType);
    case 866: return new CBlockABS(nType);
    case 867: return new CBlockGCD(nType);
    case 868: return new CBlockLCM(nType);
    case 869: return new CBlockPOW2(nType);
    case 870: return new CBlockEXP(nType);
    case 871: return new CBlockFIX(nType);
    case 872: return new CBlockROUND(nType);
    case 873: return new CBlockSIN(nType);
    case 874: return new CBlockCOS(nType);
    case 875: return new CBlockTAN(nType);
    case 876: return new CBlockCOT(nType);
    case 877: return new CBlockSEC(nType);
    case 878: return new CBlockCSC(nType);
    case 879: return new CBlockQUAD(nType);
    // ---- device functions (847-856) ----
    case 847: return new CBlockMEM(nType);
    case 848: return new CBlockENCODER(nType);
    case 849: return new CBlockSMC(nType);
    case 850: return new CBlockSMCE(nType);
    case 851: return new CBlockPTO(nType);
    case 852: return new CBlockPTOE(nType);
    case 853: return new CBlockSEG(nType);
    case 854: return new CBlockWORD2BIT(nType);
    case 855: return new CBlockUDC(nType);
    case 856: return new CBlockCRC16(nType);
    // ---- Modbus (813, 814) ----
    case 813: return new CBlockMR(nType);
    case 814: return new CBlockMW(nType);
    // ---- WiFi (824-827) ----
    case 824: return new CBlockWIFIIn(nType);
    case 825: return new CBlockWIFIOut(nType);
    case 826: return new CBlockWIFIAI(nType);
    case 827: return new CBlockWIFIAOut(nType);
    // ---- end of analog, formula, word, data log, message text, math, device, Modbus, WiFi ----

    default:
        // 601, 811, connectors, the power bus and unknown codes: a plain element.
        return new CBlockObj(nType, 4);
    }
}

} // namespace

CBlockObj* NewBlockOfType(int nType)
{
    try {
        return NewBlock(nType);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

namespace {

constexpr int kFirstClassType = 300, kLastClassType = 999;

// The class of every code the factory gives a class of its own, built once.
const std::array<const CRuntimeClass*, kLastClassType - kFirstClassType + 1>& FactoryClasses()
{
    static const auto table = [] {
        std::array<const CRuntimeClass*, kLastClassType - kFirstClassType + 1> t{};
        for (int type = kFirstClassType; type <= kLastClassType; ++type) {
            CBlockObj* pBlock = NewBlock(type);
            if (pBlock->GetRuntimeClass() != RUNTIME_CLASS(CBlockObj))
                t[size_t(type - kFirstClassType)] = pBlock->GetRuntimeClass();
            delete pBlock;
        }
        return t;
    }();
    return table;
}

} // namespace

bool IsTypeOfClass(int nType, const CRuntimeClass* pClass)
{
    if (pClass == nullptr)
        return false;
    if (pClass == RUNTIME_CLASS(CBlockObj)) // the codes the factory makes plain elements of
        return nType == TYPE_CURSOR_KEY || nType == TYPE_811 || nType == TYPE_MALE ||
               nType == TYPE_FEMALE || nType == TYPE_POWERBUS;
    if (pClass == RUNTIME_CLASS(CBlockMale))
        return nType == TYPE_MALE;
    if (pClass == RUNTIME_CLASS(CBlockFemale))
        return nType == TYPE_FEMALE;
    if (pClass == RUNTIME_CLASS(CPowerBusObj))
        return nType == TYPE_POWERBUS;
    if (nType < kFirstClassType || nType > kLastClassType)
        return false;
    return FactoryClasses()[size_t(nType - kFirstClassType)] == pClass;
}
