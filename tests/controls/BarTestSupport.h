// Bar tests: a frame 600 x 400 (client) with a view pane and docking on every side, run on a
// headless driver as the main window of a bare application.
#pragma once

#include "platform/host/HeadlessHost.h"
#include "platform/ui/framework/App.h"
#include "platform/ui/framework/DockBar.h"
#include "platform/ui/framework/DockMiniFrame.h"
#include "platform/ui/framework/Frame.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace bartest {

// Counts its layouts and the WM_PALETTE_TOOL messages it receives.
class CTestFrame : public CFrameWnd {
public:
    int m_nLayouts = 0;
    std::vector<std::pair<WPARAM, LPARAM>> m_paletteTools;
    void RecalcLayout(BOOL bNotify = TRUE) override
    {
        ++m_nLayouts;
        CFrameWnd::RecalcLayout(bNotify);
    }
    LRESULT OnPaletteTool(WPARAM wParam, LPARAM lParam)
    {
        m_paletteTools.emplace_back(wParam, lParam);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

class BarTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The rectangle of a window in the frame's client coordinates.
    CRect InFrame(CWnd* pWnd) const;
    CRect ViewRect() const { return InFrame(m_pView); }
    CDockBar* Dock(UINT nID) const;
    // The frame's layout now, and the idle update that runs delayed layouts and bar updates.
    void Layout() { m_pFrame->RecalcLayout(); }
    void Idle();
    // A screen point at a client point of a window.
    static CPoint Screen(CWnd* pWnd, CPoint client);
    // A screen point at a window point (window coordinates) of a window.
    static CPoint ScreenOfWindowPoint(CWnd* pWnd, CPoint windowPt);
    // Presses the left button at `from`, moves through `path` and releases at its end, running
    // `start` (a modal tracking loop, or nothing) after the press.
    void DragNonClient(CPoint from, const std::vector<CPoint>& path);
    // A pixel of the frame's top-level window at a screen point.
    COLORREF PixelAt(CPoint screen) const;

    CHeadlessDriver drv;
    std::unique_ptr<CWinApp> m_app;
    CTestFrame* m_pFrame = nullptr;
    CWnd* m_pView = nullptr;
};

}  // namespace bartest
