// CMessageTexts_New: the parameter page of a message-text block from machine type 'Q' on: the
// four lines of 24 characters of two character sets, each with its fields and ticker options,
// the priority, the acknowledge and details options, and the commands that place fields.
// CMessageTexts, the page of the older machine types, is this page cut down to one set of
// twelve characters a line and one parameter field a line.
#pragma once

#include "controls/GridCtrl.h"
#include "controls/IconButton.h"
#include "msgtext/CharPaletteDlg.h"
#include "pages/BlockPage.h"
#include "platform/ui/controls/CtlStdClasses.h"

class CBlockMSGTEXT;
class CWidget;

class CMessageTexts_New : public CBlockPage, public CGridFieldOwner, public CSpecialCharOwner
{
public:
    CMessageTexts_New();
    ~CMessageTexts_New() override;

    enum { kRows = 5, kCols = 25, kCells = kRows * kCols };

    // ---- members the view fills and reads ----
    int m_bAcknowledge = 0;
    int m_nPriority = 0;
    CString m_astrSet1[kCells];
    CString m_astrSet2[kCells];
    // Shown set, set 1 and 2 enabled, ticker modes of set 1 and 2, the line flags (line 1 set
    // 1, line 1 set 2, ...), details: in the block's order.
    int m_nSettings[14] = {0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};

    void FillFromBlock(const CBlockObj& block, const CTavixDoc& doc, bool bSimulating) override;
    void ReadIntoBlock(CBlockObj& block) const override;
    void FillMsgTextRecord(CMsgTextParamRecord& record) const override;

    // ---- field placement (the insert commands) ----
    // Places a field of a kind at the grid's current cell under the placement rule; null (and
    // the refusal message) when it does not fit.
    CWidget* PlaceField(int nKind, int nWidth, COLORREF cr, CBlockObj* pBlock, int nNumber, int nItem,
                        const CString& text);
    void OnInsertParameter();
    void OnInsertGauge(int nKind);
    void OnInsertScaleTime();
    void OnInsertGraph();
    void OnInsertOnOff();
    // The AI or AM value field of an operand number (4000 + n AI, 4288 + n AM).
    CWidget* InsertValueField(int nOperand);
    void OnInsertSpecialChars();
    void InsertSpecialChar(wchar_t ch);
    // Switches the grid to set nTo (0 or 1); with bClear the set left is emptied.
    void SwitchTextSet(int nTo, BOOL bClear);
    CGridCtrl& Grid() { return m_grid; }
    CCharPaletteDlg* GetPalette() const { return m_pPalette; }

    // ---- CSpecialCharOwner ----
    void CloseEditWindow(wchar_t ch) override;
    CWnd* OwnerWindow() override { return this; }

    // ---- CGridFieldOwner ----
    int GetMachineType() const override;
    int GetAcceptedCharClass() const override;
    int GetCharClass(wchar_t ch) const override;
    void DrawGridField(CGridCtrl* pGrid, CDC* pDC, CGridField* pField, BOOL bFramed) override;
    int GetBlockLabel() const override { return m_nBlockNumber - 9000; }
    BOOL RunFieldDialog(CGridCtrl* pGrid, CGridField* pField, GridFieldEdit& edit) override;
    void ApplyFieldDialog(CGridCtrl* pGrid, CGridField* pField) override;

    // The scope and pointer insert buttons, each showing its icon.
    CIconButton m_btnScope;
    CIconButton m_btnPointer;

protected:
    explicit CMessageTexts_New(UINT nIDTemplate, BOOL bOld);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void OnOK() override;
    BOOL HasValueBox() const override { return FALSE; }
    void AddTips() override;

    void OnSetSelect(UINT nId);
    void OnSetEnable(UINT nId);
    void OnBlockListChange();
    void OnParamListChange(UINT nId);
    void OnParamListDblClk(UINT nId) { OnInsertParameter(); }
    void OnGauge(UINT nId) { OnInsertGauge(nId == 1400 ? -102 : nId == 1401 ? -103 : -99); }
    void OnInsertGaugeBar() { OnInsertGauge(-99); }
    void OnAI() { OnInsertAnalog(FALSE); }
    void OnAM() { OnInsertAnalog(TRUE); }
    void OnInsertAnalog(BOOL bAM);
    void OnGridLabelEdit(NMHDR*, LRESULT* pResult) { *pResult = 0; }
    void OnEditCopy() { m_grid.OnEditCopy(); }
    void OnEditCut() { m_grid.OnEditCut(); }
    void OnEditPaste() { m_grid.OnEditPaste(); }
    void OnUpdateEditCopy(CCmdUI* pCmdUI);
    void OnUpdateEditPaste(CCmdUI* pCmdUI);
    // Follows a new page size: the grid stretches, the other controls keep to the right edge and
    // the size grip to the bottom-right corner (hidden while the page is maximised).
    void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

    // Grid rows and columns of the layout (25 or 13 columns).
    int LastColumn() const { return m_bOld ? 12 : 24; }
    CString* Store(int nSet) { return nSet == 0 ? m_astrSet1 : m_astrSet2; }
    CGridFieldLine* Held(int nSet) { return nSet == 0 ? m_grid.m_arSet1Fields : m_grid.m_arSet2Fields; }
    void LoadStore(int nSet);
    void SaveGrid(int nSet);
    void ShowTicker(int nSet);
    void TakeTicker(int nSet);
    void LoadFields(CBlockMSGTEXT& block);
    CRect CellsRect(int nRow, int nCol, int nRows, int nWidth);
    int CountShown(int nKind) const;
    CBlockMSGTEXT* FindOwnBlock() const;
    static void CloneLines(const CGridFieldLine* from, CGridFieldLine* to);
    static void FreeLines(CGridFieldLine* lines);

    BOOL m_bOld;
    int m_nClientWidth = -1;   // the client size the controls are laid out for; -1 before
    int m_nClientHeight = -1;  // initialisation
    CGridCtrl m_grid;
    CListBox m_lbBlocks;
    CListBox m_lbParams;
    CListBox m_lbGeneral;
    CComboBox m_cbPriority;
    CCharPaletteDlg* m_pPalette = nullptr;
    CBlockObj* m_pSelectedBlock = nullptr;
    int m_nLastBlockIndex = -1;
    // What the last field dialog of a double-click chose, applied after the grid's checks.
    struct PendingEdit {
        int nValueIndex = 0, nMin = 0, nMax = 0, nSetting = 0;
        CString names[27];
    } m_pending;
};
