// CAllDisplayMsgTxts: the modeless "Message texts" sheet of a simulating view: one live page per
// message-text block, in ascending priority, with the active text of highest priority in front.
// It opens when a text becomes active and closes when none is active any more
// (RefreshMessageTexts, after every simulation repaint of the view).
#pragma once

#include "platform/ui/dialogs/PropSheet.h"

#include <memory>
#include <vector>

class CMsgTxtDisplay;
class CTavixView;

class CAllDisplayMsgTxts : public CPropertySheet
{
public:
    CAllDisplayMsgTxts(LPCTSTR pszCaption, CTavixView* pView, UINT iSelectPage = 0);
    ~CAllDisplayMsgTxts() override;

    // how 1: the text of the block has just become active; 2: it has just become inactive.
    void ActivateTopPage(int how, int nBlockNumber);
    CMsgTxtDisplay* GetDisplay(int i) const;
    int GetDisplayCount() const { return int(m_pages.size()); }

    CTavixView* m_pView;
    CMsgTxtDisplay* m_pCurrentPage = nullptr;

protected:
    BOOL OnInitDialog() override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    void PostNcDestroy() override;
    void OnMove(int x, int y);
    DECLARE_MESSAGE_MAP()

private:
    std::vector<std::unique_ptr<CMsgTxtDisplay>> m_pages;
};

// The view's message texts after a simulation repaint: opens, fronts and closes its sheet.
void RefreshMessageTexts(CTavixView* pView);
// Builds the view's open sheet anew (a priority changed: page order, titles and the front page
// follow); nothing when none is open.
void RebuildMessageTextDisplay(CTavixView* pView);
// Closes the view's sheet (the simulation ends or the view goes).
void CloseMessageTextDisplay(CTavixView* pView);
// The open sheet of a view; null when none.
CAllDisplayMsgTxts* GetMessageTextDisplay(CTavixView* pView);
