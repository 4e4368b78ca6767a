// CComment: the comment page of every block sheet, one multi-line text.
#pragma once

#include "platform/ui/controls/CtlStd.h"
#include "platform/ui/dialogs/PropSheet.h"

constexpr UINT IDC_COMMENT_TEXT = 1000;

// A key-down of Escape goes to the page itself before the page's own processing, so that Escape
// typed in a multi-line comment edit cancels the sheet as Escape elsewhere does.
void TargetEscapeAtPage(CWnd* pPage, MSG* pMsg);

class CComment : public CPropertyPage {
public:
    CComment();

    CString m_strComment;
    // Screen rectangle of the page the sheet shows first; the edit fills a page of that size.
    // Empty: the edit keeps its template height and grows 120 pixels wider.
    CRect m_rcFit;

protected:
    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnTextChanged() { SetModified(TRUE); }
    DECLARE_MESSAGE_MAP()
};
