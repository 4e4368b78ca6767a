#include "msgtext/AllDisplayMsgTxts.h"

#include "document/TavixDoc.h"
#include "elements/BlockMSGTEXT.h"
#include "elements/BlockTypes.h"
#include "msgtext/CellParamEditDlg.h"
#include "msgtext/MsgTextLists.h"
#include "msgtext/MsgTxtDisplay.h"
#include "platform/ui/core/MessageMap.h"
#include "resources/resource.h"
#include "view/TavixView.h"

#include <map>

namespace {

// Per simulating view: its sheet and the texts it saw active at the last repaint.
struct ViewTexts {
    CAllDisplayMsgTxts* pSheet = nullptr;
    std::map<int, bool> active;
};

std::map<CTavixView*, ViewTexts>& Views()
{
    static std::map<CTavixView*, ViewTexts> s_views;
    return s_views;
}

CBlockMSGTEXT* TextBlock(CTavixView* pView, int nNumber)
{
    CTavixDoc* pDoc = pView ? pView->GetDocument() : nullptr;
    return pDoc ? dynamic_cast<CBlockMSGTEXT*>(pDoc->FindBlockByNumber(nNumber)) : nullptr;
}

bool IsShown(CBlockMSGTEXT& b)
{
    return b.m_nPinValue[kOutputPin] == 1 || b.AcknowledgePending();
}

// A new sheet for the view; it stays null when the window cannot be made (the next
// activation tries again).
void OpenSheet(CTavixView* pView, ViewTexts& texts)
{
    auto* pSheet = new CAllDisplayMsgTxts(msgtext::Res(IDS_MSGTEXT_DISPLAY_TITLE), pView, 0);
    if (pSheet->Create(pView, DWORD(-1), 0))
        texts.pSheet = pSheet;
    else
        delete pSheet;
}

} // namespace

BEGIN_MESSAGE_MAP(CAllDisplayMsgTxts, CPropertySheet)
    ON_WM_MOVE()
END_MESSAGE_MAP()

CAllDisplayMsgTxts::CAllDisplayMsgTxts(LPCTSTR pszCaption, CTavixView* pView, UINT iSelectPage)
    : CPropertySheet(pszCaption, pView, iSelectPage), m_pView(pView)
{
    CTavixDoc* pDoc = pView ? pView->GetDocument() : nullptr;
    if (!pDoc)
        return;
    // Ascending priority; equal priorities keep their document order.
    std::vector<CBlockMSGTEXT*> texts;
    for (POSITION pos = pDoc->m_blocks.GetHeadPosition(); pos;) {
        auto* p = dynamic_cast<CBlockMSGTEXT*>(pDoc->m_blocks.GetNext(pos));
        if (!p)
            continue;
        auto at = texts.begin();
        while (at != texts.end() && (*at)->Priority() <= p->Priority())
            ++at;
        texts.insert(at, p);
    }
    for (CBlockMSGTEXT* p : texts) {
        auto page = std::make_unique<CMsgTxtDisplay>();
        page->TakeBlock(*p, pView);
        AddPage(page.get());
        m_pages.push_back(std::move(page));
    }
}

CAllDisplayMsgTxts::~CAllDisplayMsgTxts() = default;

CMsgTxtDisplay* CAllDisplayMsgTxts::GetDisplay(int i) const
{
    return i >= 0 && i < int(m_pages.size()) ? m_pages[size_t(i)].get() : nullptr;
}

BOOL CAllDisplayMsgTxts::OnInitDialog()
{
    const BOOL result = CPropertySheet::OnInitDialog();
    // The last shown text in priority order comes to the front: the highest priority, the
    // later one among equals, as ActivateTopPage chooses. A text held for acknowledgement
    // counts although its enable input fell.
    for (size_t i = 0; i < m_pages.size(); ++i) {
        CBlockMSGTEXT* p = TextBlock(m_pView, m_pages[i]->m_nBlockNumber);
        if (p && IsShown(*p))
            SetActivePage(int(i));
    }
    return result;
}

void CAllDisplayMsgTxts::ActivateTopPage(int how, int nBlockNumber)
{
    int best = 0, index = 0;
    for (size_t i = 0; i < m_pages.size(); ++i) {
        CBlockMSGTEXT* p = TextBlock(m_pView, m_pages[i]->m_nBlockNumber);
        if (p && IsShown(*p) && p->Priority() >= best) {
            best = p->Priority();
            index = int(i);
        }
    }
    CBlockMSGTEXT* pBlock = TextBlock(m_pView, nBlockNumber);
    if (!pBlock || m_pages.empty())
        return;
    if (how == 1 && pBlock->Priority() == best) {
        SetActivePage(index);
    } else if (how == 2 && !pBlock->AcknowledgePending()) {
        const int active = GetActiveIndex();
        if (active >= 0 && active < int(m_pages.size()) && m_pages[size_t(active)]->m_nBlockNumber == nBlockNumber)
            SetActivePage(index);
    }
}

BOOL CAllDisplayMsgTxts::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    // A tab change discards an edit that was not applied.
    if (!m_pages.empty() && m_pages[0]->m_grid.m_hWnd)
        m_pages[0]->m_grid.ClosePopupEdit(FALSE);
    return CPropertySheet::OnNotify(wParam, lParam, pResult);
}

void CAllDisplayMsgTxts::OnMove(int, int)
{
    const int active = GetActiveIndex();
    m_pCurrentPage = GetDisplay(active);
    // An open live editor stays over its field.
    for (auto& page : m_pages)
        if (CCellParamEditDlg* pEditor = page->GetLiveEditor())
            pEditor->PositionOverCell();
}

void CAllDisplayMsgTxts::PostNcDestroy()
{
    CPropertySheet::PostNcDestroy();
    for (auto& [view, texts] : Views())
        if (texts.pSheet == this)
            texts.pSheet = nullptr;
    delete this;
}

CAllDisplayMsgTxts* GetMessageTextDisplay(CTavixView* pView)
{
    auto it = Views().find(pView);
    return it == Views().end() ? nullptr : it->second.pSheet;
}

void CloseMessageTextDisplay(CTavixView* pView)
{
    auto it = Views().find(pView);
    if (it == Views().end())
        return;
    CAllDisplayMsgTxts* pSheet = it->second.pSheet;
    Views().erase(it);
    if (pSheet && ::IsWindow(pSheet->GetSafeHwnd()))
        pSheet->DestroyWindow();
    else
        delete pSheet;
}

void RebuildMessageTextDisplay(CTavixView* pView)
{
    auto it = Views().find(pView);
    if (it == Views().end() || it->second.pSheet == nullptr)
        return;
    CAllDisplayMsgTxts* pOld = it->second.pSheet;
    it->second.pSheet = nullptr;
    if (::IsWindow(pOld->GetSafeHwnd()))
        pOld->DestroyWindow();
    else
        delete pOld;
    OpenSheet(pView, Views()[pView]);
}

void RefreshMessageTexts(CTavixView* pView)
{
    CTavixDoc* pDoc = pView ? pView->GetDocument() : nullptr;
    if (!pDoc)
        return;
    ViewTexts& texts = Views()[pView];
    int lastInactive = -1;
    for (POSITION pos = pDoc->m_blocks.GetHeadPosition(); pos;) {
        auto* p = dynamic_cast<CBlockMSGTEXT*>(pDoc->m_blocks.GetNext(pos));
        if (!p)
            continue;
        const bool now = p->m_nPinValue[kOutputPin] == 1;
        bool& before = texts.active[p->m_nNumber];
        if (now == before)
            continue;
        before = now;
        if (!now) {
            lastInactive = p->m_nNumber;
            continue;
        }
        // A text that needs acknowledging stays on after its enable input falls; its enable
        // time and date are taken anew each time it becomes active.
        if (p->AcknowledgeRequired())
            p->m_bAckLatch = 1;
        p->m_bCaptureEnableTime = p->m_bCaptureEnableDate = 1;
        if (!texts.pSheet) {
            OpenSheet(pView, texts);
        } else {
            texts.pSheet->ActivateTopPage(1, p->m_nNumber);
        }
        return;  // one newly active text a repaint; the next repaint goes on
    }
    if (lastInactive < 0)
        return;
    bool anyActive = false;
    for (POSITION pos = pDoc->m_blocks.GetHeadPosition(); pos;) {
        auto* p = dynamic_cast<CBlockMSGTEXT*>(pDoc->m_blocks.GetNext(pos));
        if (p && p->m_nPinValue[kOutputPin] == 1)
            anyActive = true;
    }
    if (anyActive) {
        if (texts.pSheet && ::IsWindow(texts.pSheet->GetSafeHwnd()))
            texts.pSheet->ActivateTopPage(2, lastInactive);
    } else if (texts.pSheet) {
        CAllDisplayMsgTxts* pSheet = texts.pSheet;
        texts.pSheet = nullptr;
        if (::IsWindow(pSheet->GetSafeHwnd()))
            pSheet->DestroyWindow();
        else
            delete pSheet;
    }
}
