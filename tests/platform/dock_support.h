// Docking tests: a frame with a view pane and bars of fixed sizes, on a headless driver.
#pragma once

#include "platform/host/HeadlessHost.h"
#include "platform/ui/framework/ControlBar.h"
#include "platform/ui/framework/DockBar.h"
#include "platform/ui/framework/DockContext.h"
#include "platform/ui/framework/DockMiniFrame.h"
#include "platform/ui/framework/Frame.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace docktest {

// A bar of fixed size: m_horz when docked at the top or bottom (or floating), m_vert at the
// sides. It counts its idle updates.
class CTestBar : public CControlBar {
public:
    CSize m_horz{100, 30};
    CSize m_vert{30, 100};
    int m_updates = 0;
    CFrameWnd* m_pLastTarget = nullptr;

    BOOL Create(CWnd* pParent, UINT nID, const wchar_t* title, DWORD style = WS_CHILD | WS_VISIBLE | CBRS_TOP);
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL) override
    {
        ++m_updates;
        m_pLastTarget = pTarget;
    }
};

// The frame of the tests: command kCmdEnabled has an update handler that enables it while
// m_bEnable is set; other commands have none.
constexpr UINT kCmdEnabled = 1001;
class CTestFrame : public CFrameWnd {
public:
    BOOL m_bEnable = TRUE;
    void OnUpdateCmd(CCmdUI* pCmdUI) { pCmdUI->Enable(m_bEnable); }
    void OnCmd() {}
    // The status prompts asked for: the command id, or -1 for the idle text.
    std::vector<int> m_prompts;
    LRESULT OnSetMessageStringTest(WPARAM wParam, LPARAM)
    {
        m_prompts.push_back(int(wParam));
        return 0;
    }
    LRESULT OnPopMessageStringTest(WPARAM, LPARAM)
    {
        m_prompts.push_back(-1);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

// A frame 600 x 400 (client) at (100, 100) with a view pane; docking enabled on every side.
class DockTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Makes a bar (not docked yet) allowed to dock on the given sides.
    CTestBar& AddBar(UINT nID, DWORD dockSides = CBRS_ALIGN_ANY, CSize horz = CSize(100, 30));
    CDockBar* Dock(UINT nID) const;
    // The rectangle of a window in the frame's client coordinates.
    CRect InFrame(CWnd* pWnd) const;
    CRect ViewRect() const { return InFrame(m_pView); }
    // The array of a dock bar as text: bar ids, "|" for row ends, "p<id>" for placeholders.
    static std::string Rows(const CDockBar* pDock);
    CMiniDockFrameWnd* FloatingFrameOf(CControlBar* pBar) const;
    void Layout() { m_pFrame->RecalcLayout(); }

    CHeadlessDriver drv;
    CTestFrame* m_pFrame = nullptr;
    CWnd* m_pView = nullptr;
    std::vector<std::unique_ptr<CTestBar>> m_bars;
};

}  // namespace docktest
