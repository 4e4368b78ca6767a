// CInputsBar: the Inputs bar of a simulated diagram. A push button per switch-like input I and
// function key F, and a label with a value field per frequency input and analog input AI. A
// button writes the input's output value (a switch toggles, a momentary button acts while it is
// held); a typed value becomes the input's current value at each keystroke. In a ladder diagram
// the controls stand for contact operands and act on every contact with that operand.
#pragma once

#include "shell/SimIOBar.h"

class CInputsBar : public CSimIOBar
{
    DECLARE_DYNAMIC(CInputsBar)
public:
    enum { kWideWidth = 57 };
    CInputsBar();

    // What the controls do, by the number they stand for (also the scripted tests' entry).
    void OnInputButtonClicked(HWND hButton);
    void SetSwitch(int nNumber, BOOL bOn);
    void SetValue(int nNumber, int nValue);
    // Simulation kind (0 switch, 1 make, 2 break, 3 frequency) of the input a number stands for.
    int GetSimKind(int nNumber) const;

protected:
    BOOL CollectBlocks() override;
    void AddBlockControls(CBlockObj* pBlock, const CRect& column) override;
    void ShowBlockState(CBlockObj* pBlock) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void OnValueEditUpdate(HWND hEdit);
    // The buttons are never disabled by the idle update.
    void OnUpdateAlways(CCmdUI*) {}
    void OnCollapse() {}
    DECLARE_MESSAGE_MAP()

private:
    // The number a listed block stands for: its own number, or a contact's operand.
    int NumberOf(const CBlockObj* pBlock) const;
};
