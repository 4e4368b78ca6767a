// Multimedia timers on threads of their own.
#include "platform/ui/core/MmTimer.h"

#include <chrono>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

struct Event {
    UINT id = 0;
    UINT delay = 0;
    bool periodic = false;
    LPTIMECALLBACK fn = nullptr;
    DWORD_PTR user = 0;
    std::mutex mutex;
    std::condition_variable cv;
    bool stop = false;
    std::thread thread;
};

std::mutex g_mutex;
// Events that may still fire. Never destroyed, so that threads still running at exit find it.
std::map<UINT, std::shared_ptr<Event>>& g_events = *new std::map<UINT, std::shared_ptr<Event>>;
UINT g_nextId = 1;

// A one-shot event that has fired leaves the table and lets its thread go, so that events
// nobody kills do not pile up finished threads. An event a kill has already taken out is left
// to the kill, which joins the thread (or detached it, when the callback killed its own event).
void Retire(const std::shared_ptr<Event>& e)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    auto it = g_events.find(e->id);
    if (it == g_events.end() || it->second != e)
        return;
    g_events.erase(it);
    e->thread.detach();
}

void Run(std::shared_ptr<Event> e)
{
    auto next = Clock::now() + std::chrono::milliseconds(e->delay);
    for (;;) {
        {
            std::unique_lock<std::mutex> lock(e->mutex);
            if (e->cv.wait_until(lock, next, [&] { return e->stop; }))
                return;
        }
        e->fn(e->id, 0, e->user, 0, 0);
        if (!e->periodic) {
            Retire(e);
            return;
        }
        next += std::chrono::milliseconds(e->delay);
        auto now = Clock::now();
        if (next < now)
            next = now + std::chrono::milliseconds(e->delay);  // late ticks are dropped, not caught up
    }
}

}  // namespace

MMRESULT timeGetDevCaps(LPTIMECAPS caps, UINT cbSize)
{
    if (!caps || cbSize < sizeof(TIMECAPS))
        return MMSYSERR_INVALPARAM;
    caps->wPeriodMin = 1;
    caps->wPeriodMax = 1000000;
    return TIMERR_NOERROR;
}

MMRESULT timeBeginPeriod(UINT uPeriod) { return uPeriod ? TIMERR_NOERROR : TIMERR_NOCANDO; }
MMRESULT timeEndPeriod(UINT uPeriod) { return uPeriod ? TIMERR_NOERROR : TIMERR_NOCANDO; }

MMRESULT timeSetEvent(UINT uDelay, UINT, LPTIMECALLBACK fn, DWORD_PTR dwUser, UINT fuEvent)
{
    if (!fn || uDelay < 1 || uDelay > 1000000)
        return 0;
    auto e = std::make_shared<Event>();
    e->delay = uDelay;
    e->periodic = (fuEvent & TIME_PERIODIC) != 0;
    e->fn = fn;
    e->user = dwUser;
    std::lock_guard<std::mutex> lock(g_mutex);
    e->id = g_nextId++;
    if (g_nextId == 0)
        g_nextId = 1;
    g_events[e->id] = e;
    e->thread = std::thread(Run, e);
    return e->id;
}

MMRESULT timeKillEvent(UINT uTimerID)
{
    std::shared_ptr<Event> e;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        auto it = g_events.find(uTimerID);
        if (it == g_events.end())
            return MMSYSERR_INVALPARAM;
        e = it->second;
        g_events.erase(it);
    }
    {
        std::lock_guard<std::mutex> lock(e->mutex);
        e->stop = true;
    }
    e->cv.notify_all();
    if (e->thread.get_id() == std::this_thread::get_id())
        e->thread.detach();  // killed from its own callback: the thread ends when it returns
    else if (e->thread.joinable())
        e->thread.join();
    return TIMERR_NOERROR;
}

DWORD timeGetTime()
{
    using namespace std::chrono;
    return DWORD(duration_cast<milliseconds>(Clock::now().time_since_epoch()).count());
}
