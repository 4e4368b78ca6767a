#include "shell/LayoutReport.h"

#include "document/TavixDoc.h"
#include "elements/BlockObj.h"
#include "shell/ChildFrame.h"
#include "shell/MainFrame.h"
#include "shell/PaletteItems.h"
#include "view/TavixView.h"

namespace {

CPoint ScreenCentre(CWnd& wnd, CRect rc)
{
    CPoint p = rc.CenterPoint();
    wnd.ClientToScreen(&p);
    return p;
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
        if (tabs.GetItemRect(i, &rc)) {
            const CPoint p = ScreenCentre(tabs, rc);
            line.Format(L"tab %d %d %d\n", i, p.x, p.y);
            out += line;
        }
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
