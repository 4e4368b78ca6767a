// Message queues: sending, posting, retrieval in Win32's order (sent from other threads, posted,
// input, WM_QUIT, WM_PAINT, WM_TIMER), window timers and the translation of keys to characters.
#include "platform/ui/core/Host.h"
#include "platform/ui/core/detail/WndData.h"

#include "platform/base/FileSystem.h"

#include <algorithm>
#include <cwctype>
#include <future>

namespace ui {

DWORD Now() { return AfxGetHost()->NowMs(); }

LRESULT Send(Wnd* w, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return CallProc(w, msg, wParam, lParam);
}

namespace {

// A SendMessage from another thread, waiting for the window's thread to run it.
struct CrossSend {
    MSG msg{};
    std::promise<LRESULT> reply;
};

thread_local int t_inCrossSend = 0;

bool Matches(HWND filter, UINT fmin, UINT fmax, const MSG& m)
{
    if (filter && m.hwnd != filter)
        return false;
    if (fmin == 0 && fmax == 0)
        return true;
    return m.message >= fmin && m.message <= fmax;
}

bool RangeIncludes(UINT fmin, UINT fmax, UINT lo, UINT hi)
{
    if (fmin == 0 && fmax == 0)
        return true;
    return fmin <= hi && fmax >= lo;
}

void RunInvalidate(const QItem& it)
{
    if (!Find(it.msg.hwnd))
        return;
    InvalidateRect(it.msg.hwnd, it.hasRect ? &it.rc : nullptr, it.erase ? TRUE : FALSE);
}

std::mutex& CrossMutex()
{
    static std::mutex m;
    return m;
}

std::map<DWORD, std::deque<std::shared_ptr<CrossSend>>>& CrossSends()
{
    static auto* m = new std::map<DWORD, std::deque<std::shared_ptr<CrossSend>>>;
    return *m;
}

void RunCrossSends(ThreadQueue& q)
{
    for (;;) {
        std::shared_ptr<CrossSend> s;
        {
            std::lock_guard<std::mutex> lock(CrossMutex());
            auto& d = CrossSends()[q.threadId];
            if (d.empty())
                return;
            s = d.front();
            d.pop_front();
        }
        LRESULT r = 0;
        if (Wnd* w = Find(s->msg.hwnd)) {
            ++t_inCrossSend;
            r = CallProc(w, s->msg.message, s->msg.wParam, s->msg.lParam);
            --t_inCrossSend;
        }
        s->reply.set_value(r);
    }
}

bool ReadyMessage(ThreadQueue& q, MSG* out, HWND filter, UINT fmin, UINT fmax, UINT remove, std::deque<MSG>& ready)
{
    for (auto it = ready.begin(); it != ready.end(); ++it) {
        if (!Matches(filter, fmin, fmax, *it))
            continue;
        *out = *it;
        if (remove & PM_REMOVE)
            ready.erase(it);
        (void)q;
        return true;
    }
    return false;
}

thread_local std::deque<MSG> t_ready;  // input already turned into messages (PM_NOREMOVE peeks)

int NextTimerDelay(ThreadQueue& q)
{
    if (q.timers.empty())
        return -1;
    DWORD now = Now();
    int best = -1;
    for (const Timer& t : q.timers) {
        int d = int(t.due - now);
        d = std::max(d, 0);
        if (best < 0 || d < best)
            best = d;
    }
    return best;
}

bool PeekCore(MSG* out, HWND filter, UINT fmin, UINT fmax, UINT remove)
{
    auto qp = CurrentQueue();
    ThreadQueue& q = *qp;
    RunCrossSends(q);
    // Posted messages (internal invalidations run on the spot).
    for (;;) {
        QItem item;
        bool found = false;
        {
            std::lock_guard<std::mutex> lock(q.mutex);
            for (auto it = q.posted.begin(); it != q.posted.end();) {
                if (it->kind == QItem::Invalidate) {
                    item = *it;
                    q.posted.erase(it);
                    found = true;
                    break;
                }
                if (it->msg.hwnd && !Find(it->msg.hwnd)) {
                    it = q.posted.erase(it);  // the window is gone
                    continue;
                }
                if (Matches(filter, fmin, fmax, it->msg)) {
                    item = *it;
                    if (remove & PM_REMOVE)
                        q.posted.erase(it);
                    found = true;
                    break;
                }
                ++it;
            }
        }
        if (!found)
            break;
        if (item.kind == QItem::Invalidate) {
            RunInvalidate(item);
            continue;
        }
        *out = item.msg;
        if (remove & PM_REMOVE) {
            q.current = *out;
            q.currentKeyChar = 0;
        }
        return true;
    }
    // Input, turned into window messages now, when the pointer and focus are known.
    bool inputWanted = !filter && (RangeIncludes(fmin, fmax, WM_KEYFIRST, WM_KEYLAST) ||
                                   RangeIncludes(fmin, fmax, WM_MOUSEFIRST, WM_MOUSELAST) ||
                                   RangeIncludes(fmin, fmax, WM_NCMOUSEMOVE, WM_NCMBUTTONDBLCLK) ||
                                   RangeIncludes(fmin, fmax, WM_IME_CHAR, WM_MOUSELEAVE));
    if (ReadyMessage(q, out, filter, fmin, fmax, remove, t_ready)) {
        if (remove & PM_REMOVE)
            q.current = *out;
        return true;
    }
    while (inputWanted) {
        RawInput in;
        {
            std::lock_guard<std::mutex> lock(q.mutex);
            if (q.input.empty())
                break;
            in = q.input.front();
            q.input.pop_front();
        }
        MSG m{};
        bool produced = false;
        ProcessRawInput(q, in, &m, &produced);
        if (!produced)
            continue;
        wchar_t ch = in.ch;
        if (!(remove & PM_REMOVE)) {
            t_ready.push_back(m);
            *out = m;
            return true;
        }
        *out = m;
        q.current = m;
        q.currentKeyChar = (m.message == WM_KEYDOWN || m.message == WM_SYSKEYDOWN) ? ch : 0;
        return true;
    }
    {
        std::lock_guard<std::mutex> lock(q.mutex);
        if (q.quit && RangeIncludes(fmin, fmax, WM_QUIT, WM_QUIT) && !filter) {
            *out = MSG{nullptr, WM_QUIT, WPARAM(q.quitCode), 0, Now(), POINT{0, 0}};
            if (remove & PM_REMOVE)
                q.quit = false;
            return true;
        }
    }
    if (RangeIncludes(fmin, fmax, WM_PAINT, WM_PAINT)) {
        if (HWND h = NextWindowToPaint(filter)) {
            *out = MSG{h, WM_PAINT, 0, 0, Now(), POINT{0, 0}};
            if (remove & PM_REMOVE)
                q.current = *out;
            return true;
        }
    }
    if (RangeIncludes(fmin, fmax, WM_TIMER, WM_TIMER)) {
        DWORD now = Now();
        Timer* best = nullptr;
        for (Timer& t : q.timers) {
            if (int(t.due - now) > 0 || (filter && t.hwnd != filter))
                continue;
            if (!best || int(t.due - best->due) < 0)
                best = &t;
        }
        if (best) {
            *out = MSG{best->hwnd, WM_TIMER, best->id, reinterpret_cast<LPARAM>(best->proc), now, POINT{0, 0}};
            if (remove & PM_REMOVE) {
                best->due = now + best->elapse;  // no backlog: one WM_TIMER however late
                q.current = *out;
            }
            return true;
        }
    }
    return false;
}

}  // namespace

int NextTimerDelayMs() { return NextTimerDelay(*CurrentQueue()); }

void PostInput(HWND top, const RawInput& in)
{
    auto q = top ? QueueOfWindow(top) : nullptr;
    if (!q)
        q = CurrentQueue();
    if (in.kind == RawInput::KeyDown || in.kind == RawInput::KeyUp)
        UpdateAsyncKey(in.vk, in.kind == RawInput::KeyDown);
    if (in.kind == RawInput::ButtonDown || in.kind == RawInput::ButtonUp)
        UpdateAsyncKey(in.button == 1 ? VK_RBUTTON : in.button == 2 ? VK_MBUTTON : VK_LBUTTON,
                       in.kind == RawInput::ButtonDown);
    {
        std::lock_guard<std::mutex> lock(q->mutex);
        q->input.push_back(in);
    }
    q->cv.notify_all();
    AfxGetHost()->Wake();
}

void WaitOnQueue(int timeoutMs)
{
    auto q = CurrentQueue();
    std::unique_lock<std::mutex> lock(q->mutex);
    auto ready = [&] {
        bool cross;
        {
            std::lock_guard<std::mutex> c(CrossMutex());
            cross = !CrossSends()[q->threadId].empty();
        }
        return !q->posted.empty() || !q->input.empty() || q->quit || cross;
    };
    if (ready())
        return;
    if (timeoutMs < 0)
        q->cv.wait(lock, ready);
    else
        q->cv.wait_for(lock, std::chrono::milliseconds(timeoutMs), ready);
}

void WakeQueue(DWORD threadId)
{
    if (auto q = QueueOfThread(threadId)) {
        { std::lock_guard<std::mutex> lock(q->mutex); }
        q->cv.notify_all();
    }
}

}  // namespace ui

using namespace ui;

LRESULT SendMessageW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    Wnd* w = Find(hwnd);
    if (!w)
        return 0;
    auto q = QueueOfWindow(hwnd);
    if (!q)
        return 0;
    if (q->threadId == GetCurrentThreadId())
        return CallProc(w, msg, wParam, lParam);
    // Another thread's window: its thread runs the message when it next looks at its queue.
    auto s = std::make_shared<CrossSend>();
    s->msg = MSG{hwnd, msg, wParam, lParam, 0, POINT{0, 0}};
    auto reply = s->reply.get_future();
    {
        std::lock_guard<std::mutex> lock(CrossMutex());
        CrossSends()[q->threadId].push_back(s);
    }
    WakeQueue(q->threadId);
    AfxGetHost()->Wake();
    return reply.get();
}

BOOL InSendMessage() { return t_inCrossSend > 0 ? TRUE : FALSE; }

BOOL PostMessageW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (!hwnd)
        return PostThreadMessageW(GetCurrentThreadId(), msg, wParam, lParam);
    auto q = QueueOfWindow(hwnd);
    if (!q) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    {
        std::lock_guard<std::mutex> lock(q->mutex);
        QItem it;
        it.msg = MSG{hwnd, msg, wParam, lParam, Now(), POINT{0, 0}};
        q->posted.push_back(it);
    }
    q->cv.notify_all();
    AfxGetHost()->Wake();
    return TRUE;
}

BOOL PostThreadMessageW(DWORD threadId, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto q = threadId == GetCurrentThreadId() ? CurrentQueue() : QueueOfThread(threadId);
    if (!q) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    {
        std::lock_guard<std::mutex> lock(q->mutex);
        QItem it;
        it.msg = MSG{nullptr, msg, wParam, lParam, Now(), POINT{0, 0}};
        q->posted.push_back(it);
    }
    q->cv.notify_all();
    AfxGetHost()->Wake();
    return TRUE;
}

void PostQuitMessage(int exitCode)
{
    auto q = CurrentQueue();
    std::lock_guard<std::mutex> lock(q->mutex);
    q->quit = true;
    q->quitCode = exitCode;
}

BOOL PeekMessageW(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags)
{
    MSG m{};
    if (PeekCore(&m, hwnd, filterMin, filterMax, removeFlags)) {
        if (msg)
            *msg = m;
        return TRUE;
    }
    PresentDirty();
    return FALSE;
}

BOOL GetMessageW(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax)
{
    if (!msg || (hwnd && !Find(hwnd)))
        return -1;
    for (;;) {
        if (PeekCore(msg, hwnd, filterMin, filterMax, PM_REMOVE))
            return msg->message == WM_QUIT ? FALSE : TRUE;
        int wait = NextTimerDelay(*CurrentQueue());
        int blink = CaretBlinkTick();
        if (blink >= 0 && (wait < 0 || blink < wait))
            wait = blink;
        PresentDirty();
        AfxGetHost()->WaitForEvents(wait);
    }
}

BOOL WaitMessage()
{
    MSG m;
    if (PeekCore(&m, nullptr, 0, 0, PM_NOREMOVE))
        return TRUE;
    PresentDirty();
    AfxGetHost()->WaitForEvents(NextTimerDelay(*CurrentQueue()));
    return TRUE;
}

namespace {

wchar_t CharForKey(UINT vk, bool shift, bool caps, bool ctrl)
{
    if (ctrl) {
        if (vk >= 'A' && vk <= 'Z')
            return wchar_t(vk - 'A' + 1);
        switch (vk) {
        case VK_RETURN: return 10;
        case VK_BACK: return 127;
        case VK_ESCAPE: return 27;
        case VK_OEM_4: return 27;
        case VK_OEM_5: return 28;
        case VK_OEM_6: return 29;
        default: return 0;
        }
    }
    if (vk >= 'A' && vk <= 'Z')
        return wchar_t((shift != caps) ? vk : vk + 32);
    if (vk >= '0' && vk <= '9')
        return shift ? L")!@#$%^&*("[vk - '0'] : wchar_t(vk);
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9)
        return wchar_t('0' + vk - VK_NUMPAD0);
    switch (vk) {
    case VK_SPACE: return L' ';
    case VK_RETURN: return L'\r';
    case VK_ESCAPE: return 27;
    case VK_BACK: return 8;
    case VK_TAB: return 9;
    case VK_MULTIPLY: return L'*';
    case VK_ADD: return L'+';
    case VK_SUBTRACT: return L'-';
    case VK_DECIMAL: return L'.';
    case VK_DIVIDE: return L'/';
    case VK_OEM_1: return shift ? L':' : L';';
    case VK_OEM_PLUS: return shift ? L'+' : L'=';
    case VK_OEM_COMMA: return shift ? L'<' : L',';
    case VK_OEM_MINUS: return shift ? L'_' : L'-';
    case VK_OEM_PERIOD: return shift ? L'>' : L'.';
    case VK_OEM_2: return shift ? L'?' : L'/';
    case VK_OEM_3: return shift ? L'~' : L'`';
    case VK_OEM_4: return shift ? L'{' : L'[';
    case VK_OEM_5: return shift ? L'|' : L'\\';
    case VK_OEM_6: return shift ? L'}' : L']';
    case VK_OEM_7: return shift ? L'"' : L'\'';
    default: return 0;
    }
}

}  // namespace

BOOL TranslateMessage(const MSG* msg)
{
    if (!msg || (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN))
        return FALSE;
    auto q = CurrentQueue();
    bool ctrl = GetKeyState(VK_CONTROL) < 0;
    bool alt = GetKeyState(VK_MENU) < 0;
    wchar_t ch = 0;
    const MSG& cur = q->current;
    bool fromHost = cur.hwnd == msg->hwnd && cur.message == msg->message && cur.wParam == msg->wParam &&
                    cur.lParam == msg->lParam;
    if (fromHost && q->currentKeyChar && !ctrl)
        ch = q->currentKeyChar;
    else
        ch = CharForKey(UINT(msg->wParam), GetKeyState(VK_SHIFT) < 0, (GetKeyState(VK_CAPITAL) & 1) != 0, ctrl && !alt);
    if (!ch)
        return FALSE;
    UINT out = msg->message == WM_SYSKEYDOWN ? WM_SYSCHAR : WM_CHAR;
    {
        std::lock_guard<std::mutex> lock(q->mutex);
        QItem it;
        it.msg = MSG{msg->hwnd, out, WPARAM(ch), msg->lParam, msg->time, msg->pt};
        q->posted.push_front(it);  // the character comes next, before anything posted earlier
    }
    return TRUE;
}

LRESULT DispatchMessageW(const MSG* msg)
{
    if (!msg)
        return 0;
    if (msg->message == WM_TIMER && msg->lParam) {
        // Only a callback given to SetTimer is called: a posted WM_TIMER with some other
        // lParam must not make the program jump to an arbitrary address.
        auto proc = reinterpret_cast<TIMERPROC>(msg->lParam);
        auto q = CurrentQueue();
        bool known = std::any_of(q->timers.begin(), q->timers.end(), [&](const Timer& t) {
            return t.hwnd == msg->hwnd && t.id == msg->wParam && t.proc == proc;
        });
        if (known) {
            proc(msg->hwnd, WM_TIMER, msg->wParam, Now());
            return 0;
        }
    }
    Wnd* w = Find(msg->hwnd);
    if (!w)
        return 0;
    if (msg->message != WM_PAINT)
        return CallProc(w, msg->message, msg->wParam, msg->lParam);
    gdi::RegionData before = w->update;
    LRESULT r = CallProc(w, msg->message, msg->wParam, msg->lParam);
    if ((w = Find(msg->hwnd)) != nullptr && !w->update.IsEmpty() && w->update == before) {
        // The handler neither painted nor validated: validate, or WM_PAINT would come forever.
        w->update = gdi::RegionData();
        w->erase = false;
    }
    if (w)
        w->internalPaint = false;
    return r;
}

DWORD GetMessageTime() { return CurrentQueue()->current.time; }

DWORD GetMessagePos()
{
    const POINT& p = CurrentQueue()->current.pt;
    return DWORD(MAKELONG(WORD(SHORT(p.x)), WORD(SHORT(p.y))));
}

UINT RegisterWindowMessageW(LPCWSTR name)
{
    static std::mutex m;
    static std::map<std::wstring, UINT> ids;
    if (!name || !*name)
        return 0;
    std::wstring key;
    for (const wchar_t* p = name; *p; ++p)
        key += wchar_t(std::towlower(*p));
    std::lock_guard<std::mutex> lock(m);
    auto it = ids.find(key);
    if (it != ids.end())
        return it->second;
    UINT id = UINT(0xC000 + ids.size());
    if (id > 0xFFFF)
        return 0;
    ids[key] = id;
    return id;
}

// ---- timers ----

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC fn)
{
    auto q = CurrentQueue();
    if (hwnd) {
        Wnd* w = Find(hwnd);
        if (!w || w->queue != q)
            return 0;
    }
    elapse = std::clamp<UINT>(elapse, 10, 0x7FFFFFFF);  // Win32's minimum period
    if (!hwnd)
        id = q->nextThreadTimerId++;
    for (Timer& t : q->timers) {
        if (t.hwnd == hwnd && t.id == id) {
            t.elapse = elapse;
            t.due = Now() + elapse;
            t.proc = fn;
            return hwnd && id == 0 ? 1 : id;
        }
    }
    q->timers.push_back(Timer{hwnd, id, elapse, Now() + elapse, fn});
    return hwnd && id == 0 ? 1 : id;
}

BOOL KillTimer(HWND hwnd, UINT_PTR id)
{
    auto q = CurrentQueue();
    auto& v = q->timers;
    auto it = std::find_if(v.begin(), v.end(), [&](const Timer& t) { return t.hwnd == hwnd && t.id == id; });
    if (it == v.end())
        return FALSE;
    v.erase(it);
    return TRUE;
}
