#include "PagesTestSupport.h"

#include "elements/BlockObj.h"
#include "resources/resource.h"
#include "shell/MainFrame.h"

#include "platform/ui/core/MessageMap.h"

#include <cstdlib>
#include <unistd.h>

namespace pagestest {

BEGIN_MESSAGE_MAP(CRecordingView, CTavixView)
ON_MESSAGE(WM_APPLY_BLOCK_PARAMS, OnApplyBlockParams)
END_MESSAGE_MAP()

LRESULT CRecordingView::OnApplyBlockParams(WPARAM wParam, LPARAM lParam)
{
    Applied a{int(wParam), {}, {}, {}, {}};
    if (ParamRecordKindOf(int(wParam)) == ParamRecordKind::Misc)
        a.misc = *reinterpret_cast<CMiscParamRecord*>(lParam);
    else if (ParamRecordKindOf(int(wParam)) == ParamRecordKind::Time)
        a.time = *reinterpret_cast<CTimeParamRecord*>(lParam);
    else if (ParamRecordKindOf(int(wParam)) == ParamRecordKind::Analog)
        a.analog = *reinterpret_cast<CAnalogParamRecord*>(lParam);
    else if (ParamRecordKindOf(int(wParam)) == ParamRecordKind::IO)
        a.io = *reinterpret_cast<CIOParamRecord*>(lParam);
    m_applied.push_back(a);
    // The view's own handler takes the record as well.
    return CTavixView::ApplySheetParams(wParam, lParam);
}

CString Text(CWnd* pDlg, UINT nID)
{
    CString text;
    pDlg->GetDlgItemText(int(nID), text);
    return text;
}

bool Shown(CWnd* pDlg, UINT nID)
{
    CWnd* p = pDlg->GetDlgItem(int(nID));
    return p && p->IsWindowVisible();
}

bool Enabled(CWnd* pDlg, UINT nID)
{
    CWnd* p = pDlg->GetDlgItem(int(nID));
    return p && p->IsWindowEnabled();
}

CComboBox* PagesTest::ComboOf(CWnd* pPage, UINT nID)
{
    CWnd* pItem = pPage ? pPage->GetDlgItem(int(nID)) : nullptr;
    auto* pCombo = pItem ? dynamic_cast<CComboBox*>(CWnd::FromHandlePermanent(pItem->GetSafeHwnd())) : nullptr;
    EXPECT_NE(pCombo, nullptr) << "no combo box " << nID;
    return pCombo;
}

void PagesTest::Choose(CWnd* pPage, UINT nID, int index)
{
    CComboBox* pCombo = ComboOf(pPage, nID);
    if (pCombo == nullptr)
        return;
    pCombo->SetCurSel(index);
    pPage->SendMessage(WM_COMMAND, MAKEWPARAM(nID, CBN_SELCHANGE), reinterpret_cast<LPARAM>(pCombo->GetSafeHwnd()));
}

void PagesTest::SetUp()
{
    g_wHardwareCode = 0x5188;
    char pattern[] = "/tmp/tavix_pages_XXXXXX";
    tempDir = mkdtemp(pattern);
}

void PagesTest::TearDown()
{
    for (auto& p : programs)
        if (p->frame && ::IsWindow(p->frame->GetSafeHwnd()))
            p->frame->DestroyWindow();
    drv.Pump();
    programs.clear();
    std::string cmd = "rm -rf '" + tempDir + "'";
    (void)std::system(cmd.c_str());
}

Program& PagesTest::Open(const char* fixture)
{
    CMainFrame::SetPendingDocKind(1);
    auto p = std::make_unique<Program>();
    p->doc = std::make_unique<CTavixDoc>();
    p->doc->m_nHardwareCode = 0x5188;
    if (fixture) {
        const std::string path = std::string(TAVIX_SOURCE_DIR) + "/tests/fixtures/" + fixture;
        EXPECT_TRUE(p->doc->OnOpenDocument(CString(path.c_str()))) << path;
    }
    p->frame = new CFrameWnd;
    const int offset = 40 * int(programs.size());
    p->frame->Create(nullptr, L"pages test", WS_OVERLAPPEDWINDOW, CRect(offset, offset, offset + 820, offset + 640), nullptr,
                     nullptr);
    p->view = new CRecordingView(p->doc.get(), &p->childFrame);
    p->view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 800, 600), p->frame, AFX_IDW_PANE_FIRST,
                    nullptr);
    p->frame->SetActiveView(p->view);
    p->frame->ShowWindow(SW_SHOW);
    p->frame->RecalcLayout();
    p->view->SendMessage(WM_INITIALUPDATE);
    drv.Activate(p->frame->GetSafeHwnd());
    drv.Pump();
    programs.push_back(std::move(p));
    return *programs.back();
}

CBlockObj* PagesTest::AddBlock(Program& p, int nType)
{
    CBlockObj* pBlock = p.view->CreateBlockByType(nType);
    EXPECT_NE(pBlock, nullptr) << nType;
    if (pBlock == nullptr)
        return nullptr;
    const int n = p.doc->CountBlocks();
    pBlock->m_ptOrigin = CPoint(60 + 60 * (n % 8), 60 + 70 * (n / 8));
    EXPECT_TRUE(p.doc->AddBlock(pBlock)) << nType;
    return pBlock;
}

CAllPropertySheet* PagesTest::ActiveSheet()
{
    CWnd* pWnd = CWnd::GetActiveWindow();
    return pWnd ? dynamic_cast<CAllPropertySheet*>(CWnd::FromHandlePermanent(pWnd->GetSafeHwnd())) : nullptr;
}

CAllPropertySheet* PagesTest::OpenModeless(Program& p, CBlockObj* pBlock)
{
    p.view->m_nEditMode = CTavixView::modeSimulate;
    p.view->m_pCurBlock = pBlock;
    p.view->SendMessage(WM_COMMAND, ID_EDIT_BLOCK_PROPERTIES);
    drv.Pump();
    return p.view->FindOpenSheet(pBlock->m_nNumber);
}

void PagesTest::RunSheet(Program& p, CBlockObj* pBlock, std::vector<std::function<void(CAllPropertySheet&)>> steps)
{
    for (auto& step : steps)
        drv.Host().QueueIdleStep([step] {
            CAllPropertySheet* pSheet = ActiveSheet();
            ASSERT_NE(pSheet, nullptr);
            step(*pSheet);
        });
    p.view->m_pCurBlock = pBlock;
    p.view->SendMessage(WM_COMMAND, ID_EDIT_BLOCK_PROPERTIES);
    drv.Pump();
}

void PagesTest::Type(CWnd* pDlg, UINT nID, const std::wstring& text)
{
    CWnd* pCtrl = pDlg->GetDlgItem(int(nID));
    ASSERT_NE(pCtrl, nullptr) << nID;
    pCtrl->SetFocus();
    pCtrl->SendMessage(EM_SETSEL, 0, -1);
    drv.Type(text);
    drv.Pump();
}

void PagesTest::Press(CAllPropertySheet& sheet, int nID)
{
    CWnd* pButton = sheet.GetDlgItem(nID);
    ASSERT_NE(pButton, nullptr) << nID;
    // No pumping here: a modal sheet's own loop must see that it ended.
    sheet.SendMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), reinterpret_cast<LPARAM>(pButton->GetSafeHwnd()));
}

std::unique_ptr<CTavixDoc> PagesTest::SaveAndReload(Program& p)
{
    const std::string path = tempDir + "/program" + std::to_string(&p - programs.front().get()) + ".yfb";
    const CString wpath(path.c_str());
    EXPECT_TRUE(p.doc->OnSaveDocument(wpath));
    auto doc = std::make_unique<CTavixDoc>();
    EXPECT_TRUE(doc->OnOpenDocument(wpath));
    return doc;
}

}  // namespace pagestest
