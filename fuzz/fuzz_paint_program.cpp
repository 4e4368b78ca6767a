// Program files (and undo snapshots, which are the same bytes) from anywhere, carried past the
// loader: what it lets through is shown in a view at two zooms, with the selection handles and
// parameter texts, and then simulated for a few steps. Painting, the parameter and variable
// texts and the simulation step must cope with every value a loaded record can hold.
#include "document/TavixDoc.h"
#include "elements/BlockObj.h"
#include "platform/host/HeadlessHost.h"
#include "platform/ui/framework/AppIds.h"
#include "platform/ui/framework/Frame.h"
#include "shell/ChildFrame.h"
#include "view/TavixView.h"

#include <cstddef>
#include <cstdint>
#include <memory>

namespace {

std::unique_ptr<CTavixDoc> Load(const uint8_t* data, size_t size)
{
    CMemFile file(const_cast<BYTE*>(data), UINT(size));
    auto doc = std::make_unique<CTavixDoc>();
    try {
        CArchive ar(&file, CArchive::load);
        ar.m_pDocument = doc.get();
        doc->Serialize(ar);
        ar.Close();
    } catch (CException* e) {
        e->Delete();
        return nullptr;
    }
    return doc;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static CHeadlessDriver* drv = new CHeadlessDriver;
    std::unique_ptr<CTavixDoc> doc = Load(data, size);
    if (!doc)
        return 0;
    // The first element is drawn selected, with its handles.
    if (!doc->m_blocks.IsEmpty())
        static_cast<CBlockObj*>(doc->m_blocks.GetHead())->m_bSelected = TRUE;

    CChildFrame childFrame;
    auto* frame = new CFrameWnd;
    frame->Create(nullptr, L"fuzz", WS_OVERLAPPEDWINDOW, CRect(0, 0, 480, 360), nullptr, nullptr);
    auto* view = new CTavixView(doc.get(), &childFrame);
    view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 460, 320), frame, AFX_IDW_PANE_FIRST,
                 nullptr);
    frame->SetActiveView(view);
    frame->ShowWindow(SW_SHOW);
    frame->RecalcLayout();
    view->SendMessage(WM_INITIALUPDATE);
    auto repaint = [&] {
        view->InvalidateAll();
        view->UpdateWindow();
    };
    for (float zoom : {1.0f, 0.25f}) {
        view->ZoomTo(zoom);
        repaint();
    }
    view->ZoomTo(1.0f);
    // Simulation: every repaint steps every block once.
    view->OrderBlocksForSimulation();
    view->m_nEditMode = CTavixView::modeSimulate;
    for (int step = 0; step < 3; ++step)
        repaint();
    view->m_nEditMode = CTavixView::modeSelect;
    frame->DestroyWindow();
    drv->Pump();
    return 0;
}
