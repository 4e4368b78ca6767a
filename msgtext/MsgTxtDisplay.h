// CMsgTxtDisplay: one page of the live message-text display: a read-only character grid with
// the first character set of one message text (its first twelve characters a line) and its
// fields drawn with the block's live values, refreshed every 53 ms while the page has a window.
#pragma once

#include "controls/GridCtrl.h"
#include "platform/ui/dialogs/PropSheet.h"

class CTavixView;
class CBlockMSGTEXT;
class CCellParamEditDlg;

// The Details flag of every live display: fields described (1) or shown as on the device (0).
extern int g_bMsgTextDetails;

class CMsgTxtDisplay : public CPropertyPage, public CGridFieldOwner
{
public:
    CMsgTxtDisplay();

    enum { kRows = 5, kCols = 13, kTimer = 2, kPeriodMs = 53 };

    // Takes the block's number, cells and title (its priority).
    void TakeBlock(const CBlockMSGTEXT& block, CTavixView* pView);

    int m_nBlockNumber = 0;
    CString m_strCells[kRows * kCols];
    CGridCtrl m_grid;
    CTavixView* m_pView = nullptr;

    // Field drawing of the grid: described or as on the device, by the Details flag.
    void DrawGridField(CGridCtrl* pGrid, CDC* pDC, CGridField* pField, BOOL bFramed) override;
    BOOL IsLiveDisplay() const override { return TRUE; }
    // The live parameter editor over a field (at most one a page).
    BOOL CanEditLive(CGridField* pField) const override;
    void OpenLiveEditor(CGridCtrl* pGrid, CGridField* pField) override;
    void CloseLiveEditor(CGridCtrl* pGrid, BOOL bApply) override;
    CCellParamEditDlg* GetLiveEditor() const { return m_pEditor; }

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void OnTimer(UINT_PTR nIDEvent);
    void OnDestroy();
    void OnDetails();
    void OnSize(UINT nType, int cx, int cy);
    void OnGridLabelEdit(NMHDR*, LRESULT* pResult) { *pResult = 0; }
    void OnEditCopy() { m_grid.OnEditCopy(); }
    void OnEditCut() { m_grid.OnEditCut(); }
    void OnEditPaste() { m_grid.OnEditPaste(); }
    DECLARE_MESSAGE_MAP()

private:
    CString m_strTitle;
    int m_nWidth = -1;
    int m_nHeight = -1;
    CCellParamEditDlg* m_pEditor = nullptr;  // deletes itself when its window goes
};
