// CInsComments: the page of a free comment of the diagram: its text, font and colour. The font
// and colour chosen while the page is open count only after OK, which also measures the text in
// that font so that the comment element can be sized.
#pragma once

#include "platform/ui/controls/CtlStd.h"
#include "platform/ui/dialogs/PropSheet.h"

class CInsComments : public CPropertyPage {
public:
    CInsComments();

    CRect m_rcPage;  // screen rectangle of the page, stored by the sheet
    // The text's extent in the committed font, computed at OK (pixels).
    int m_nTextWidth = 0;
    int m_nTextHeight = 0;
    int m_nLineCount = 0;
    // Committed font and colour, and the ones chosen while the page is open.
    COLORREF m_crTextColor = 0;
    COLORREF m_crWorkColor = 0;
    LOGFONTW m_lfFont{};
    LOGFONTW m_lfWorkFont{};
    CString m_strComment;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnChooseFont();
    // The text's width, height and line count in the committed font.
    void MeasureText();
    DECLARE_MESSAGE_MAP()
};
