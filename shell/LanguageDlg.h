// CLanguageDlg: one combo box to choose from. Options > Language chooses the interface language
// (applied from the next start; choosing another language than the running one says so). The
// message-text editor uses it to pick one of the program's analog inputs or analog flags.
#pragma once

#include "platform/ui/controls/CtlStdClasses.h"
#include "platform/ui/dialogs/Dlg.h"

#include <vector>

class CTavixDoc;

class CLanguageDlg : public CDialog
{
public:
    explicit CLanguageDlg(CWnd* pParent = nullptr);

    enum { modeAI = 0, modeAM = 1, modeLanguage = 2 };

    int m_nMode = modeLanguage;
    int m_nIndex = 0;     // selected index: 0 English, 1 Simplified Chinese
    int m_nCurrent = 0;   // the frame's language index, to tell a change

    // Modes AI and AM: the program whose operands are listed, and on OK the chosen operand
    // number (4000 + n for AI n, 4288 + n for AM n); -1 while none was chosen.
    const CTavixDoc* m_pDoc = nullptr;
    int m_nOperand = -1;

    // The analog input (bAM FALSE) or analog flag operands a program uses, each once, ascending:
    // the numbers of its analog input / flag blocks and the operands of its ladder elements.
    static std::vector<int> AnalogOperands(const CTavixDoc* pDoc, BOOL bAM);
    // "AI%d%02d" (module, index) or "AM%d" of an operand number.
    static CString OperandName(int nOperand);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    std::vector<int> m_operands;  // the listed operands, in list order
};
