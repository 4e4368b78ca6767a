#include "shell/LanguageDlg.h"

#include "document/TavixDoc.h"
#include "elements/BlockIO.h"
#include "platform/ui/framework/App.h"
#include "resources/resource.h"
#include "shell/ChineseTexts.h"
#include "shell/MainFrame.h"

#include <set>

namespace {

constexpr int kFirstAI = 4000, kLastAI = 4127;
constexpr int kFirstAM = 4288, kLastAM = 4799;

} // namespace

CLanguageDlg::CLanguageDlg(CWnd* pParent) : CDialog(IDD_LANGUAGE, pParent) {}

std::vector<int> CLanguageDlg::AnalogOperands(const CTavixDoc* pDoc, BOOL bAM)
{
    std::set<int> found;
    if (!pDoc)
        return {};
    const int first = bAM ? kFirstAM : kFirstAI, last = bAM ? kLastAM : kLastAI;
    for (POSITION pos = pDoc->m_blocks.GetHeadPosition(); pos;) {
        const auto* p = static_cast<const CBlockObj*>(pDoc->m_blocks.GetNext(pos));
        const bool ownClass = bAM ? dynamic_cast<const CBlockAnalogFlag*>(p) != nullptr
                                  : dynamic_cast<const CBlockAnalogIn*>(p) != nullptr;
        if (ownClass && p->m_nNumber >= first && p->m_nNumber <= last)
            found.insert(p->m_nNumber);
        else if (p->m_nOperand >= first && p->m_nOperand <= last)
            found.insert(p->m_nOperand);
    }
    return std::vector<int>(found.begin(), found.end());
}

CString CLanguageDlg::OperandName(int nOperand)
{
    CString s;
    if (nOperand >= kFirstAM)
        s.Format(L"AM%d", nOperand - kFirstAM);
    else
        s.Format(L"AI%d%02d", (nOperand - kFirstAI) / 8, (nOperand - kFirstAI) % 8);
    return s;
}

BOOL CLanguageDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CWnd* combo = GetDlgItem(IDC_LANGUAGE_COMBO);
    if (!combo)
        return TRUE;
    auto add = [combo](const CString& text) {
        combo->SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(LPCTSTR(text)));
    };
    if (m_nMode == modeAI || m_nMode == modeAM) {
        const BOOL bAM = m_nMode == modeAM;
        SetWindowText(AfxLoadString(bAM ? IDS_AM_FILTER : IDS_AI_FILTER));
        SetDlgItemText(IDC_LANGUAGE_LABEL, AfxLoadString(bAM ? IDS_SELECT_AM : IDS_SELECT_AI));
        m_operands = AnalogOperands(m_pDoc, bAM);
        for (int operand : m_operands)
            add(OperandName(operand));
        combo->SendMessage(CB_SETCURSEL, 0);
        return TRUE;
    }
    add(L"English");
    if (g_nLanguage == 1) {
        // The caption and the label come from the Chinese template.
        add(ChineseTextOr(IDS_SECOND_LANGUAGE, L"Simple Chinese"));
    } else {
        SetWindowText(L"Language");
        SetDlgItemText(IDC_LANGUAGE_LABEL, L"Language");
        add(L"Simple Chinese");
    }
    combo->SendMessage(CB_SETCURSEL, m_nIndex == 1 ? 1 : 0);
    return TRUE;
}

void CLanguageDlg::OnOK()
{
    CWnd* combo = GetDlgItem(IDC_LANGUAGE_COMBO);
    const int sel = combo ? int(combo->SendMessage(CB_GETCURSEL)) : -1;
    if (m_nMode == modeAI || m_nMode == modeAM) {
        m_nOperand = sel >= 0 && sel < int(m_operands.size()) ? m_operands[size_t(sel)] : -1;
        CDialog::OnOK();
        return;
    }
    if (combo)
        m_nIndex = std::max(0, sel);
    if (m_nIndex != m_nCurrent)
        AfxMessageBox(AfxLoadString(IDS_LANGUAGE_AT_RESTART), MB_ICONINFORMATION);
    CDialog::OnOK();
}
