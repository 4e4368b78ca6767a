#include "shell/SimIOBar.h"

#include "controls/IconButton.h"
#include "controls/NumericEdit.h"
#include "document/TavixDoc.h"
#include "elements/BlockObj.h"
#include "platform/ui/core/MessageMap.h"
#include "platform/ui/controls/CtlStdClasses.h"
#include "resources/resource.h"
#include "shell/ChildFrame.h"
#include "view/TavixView.h"

IMPLEMENT_DYNAMIC(CSimIOBar, cdxCDynamicBarDlg)

CSimIOBar::CSimIOBar(UINT nTemplate, int nWideWidth)
    : cdxCDynamicBarDlg(nTemplate, nullptr, FreeBoth, 2), m_nWideWidth(nWideWidth)
{
}

CSimIOBar::~CSimIOBar()
{
    ClearControls();
}

CTavixDoc* CSimIOBar::GetDocument() const
{
    return m_pView ? m_pView->GetDocument() : nullptr;
}

BOOL CSimIOBar::OnInitDialog()
{
    cdxCDynamicBarDlg::OnInitDialog();
    SetDlgItemText(IDC_SIM_COLLAPSE, L"<<");
    RebuildControls();
    return TRUE;
}

BOOL CSimIOBar::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && m_pView)
        if (CChildFrame* pFrame = m_pView->GetParentFrame())
            pFrame->m_wndSimBar.HandleKey(pMsg);
    return cdxCDynamicBarDlg::PreTranslateMessage(pMsg);
}

void CSimIOBar::InsertOrdered(std::vector<std::pair<int, CBlockObj*>>& list, int nKey, CBlockObj* pBlock)
{
    auto it = list.begin();
    while (it != list.end() && it->first <= nKey)
        ++it;
    list.insert(it, {nKey, pBlock});
}

void CSimIOBar::RebuildControls()
{
    if (!CollectBlocks() || !::IsWindow(GetSafeHwnd()))
        return;
    m_nWideCount = 0;
    m_nNarrowCount = 0;
    CRect column(0, 0, 0, 0);
    if (CWnd* pCollapse = GetDlgItem(IDC_SIM_COLLAPSE))
        pCollapse->GetClientRect(&column);
    for (CBlockObj* pBlock : m_listBlocks)
        AddBlockControls(pBlock, column);
    // A new control starts off; a block already on (a break button, an inverted output) shows so.
    for (CBlockObj* pBlock : m_listBlocks)
        ShowBlockState(pBlock);
    // The bar's shortest length in its dock row follows its controls.
    if (CFrameWnd* pFrame = AfxGetParentFrame(this))
        pFrame->DelayRecalcLayout();
}

void CSimIOBar::ClearControls()
{
    m_listBlocks.clear();
    for (Control& c : m_listControls) {
        if (c.wnd && ::IsWindow(c.wnd->GetSafeHwnd())) {
            if (IsRegistered(c.wnd->GetSafeHwnd()))
                RemoveSzControl(c.wnd->GetSafeHwnd());
            c.wnd->DestroyWindow();
        }
    }
    m_listControls.clear();
}

void CSimIOBar::Refresh(CBlockObj* pBlock)
{
    ClearControls();
    RebuildControls();
    if (pBlock)
        UpdateFromBlock(pBlock);
}

void CSimIOBar::UpdateFromBlock(CBlockObj* pBlock)
{
    m_pLastBlock = pBlock;
    ++m_nUpdates;
    if (pBlock)
        ShowBlockState(pBlock);
}

int CSimIOBar::NextLeft(const CRect& column) const
{
    return column.right + m_nWideWidth * m_nWideCount + kNarrowWidth * m_nNarrowCount;
}

void CSimIOBar::AddButton(const CRect& column, int nNumber, UINT nID, const CString& text)
{
    const int x = NextLeft(column);
    auto button = std::make_unique<CIconButton>();
    const CRect rc(x, column.top, x + kNarrowWidth, column.bottom);
    if (!button->Create(text, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, rc, this, nID))
        return;
    button->SetIcon(iconOff);
    button->SetIconId(iconOff);
    button->SetAlign(CIconButton::AlignTop);
    button->SetFlat(FALSE);
    // Keeps its size and horizontal place, follows the bar's bottom edge.
    AddSzControl(*button, 0, 100, 0, 100);
    Control c;
    c.nNumber = nNumber;
    c.bButton = TRUE;
    c.strText = text;
    c.wnd = std::move(button);
    m_listControls.push_back(std::move(c));
    ++m_nNarrowCount;
}

void CSimIOBar::AddLabelAndField(const CRect& column, int nNumber, UINT nID, const CString& text, int nValue,
                                 BOOL bReadOnly)
{
    const int x = NextLeft(column);
    const int middle = (column.bottom - column.top) / 2 + column.top;
    auto label = std::make_unique<CStatic>();
    const CRect rcLabel(x, middle + 1, x + m_nWideWidth, column.bottom);
    const CRect rcField(x, column.top, x + m_nWideWidth, middle);
    if (!label->Create(text, WS_CHILD | WS_VISIBLE | SS_CENTER, rcLabel, this, IDC_SIM_LABEL))
        return;
    CString value;
    value.Format(L"%d", nValue);
    // A value the user types is a whole number: letters and a second sign are refused as typed
    // instead of reading as 0.
    std::unique_ptr<CEdit> field;
    if (bReadOnly)
        field = std::make_unique<CEdit>();
    else
        field = std::make_unique<CIntegerEdit>(5);
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_BORDER | ES_RIGHT | (bReadOnly ? ES_READONLY : WS_TABSTOP);
    if (!field->Create(style, rcField, this, nID)) {
        label->DestroyWindow();
        return;
    }
    if (!bReadOnly)
        field->SetLimitText(6);  // "-32767"
    m_bUpdatingFields = TRUE;
    field->SetWindowText(value);
    m_bUpdatingFields = FALSE;
    AddSzControl(*label, 0, 100, 0, 100);
    AddSzControl(*field, 0, 100, 0, 100);
    Control cl;
    cl.nNumber = nNumber;
    cl.bLabel = TRUE;
    cl.strText = text;
    cl.wnd = std::move(label);
    m_listControls.push_back(std::move(cl));
    Control cf;
    cf.nNumber = nNumber;
    cf.strText = value;
    cf.wnd = std::move(field);
    m_listControls.push_back(std::move(cf));
    ++m_nWideCount;
}

BOOL CSimIOBar::SetButtonOn(Control& control, BOOL bOn)
{
    if (control.bOn == bOn)
        return FALSE;
    control.bOn = bOn;
    if (auto* button = dynamic_cast<CIconButton*>(control.wnd.get())) {
        button->SetIcon(bOn ? iconOn : iconOff);
        button->SetIconId(bOn ? iconOn : iconOff);
    }
    return TRUE;
}

void CSimIOBar::SetFieldValue(Control& control, int nValue)
{
    CString text;
    text.Format(L"%d", nValue);
    if (text == control.strText)
        return;
    control.strText = text;
    if (control.wnd && ::IsWindow(control.wnd->GetSafeHwnd())) {
        m_bUpdatingFields = TRUE;
        control.wnd->SetWindowText(text);
        m_bUpdatingFields = FALSE;
    }
}

CSimIOBar::Control* CSimIOBar::FindControlByWindow(HWND hWnd)
{
    for (Control& c : m_listControls)
        if (c.wnd && c.wnd->GetSafeHwnd() == hWnd)
            return &c;
    return nullptr;
}

CSimIOBar::Control* CSimIOBar::FindControlByNumber(int nNumber)
{
    for (Control& c : m_listControls)
        if (c.nNumber == nNumber && !c.bLabel)
            return &c;
    return nullptr;
}

const CSimIOBar::Control* CSimIOBar::FindControl(int nNumber) const
{
    return const_cast<CSimIOBar*>(this)->FindControlByNumber(nNumber);
}

void CSimIOBar::RedrawBar()
{
    if (::IsWindow(GetSafeHwnd()))
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}
