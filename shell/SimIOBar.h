// CSimIOBar: the common part of the Inputs and Outputs bars, which stand in for the device's
// terminals while a diagram is simulated. Each bar lists the blocks it shows and creates one
// group of controls per block at run time, left to right after its "<<" button: a push or lamp
// button, or a label above a value field. Every control remembers the number it stands for
// (an input, key or output number, or in a ladder diagram a contact operand), so a click or a
// typed value always acts on the control's own block, whatever has the keyboard focus.
#pragma once

#include "controls/DynamicDialog.h"

#include <memory>
#include <vector>

class CBlockObj;
class CTavixDoc;
class CTavixView;

class CSimIOBar : public cdxCDynamicBarDlg
{
    DECLARE_DYNAMIC(CSimIOBar)
public:
    enum { iconOff = 209, iconOn = 204, kNarrowWidth = 27 };

    // One run-time control.
    struct Control {
        std::unique_ptr<CWnd> wnd;
        int nNumber = 0;       // input, key or output number, or contact operand
        BOOL bButton = FALSE;  // push or lamp button (else label or field)
        BOOL bLabel = FALSE;
        BOOL bOn = FALSE;      // a button shows the "on" icon
        CString strText;       // text of the label or field
    };

    CSimIOBar(UINT nTemplate, int nWideWidth);
    ~CSimIOBar() override;

    // The view whose document the bar shows; null detaches.
    void Attach(CTavixView* pView) { m_pView = pView; }
    CTavixDoc* GetDocument() const;

    // Lists the blocks (CollectBlocks) and creates their controls, each showing its block's state.
    void RebuildControls();
    // Destroys every run-time control and empties both lists.
    void ClearControls();
    // Rebuilds the controls and shows one block (after its parameters changed).
    void Refresh(CBlockObj* pBlock);
    // Shows the state of one block: the blocks call it while they are evaluated.
    void UpdateFromBlock(CBlockObj* pBlock);

    const std::vector<CBlockObj*>& GetBlocks() const { return m_listBlocks; }
    const std::vector<Control>& GetControls() const { return m_listControls; }
    // The control standing for a number (the button, or the field of a label and field).
    const Control* FindControl(int nNumber) const;

    CBlockObj* m_pLastBlock = nullptr;  // the block last reported
    int m_nUpdates = 0;                 // reports so far

protected:
    BOOL OnInitDialog() override;
    // Keys of the bar reach the Simulation bar's key handling first (F3 leaves simulation).
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // Fills m_listBlocks in display order; TRUE when it lists a block.
    virtual BOOL CollectBlocks() = 0;
    // Creates the controls of one block.
    virtual void AddBlockControls(CBlockObj* pBlock, const CRect& column) = 0;
    // Sets the control of a block (lamp, button or number) from the block's state.
    virtual void ShowBlockState(CBlockObj* pBlock) = 0;

    // Adds a button (label and field when bWide) for the number with the text.
    void AddButton(const CRect& column, int nNumber, UINT nID, const CString& text);
    void AddLabelAndField(const CRect& column, int nNumber, UINT nID, const CString& text, int nValue,
                          BOOL bReadOnly);
    // Sets a button's icon; FALSE when it already showed it.
    BOOL SetButtonOn(Control& control, BOOL bOn);
    void SetFieldValue(Control& control, int nValue);
    Control* FindControlByWindow(HWND hWnd);
    Control* FindControlByNumber(int nNumber);
    void RedrawBar();

    // Inserts into an ascending list: before the first with a greater key, after equal ones.
    static void InsertOrdered(std::vector<std::pair<int, CBlockObj*>>& list, int nKey, CBlockObj* pBlock);

    CTavixView* m_pView = nullptr;
    int m_nWideWidth;
    int m_nWideCount = 0;
    int m_nNarrowCount = 0;
    std::vector<CBlockObj*> m_listBlocks;
    std::vector<Control> m_listControls;
    BOOL m_bUpdatingFields = FALSE;  // the bar itself writes a field (no EN_UPDATE action)

private:
    int NextLeft(const CRect& column) const;
};
