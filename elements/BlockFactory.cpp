#include "elements/BlockFactory.h"

#include "elements/BlockObj.h"

#include <new>

// Each family adds the include of its header and its case lines in its own section below.
// ---- includes: I/O, logic, timers, clocks, counters, relays, ladder ----
// ---- end of includes: I/O, logic, timers, clocks, counters, relays, ladder ----
// ---- includes: analog, formula, word, data log, message text, math, device, Modbus, WiFi ----
// ---- end of includes: analog, formula, word, data log, message text, math, device, Modbus, WiFi ----

namespace {

CBlockObj* NewBlock(int nType)
{
    switch (nType) {
    // ---- I/O, key, marker, constant blocks (600-611) ----
    // ---- logic gates (300-307) ----
    // ---- timers (400-409) ----
    // ---- random generator, lighting switches, clocks (407-413) ----
    // ---- counters and threshold trigger (800-802) ----
    // ---- relays, shift register, math error (808, 809, 812, 823) ----
    // ---- ladder elements (700-705) ----
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
