// CCellParamEditDlg: the small borderless editor that the live message-text display opens over a
// field showing a block parameter while the program runs. Its controls lie on the field's
// character cells; Enter (or a click elsewhere in the grid) checks the entry and writes it
// straight into the simulated block, Esc drops it. The block's document is not marked modified
// and no undo snapshot is taken: the change lives in the running simulation.
#pragma once

#include "platform/ui/dialogs/Dlg.h"

#include <memory>
#include <vector>

class CBlockObj;
class CGridCtrl;
class CTavixView;
class CWidget;

class CCellParamEditDlg : public CDialog
{
public:
    explicit CCellParamEditDlg(CGridCtrl* pGrid);
    ~CCellParamEditDlg() override;

    // Whether a live field of this block and item opens the editor: the item is one the editor
    // knows for the type and its value is a literal (not taken from another block).
    static BOOL CanEdit(const CBlockObj* pBlock, int nItem);

    // Opens the editor over the field (which must have a block); null when it cannot.
    static CCellParamEditDlg* Open(CGridCtrl* pGrid, CWidget* pField, CTavixView* pView);

    // TRUE checks the entry and, when it passes, writes it into the block; FALSE does nothing.
    // A refused entry shows why and changes nothing.
    void EndEdit(BOOL bApply);
    // Moves the editor over its field again (after the display moved).
    void PositionOverCell();

    CGridCtrl* m_pGrid;
    CWidget* m_pField = nullptr;
    CTavixView* m_pView = nullptr;

    // Control ids.
    enum {
        kEditFirst = 1550, kSpinFirst = 1552, kEditSecond = 1549, kSpinSecond = 1551, kCombo = 1548,
        kSpinReal = 1290, kEditMonth = 1068, kEditDay = 1069, kSpinMonth = 1072, kSpinDay = 1073,
        kCheckFirst = 1049, kLabel = 112,
    };

protected:
    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    void PostNcDestroy() override;

private:
    // How the field's parameter is edited.
    enum Layout {
        layoutNone, layoutTime, layoutWeekdays, layoutCamTime, layoutDate, layoutCount, layoutSigned,
        layoutHex, layoutDigits, layoutReal, layoutChoice,
    };
    static Layout LayoutOf(int nType, int nItem);

    CRect Cell(int k) const;
    CRect Cells(int first, int count) const;
    CWnd* AddEdit(UINT nId, const CRect& cell, DWORD dwExtra, BOOL bFirst);
    void AddSpin(UINT nId, const CRect& cell, int nLow, int nHigh, BOOL bInteger);
    void AddCombo(const CRect& area, int nDroppedHeight, std::initializer_list<const wchar_t*> items, int nSel);
    void AddCheck(UINT nId, const CRect& rect, BOOL bGroup, BOOL bChecked);
    void AddLabel(const CRect& cell, const wchar_t* text);
    void CreateControls();
    // The number of characters an edit takes: the length of the block's bound as text.
    int EditLimit() const;

    int ReadInt(UINT nId) const;
    int Selection() const;
    BOOL Refuse(const CString& text);
    BOOL RefuseRange(int lo, int hi);
    void SetNumber(UINT nId, int v);
    // The cam (0-2) of a weekly timer's item, and whether it is its on time.
    int Cam() const;
    BOOL IsCamTimeOn() const;
    void EnableCamTime();
    // Writes a timer's time set and, where the Part of the type asks, restarts its current value.
    void WriteTime(BOOL bFirstSet, BOOL bResetCurrent);
    BOOL Apply();

    Layout m_layout = layoutNone;
    int m_nType = 0;
    int m_nItem = 0;
    int m_nCellWidth = 0;
    int m_nCellHeight = 0;
    std::vector<std::unique_ptr<CWnd>> m_controls;
};
