// CMsgTextSettingDlg: the program-wide settings of message texts: the character set of each
// text set, the set new texts start with, the ticker speeds, the scope time and the analog
// input filter. Changing a character set removes the characters the new set cannot show from
// every message text, after the user agreed.
#pragma once

#include "platform/ui/dialogs/Dlg.h"

class CTavixDoc;

class CMsgTextSettingDlg : public CDialog
{
public:
    explicit CMsgTextSettingDlg(CTavixDoc* pDoc, CWnd* pParent = nullptr);

    // Copies the document's seven values in (the character sets also as the opening ones)
    // and, after OK, back.
    void LoadFromDocument();
    void StoreToDocument() const;
    // Empties every cell of a set (0 or 1) on lines 1-4 whose text starts at U+0080 or above,
    // in every message-text block of the document.
    static void StripWideCharacters(CTavixDoc* pDoc, int nSet);
    // Line ticker that follows a character ticker value.
    static int LineTickerOf(int nCharTicker);

    int m_nCharSet1 = 0;
    int m_nCharSet2 = 0;
    int m_nDefaultSet = 0;
    int m_nScopeIndex = 0;
    int m_nFilter = 5;
    UINT m_nCharTicker = 100;
    UINT m_nLineTicker = 1000;
    int m_nOpenCharSet1 = 0;
    int m_nOpenCharSet2 = 0;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    void OnCharTickerChange();
    void OnCharSetChange(UINT nId);
    void OnCharSpin(NMHDR* pNMHDR, LRESULT* pResult);
    void ShowDescription(int nStaticId, int nIndex);
    DECLARE_MESSAGE_MAP()

private:
    CTavixDoc* m_pDoc;
};

// Runs the dialog on a document (File > Message Text Settings...).
void RunMessageTextSettings(CTavixDoc* pDoc, CWnd* pParent);
