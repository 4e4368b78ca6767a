// Multimedia timers: a periodic or one-shot callback on a thread of its own, with a kill that
// waits for a running callback, so that no callback runs after timeKillEvent returns. The
// callback must not block on the user-interface thread; it hands work over with PostMessage or
// InvalidateRect.
#pragma once

#include "platform/base/WinTypes.h"

using MMRESULT = UINT;
using LPTIMECALLBACK = void (*)(UINT uTimerID, UINT uMsg, DWORD_PTR dwUser, DWORD_PTR dw1, DWORD_PTR dw2);

constexpr UINT TIME_ONESHOT = 0x0000;
constexpr UINT TIME_PERIODIC = 0x0001;
constexpr UINT TIME_CALLBACK_FUNCTION = 0x0000;
constexpr UINT TIME_KILL_SYNCHRONOUS = 0x0100;
constexpr MMRESULT TIMERR_NOERROR = 0;
constexpr MMRESULT TIMERR_NOCANDO = 97;
constexpr MMRESULT MMSYSERR_INVALPARAM = 11;

struct TIMECAPS {
    UINT wPeriodMin;
    UINT wPeriodMax;
};
using LPTIMECAPS = TIMECAPS*;

MMRESULT timeGetDevCaps(LPTIMECAPS caps, UINT cbSize);
MMRESULT timeBeginPeriod(UINT uPeriod);
MMRESULT timeEndPeriod(UINT uPeriod);
// Returns the event id, 0 on failure (delay outside 1..1000000 ms, no callback).
MMRESULT timeSetEvent(UINT uDelay, UINT uResolution, LPTIMECALLBACK fn, DWORD_PTR dwUser, UINT fuEvent);
// Stops the event; a callback in progress on another thread is waited for. A one-shot event
// that has fired is gone by itself (its id gives MMSYSERR_INVALPARAM).
MMRESULT timeKillEvent(UINT uTimerID);
DWORD timeGetTime();
