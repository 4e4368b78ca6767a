// The parameter pages of the timers, clocks, counters, I/O, relay, communication and data log
// blocks; null for the other types.
#pragma once

class CBlockPage;

CBlockPage* CreateSecondSetPage(int nType);
