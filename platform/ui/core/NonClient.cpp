// The non-client area: frame, caption and the window's own scroll bars (WS_HSCROLL/WS_VSCROLL),
// their sizes (WM_NCCALCSIZE), painting (WM_NCPAINT), hit testing (WM_NCHITTEST) and the
// scroll-bar functions with the mouse tracking that sends WM_HSCROLL/WM_VSCROLL.
#include "platform/ui/core/Host.h"
#include "platform/ui/core/detail/WndData.h"

#include "platform/gdi/DC.h"

#include <algorithm>

namespace ui {

namespace {

struct Insets {
    int frame = 0;       // frame width on every side
    int caption = 0;     // caption height below the top frame
    int edge = 0;        // client edge inside the frame
};

Insets InsetsOf(const Wnd* w)
{
    Insets in;
    DWORD s = w->style;
    // The window manager draws the frame and caption of such a top-level window itself.
    const bool framedByHost = !w->parent && !(s & WS_CHILD) && AfxGetHost()->FramesTopLevel(s, w->exStyle);
    if (!framedByHost) {
        if (s & WS_THICKFRAME)
            in.frame = GetSystemMetrics(SM_CXFRAME);
        else if ((s & WS_DLGFRAME) || (w->exStyle & WS_EX_DLGMODALFRAME))
            in.frame = GetSystemMetrics(SM_CXDLGFRAME);
        else if (s & WS_BORDER)
            in.frame = GetSystemMetrics(SM_CXBORDER);
        if ((s & WS_CAPTION) == WS_CAPTION)
            in.caption = GetSystemMetrics((w->exStyle & WS_EX_TOOLWINDOW) ? SM_CYSMCAPTION : SM_CYCAPTION);
    }
    if (w->exStyle & WS_EX_CLIENTEDGE)
        in.edge += GetSystemMetrics(SM_CXEDGE);
    if (w->exStyle & WS_EX_STATICEDGE)
        in.edge += GetSystemMetrics(SM_CXBORDER);
    return in;
}

// Window-coordinate rectangles of the parts.
RECT InnerRect(const Wnd* w)  // inside frame and caption
{
    Insets in = InsetsOf(w);
    RECT r{in.frame, in.frame + in.caption, w->Width() - in.frame, w->Height() - in.frame};
    return r;
}

RECT CaptionRect(const Wnd* w)
{
    Insets in = InsetsOf(w);
    return RECT{in.frame, in.frame, w->Width() - in.frame, in.frame + in.caption};
}

RECT CloseButtonRect(const Wnd* w)
{
    RECT c = CaptionRect(w);
    int h = c.bottom - c.top - 4;
    return RECT{c.right - 2 - (h + 2), c.top + 2, c.right - 2, c.top + 2 + h};
}

RECT BarRect(const Wnd* w, int bar)
{
    int cx = GetSystemMetrics(SM_CXVSCROLL);
    int cy = GetSystemMetrics(SM_CYHSCROLL);
    if (bar == SB_VERT)
        return RECT{w->client.right, w->client.top, w->client.right + cx, w->client.bottom};
    return RECT{w->client.left, w->client.bottom, w->client.right, w->client.bottom + cy};
}

ScrollBar& BarOf(Wnd* w, int bar) { return bar == SB_VERT ? w->vbar : w->hbar; }

bool HasBar(const Wnd* w, int bar) { return (w->style & (bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL)) != 0; }

int MaxPos(const ScrollBar& b) { return b.nMax - std::max<int>(int(b.nPage), 1) + 1; }

// Thumb geometry along the bar: start offset from the bar's start and length; 0 length when no
// thumb fits.
void Thumb(const ScrollBar& b, int barLen, int arrow, int& start, int& len, int pos)
{
    int track = barLen - 2 * arrow;
    start = arrow;
    len = 0;
    if (track < 8 || b.disabled || b.nMax <= b.nMin)
        return;
    long long range = (long long)b.nMax - b.nMin + 1;
    len = b.nPage ? int(std::max<long long>(track * (long long)b.nPage / range, 8)) : arrow;
    len = std::min(len, track);
    int maxPos = MaxPos(b);
    int offset = 0;
    if (maxPos > b.nMin)
        offset = int((long long)(track - len) * (std::clamp(pos, b.nMin, maxPos) - b.nMin) / (maxPos - b.nMin));
    start = arrow + offset;
}

void DrawArrowBox(CDC& dc, const RECT& r, int dir, bool enabled)
{
    dc.FillSolidRect(&r, GetSysColor(COLOR_3DFACE));
    RECT e = r;
    dc.DrawEdge(&e, EDGE_RAISED, BF_RECT);
    int cx = (r.left + r.right) / 2;
    int cy = (r.top + r.bottom) / 2;
    COLORREF c = GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
    for (int i = 0; i < 4; ++i) {
        switch (dir) {
        case 0: dc.FillSolidRect(cx - i, cy - 2 + i, 2 * i + 1, 1, c); break;   // up
        case 1: dc.FillSolidRect(cx - i, cy + 1 - i, 2 * i + 1, 1, c); break;   // down
        case 2: dc.FillSolidRect(cx - 2 + i, cy - i, 1, 2 * i + 1, c); break;   // left
        default: dc.FillSolidRect(cx + 1 - i, cy - i, 1, 2 * i + 1, c); break;  // right
        }
    }
}

void DrawBar(CDC& dc, Wnd* w, int bar)
{
    RECT r = BarRect(w, bar);
    ScrollBar& b = BarOf(w, bar);
    bool vert = bar == SB_VERT;
    int len = vert ? r.bottom - r.top : r.right - r.left;
    int arrow = std::min(vert ? GetSystemMetrics(SM_CYVSCROLL) : GetSystemMetrics(SM_CXHSCROLL), len / 2);
    bool enabled = !b.disabled && b.nMax > b.nMin && !(w->style & WS_DISABLED);
    // track: the classic checked pattern approximated by the light 3-D colour
    dc.FillSolidRect(&r, GetSysColor(COLOR_3DLIGHT));
    RECT a1 = vert ? RECT{r.left, r.top, r.right, r.top + arrow} : RECT{r.left, r.top, r.left + arrow, r.bottom};
    RECT a2 = vert ? RECT{r.left, r.bottom - arrow, r.right, r.bottom} : RECT{r.right - arrow, r.top, r.right, r.bottom};
    DrawArrowBox(dc, a1, vert ? 0 : 2, enabled);
    DrawArrowBox(dc, a2, vert ? 1 : 3, enabled);
    int ts = 0, tl = 0;
    Thumb(b, len, arrow, ts, tl, b.nPos);
    if (enabled && tl > 0) {
        RECT t = vert ? RECT{r.left, r.top + ts, r.right, r.top + ts + tl} : RECT{r.left + ts, r.top, r.left + ts + tl, r.bottom};
        dc.FillSolidRect(&t, GetSysColor(COLOR_3DFACE));
        dc.DrawEdge(&t, EDGE_RAISED, BF_RECT);
    }
}

}  // namespace

void ComputeClient(Wnd* w)
{
    NCCALCSIZE_PARAMS p{};
    p.rgrc[0] = w->rect;
    p.rgrc[1] = w->rect;
    p.rgrc[2] = RECT{w->rect.left + w->client.left, w->rect.top + w->client.top, w->rect.left + w->client.right,
                     w->rect.top + w->client.bottom};
    HWND h = w->handle;
    Send(w, WM_NCCALCSIZE, TRUE, reinterpret_cast<LPARAM>(&p));
    if (!(w = Find(h)))
        return;
    RECT c = p.rgrc[0];
    OffsetRect(&c, -w->rect.left, -w->rect.top);
    c.right = std::max(c.right, c.left);
    c.bottom = std::max(c.bottom, c.top);
    w->client = c;
}

// DefWindowProc's WM_NCCALCSIZE: the client rectangle inside frame, caption, edge and bars.
void DefaultNcCalcSize(Wnd* w, RECT& r)
{
    Insets in = InsetsOf(w);
    r.left += in.frame + in.edge;
    r.right -= in.frame + in.edge;
    r.top += in.frame + in.caption + in.edge;
    r.bottom -= in.frame + in.edge;
    if (w->style & WS_VSCROLL)
        r.right -= GetSystemMetrics(SM_CXVSCROLL);
    if (w->style & WS_HSCROLL)
        r.bottom -= GetSystemMetrics(SM_CYHSCROLL);
    r.right = std::max(r.right, r.left);
    r.bottom = std::max(r.bottom, r.top);
}

void DrawNonClient(Wnd* w, HDC hdc)
{
    CDC* dc = CDC::FromHandle(hdc);
    if (!dc)
        return;
    Insets in = InsetsOf(w);
    RECT whole{0, 0, w->Width(), w->Height()};
    if (in.frame == 1) {
        CBrush frame;
        frame.CreateSolidBrush(GetSysColor(COLOR_WINDOWFRAME));
        dc->FrameRect(&whole, &frame);
    } else if (in.frame > 1) {
        RECT r = whole;
        dc->DrawEdge(&r, EDGE_RAISED, BF_RECT | BF_ADJUST);
        for (int i = 2; i < in.frame; ++i) {
            dc->Draw3dRect(&r, GetSysColor(COLOR_3DFACE), GetSysColor(COLOR_3DFACE));
            InflateRect(&r, -1, -1);
        }
    }
    if (in.caption) {
        RECT cap = CaptionRect(w);
        cap.bottom -= 1;
        bool active = TopLevelOf(w)->captionActive;
        dc->FillSolidRect(&cap, GetSysColor(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
        dc->FillSolidRect(cap.left, cap.bottom, cap.right - cap.left, 1, GetSysColor(COLOR_3DFACE));
        CFont font;
        LOGFONTW lf{};
        lf.lfHeight = -((cap.bottom - cap.top) * 2 / 3);
        lf.lfWeight = 700;
        wcscpy(lf.lfFaceName, L"Tahoma");
        font.CreateFontIndirect(&lf);
        CFont* oldFont = dc->SelectObject(&font);
        dc->SetBkMode(TRANSPARENT);
        dc->SetTextColor(GetSysColor(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
        RECT text = cap;
        text.left += 4;
        if (w->style & WS_SYSMENU)
            text.right = CloseButtonRect(w).left - 2;
        dc->DrawText(w->text.c_str(), int(w->text.size()), &text, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
        dc->SelectObject(oldFont);
        if (w->style & WS_SYSMENU) {
            RECT b = CloseButtonRect(w);
            dc->FillSolidRect(&b, GetSysColor(COLOR_3DFACE));
            RECT e = b;
            dc->DrawEdge(&e, EDGE_RAISED, BF_RECT);
            CPen pen(PS_SOLID, 2, GetSysColor(COLOR_BTNTEXT));
            CPen* oldPen = dc->SelectObject(&pen);
            int m = (b.bottom - b.top) / 4 + 1;
            dc->MoveTo(b.left + m, b.top + m);
            dc->LineTo(b.right - m, b.bottom - m);
            dc->MoveTo(b.right - m, b.top + m);
            dc->LineTo(b.left + m, b.bottom - m);
            dc->SelectObject(oldPen);
        }
    }
    if (in.edge) {
        RECT inner = InnerRect(w);
        if (w->exStyle & WS_EX_CLIENTEDGE) {
            dc->DrawEdge(&inner, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
        }
        if (w->exStyle & WS_EX_STATICEDGE)
            dc->DrawEdge(&inner, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    }
    if (w->style & WS_VSCROLL)
        DrawBar(*dc, w, SB_VERT);
    if (w->style & WS_HSCROLL)
        DrawBar(*dc, w, SB_HORZ);
    if ((w->style & WS_VSCROLL) && (w->style & WS_HSCROLL)) {
        RECT corner{w->client.right, w->client.bottom, w->client.right + GetSystemMetrics(SM_CXVSCROLL),
                    w->client.bottom + GetSystemMetrics(SM_CYHSCROLL)};
        dc->FillSolidRect(&corner, GetSysColor(COLOR_3DFACE));
    }
}

int DefaultHitTest(Wnd* w, POINT screen)
{
    RECT wr = ScreenRect(w);
    if (!PtInRect(&wr, screen))
        return HTNOWHERE;
    POINT p{screen.x - wr.left, screen.y - wr.top};
    if (w->hasRgn && !w->rgn.Contains(p.x, p.y))
        return HTNOWHERE;
    if (PtInRect(&w->client, p))
        return HTCLIENT;
    if (w->style & WS_VSCROLL) {
        RECT b = BarRect(w, SB_VERT);
        if (PtInRect(&b, p))
            return HTVSCROLL;
    }
    if (w->style & WS_HSCROLL) {
        RECT b = BarRect(w, SB_HORZ);
        if (PtInRect(&b, p))
            return HTHSCROLL;
    }
    Insets in = InsetsOf(w);
    RECT cap = CaptionRect(w);
    if (in.caption && PtInRect(&cap, p)) {
        RECT close = CloseButtonRect(w);
        if ((w->style & WS_SYSMENU) && PtInRect(&close, p))
            return HTCLOSE;
        return HTCAPTION;
    }
    if (in.frame > 0 && (w->style & WS_THICKFRAME)) {
        int corner = std::max(GetSystemMetrics(SM_CYCAPTION), in.frame);
        bool left = p.x < in.frame, right = p.x >= w->Width() - in.frame;
        bool top = p.y < in.frame, bottom = p.y >= w->Height() - in.frame;
        bool nearLeft = p.x < corner, nearRight = p.x >= w->Width() - corner;
        bool nearTop = p.y < corner, nearBottom = p.y >= w->Height() - corner;
        if ((top && nearLeft) || (left && nearTop)) return HTTOPLEFT;
        if ((top && nearRight) || (right && nearTop)) return HTTOPRIGHT;
        if ((bottom && nearLeft) || (left && nearBottom)) return HTBOTTOMLEFT;
        if ((bottom && nearRight) || (right && nearBottom)) return HTBOTTOMRIGHT;
        if (left) return HTLEFT;
        if (right) return HTRIGHT;
        if (top) return HTTOP;
        if (bottom) return HTBOTTOM;
    }
    if (in.frame > 0)
        return HTBORDER;
    return HTNOWHERE;
}

namespace {

// Which part of a bar a window-coordinate point is on.
UINT BarPart(Wnd* w, int bar, POINT p, int& thumbStart, int& thumbLen)
{
    RECT r = BarRect(w, bar);
    bool vert = bar == SB_VERT;
    int len = vert ? r.bottom - r.top : r.right - r.left;
    int arrow = std::min(vert ? GetSystemMetrics(SM_CYVSCROLL) : GetSystemMetrics(SM_CXHSCROLL), len / 2);
    ScrollBar& b = BarOf(w, bar);
    Thumb(b, len, arrow, thumbStart, thumbLen, b.nPos);
    int at = vert ? p.y - r.top : p.x - r.left;
    if (at < arrow)
        return SB_LINEUP;
    if (at >= len - arrow)
        return SB_LINEDOWN;
    if (thumbLen == 0)
        return SB_ENDSCROLL;
    if (at < thumbStart)
        return SB_PAGEUP;
    if (at >= thumbStart + thumbLen)
        return SB_PAGEDOWN;
    return SB_THUMBTRACK;
}

}  // namespace

void TrackScrollBar(Wnd* w, int hit, POINT screen)
{
    HWND h = w->handle;
    int bar = hit == HTVSCROLL ? SB_VERT : SB_HORZ;
    UINT msgId = bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL;
    ScrollBar& b = BarOf(w, bar);
    if (b.disabled || b.nMax <= b.nMin || (w->style & WS_DISABLED))
        return;
    RECT wr = ScreenRect(w);
    POINT p{screen.x - wr.left, screen.y - wr.top};
    int ts = 0, tl = 0;
    UINT part = BarPart(w, bar, p, ts, tl);
    if (part == SB_ENDSCROLL)
        return;
    SetCapture(h);
    int grab = (bar == SB_VERT ? p.y : p.x) - ts;
    // Arrows and page areas repeat while held: first after a pause, then quickly, and only
    // while the pointer stays over the part that was pressed (paging stops at the thumb).
    constexpr UINT_PTR kRepeatTimer = 0xFFF1;
    POINT last = p;
    if (part != SB_THUMBTRACK) {
        SendMessageW(h, msgId, MAKEWPARAM(WORD(part), 0), 0);
        SetTimer(h, kRepeatTimer, 400, nullptr);
    }
    MSG m;
    for (;;) {
        if (GetCapture() != h || !Find(h))
            break;
        if (!GetMessageW(&m, nullptr, 0, 0)) {
            PostQuitMessage(int(m.wParam));
            break;
        }
        if (m.hwnd == h && m.message == WM_TIMER && m.wParam == kRepeatTimer) {
            Wnd* cur = Find(h);
            if (!cur)
                break;
            int s0 = 0, l0 = 0;
            RECT br = BarRect(cur, bar);
            if (PtInRect(&br, last) && BarPart(cur, bar, last, s0, l0) == part)
                SendMessageW(h, msgId, MAKEWPARAM(WORD(part), 0), 0);
            if (Find(h))
                SetTimer(h, kRepeatTimer, 50, nullptr);
            continue;
        }
        if (m.hwnd == h && (m.message == WM_MOUSEMOVE || m.message == WM_LBUTTONUP)) {
            Wnd* cur = Find(h);
            if (!cur)
                break;
            RECT wr2 = ScreenRect(cur);
            last = POINT{m.pt.x - wr2.left, m.pt.y - wr2.top};
            if (part == SB_THUMBTRACK) {
                RECT r = BarRect(cur, bar);
                RECT sr = ScreenRect(cur);
                int at = bar == SB_VERT ? m.pt.y - sr.top - r.top : m.pt.x - sr.left - r.left;
                int len = bar == SB_VERT ? r.bottom - r.top : r.right - r.left;
                int arrow = std::min(GetSystemMetrics(bar == SB_VERT ? SM_CYVSCROLL : SM_CXHSCROLL), len / 2);
                ScrollBar& cb = BarOf(cur, bar);
                int track = len - 2 * arrow - tl;
                int maxPos = MaxPos(cb);
                int pos = cb.nMin;
                if (track > 0)
                    pos = cb.nMin + int((long long)(std::clamp(at - grab - arrow, 0, track)) * (maxPos - cb.nMin) / track);
                cb.nTrackPos = pos;
                SendMessageW(h, msgId, MAKEWPARAM(m.message == WM_LBUTTONUP ? SB_THUMBPOSITION : SB_THUMBTRACK, WORD(pos)), 0);
            }
            if (m.message == WM_LBUTTONUP)
                break;
            continue;
        }
        TranslateMessage(&m);
        DispatchMessageW(&m);
    }
    if (Find(h))
        KillTimer(h, kRepeatTimer);
    if (GetCapture() == h)
        ReleaseCapture();
    if (Find(h))
        SendMessageW(h, msgId, MAKEWPARAM(SB_ENDSCROLL, 0), 0);
}

void TrackSystemButton(Wnd* w, int hit)
{
    HWND h = w->handle;
    SetCapture(h);
    MSG m;
    bool inside = true;
    for (;;) {
        if (GetCapture() != h || !Find(h))
            return;
        if (!GetMessageW(&m, nullptr, 0, 0)) {
            PostQuitMessage(int(m.wParam));
            break;
        }
        if (m.hwnd == h && (m.message == WM_MOUSEMOVE || m.message == WM_LBUTTONUP)) {
            Wnd* cur = Find(h);
            RECT sr = ScreenRect(cur);
            RECT b = CloseButtonRect(cur);
            POINT p{m.pt.x - sr.left, m.pt.y - sr.top};
            inside = PtInRect(&b, p) != FALSE;
            if (m.message == WM_LBUTTONUP)
                break;
            continue;
        }
        TranslateMessage(&m);
        DispatchMessageW(&m);
    }
    if (GetCapture() == h)
        ReleaseCapture();
    if (inside && hit == HTCLOSE && Find(h))
        SendMessageW(h, WM_SYSCOMMAND, SC_CLOSE, 0);
}

}  // namespace ui

using namespace ui;

int GetSystemMetrics(int index)
{
    switch (index) {
    case SM_CXSCREEN:
    case SM_CXFULLSCREEN:
    case SM_CXVIRTUALSCREEN: return AfxGetHost()->ScreenSize().cx;
    case SM_CYSCREEN:
    case SM_CYFULLSCREEN:
    case SM_CYVIRTUALSCREEN: return AfxGetHost()->ScreenSize().cy;
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
    case SM_CYVSCROLL:
    case SM_CXHSCROLL:
    case SM_CYVTHUMB:
    case SM_CXHTHUMB: return 16;
    case SM_CYCAPTION: return 19;
    case SM_CYSMCAPTION: return 16;
    case SM_CXBORDER:
    case SM_CYBORDER: return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME: return 3;
    case SM_CXFRAME:
    case SM_CYFRAME: return 4;
    case SM_CXEDGE:
    case SM_CYEDGE: return 2;
    case SM_CXICON:
    case SM_CYICON:
    case SM_CXCURSOR:
    case SM_CYCURSOR: return 32;
    case SM_CXSMICON:
    case SM_CYSMICON: return 16;
    case SM_CYMENU: return 19;
    case SM_CXSIZE:
    case SM_CYSIZE: return 18;
    case SM_CXSMSIZE:
    case SM_CYSMSIZE: return 15;
    case SM_CXMIN: return 112;
    case SM_CYMIN: return 27;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK: return 4;
    case SM_CXDRAG:
    case SM_CYDRAG: return 4;
    default: return 0;
    }
}

namespace {
LOGFONTW SystemFont(int weight)
{
    LOGFONTW lf{};
    lf.lfHeight = -11;
    lf.lfWeight = weight;
    lf.lfCharSet = 1;  // DEFAULT_CHARSET
    wcscpy(lf.lfFaceName, L"Tahoma");
    return lf;
}
}  // namespace

BOOL SystemParametersInfoW(UINT action, UINT uiParam, void* pvParam, UINT)
{
    if (!pvParam)
        return FALSE;
    switch (action) {
    case SPI_GETNONCLIENTMETRICS: {
        auto* m = static_cast<NONCLIENTMETRICSW*>(pvParam);
        UINT size = m->cbSize ? m->cbSize : uiParam;
        if (size != sizeof(NONCLIENTMETRICSW) && size != 500)
            return FALSE;
        *m = NONCLIENTMETRICSW{};
        m->cbSize = size;
        m->iBorderWidth = 1;
        m->iScrollWidth = GetSystemMetrics(SM_CXVSCROLL);
        m->iScrollHeight = GetSystemMetrics(SM_CYHSCROLL);
        m->iCaptionWidth = GetSystemMetrics(SM_CXSIZE);
        m->iCaptionHeight = GetSystemMetrics(SM_CYSIZE);
        m->lfCaptionFont = SystemFont(700);
        m->iSmCaptionWidth = GetSystemMetrics(SM_CXSMSIZE);
        m->iSmCaptionHeight = GetSystemMetrics(SM_CYSMSIZE);
        m->lfSmCaptionFont = SystemFont(700);
        m->iMenuWidth = GetSystemMetrics(SM_CYMENU);
        m->iMenuHeight = GetSystemMetrics(SM_CYMENU);
        m->lfMenuFont = SystemFont(400);
        m->lfStatusFont = SystemFont(400);
        m->lfMessageFont = SystemFont(400);
        return TRUE;
    }
    case SPI_GETDRAGFULLWINDOWS:
    case SPI_GETGRADIENTCAPTIONS:
        *static_cast<BOOL*>(pvParam) = FALSE;
        return TRUE;
    case SPI_GETWHEELSCROLLLINES:
        *static_cast<UINT*>(pvParam) = 3;
        return TRUE;
    case SPI_GETWORKAREA: {
        SIZE s = AfxGetHost()->ScreenSize();
        *static_cast<RECT*>(pvParam) = RECT{0, 0, s.cx, s.cy};
        return TRUE;
    }
    default:
        return FALSE;
    }
}

BOOL GetVersionExW(OSVERSIONINFOW* info)
{
    if (!info || info->dwOSVersionInfoSize < sizeof(OSVERSIONINFOW))
        return FALSE;
    DWORD size = info->dwOSVersionInfoSize;
    *info = OSVERSIONINFOW{};
    info->dwOSVersionInfoSize = size;
    info->dwMajorVersion = 5;
    info->dwMinorVersion = 1;
    info->dwBuildNumber = 2600;
    info->dwPlatformId = VER_PLATFORM_WIN32_NT;
    return TRUE;
}

BOOL AdjustWindowRectEx(LPRECT rect, DWORD style, BOOL menu, DWORD exStyle)
{
    if (!rect)
        return FALSE;
    Wnd probe;
    probe.style = style;
    probe.exStyle = exStyle;
    RECT inner{0, 0, 1000, 1000};
    probe.style &= ~(WS_VSCROLL | WS_HSCROLL);  // as in Win32, scroll bars are not counted
    probe.rect = inner;
    RECT c = inner;
    DefaultNcCalcSize(&probe, c);
    rect->left -= c.left;
    rect->top -= c.top;
    rect->right += inner.right - c.right;
    rect->bottom += inner.bottom - c.bottom;
    if (menu)
        rect->top -= GetSystemMetrics(SM_CYMENU);
    return TRUE;
}

// ---- scroll bars ----

int SetScrollInfo(HWND hwnd, int bar, LPCSCROLLINFO si, BOOL redraw)
{
    if (!si)
        return 0;
    if (bar == SB_CTL)
        return int(SendMessageW(hwnd, SBM_SETSCROLLINFO, WPARAM(redraw), reinterpret_cast<LPARAM>(si)));
    Wnd* w = Find(hwnd);
    if (!w || (bar != SB_HORZ && bar != SB_VERT))
        return 0;
    ScrollBar& b = BarOf(w, bar);
    if (si->fMask & SIF_RANGE) {
        b.nMin = si->nMin;
        b.nMax = std::max(si->nMax, si->nMin);
    }
    if (si->fMask & SIF_PAGE)
        b.nPage = si->nPage;
    long long range = (long long)b.nMax - b.nMin + 1;
    if ((long long)b.nPage > range)
        b.nPage = UINT(range);
    if (si->fMask & SIF_POS)
        b.nPos = si->nPos;
    b.nPos = std::clamp(b.nPos, b.nMin, std::max(b.nMin, MaxPos(b)));
    bool needed = b.nMax > b.nMin && (long long)b.nPage < range;
    DWORD bit = bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL;
    if (si->fMask & SIF_DISABLENOSCROLL) {
        b.disabled = !needed;
        if (!(w->style & bit)) {
            w->style |= bit;
            SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        }
    } else if (needed != ((w->style & bit) != 0)) {
        // Without SIF_DISABLENOSCROLL a bar shows only while there is something to scroll.
        b.disabled = false;
        w->style ^= bit;
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
    if ((w = Find(hwnd)) == nullptr)
        return 0;
    if (redraw && HasBar(w, bar)) {
        w->ncDirty = true;
        if (IsVisibleChain(w) && !w->inPaint) {
            w->ncDirty = false;
            Send(w, WM_NCPAINT, 1, 0);
        }
    }
    return BarOf(w, bar).nPos;
}

BOOL GetScrollInfo(HWND hwnd, int bar, LPSCROLLINFO si)
{
    if (!si)
        return FALSE;
    if (bar == SB_CTL)
        return SendMessageW(hwnd, SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(si)) ? TRUE : FALSE;
    Wnd* w = Find(hwnd);
    if (!w || (bar != SB_HORZ && bar != SB_VERT))
        return FALSE;
    const ScrollBar& b = BarOf(w, bar);
    if (si->fMask & SIF_RANGE) {
        si->nMin = b.nMin;
        si->nMax = b.nMax;
    }
    if (si->fMask & SIF_PAGE)
        si->nPage = b.nPage;
    if (si->fMask & SIF_POS)
        si->nPos = b.nPos;
    if (si->fMask & SIF_TRACKPOS)
        si->nTrackPos = b.nTrackPos;
    return TRUE;
}

int SetScrollPos(HWND hwnd, int bar, int pos, BOOL redraw)
{
    if (bar == SB_CTL)
        return int(SendMessageW(hwnd, SBM_SETPOS, WPARAM(pos), redraw));
    Wnd* w = Find(hwnd);
    if (!w || (bar != SB_HORZ && bar != SB_VERT))
        return 0;
    int old = BarOf(w, bar).nPos;
    SCROLLINFO si{sizeof si, SIF_POS, 0, 0, 0, pos, 0};
    if (HasBar(w, bar))
        si.fMask |= SIF_DISABLENOSCROLL;  // moving the thumb never hides a bar
    SetScrollInfo(hwnd, bar, &si, redraw);
    return old;
}

int GetScrollPos(HWND hwnd, int bar)
{
    if (bar == SB_CTL)
        return int(SendMessageW(hwnd, SBM_GETPOS, 0, 0));
    SCROLLINFO si{sizeof si, SIF_POS, 0, 0, 0, 0, 0};
    return GetScrollInfo(hwnd, bar, &si) ? si.nPos : 0;
}

BOOL SetScrollRange(HWND hwnd, int bar, int minPos, int maxPos, BOOL redraw)
{
    if (bar == SB_CTL)
        return SendMessageW(hwnd, SBM_SETRANGE, WPARAM(minPos), LPARAM(maxPos)) ? TRUE : TRUE;
    SCROLLINFO si{sizeof si, SIF_RANGE, minPos, maxPos, 0, 0, 0};
    return SetScrollInfo(hwnd, bar, &si, redraw), TRUE;
}

BOOL GetScrollRange(HWND hwnd, int bar, LPINT minPos, LPINT maxPos)
{
    SCROLLINFO si{sizeof si, SIF_RANGE, 0, 0, 0, 0, 0};
    if (!GetScrollInfo(hwnd, bar, &si))
        return FALSE;
    if (minPos)
        *minPos = si.nMin;
    if (maxPos)
        *maxPos = si.nMax;
    return TRUE;
}

BOOL ShowScrollBar(HWND hwnd, int bar, BOOL show)
{
    Wnd* w = Find(hwnd);
    if (!w)
        return FALSE;
    DWORD bits = bar == SB_BOTH ? (WS_HSCROLL | WS_VSCROLL) : bar == SB_VERT ? WS_VSCROLL : bar == SB_HORZ ? WS_HSCROLL : 0;
    DWORD old = w->style;
    if (show)
        w->style |= bits;
    else
        w->style &= ~bits;
    if (old != w->style)
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    return TRUE;
}

BOOL EnableScrollBar(HWND hwnd, UINT bar, UINT arrows)
{
    Wnd* w = Find(hwnd);
    if (!w)
        return FALSE;
    bool off = arrows == ESB_DISABLE_BOTH;
    if (bar == SB_HORZ || bar == SB_BOTH)
        w->hbar.disabled = off;
    if (bar == SB_VERT || bar == SB_BOTH)
        w->vbar.disabled = off;
    w->ncDirty = true;
    return TRUE;
}
