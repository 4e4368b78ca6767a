#include "shell/LayoutReport.h"

#include "document/TavixDoc.h"
#include "elements/BlockObj.h"
#include "shell/ChildFrame.h"
#include "shell/MainFrame.h"
#include "shell/PaletteItems.h"
#include "view/TavixView.h"

#include <algorithm>

namespace {

CPoint ScreenCentre(CWnd& wnd, CRect rc)
{
    CPoint p = rc.CenterPoint();
    wnd.ClientToScreen(&p);
    return p;
}

// The middle of the part of tab i that takes a click (the scroll arrows of a row wider than the
// control cover its end); false when no part of it does.
bool TabClickPoint(CTabCtrl& tabs, int i, const CRect& rc, CPoint* at)
{
    int from = -1, to = -1;
    for (int x = rc.left; x < rc.right; ++x) {
        TCHITTESTINFO ht{{x, rc.CenterPoint().y}, 0};
        if (tabs.HitTest(&ht) == i) {
            from = from < 0 ? x : from;
            to = x;
        }
    }
    *at = CPoint((from + to) / 2, rc.CenterPoint().y);
    return from >= 0;
}

}  // namespace

CString MakeLayoutReport(CMainFrame& frame)
{
    CString out;
    CString line;
    // The Workbox tabs and the cells of the palette shown.
    CTabCtrl& tabs = frame.WorkBox().GetTabCtrl();
    for (int i = 0; i < tabs.GetItemCount(); ++i) {
        CRect rc;
        CPoint at;
        if (tabs.GetItemRect(i, &rc) && TabClickPoint(tabs, i, rc, &at)) {
            const CPoint p = ScreenCentre(tabs, CRect(at, at));
            line.Format(L"tab %d %d %d\n", i, p.x, p.y);
            out += line;
        }
    }
    // A row of tabs wider than the WorkBox scrolls with two arrows at its right end, each half as
    // wide as the tabs are high.
    CRect first, last, row;
    tabs.GetClientRect(&row);
    if (tabs.GetItemCount() > 0 && tabs.GetItemRect(0, &first) && tabs.GetItemRect(tabs.GetItemCount() - 1, &last) &&
        (first.left < 0 || last.right > row.right)) {
        const int w = std::max(8, first.Height() / 2), y = first.CenterPoint().y;
        const CPoint left = ScreenCentre(tabs, CRect(CPoint(row.right - w * 3 / 2, y), CSize(0, 0)));
        const CPoint right = ScreenCentre(tabs, CRect(CPoint(row.right - w / 2, y), CSize(0, 0)));
        line.Format(L"tabarrows %d %d %d %d\n", left.x, left.y, right.x, right.y);
        out += line;
    }
    // The toolbar's buttons.
    CToolBar& bar = frame.ToolBar();
    for (int i = 0; i < bar.GetCount(); ++i) {
        CRect rc;
        bar.GetItemRect(i, &rc);
        if (bar.GetItemID(i) == 0 || rc.IsRectEmpty())
            continue;
        const CPoint p = ScreenCentre(bar, rc);
        line.Format(L"button %u %d %d\n", bar.GetItemID(i), p.x, p.y);
        out += line;
    }
    CTavixDoc* doc = frame.GetActiveDiagramDocument();
    const int group = tabs.GetCurSel();
    if (CView* palette = frame.WorkBox().GetView(group); palette && doc) {
        auto* scroll = dynamic_cast<CScrollView*>(palette);
        const CPoint origin = scroll ? scroll->GetScrollPosition() : CPoint(0, 0);
        const std::vector<UINT> items = PaletteGroupItems(group, doc->m_nDocKind, doc->GetMachineType());
        for (size_t i = 0; i < items.size(); ++i) {
            const CRect cell(10, 15 + 46 * int(i), 35, 51 + 46 * int(i));
            const CPoint p = ScreenCentre(*palette, cell - origin);
            line.Format(L"cell %u %d %d\n", items[i], p.x, p.y);
            out += line;
        }
    }
    line.Format(L"documents %d modified %d wires %d\n", frame.GetOpenDocumentCount(), doc && doc->IsModified() ? 1 : 0,
                doc ? int(doc->m_wires.GetCount()) : 0);
    out += line;
    CTavixView* view = frame.GetActiveDiagramView();
    if (!view || !doc)
        return out;
    // The blocks' centres and pins, on the screen.
    const float zoom = view->GetZoom();
    const CPoint scroll = view->GetDeviceScrollPosition();
    auto toScreen = [&](CPoint diagram) {
        CPoint p(int(float(diagram.x) * zoom) - scroll.x, int(float(diagram.y) * zoom) - scroll.y);
        view->ClientToScreen(&p);
        return p;
    };
    CRect client;
    view->GetClientRect(&client);
    const CPoint corner = ScreenCentre(*view, CRect(client.TopLeft(), CSize(0, 0)));
    line.Format(L"view %d %d %d %d simulating %d\n", corner.x, corner.y, client.Width(), client.Height(),
                view->IsSimulating() ? 1 : 0);
    out += line;
    for (POSITION pos = doc->m_blocks.GetHeadPosition(); pos;) {
        auto* b = static_cast<CBlockObj*>(doc->m_blocks.GetNext(pos));
        const CPoint c = toScreen(CPoint(b->m_ptOrigin.x + b->m_nWidth / 2, b->m_ptOrigin.y + b->m_nHeight / 2));
        line.Format(L"block %d %d %d %d out %d value %s\n", b->m_nNumber, b->m_nType, c.x, c.y,
                    b->m_nPinValue[kOutputPin], LPCTSTR(b->m_strValueText));
        out += line;
        for (int pin : {0, 1, kOutputPin}) {
            CRect rc;
            if (doc->GetPinPosition(&rc, b, pin)) {
                const CPoint p = toScreen(rc.CenterPoint());
                line.Format(L"pin %d %d %d %d\n", b->m_nNumber, pin, p.x, p.y);
                out += line;
            }
        }
    }
    // The simulation bars' switches and lamps.
    if (CChildFrame* child = view->GetParentFrame(); child && child->HasSimulationBars()) {
        for (const CSimIOBar* bar : {static_cast<const CSimIOBar*>(&child->m_wndInputsBar),
                                     static_cast<const CSimIOBar*>(&child->m_wndOutputsBar)}) {
            for (const auto& c : bar->GetControls()) {
                if (!c.bButton || !c.wnd || !c.wnd->GetSafeHwnd())
                    continue;
                CRect rc;
                c.wnd->GetClientRect(&rc);
                const CPoint p = ScreenCentre(*c.wnd, rc);
                line.Format(L"%s %d %d %d on %d\n", bar == &child->m_wndInputsBar ? L"input" : L"lamp", c.nNumber,
                            p.x, p.y, c.bOn ? 1 : 0);
                out += line;
            }
        }
    }
    return out;
}
