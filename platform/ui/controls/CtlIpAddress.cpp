// "SysIPAddress32": four number fields of 0..255 (or a narrower range per field) separated by
// dots. Typing fills the focused field, '.' or a full field moves to the next; a value above the
// range is brought back into it. Changes send EN_CHANGE; leaving a field (to another one or
// out of the control) sends IPN_FIELDCHANGED with its value (-1 when blank), whose answer may
// replace the value.
#include "platform/ui/controls/CtlCommon.h"
#include "platform/ui/controls/CtlDraw.h"

#include <algorithm>
#include <cwchar>

namespace ctl {
namespace {

class IpAddress : public Control {
public:
    using Control::Control;
    int value[4] = {-1, -1, -1, -1};  // -1: blank
    BYTE lo[4] = {0, 0, 0, 0}, hi[4] = {255, 255, 255, 255};
    int field = 0;
    std::wstring typed;

    void NotifyChange() { NotifyCommand(EN_CHANGE); }

    void LeaveField()
    {
        typed.clear();
        NMIPADDRESS nm{};
        nm.iField = field;
        nm.iValue = value[field];
        NotifyParent(nm.hdr, IPN_FIELDCHANGED);
        // the answer may change the value
        if (nm.iValue != value[field] && nm.iValue >= -1 && nm.iValue <= 255) {
            value[field] = nm.iValue < 0 ? -1 : std::clamp(nm.iValue, int(lo[field]), int(hi[field]));
            Redraw();
        }
    }

    void Move(int to)
    {
        to = std::clamp(to, 0, 3);
        if (to == field)
            return;
        HWND self = hwnd;
        LeaveField();
        if (!IsWindow(self))
            return;
        field = to;
        Redraw();
    }

    LRESULT Proc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        switch (msg) {
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS | DLGC_WANTCHARS;
        case WM_SETFOCUS:
            Redraw();
            NotifyCommand(EN_SETFOCUS);
            return 0;
        case WM_KILLFOCUS: {
            HWND self = hwnd;
            LeaveField();
            if (!IsWindow(self))
                return 0;
            Redraw();
            NotifyCommand(EN_KILLFOCUS);
            return 0;
        }
        case WM_LBUTTONDOWN: {
            if (!TakeFocus())
                return 0;
            RECT c = Client();
            int w = std::max(1, int(c.right - c.left) / 4);
            Move(GET_X_LPARAM(lParam) / w);
            return 0;
        }
        case WM_KEYDOWN:
            switch (wParam) {
            case VK_LEFT: Move(field - 1); break;
            case VK_RIGHT: Move(field + 1); break;
            case VK_HOME: Move(0); break;
            case VK_END: Move(3); break;
            case VK_DELETE:
                value[field] = -1;
                typed.clear();
                Redraw();
                NotifyChange();
                break;
            default: break;
            }
            return 0;
        case WM_CHAR: {
            wchar_t ch = wchar_t(wParam);
            if (ch == L'.' || ch == L' ') {
                if (!typed.empty() || value[field] >= 0)
                    Move(field + 1);
                return 0;
            }
            if (ch == VK_BACK) {
                if (value[field] < 0) {
                    Move(field - 1);
                    return 0;
                }
                value[field] = value[field] >= 10 ? value[field] / 10 : -1;
                typed = value[field] >= 0 ? std::to_wstring(value[field]) : L"";
                Redraw();
                NotifyChange();
                return 0;
            }
            if (ch < L'0' || ch > L'9')
                return 0;
            if (typed.size() >= 3)
                typed.clear();
            typed += ch;
            int v = std::wcstol(typed.c_str(), nullptr, 10);
            if (v > hi[field]) {
                v = hi[field];
                MessageBeep(0);
            }
            value[field] = v;
            Redraw();
            HWND self = hwnd;
            NotifyChange();
            if (IsWindow(self) && typed.size() == 3 && field < 3)
                Move(field + 1);
            return 0;
        }
        case IPM_CLEARADDRESS:
            std::fill(value, value + 4, -1);
            Redraw();
            return 0;
        case IPM_SETADDRESS:
            for (int k = 0; k < 4; ++k)
                value[k] = std::clamp(int((DWORD(lParam) >> (24 - 8 * k)) & 0xFF), int(lo[k]), int(hi[k]));
            Redraw();
            return TRUE;
        case IPM_GETADDRESS: {
            DWORD a = 0;
            int filled = 0;
            for (int k = 0; k < 4; ++k) {
                if (value[k] >= 0)
                    ++filled;
                a |= DWORD(std::max(0, value[k])) << (24 - 8 * k);
            }
            if (lParam)
                *reinterpret_cast<DWORD*>(lParam) = a;
            return filled;
        }
        case IPM_SETRANGE: {
            int k = int(wParam);
            if (k < 0 || k > 3)
                return FALSE;
            BYTE l = BYTE(lParam & 0xFF), h = BYTE((lParam >> 8) & 0xFF);
            if (l > h)
                return FALSE;
            lo[k] = l;
            hi[k] = h;
            if (value[k] >= 0)
                value[k] = std::clamp(value[k], int(l), int(h));
            Redraw();
            return TRUE;
        }
        case IPM_SETFOCUS:
            SetFocus(hwnd);
            Move(int(wParam) > 3 ? 0 : int(wParam));
            return 0;
        case IPM_ISBLANK:
            return std::all_of(value, value + 4, [](int v) { return v < 0; });
        default:
            return Control::Proc(msg, wParam, lParam);
        }
    }

    void Paint(HDC dc) override
    {
        RECT c = Client();
        HBRUSH back = CtlColor(Enabled() ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC, dc);
        FillRect(dc, &c, back ? back : GetSysColorBrush(COLOR_WINDOW));
        int w = std::max(1, int(c.right - c.left) / 4);
        for (int k = 0; k < 4; ++k) {
            RECT r{c.left + k * w, c.top, c.left + (k + 1) * w, c.bottom};
            std::wstring t = value[k] >= 0 ? std::to_wstring(value[k]) : L"";
            bool hot = Focused() && k == field;
            SetTextColor(dc, Enabled() ? GetSysColor(COLOR_WINDOWTEXT) : GetSysColor(COLOR_GRAYTEXT));
            if (hot && !t.empty()) {
                SIZE sz{};
                GetTextExtentPoint32W(dc, t.c_str(), int(t.size()), &sz);
                int h = LineHeight(), cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
                RECT hr{cx - sz.cx / 2 - Unit(), cy - h / 2, cx + sz.cx / 2 + Unit() + 1, cy - h / 2 + h};
                FillRect(dc, &hr, GetSysColorBrush(COLOR_HIGHLIGHT));
                SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
            }
            DrawTextW(dc, t.c_str(), -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            if (k < 3) {
                SetTextColor(dc, Enabled() ? GetSysColor(COLOR_WINDOWTEXT) : GetSysColor(COLOR_GRAYTEXT));
                RECT d{r.right - w / 4, r.top, r.right + w / 4, r.bottom};
                DrawTextW(dc, L".", -1, &d, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            }
        }
    }
};

}  // namespace

void RegisterIpAddress() { RegisterControl<IpAddress>(WC_IPADDRESSW, CS_DBLCLKS); }

}  // namespace ctl
