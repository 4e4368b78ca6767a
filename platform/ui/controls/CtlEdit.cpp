// The "Edit" class: single- and multi-line text entry with selection, caret, scrolling, undo,
// clipboard, limits and the character filters of its styles. Every change of the text by the
// user or by EM_REPLACESEL sends EN_UPDATE and then EN_CHANGE at once, so a handler may set the
// text again from inside them; WM_SETTEXT notifies so in a single-line edit only, as Win32's
// multi-line edit sends nothing for it.
#include "platform/ui/controls/CtlClipboard.h"
#include "platform/ui/controls/CtlCommon.h"
#include "platform/ui/controls/CtlDraw.h"
#include "platform/ui/dialogs/DlgManager.h"
#include "platform/ui/framework/MenuTypes.h"

#include <algorithm>
#include <cwctype>
#include <map>
#include <unordered_map>
#include <utility>
#include <vector>

namespace ctl {
namespace {

// The largest n up to max for which fits(n) holds, found by halving; fits must hold for every
// n below one that fits.
template <class Fits>
size_t LongestFitting(size_t max, Fits fits)
{
    size_t lo = 0, hi = max;
    while (lo < hi) {
        const size_t mid = (lo + hi + 1) / 2;
        if (fits(mid))
            lo = mid;
        else
            hi = mid - 1;
    }
    return lo;
}

constexpr int kDefaultLimit = 30000;
constexpr int kMaxLimit = 0x7FFFFFFE;

class Edit : public Control {
public:
    using Control::Control;

    std::wstring text;
    int anchor = 0, caret = 0;
    int limit = kDefaultLimit;
    bool modified = false;
    bool canUndo = false;
    std::wstring undoText;
    int undoAnchor = 0, undoCaret = 0;
    wchar_t pwChar = L'*';
    int marginL = -1, marginR = -1;  // -1: from the font
    int firstLine = 0;
    int xOffset = 0;
    bool selecting = false;
    bool caretMade = false;
    bool vbar = false, hbar = false;  // asked for at creation (the bars hide while not needed)
    // A dialog manager asked for the keys it wants (WM_GETDLGCODE with a message): a multi-line
    // edit then takes Enter, Escape and Tab itself and does the dialog's work with them.
    bool dialogMode = false;

    struct Line {
        int start;
        int len;  // without the line break
    };
    std::vector<Line> lines;
    bool layoutDirty = true;
    std::map<int, std::vector<int>> prefix;  // line -> x of each character boundary
    // How each paragraph (text between hard line breaks) was wrapped last time, as the starts of
    // its pieces after the first, for the font and width in wrapFont and wrapWidth. A log that
    // appends a line, or drops its first lines, measures only the paragraphs that are new.
    std::unordered_map<std::wstring, std::vector<int>> wrapped;
    HFONT wrapFont = nullptr;
    int wrapWidth = -1;

    bool Multi() const { return (Style() & ES_MULTILINE) != 0; }
    bool ReadOnly() const { return (Style() & ES_READONLY) != 0; }
    bool Password() const { return !Multi() && (Style() & ES_PASSWORD) && pwChar; }
    int SelStart() const { return std::min(anchor, caret); }
    int SelEnd() const { return std::max(anchor, caret); }
    int Len() const { return int(text.size()); }
    int MarginL() const { return marginL >= 0 ? marginL : Unit() * 2; }
    int MarginR() const { return marginR >= 0 ? marginR : Unit() * 2; }
    bool Wraps() const { return Multi() && !(Style() & ES_AUTOHSCROLL) && !hbar; }

    RECT TextRect() const
    {
        RECT r = Client();
        r.left += MarginL();
        r.right = std::max(r.left, r.right - MarginR());
        if (Multi())
            r.top += Unit();
        return r;
    }

    // ---- layout ----
    int Measure(HDC dc, const std::wstring& s) const
    {
        SIZE sz{};
        if (!s.empty())
            GetTextExtentPoint32W(dc, s.c_str(), int(s.size()), &sz);
        return sz.cx;
    }

    std::wstring Display(int start, int len) const
    {
        if (Password())
            return std::wstring(size_t(len), pwChar);
        return text.substr(size_t(start), size_t(len));
    }

    // Wraps one paragraph into pieces no wider than width, breaking after spaces; returns where
    // each piece after the first starts. No piece is measured with more characters than pixels
    // can fit, which bounds each measurement.
    std::vector<int> WrapParagraph(HDC dc, const std::wstring& para, int width) const
    {
        std::vector<int> breaks;
        const int end = int(para.size());
        int s = 0;
        while (end - s > 0) {
            int cap = std::min(end, s + width + 1);
            if (cap == end && Measure(dc, para.substr(size_t(s))) <= width)
                break;
            int lo = s + 1, hi = cap;  // longest fitting prefix [s, fit)
            while (lo < hi) {
                int mid = (lo + hi + 1) / 2;
                if (Measure(dc, para.substr(size_t(s), size_t(mid - s))) <= width)
                    lo = mid;
                else
                    hi = mid - 1;
            }
            int fit = lo, brk = fit;
            while (brk > s && para[size_t(brk - 1)] != L' ' && para[size_t(brk - 1)] != L'\t')
                --brk;
            if (brk == s)
                brk = fit;
            breaks.push_back(brk);
            s = brk;
        }
        return breaks;
    }

    void Layout()
    {
        if (!layoutDirty)
            return;
        layoutDirty = false;
        prefix.clear();
        lines.clear();
        if (!Multi()) {
            lines.push_back({0, Len()});
            return;
        }
        HDC dc = nullptr;
        HGDIOBJ old = nullptr;
        int width = 0;
        if (Wraps()) {
            dc = GetDC(hwnd);
            old = SelectObject(dc, Font());
            RECT tr = TextRect();
            width = std::max<int>(1, tr.right - tr.left);
        }
        if (dc && (wrapFont != Font() || wrapWidth != width))
            wrapped.clear();
        wrapFont = dc ? Font() : nullptr;
        wrapWidth = dc ? width : -1;
        std::unordered_map<std::wstring, std::vector<int>> kept;
        int i = 0, n = Len();
        while (true) {
            int end = i;
            while (end < n && text[size_t(end)] != L'\r' && text[size_t(end)] != L'\n')
                ++end;
            int s = i;
            if (dc && end > i) {
                std::wstring para = text.substr(size_t(i), size_t(end - i));
                auto known = kept.find(para);
                if (known == kept.end()) {
                    auto was = wrapped.find(para);
                    if (was != wrapped.end())
                        known = kept.emplace(para, std::move(was->second)).first;
                    else
                        known = kept.emplace(para, WrapParagraph(dc, para, width)).first;
                }
                for (int b : known->second) {
                    lines.push_back({s, i + b - s});
                    s = i + b;
                }
            }
            lines.push_back({s, end - s});
            if (end >= n)
                break;
            i = end + ((text[size_t(end)] == L'\r' && end + 1 < n && text[size_t(end + 1)] == L'\n') ? 2 : 1);
            if (i >= n) {
                lines.push_back({n, 0});
                break;
            }
        }
        // only the paragraphs still in the text stay cached
        wrapped.swap(kept);
        if (dc) {
            SelectObject(dc, old);
            ReleaseDC(hwnd, dc);
        }
    }

    int LineOf(int pos)
    {
        Layout();
        int lo = 0, hi = int(lines.size()) - 1;
        while (lo < hi) {
            int mid = (lo + hi + 1) / 2;
            if (lines[size_t(mid)].start <= pos)
                lo = mid;
            else
                hi = mid - 1;
        }
        return lo;
    }

    const std::vector<int>& Prefix(int line)
    {
        Layout();
        auto it = prefix.find(line);
        if (it != prefix.end())
            return it->second;
        std::vector<int> xs;
        const Line& l = lines[size_t(line)];
        HDC dc = GetDC(hwnd);
        HGDIOBJ old = SelectObject(dc, Font());
        std::wstring d = Display(l.start, l.len);
        xs.push_back(0);
        for (int k = 1; k <= l.len; ++k)
            xs.push_back(Measure(dc, d.substr(0, size_t(k))));
        SelectObject(dc, old);
        ReleaseDC(hwnd, dc);
        return prefix.emplace(line, std::move(xs)).first->second;
    }

    int LineWidth(int line) { return Prefix(line).back(); }

    // x where the line's text starts (alignment), in client coordinates without scrolling
    int LineX(int line)
    {
        RECT tr = TextRect();
        DWORD a = Style() & (ES_CENTER | ES_RIGHT);
        if (!a)
            return tr.left;  // no need to measure the line
        int w = LineWidth(line), room = tr.right - tr.left;
        if (a == ES_RIGHT && w < room)
            return tr.right - w;
        if (a == ES_CENTER && w < room)
            return tr.left + (room - w) / 2;
        return tr.left;
    }

    int LineY(int line)
    {
        RECT tr = TextRect();
        int h = LineHeight();
        if (!Multi())
            return tr.top + std::max(0, int(tr.bottom - tr.top - h) / 2);
        return tr.top + (line - firstLine) * h;
    }

    POINT PosToPoint(int pos)
    {
        int line = LineOf(pos);
        int off = std::clamp(pos - lines[size_t(line)].start, 0, lines[size_t(line)].len);
        return POINT{LineX(line) + Prefix(line)[size_t(off)] - xOffset, LineY(line)};
    }

    int PointToPos(POINT p)
    {
        Layout();
        RECT tr = TextRect();
        int line = Multi() ? firstLine + (p.y - tr.top) / std::max(1, LineHeight()) - (p.y < tr.top ? 1 : 0) : 0;
        line = std::clamp(line, 0, int(lines.size()) - 1);
        const auto& xs = Prefix(line);
        int x = p.x + xOffset - LineX(line);
        int best = 0;
        for (size_t k = 0; k < xs.size(); ++k) {
            if (k + 1 < xs.size() && x >= (xs[k] + xs[k + 1]) / 2)
                best = int(k + 1);
        }
        return lines[size_t(line)].start + best;
    }

    int VisibleLines()
    {
        RECT tr = TextRect();
        return std::max(1, int(tr.bottom - tr.top) / LineHeight());
    }

    // ---- scrolling ----
    void ScrollToCaret()
    {
        Layout();
        RECT tr = TextRect();
        int line = LineOf(caret);
        if (Multi()) {
            int vis = VisibleLines();
            if (line < firstLine)
                firstLine = line;
            else if (line >= firstLine + vis)
                firstLine = line - vis + 1;
        }
        int x = LineX(line) + Prefix(line)[size_t(std::clamp(caret - lines[size_t(line)].start, 0, lines[size_t(line)].len))];
        int room = tr.right - tr.left;
        if (x - xOffset > tr.right - 1)
            xOffset = x - tr.right + 1 + room / 4;
        else if (x - xOffset < tr.left)
            xOffset = std::max(0, x - tr.left - room / 4);
        if (!Multi() && LineWidth(0) <= room)
            xOffset = 0;
        UpdateScrollBars();
    }

    void UpdateScrollBars()
    {
        if (!Multi())
            return;
        Layout();
        if (vbar) {
            // an edit keeps the bars it was made with, greyed while there is nothing to scroll
            SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL, 0,
                          std::max(0, int(lines.size()) - 1), UINT(VisibleLines()), firstLine, 0};
            SetScrollInfo(hwnd, SB_VERT, &si, TRUE);
        }
        if (hbar) {
            int widest = 0;
            RECT tr = TextRect();
            for (int i = firstLine; i < std::min<int>(int(lines.size()), firstLine + VisibleLines()); ++i)
                widest = std::max(widest, LineWidth(i));
            SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL, 0,
                          std::max(widest, int(tr.right - tr.left)) - 1, UINT(tr.right - tr.left), xOffset, 0};
            SetScrollInfo(hwnd, SB_HORZ, &si, TRUE);
        }
    }

    void ScrollLines(int dy)
    {
        Layout();
        int maxFirst = std::max(0, int(lines.size()) - VisibleLines());
        int f = std::clamp(firstLine + dy, 0, std::max(maxFirst, firstLine));
        f = std::clamp(f, 0, std::max(0, int(lines.size()) - 1));
        if (f != firstLine) {
            firstLine = f;
            UpdateScrollBars();
            Redraw();
            PlaceCaret();
        }
    }

    void PlaceCaret()
    {
        if (!Focused() || !caretMade)
            return;
        POINT p = PosToPoint(caret);
        SetCaretPos(p.x, p.y);
    }

    // ---- changes ----
    void Notify(UINT code) { NotifyCommand(code); }

    // Sends EN_UPDATE then EN_CHANGE; false when the window went away in a handler.
    bool NotifyChange()
    {
        HWND self = hwnd;
        Notify(EN_UPDATE);
        if (!IsWindow(self))
            return false;
        Notify(EN_CHANGE);
        return IsWindow(self) != FALSE;
    }

    void Changed()
    {
        layoutDirty = true;
        prefix.clear();
        ScrollToCaret();
        Redraw();
        PlaceCaret();
    }

    // What the styles make of a text: case conversion, CR LF line breaks in a multi-line edit,
    // and for input into a single line only its first line (text set by code is kept whole).
    std::wstring Filter(std::wstring s, bool input = true) const
    {
        if (!Multi() && input) {
            size_t nl = s.find_first_of(L"\r\n");
            if (nl != std::wstring::npos)
                s.resize(nl);
        } else if (Multi()) {
            // lone line feeds become the edit's CR LF pairs
            std::wstring o;
            for (size_t i = 0; i < s.size(); ++i) {
                if (s[i] == L'\n' && (i == 0 || s[i - 1] != L'\r'))
                    o += L'\r';
                o += s[i];
            }
            s.swap(o);
        }
        if (Style() & ES_UPPERCASE)
            for (auto& c : s)
                c = wchar_t(std::towupper(wint_t(c)));
        if (Style() & ES_LOWERCASE)
            for (auto& c : s)
                c = wchar_t(std::towlower(wint_t(c)));
        return s;
    }

    // Replaces the selection by user or program input; false when nothing changed.
    bool ReplaceSelection(std::wstring ins, bool undoable, bool fromUser)
    {
        ins = Filter(std::move(ins));
        int s = SelStart(), e = SelEnd();
        int room = limit - (Len() - (e - s));
        bool clipped = false;
        if (int(ins.size()) > room) {
            ins.resize(size_t(std::max(0, room)));
            clipped = true;
        }
        if (fromUser && !Multi() && !(Style() & ES_AUTOHSCROLL) && !ins.empty()) {
            // Without automatic scrolling a single line takes only what fits in the box.
            HDC dc = GetDC(hwnd);
            HGDIOBJ old = SelectObject(dc, Font());
            RECT tr = TextRect();
            // the longest start of the insertion that still fits (found by halving)
            auto fits = [&](size_t n) {
                std::wstring c = text.substr(0, size_t(s)) + ins.substr(0, n) + text.substr(size_t(e));
                return Measure(dc, Password() ? std::wstring(c.size(), pwChar) : c) <= tr.right - tr.left;
            };
            if (!fits(ins.size())) {
                size_t lo = LongestFitting(ins.size(), fits);
                ins.resize(lo);
                clipped = true;
            }
            SelectObject(dc, old);
            ReleaseDC(hwnd, dc);
        }
        if (fromUser && Multi() && !(Style() & ES_AUTOVSCROLL) && !vbar && !ins.empty()) {
            // Without vertical scrolling a multi-line edit takes only the lines it can show.
            std::wstring before = text;
            int shown = VisibleLines();
            auto fits = [&](size_t n) {
                text = before.substr(0, size_t(s)) + ins.substr(0, n) + before.substr(size_t(e));
                layoutDirty = true;
                Layout();
                return int(lines.size()) <= shown;
            };
            if (!fits(ins.size())) {
                size_t lo = LongestFitting(ins.size(), fits);
                if (lo > 0 && ins[lo - 1] == L'\r')
                    --lo;  // never half a line break
                ins.resize(lo);
                clipped = true;
            }
            text = before;
            layoutDirty = true;
            prefix.clear();
        }
        if (ins.empty() && s == e) {
            if (clipped)
                Notify(EN_MAXTEXT);
            return false;
        }
        if (undoable) {
            undoText = text;
            undoAnchor = anchor;
            undoCaret = caret;
            canUndo = true;
        }
        text.replace(size_t(s), size_t(e - s), ins);
        anchor = caret = s + int(ins.size());
        modified = true;
        Changed();
        HWND self = hwnd;
        if (clipped)
            Notify(EN_MAXTEXT);
        if (!IsWindow(self))
            return true;
        NotifyChange();
        return true;
    }

    void SetText(const std::wstring& t)
    {
        text = Filter(t, false);
        anchor = caret = 0;
        firstLine = 0;
        xOffset = 0;
        modified = false;
        canUndo = false;
        Changed();
        if (!Multi())
            NotifyChange();
    }

    void SetSel(int a, int c, bool scroll)
    {
        int n = Len();
        if (a < 0) {
            a = c = caret;
        } else if (c < 0 || c > n) {
            c = n;
        }
        a = std::clamp(a, 0, n);
        c = std::clamp(c, 0, n);
        // a CR LF pair is never split
        auto fix = [this](int p) {
            return (p > 0 && p < Len() && text[size_t(p - 1)] == L'\r' && text[size_t(p)] == L'\n') ? p - 1 : p;
        };
        a = fix(a);
        c = fix(c);
        if (a == anchor && c == caret)
            return;
        anchor = a;
        caret = c;
        if (scroll)
            ScrollToCaret();
        Redraw();
        PlaceCaret();
    }

    void Undo()
    {
        if (!canUndo || ReadOnly())
            return;
        std::wstring t = undoText;
        int a = undoAnchor, c = undoCaret;
        undoText = text;
        undoAnchor = anchor;
        undoCaret = caret;
        text = t;
        anchor = std::min(a, Len());
        caret = std::min(c, Len());
        modified = true;
        Changed();
        NotifyChange();
    }

    // ---- caret movement ----
    static bool IsWordChar(wchar_t c) { return std::iswalnum(wint_t(c)) || c == L'_' || c > 0x2E80; }

    int WordLeft(int p) const
    {
        while (p > 0 && !IsWordChar(text[size_t(p - 1)]))
            --p;
        while (p > 0 && IsWordChar(text[size_t(p - 1)]))
            --p;
        return p;
    }
    int WordRight(int p) const
    {
        int n = Len();
        while (p < n && IsWordChar(text[size_t(p)]))
            ++p;
        while (p < n && !IsWordChar(text[size_t(p)]))
            ++p;
        return p;
    }
    int Prev(int p) const { return (p >= 2 && text[size_t(p - 1)] == L'\n' && text[size_t(p - 2)] == L'\r') ? p - 2 : std::max(0, p - 1); }
    int Next(int p) const
    {
        int n = Len();
        return (p + 1 < n && text[size_t(p)] == L'\r' && text[size_t(p + 1)] == L'\n') ? p + 2 : std::min(n, p + 1);
    }

    int VerticalMove(int p, int dLines)
    {
        int line = LineOf(p);
        POINT pt = PosToPoint(p);
        int target = std::clamp(line + dLines, 0, int(lines.size()) - 1);
        if (target == line)
            return dLines < 0 ? lines[size_t(line)].start : lines[size_t(line)].start + lines[size_t(line)].len;
        RECT tr = TextRect();
        pt.y = tr.top + (target - firstLine) * LineHeight() + 1;
        const auto& xs = Prefix(target);
        int x = pt.x + xOffset - LineX(target), best = 0;
        for (size_t k = 0; k + 1 < xs.size(); ++k)
            if (x >= (xs[k] + xs[k + 1]) / 2)
                best = int(k + 1);
        return lines[size_t(target)].start + best;
    }

    void MoveTo(int p, bool extend)
    {
        SetSel(extend ? anchor : p, p, true);
    }

    // Enter, Escape and Tab of a multi-line edit in a dialog: Enter presses the default button
    // (unless ES_WANTRETURN makes it a line break), Escape closes the dialog, Tab moves on.
    // True when the key was the dialog's.
    bool DialogKey(UINT vk, bool shift, bool ctrl)
    {
        HWND dlg = GetParent(hwnd);
        if (!Multi() || !dialogMode || !dlg)
            return false;
        switch (vk) {
        case VK_RETURN: {
            if ((Style() & ES_WANTRETURN) || ctrl)
                return false;
            LRESULT def = SendMessageW(dlg, DM_GETDEFID, 0, 0);
            if (HIWORD(def) == DC_HASDEFID) {
                HWND btn = GetDlgItem(dlg, LOWORD(def));
                if (!btn || IsWindowEnabled(btn))
                    SendMessageW(dlg, WM_COMMAND, MAKEWPARAM(LOWORD(def), BN_CLICKED), reinterpret_cast<LPARAM>(btn));
            }
            return true;
        }
        case VK_ESCAPE:
            PostMessageW(dlg, WM_CLOSE, 0, 0);
            return true;
        case VK_TAB:
            if (ctrl)
                return false;
            SendMessageW(dlg, WM_NEXTDLGCTL, shift ? 1 : 0, 0);
            return true;
        default:
            return false;
        }
    }

    void OnKeyDown(UINT vk)
    {
        bool shift = GetKeyState(VK_SHIFT) < 0, ctrl = GetKeyState(VK_CONTROL) < 0;
        if (DialogKey(vk, shift, ctrl))
            return;
        Layout();
        int line = LineOf(caret);
        switch (vk) {
        case VK_LEFT:
            if (!shift && anchor != caret)
                MoveTo(SelStart(), false);
            else
                MoveTo(ctrl ? WordLeft(caret) : Prev(caret), shift);
            break;
        case VK_RIGHT:
            if (!shift && anchor != caret)
                MoveTo(SelEnd(), false);
            else
                MoveTo(ctrl ? WordRight(caret) : Next(caret), shift);
            break;
        case VK_UP:
            if (Multi())
                MoveTo(VerticalMove(caret, -1), shift);
            else
                MoveTo(Prev(caret), shift);
            break;
        case VK_DOWN:
            if (Multi())
                MoveTo(VerticalMove(caret, 1), shift);
            else
                MoveTo(Next(caret), shift);
            break;
        case VK_PRIOR:
            if (Multi())
                MoveTo(VerticalMove(caret, -VisibleLines()), shift);
            break;
        case VK_NEXT:
            if (Multi())
                MoveTo(VerticalMove(caret, VisibleLines()), shift);
            break;
        case VK_HOME:
            MoveTo(ctrl || !Multi() ? 0 : lines[size_t(line)].start, shift);
            break;
        case VK_END:
            MoveTo(ctrl || !Multi() ? Len() : lines[size_t(line)].start + lines[size_t(line)].len, shift);
            break;
        case VK_DELETE:
            if (ReadOnly())
                break;
            if (shift) {
                Cut();
            } else {
                if (anchor == caret)
                    SetSel(caret, Next(caret), false);
                ReplaceSelection(L"", true, true);
            }
            break;
        case VK_INSERT:
            if (ctrl)
                Copy();
            else if (shift)
                Paste();
            break;
        default:
            break;
        }
    }

    void OnChar(wchar_t ch)
    {
        bool ctrl = GetKeyState(VK_CONTROL) < 0;
        switch (ch) {
        case 1: SetSel(0, -1, true); return;  // Ctrl+A
        case 3: Copy(); return;               // Ctrl+C
        case 22: Paste(); return;             // Ctrl+V
        case 24: Cut(); return;               // Ctrl+X
        case 26: Undo(); return;              // Ctrl+Z
        default: break;
        }
        if (ReadOnly())
            return;
        if (ch == VK_BACK) {
            if (anchor == caret)
                SetSel(ctrl ? WordLeft(caret) : Prev(caret), caret, false);
            ReplaceSelection(L"", true, true);
            return;
        }
        // in a dialog the key press did the dialog's work; the character it made is dropped
        bool dialogKeys = Multi() && dialogMode;
        if (ch == L'\r' || ch == L'\n') {
            if (Multi() && (!dialogKeys || (Style() & ES_WANTRETURN) || ctrl))
                ReplaceSelection(L"\r\n", true, true);
            return;
        }
        if (ch == L'\t') {
            if (Multi() && (!dialogKeys || ctrl))
                ReplaceSelection(L"\t", true, true);
            return;
        }
        if (ch < 0x20 || ch == 0x7F)
            return;
        if ((Style() & ES_NUMBER) && !(ch >= L'0' && ch <= L'9')) {
            MessageBeep(0);
            return;
        }
        ReplaceSelection(std::wstring(1, ch), true, true);
    }

    void Copy()
    {
        if (anchor != caret && !Password())
            ClipboardSetText(text.substr(size_t(SelStart()), size_t(SelEnd() - SelStart())));
    }
    void Cut()
    {
        if (ReadOnly() || Password() || anchor == caret)
            return;
        Copy();
        ReplaceSelection(L"", true, true);
    }
    void Paste()
    {
        if (ReadOnly())
            return;
        std::wstring t;
        if (!ClipboardGetText(t))
            return;
        if (Style() & ES_NUMBER) {
            for (wchar_t c : t)
                if (c < L'0' || c > L'9') {
                    MessageBeep(0);
                    return;
                }
        }
        ReplaceSelection(t, true, true);
    }

    // ---- messages ----
    LRESULT Proc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        switch (msg) {
        case WM_CREATE: {
            auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
            vbar = (Style() & WS_VSCROLL) != 0;
            hbar = (Style() & WS_HSCROLL) != 0;
            text = Filter(cs && cs->lpszName && !IS_INTRESOURCE(cs->lpszName) ? cs->lpszName : L"", false);
            layoutDirty = true;
            UpdateScrollBars();
            return 0;
        }
        case WM_GETDLGCODE: {
            LRESULT code = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
            if (Multi())
                code |= DLGC_WANTALLKEYS;
            if (lParam)
                dialogMode = true;
            return code;
        }
        case WM_SETTEXT:
            SetText(lParam ? reinterpret_cast<LPCWSTR>(lParam) : L"");
            return TRUE;
        case WM_GETTEXT: {
            if (wParam == 0 || !lParam)
                return 0;
            auto* buf = reinterpret_cast<LPWSTR>(lParam);
            size_t n = std::min(text.size(), size_t(wParam) - 1);
            std::copy_n(text.data(), n, buf);
            buf[n] = 0;
            return LRESULT(n);
        }
        case WM_GETTEXTLENGTH:
            return Len();
        case WM_SETFONT:
            font = reinterpret_cast<HFONT>(wParam);
            wrapped.clear();  // a handle may come back for another font
            Changed();
            if (Focused())
                MakeCaret();
            return 0;
        case WM_SIZE:
            layoutDirty = true;
            prefix.clear();
            ScrollToCaret();
            Redraw();
            return 0;
        case WM_STYLECHANGED:
            layoutDirty = true;
            prefix.clear();
            Redraw();
            return 0;
        case WM_SETFOCUS: {
            MakeCaret();
            Redraw();
            Notify(EN_SETFOCUS);
            return 0;
        }
        case WM_KILLFOCUS: {
            if (caretMade) {
                DestroyCaret();
                caretMade = false;
            }
            selecting = false;
            Redraw();
            Notify(EN_KILLFOCUS);
            return 0;
        }
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            HWND self = hwnd;
            if (!Focused()) {
                SetFocus(hwnd);
                if (!IsWindow(self) || !Focused())
                    return 0;
            }
            POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            int pos = PointToPos(p);
            if (msg == WM_LBUTTONDBLCLK) {
                int s = pos, e = pos;
                while (s > 0 && IsWordChar(text[size_t(s - 1)]))
                    --s;
                while (e < Len() && IsWordChar(text[size_t(e)]))
                    ++e;
                SetSel(s, e, true);
                return 0;
            }
            SetSel((wParam & MK_SHIFT) ? anchor : pos, pos, true);
            selecting = true;
            SetCapture(hwnd);
            return 0;
        }
        case WM_MOUSEMOVE:
            if (selecting) {
                POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
                SetSel(anchor, PointToPos(p), true);
            }
            return 0;
        case WM_LBUTTONUP:
            if (selecting) {
                selecting = false;
                ReleaseCapture();
            }
            return 0;
        case WM_CAPTURECHANGED:
            selecting = false;
            return 0;
        case WM_SETCURSOR:
            if (LOWORD(lParam) == HTCLIENT) {
                SetCursor(LoadCursorW(nullptr, IDC_IBEAM));
                return TRUE;
            }
            return Default(msg, wParam, lParam);
        case WM_KEYDOWN:
            OnKeyDown(UINT(wParam));
            return 0;
        case WM_CHAR:
            OnChar(wchar_t(wParam));
            return 0;
        case WM_VSCROLL:
            if (Multi()) {
                switch (LOWORD(wParam)) {
                case SB_LINEUP: ScrollLines(-1); break;
                case SB_LINEDOWN: ScrollLines(1); break;
                case SB_PAGEUP: ScrollLines(-VisibleLines()); break;
                case SB_PAGEDOWN: ScrollLines(VisibleLines()); break;
                case SB_TOP: ScrollLines(-firstLine); break;
                case SB_BOTTOM: ScrollLines(int(lines.size())); break;
                case SB_THUMBTRACK:
                case SB_THUMBPOSITION: ScrollLines(int(HIWORD(wParam)) - firstLine); break;
                default: break;
                }
            }
            return 0;
        case WM_HSCROLL: {
            RECT tr = TextRect();
            int step = std::max(1, LineHeight() / 2), page = std::max(1, int(tr.right - tr.left));
            int x = xOffset;
            switch (LOWORD(wParam)) {
            case SB_LINELEFT: x -= step; break;
            case SB_LINERIGHT: x += step; break;
            case SB_PAGELEFT: x -= page; break;
            case SB_PAGERIGHT: x += page; break;
            case SB_THUMBTRACK:
            case SB_THUMBPOSITION: x = int(HIWORD(wParam)); break;
            default: break;
            }
            x = std::max(0, x);
            if (x != xOffset) {
                xOffset = x;
                UpdateScrollBars();
                Redraw();
                PlaceCaret();
            }
            return 0;
        }
        case WM_MOUSEWHEEL:
            if (Multi())
                ScrollLines(-GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA * 3);
            return 0;
        case WM_CONTEXTMENU:
            ContextMenu(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            return 0;
        case WM_CUT: Cut(); return 0;
        case WM_COPY: Copy(); return 0;
        case WM_PASTE: Paste(); return 0;
        case WM_CLEAR:
            if (!ReadOnly() && anchor != caret)
                ReplaceSelection(L"", true, true);
            return 0;
        case WM_UNDO:
        case EM_UNDO:
            Undo();
            return TRUE;
        case EM_CANUNDO:
            return canUndo;
        case EM_EMPTYUNDOBUFFER:
            canUndo = false;
            return 0;
        case EM_GETSEL:
            if (wParam)
                *reinterpret_cast<DWORD*>(wParam) = DWORD(SelStart());
            if (lParam)
                *reinterpret_cast<DWORD*>(lParam) = DWORD(SelEnd());
            return MAKELONG(std::min(SelStart(), 0xFFFF), std::min(SelEnd(), 0xFFFF));
        case EM_SETSEL:
            SetSel(int(wParam), int(lParam), true);
            return 0;
        case EM_REPLACESEL:
            ReplaceSelection(lParam ? reinterpret_cast<LPCWSTR>(lParam) : L"", wParam != 0, false);
            return 0;
        case EM_LIMITTEXT:
            limit = wParam == 0 ? kMaxLimit : int(std::min<WPARAM>(wParam, WPARAM(kMaxLimit)));
            return 0;
        case EM_GETLIMITTEXT:
            return limit;
        case EM_GETMODIFY:
            return modified;
        case EM_SETMODIFY:
            modified = wParam != 0;
            return 0;
        case EM_SETREADONLY: {
            DWORD s = Style();
            SetWindowLongPtrW(hwnd, GWL_STYLE, LONG_PTR(wParam ? (s | ES_READONLY) : (s & ~ES_READONLY)));
            Redraw();
            return TRUE;
        }
        case EM_SETPASSWORDCHAR:
            pwChar = wchar_t(wParam);
            Changed();
            return 0;
        case EM_GETPASSWORDCHAR:
            return pwChar;
        case EM_SETMARGINS:
            if (wParam & EC_LEFTMARGIN)
                marginL = LOWORD(lParam) == EC_USEFONTINFO ? -1 : LOWORD(lParam);
            if (wParam & EC_RIGHTMARGIN)
                marginR = HIWORD(lParam) == EC_USEFONTINFO ? -1 : HIWORD(lParam);
            Changed();
            return 0;
        case EM_GETMARGINS:
            return MAKELONG(MarginL(), MarginR());
        case EM_GETRECT:
            if (lParam)
                *reinterpret_cast<RECT*>(lParam) = TextRect();
            return 0;
        case EM_GETLINECOUNT:
            Layout();
            return LRESULT(lines.size());
        case EM_GETFIRSTVISIBLELINE:
            return Multi() ? firstLine : 0;
        case EM_LINEINDEX: {
            Layout();
            int line = int(wParam) == -1 ? LineOf(caret) : int(wParam);
            return (line < 0 || line >= int(lines.size())) ? -1 : lines[size_t(line)].start;
        }
        case EM_LINEFROMCHAR: {
            int pos = int(wParam) == -1 ? SelStart() : int(wParam);
            return LineOf(std::clamp(pos, 0, Len()));
        }
        case EM_LINELENGTH: {
            if (int(wParam) == -1) {
                // characters of the selected lines that are not selected
                int ls = LineOf(SelStart()), le = LineOf(SelEnd());
                return (SelStart() - lines[size_t(ls)].start) +
                       (lines[size_t(le)].start + lines[size_t(le)].len - SelEnd());
            }
            int pos = std::clamp(int(wParam), 0, Len());
            return lines[size_t(LineOf(pos))].len;
        }
        case EM_GETLINE: {
            Layout();
            int line = Multi() ? int(wParam) : 0;  // a single line ignores the index
            auto* buf = reinterpret_cast<LPWSTR>(lParam);
            if (!buf || line < 0 || line >= int(lines.size()))
                return 0;
            int max = int(*reinterpret_cast<WORD*>(buf));
            int n = std::min(max, lines[size_t(line)].len);
            std::copy_n(text.data() + lines[size_t(line)].start, n, buf);
            return n;
        }
        case EM_LINESCROLL:
            if (Multi()) {
                RECT tr = TextRect();
                (void)tr;
                TEXTMETRICW tm{};
                HDC dc = GetDC(hwnd);
                HGDIOBJ old = SelectObject(dc, Font());
                GetTextMetricsW(dc, &tm);
                SelectObject(dc, old);
                ReleaseDC(hwnd, dc);
                xOffset = std::max(0, xOffset + int(wParam) * int(tm.tmAveCharWidth));
                ScrollLines(int(lParam));
                Redraw();
            }
            return TRUE;
        case EM_SCROLL: {
            if (!Multi())
                return 0;
            int before = firstLine;
            switch (wParam) {
            case SB_LINEUP: ScrollLines(-1); break;
            case SB_LINEDOWN: ScrollLines(1); break;
            case SB_PAGEUP: ScrollLines(-VisibleLines()); break;
            case SB_PAGEDOWN: ScrollLines(VisibleLines()); break;
            default: return 0;
            }
            return MAKELONG(WORD(firstLine - before), TRUE);
        }
        case EM_SCROLLCARET:
            ScrollToCaret();
            Redraw();
            PlaceCaret();
            return TRUE;
        case EM_POSFROMCHAR: {
            int pos = int(wParam);
            if (pos < 0 || pos > Len())
                return -1;
            POINT p = PosToPoint(pos);
            return MAKELONG(WORD(SHORT(p.x)), WORD(SHORT(p.y)));
        }
        case EM_CHARFROMPOS: {
            POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            int pos = PointToPos(p);
            return MAKELONG(WORD(pos), WORD(LineOf(pos)));
        }
        default:
            return Control::Proc(msg, wParam, lParam);
        }
    }

    // The edit's own menu. Its commands go to the window as messages (WM_PASTE ...), so a
    // program that watches those messages sees a paste from the menu as from the keyboard.
    void ContextMenu(int x, int y)
    {
        HWND self = hwnd;
        if (!Focused()) {
            SetFocus(hwnd);
            if (!IsWindow(self))
                return;
        }
        if (x == -1 && y == -1) {
            POINT p = PosToPoint(caret);
            ClientToScreen(hwnd, &p);
            x = p.x;
            y = p.y + LineHeight();
        }
        bool sel = anchor != caret, ro = ReadOnly(), pw = Password();
        std::wstring clip;
        bool canPaste = !ro && ClipboardGetText(clip) && !clip.empty();
        HMENU m = CreatePopupMenu();
        if (!m)
            return;
        auto item = [&](UINT id, const wchar_t* text, bool on) { AppendMenuW(m, MF_STRING | (on ? 0 : MF_GRAYED), id, text); };
        item(WM_UNDO, L"&Undo", canUndo && !ro);
        AppendMenuW(m, MF_SEPARATOR, 0, nullptr);
        item(WM_CUT, L"Cu&t", sel && !ro && !pw);
        item(WM_COPY, L"&Copy", sel && !pw);
        item(WM_PASTE, L"&Paste", canPaste);
        item(WM_CLEAR, L"&Delete", sel && !ro);
        AppendMenuW(m, MF_SEPARATOR, 0, nullptr);
        item(EM_SETSEL, L"Select &All", Len() > 0 && !(SelStart() == 0 && SelEnd() == Len()));
        UINT cmd = UINT(TrackPopupMenu(m, TPM_RETURNCMD, x, y, 0, hwnd, nullptr));
        DestroyMenu(m);
        if (!cmd || !IsWindow(self))
            return;
        if (cmd == EM_SETSEL)
            SendMessageW(self, EM_SETSEL, 0, -1);
        else
            SendMessageW(self, cmd, 0, 0);
    }

    void MakeCaret()
    {
        if (caretMade)
            DestroyCaret();
        CreateCaret(hwnd, nullptr, std::max(1, Unit()), LineHeight());
        caretMade = true;
        PlaceCaret();
        ShowCaret(hwnd);
    }

    void Paint(HDC dc) override
    {
        Layout();
        RECT r = Client();
        bool plain = Enabled() && !ReadOnly();
        HBRUSH back = CtlColor(plain ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC, dc);
        if (back)
            FillRect(dc, &r, back);
        COLORREF ink = Enabled() ? GetTextColor(dc) : GetSysColor(COLOR_GRAYTEXT);
        RECT tr = TextRect();
        IntersectClipRect(dc, tr.left, r.top, tr.right, r.bottom);
        int h = LineHeight();
        bool showSel = (Focused() || (Style() & ES_NOHIDESEL)) && anchor != caret;
        int s = SelStart(), e = SelEnd();
        int last = Multi() ? std::min<int>(int(lines.size()), firstLine + VisibleLines() + 1) : 1;
        for (int i = Multi() ? firstLine : 0; i < last; ++i) {
            const Line& l = lines[size_t(i)];
            int y = LineY(i);
            int x0 = LineX(i) - xOffset;
            std::wstring d = Display(l.start, l.len);
            SetTextColor(dc, ink);
            if (!d.empty())
                TextOutW(dc, x0, y, d.c_str(), int(d.size()));
            if (showSel) {
                int a = std::clamp(s - l.start, 0, l.len), b = std::clamp(e - l.start, 0, l.len);
                bool breakSelected = e > l.start + l.len && s <= l.start + l.len && Multi() && i + 1 < int(lines.size());
                if (a < b || breakSelected) {
                    const auto& xs = Prefix(i);
                    RECT hr{x0 + xs[size_t(a)], y, x0 + xs[size_t(b)] + (breakSelected ? Unit() * 3 : 0), y + h};
                    FillRect(dc, &hr, GetSysColorBrush(COLOR_HIGHLIGHT));
                    if (a < b) {
                        SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
                        std::wstring part = d.substr(size_t(a), size_t(b - a));
                        TextOutW(dc, x0 + xs[size_t(a)], y, part.c_str(), int(part.size()));
                    }
                }
            }
        }
    }
};

}  // namespace

void RegisterEdit() { RegisterControl<Edit>(WC_EDITW, CS_DBLCLKS, IDC_IBEAM); }

}  // namespace ctl
