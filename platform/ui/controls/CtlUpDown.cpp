// "msctls_updown32": two arrows that step a position within a 16- or 32-bit range. A click
// moves the keyboard focus to the buddy window first; each step asks the parent with
// UDN_DELTAPOS (non-zero answer cancels), writes the new position into the buddy's text with
// UDS_SETBUDDYINT (the buddy then reports EN_UPDATE/EN_CHANGE) and sends WM_VSCROLL (WM_HSCROLL
// with UDS_HORZ) with SB_THUMBPOSITION to the parent.
#include "platform/ui/controls/CtlCommon.h"
#include "platform/ui/controls/CtlDraw.h"

#include <algorithm>
#include <climits>
#include <cwchar>
#include <vector>

namespace ctl {
namespace {

constexpr UINT_PTR kRepeatTimer = 1;
const wchar_t* const kBuddyProp = L"CtlUpDownOldProc";
const wchar_t* const kBuddyOwner = L"CtlUpDownOwner";

class UpDown : public Control {
public:
    using Control::Control;
    int lower = 100, upper = 0, pos = 0;  // the classic default range runs backwards
    int base = 10;
    HWND buddy = nullptr;
    int held = 0;  // +1 up (right) arrow held, -1 down (left)
    int repeats = 0;
    std::vector<UDACCEL> accel{{0, 1}};

    bool Horz() const { return (Style() & UDS_HORZ) != 0; }
    int Clamp(int p) const { return std::clamp(p, std::min(lower, upper), std::max(lower, upper)); }

    std::wstring Format(int p) const
    {
        wchar_t buf[40];
        if (base == 16) {
            std::swprintf(buf, 40, L"0x%04X", unsigned(p));
            return buf;
        }
        std::swprintf(buf, 40, L"%d", p);
        std::wstring s = buf;
        if (!(Style() & UDS_NOTHOUSANDS)) {
            size_t sign = p < 0 ? 1 : 0;
            std::wstring digits = s.substr(sign), grouped;
            for (size_t k = 0; k < digits.size(); ++k) {
                if (k && (digits.size() - k) % 3 == 0)
                    grouped += L',';
                grouped += digits[k];
            }
            s = s.substr(0, sign) + grouped;
        }
        return s;
    }

    // Reads the buddy's number into pos; false (pos kept) when the text is not a number of the range.
    bool ReadBuddy()
    {
        if (!buddy || !(Style() & UDS_SETBUDDYINT) || !IsWindow(buddy))
            return true;
        std::wstring t = WindowText(buddy), digits;
        for (wchar_t c : t)
            if (c != L',' && c != L' ')
                digits += c;
        if (digits.empty())
            return false;
        wchar_t* end = nullptr;
        long v = base == 16 ? std::wcstol(digits.c_str(), &end, 16) : std::wcstol(digits.c_str(), &end, 10);
        if (!end || *end || v != Clamp(int(std::clamp<long>(v, INT_MIN, INT_MAX))))
            return false;  // not a number, or outside the range: the position stays as it was
        pos = int(v);
        return true;
    }

    void WriteBuddy()
    {
        // a text that already reads so stays untouched: the buddy reports no change, and a
        // caret or selection in it stays where the user left it
        if (buddy && (Style() & UDS_SETBUDDYINT) && IsWindow(buddy)) {
            const std::wstring text = Format(pos);
            if (WindowText(buddy) != text)
                SetWindowTextW(buddy, text.c_str());
        }
    }

    static LRESULT BuddyHook(HWND h, UINT msg, WPARAM wParam, LPARAM lParam)
    {
        auto old = reinterpret_cast<WNDPROC>(GetPropW(h, kBuddyProp));
        auto owner = static_cast<HWND>(GetPropW(h, kBuddyOwner));
        if (msg == WM_KEYDOWN && (wParam == VK_UP || wParam == VK_DOWN)) {
            if (UpDown* ud = ControlOf<UpDown>(owner); ud && (ud->Style() & UDS_ARROWKEYS)) {
                ud->Step(wParam == VK_UP ? 1 : -1);
                return 0;
            }
        }
        if (msg == WM_NCDESTROY) {
            RemovePropW(h, kBuddyProp);
            RemovePropW(h, kBuddyOwner);
            if (old)
                SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
        }
        return old ? CallWindowProcW(old, h, msg, wParam, lParam) : DefWindowProcW(h, msg, wParam, lParam);
    }

    void Unhook()
    {
        if (!buddy || !IsWindow(buddy))
            return;
        if (reinterpret_cast<WNDPROC>(GetWindowLongPtrW(buddy, GWLP_WNDPROC)) == &UpDown::BuddyHook) {
            auto old = reinterpret_cast<WNDPROC>(GetPropW(buddy, kBuddyProp));
            SetWindowLongPtrW(buddy, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
        }
        RemovePropW(buddy, kBuddyProp);
        RemovePropW(buddy, kBuddyOwner);
    }

    HWND SetBuddy(HWND b)
    {
        HWND old = buddy;
        Unhook();
        buddy = b;
        if (!b)
            return old;
        if (!GetPropW(b, kBuddyProp)) {
            SetPropW(b, kBuddyOwner, hwnd);
            SetPropW(b, kBuddyProp, reinterpret_cast<HANDLE>(GetWindowLongPtrW(b, GWLP_WNDPROC)));
            SetWindowLongPtrW(b, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&UpDown::BuddyHook));
        }
        if (Style() & (UDS_ALIGNRIGHT | UDS_ALIGNLEFT)) {
            // sit against the buddy's side, as tall as it, taking the room from it
            RECT br{}, mr{};
            GetWindowRect(b, &br);
            GetWindowRect(hwnd, &mr);
            HWND parent = GetParent(hwnd);
            POINT tl{br.left, br.top};
            ScreenToClient(parent, &tl);
            int bw = br.right - br.left, bh = br.bottom - br.top;
            int w = mr.right - mr.left > 0 ? mr.right - mr.left : ArrowButtonWidth();
            if (Style() & UDS_ALIGNRIGHT) {
                MoveWindow(b, tl.x, tl.y, std::max(0, bw - w), bh, TRUE);
                MoveWindow(hwnd, tl.x + std::max(0, bw - w), tl.y, w, bh, TRUE);
            } else {
                MoveWindow(b, tl.x + w, tl.y, std::max(0, bw - w), bh, TRUE);
                MoveWindow(hwnd, tl.x, tl.y, w, bh, TRUE);
            }
        }
        return old;
    }

    int Increment() const
    {
        int inc = int(accel.empty() ? 1 : accel[0].nInc);
        int secs = repeats / 5;  // roughly seconds of holding at the repeat rate
        for (const auto& a : accel)
            if (int(a.nSec) <= secs)
                inc = int(a.nInc);
        return inc;
    }

    // One step towards the upper end (dir 1) or the lower end (dir -1), as a user makes it.
    void Step(int dir)
    {
        HWND self = hwnd;
        ReadBuddy();
        int delta = dir * Increment() * (upper >= lower ? 1 : -1);
        NMUPDOWN nm{};
        nm.iPos = pos;
        nm.iDelta = delta;
        if (NotifyParent(nm.hdr, UDN_DELTAPOS) != 0 || !IsWindow(self))
            return;
        delta = nm.iDelta;
        int lo = std::min(lower, upper), hi = std::max(lower, upper);
        long long n = (long long)pos + delta;
        if (n > hi || n < lo) {
            if (Style() & UDS_WRAP)
                n = n > hi ? lo : hi;
            else
                n = std::clamp<long long>(n, lo, hi);
        }
        if (int(n) == pos)
            return;
        pos = int(n);
        WriteBuddy();
        if (!IsWindow(self))
            return;
        if (HWND p = NotifyTarget())
            SendMessageW(p, Horz() ? WM_HSCROLL : WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, WORD(pos)),
                         reinterpret_cast<LPARAM>(hwnd));
    }

    LRESULT Proc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        switch (msg) {
        case WM_CREATE:
            if (Style() & UDS_AUTOBUDDY)
                SetBuddy(GetWindow(hwnd, GW_HWNDPREV));
            return 0;
        case WM_DESTROY:
            Unhook();
            buddy = nullptr;
            return 0;
        case UDM_SETRANGE:
            upper = int(SHORT(LOWORD(lParam)));
            lower = int(SHORT(HIWORD(lParam)));
            return 0;
        case UDM_GETRANGE:
            return MAKELONG(WORD(upper), WORD(lower));
        case UDM_SETRANGE32:
            lower = int(wParam);
            upper = int(lParam);
            return 0;
        case UDM_GETRANGE32:
            if (wParam)
                *reinterpret_cast<int*>(wParam) = lower;
            if (lParam)
                *reinterpret_cast<int*>(lParam) = upper;
            return 0;
        case UDM_SETPOS:
        case UDM_SETPOS32: {
            int old = pos;
            pos = Clamp(msg == UDM_SETPOS ? int(SHORT(LOWORD(lParam))) : int(lParam));
            WriteBuddy();
            return old;
        }
        case UDM_GETPOS: {
            bool ok = ReadBuddy();
            return MAKELONG(WORD(pos), WORD(ok ? 0 : 1));
        }
        case UDM_GETPOS32: {
            bool ok = ReadBuddy();
            if (lParam)
                *reinterpret_cast<BOOL*>(lParam) = ok ? FALSE : TRUE;
            return pos;
        }
        case UDM_SETBUDDY:
            return reinterpret_cast<LRESULT>(SetBuddy(reinterpret_cast<HWND>(wParam)));
        case UDM_GETBUDDY:
            return reinterpret_cast<LRESULT>(buddy);
        case UDM_SETBASE: {
            if (wParam != 10 && wParam != 16)
                return 0;
            int old = base;
            base = int(wParam);
            WriteBuddy();
            return old;
        }
        case UDM_GETBASE:
            return base;
        case UDM_SETACCEL: {
            auto* a = reinterpret_cast<const UDACCEL*>(lParam);
            if (!a || wParam == 0)
                return FALSE;
            accel.assign(a, a + std::min<WPARAM>(wParam, 64));
            return TRUE;
        }
        case UDM_GETACCEL: {
            auto* a = reinterpret_cast<UDACCEL*>(lParam);
            size_t n = std::min<size_t>(accel.size(), size_t(wParam));
            if (a)
                std::copy_n(accel.begin(), n, a);
            return LRESULT(accel.size());
        }
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            HWND self = hwnd;
            HWND focusTo = buddy && IsWindow(buddy) ? buddy : nullptr;
            if (focusTo && GetFocus() != focusTo) {
                SetFocus(focusTo);
                if (!IsWindow(self))
                    return 0;
            }
            RECT r = Client();
            int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
            held = Horz() ? (x >= (r.left + r.right) / 2 ? 1 : -1) : (y < (r.top + r.bottom) / 2 ? 1 : -1);
            repeats = 0;
            SetCapture(hwnd);
            Redraw();
            Step(held);
            if (IsWindow(self) && held)
                SetTimer(hwnd, kRepeatTimer, 500, nullptr);
            return 0;
        }
        case WM_TIMER:
            if (wParam == kRepeatTimer && held) {
                ++repeats;
                Step(held);
                if (IsWindow(hwnd))
                    SetTimer(hwnd, kRepeatTimer, 100, nullptr);
            }
            return 0;
        case WM_LBUTTONUP:
        case WM_CAPTURECHANGED:
            if (held) {
                held = 0;
                KillTimer(hwnd, kRepeatTimer);
                if (msg == WM_LBUTTONUP)
                    ReleaseCapture();
                Redraw();
                if (HWND p = NotifyTarget())
                    SendMessageW(p, Horz() ? WM_HSCROLL : WM_VSCROLL, MAKEWPARAM(SB_ENDSCROLL, WORD(pos)),
                                 reinterpret_cast<LPARAM>(hwnd));
            }
            return 0;
        case WM_KEYDOWN:
            if ((Style() & UDS_ARROWKEYS) && (wParam == VK_UP || wParam == VK_DOWN))
                Step(wParam == VK_UP ? 1 : -1);
            return 0;
        default:
            return Control::Proc(msg, wParam, lParam);
        }
    }

    void Paint(HDC dc) override
    {
        RECT r = Client();
        RECT a, b;  // a: up (right), b: down (left)
        if (Horz()) {
            int m = (r.left + r.right) / 2;
            b = RECT{r.left, r.top, m, r.bottom};
            a = RECT{m, r.top, r.right, r.bottom};
        } else {
            int m = (r.top + r.bottom) / 2;
            a = RECT{r.left, r.top, r.right, m};
            b = RECT{r.left, m, r.right, r.bottom};
        }
        DrawButtonFace(dc, a, held > 0, false);
        DrawButtonFace(dc, b, held < 0, false);
        bool en = Enabled();
        DrawArrow(dc, a, Horz() ? 3 : 0, en && (pos != std::max(lower, upper) || (Style() & UDS_WRAP) || true));
        DrawArrow(dc, b, Horz() ? 2 : 1, en);
    }
};

}  // namespace

void RegisterUpDown() { RegisterControl<UpDown>(UPDOWN_CLASSW, 0); }

}  // namespace ctl
