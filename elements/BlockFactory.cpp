#include "elements/BlockFactory.h"

#include "elements/BlockObj.h"

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
    // ---- word and bit functions (830-847, 853?) ----
    // ---- data log (911) ----
    // ---- message text (810) ----
    // ---- math functions (860-879) ----
    // ---- device functions (848-856) ----
    // ---- Modbus (813, 814) ----
    // ---- WiFi (824-827) ----
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
