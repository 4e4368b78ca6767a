#include "shell/InputsBar.h"

#include "controls/IconButton.h"
#include "document/TavixDoc.h"
#include "elements/BlockIO.h"
#include "elements/BlockLadder.h"
#include "platform/ui/controls/CtlStd.h"
#include "platform/ui/core/MessageMap.h"
#include "resources/resource.h"
#include "view/TavixView.h"

IMPLEMENT_DYNAMIC(CInputsBar, CSimIOBar)

BEGIN_MESSAGE_MAP(CInputsBar, CSimIOBar)
    ON_UPDATE_COMMAND_UI(IDC_SIM_INPUT, OnUpdateAlways)
    ON_UPDATE_COMMAND_UI(IDC_SIM_FKEY, OnUpdateAlways)
    ON_UPDATE_COMMAND_UI(IDC_SIM_COLLAPSE, OnUpdateAlways)
    ON_CONTROL(BN_CLICKED, IDC_SIM_COLLAPSE, OnCollapse)
END_MESSAGE_MAP()

namespace {

bool IsInputNumber(int n) { return n >= NUM_INPUT && n <= 355; }
bool IsKeyNumber(int n) { return n >= NUM_FKEY && n <= 1304; }
bool IsAnalogNumber(int n) { return n >= NUM_ANALOG_IN && n <= 4127; }

bool IsContact(const CBlockObj* p)
{
    return dynamic_cast<const CBlockMake*>(p) || dynamic_cast<const CBlockAContact*>(p);
}

}  // namespace

CInputsBar::CInputsBar() : CSimIOBar(IDD_INPUTS_BAR, kWideWidth) {}

int CInputsBar::NumberOf(const CBlockObj* pBlock) const
{
    return IsContact(pBlock) ? pBlock->m_nOperand : pBlock->m_nNumber;
}

BOOL CInputsBar::CollectBlocks()
{
    m_listBlocks.clear();
    CTavixDoc* pDoc = GetDocument();
    if (!pDoc)
        return FALSE;
    std::vector<std::pair<int, CBlockObj*>> inputs, keys, analog;
    auto listed = [](const std::vector<std::pair<int, CBlockObj*>>& list, int key) {
        for (const auto& e : list)
            if (e.first == key)
                return true;
        return false;
    };
    for (POSITION pos = pDoc->m_blocks.GetHeadPosition(); pos;) {
        auto* p = static_cast<CBlockObj*>(pDoc->m_blocks.GetNext(pos));
        if (!pDoc->IsLadder()) {
            if (dynamic_cast<CBlockIn*>(p) && p->m_nNumber >= 100 && p->m_nNumber <= 115)
                InsertOrdered(inputs, p->m_nNumber, p);
            else if (dynamic_cast<CBlockAnalogIn*>(p) && p->m_nNumber >= 4000 && p->m_nNumber <= 4007)
                InsertOrdered(analog, p->m_nNumber, p);
            else if (dynamic_cast<CBlockFKey*>(p))
                InsertOrdered(keys, p->m_nNumber, p);
            continue;
        }
        if (!IsContact(p))
            continue;
        // One control per operand, however many contacts use it.
        const int op = p->m_nOperand;
        if (op >= 100 && op <= 115 && !listed(inputs, op))
            InsertOrdered(inputs, op, p);
        else if (op >= 1300 && op <= 1304 && !listed(keys, op))
            InsertOrdered(keys, op, p);
        else if (op >= 4000 && op <= 4007 && !listed(analog, op))
            InsertOrdered(analog, op, p);
    }
    for (const auto* list : {&analog, &keys, &inputs})
        for (const auto& e : *list)
            m_listBlocks.push_back(e.second);
    return !m_listBlocks.empty();
}

int CInputsBar::GetSimKind(int nNumber) const
{
    CTavixDoc* pDoc = GetDocument();
    if (!pDoc)
        return 0;
    if (pDoc->IsLadder()) {
        SimSettingRecord rec;
        return pDoc->m_simSettings.Lookup(nNumber, rec) ? rec.m_nKind : 0;
    }
    const CBlockObj* p = pDoc->FindBlockByNumber(nNumber);
    return p ? p->m_nSimKind : 0;
}

void CInputsBar::AddBlockControls(CBlockObj* pBlock, const CRect& column)
{
    const int n = NumberOf(pBlock);
    CString text;
    if (IsAnalogNumber(n)) {
        text.Format(L"AI%d", n - NUM_ANALOG_IN);
        int value = pBlock->m_nSimValue;
        SimSettingRecord rec;
        if (IsContact(pBlock) && GetDocument() && GetDocument()->m_simSettings.Lookup(n, rec))
            value = rec.m_nValue;
        AddLabelAndField(column, n, IDC_SIM_ANALOG_IN, text, value, FALSE);
        return;
    }
    const BOOL key = IsKeyNumber(n);
    text.Format(key ? L"F%d" : L"I%d", n - (key ? NUM_FKEY : NUM_INPUT));
    const UINT id = key ? IDC_SIM_FKEY : IDC_SIM_INPUT;
    if (GetSimKind(n) == 3)
        AddLabelAndField(column, n, id, text, pBlock->m_nSimValue, FALSE);
    else
        AddButton(column, n, id, text);
}

void CInputsBar::ShowBlockState(CBlockObj* pBlock)
{
    const int n = NumberOf(pBlock);
    Control* c = FindControlByNumber(n);
    if (!c)
        return;
    if (c->bButton) {
        // A ladder input is on while its make contacts are closed and its break contacts open.
        BOOL on = pBlock->m_nPinValue[kOutputPin] != 0;
        if (IsContact(pBlock))
            on = (pBlock->m_nContactState != 0) != (dynamic_cast<const CBlockBreak*>(pBlock) != nullptr);
        if (SetButtonOn(*c, on))
            RedrawBar();
    } else {
        int value = pBlock->m_nSimValue;
        SimSettingRecord rec;
        if (IsContact(pBlock) && GetDocument() && GetDocument()->m_simSettings.Lookup(n, rec))
            value = rec.m_nValue;
        SetFieldValue(*c, value);
    }
}

void CInputsBar::SetSwitch(int nNumber, BOOL bOn)
{
    CTavixDoc* pDoc = GetDocument();
    if (!pDoc)
        return;
    if (Control* c = FindControlByNumber(nNumber); c && c->bButton)
        SetButtonOn(*c, bOn);
    if (!pDoc->IsLadder()) {
        if (CBlockObj* p = pDoc->FindBlockByNumber(nNumber)) {
            if (p->m_nPinValue[kOutputPin] != int(bOn))
                p->m_bPinChanged[kOutputPin] = TRUE;
            p->m_nPinValue[kOutputPin] = bOn ? 1 : 0;
        }
    } else {
        // Every make and break contact on the operand follows the input.
        for (POSITION pos = pDoc->m_blocks.GetHeadPosition(); pos;) {
            auto* p = dynamic_cast<CBlockMake*>(static_cast<CObject*>(pDoc->m_blocks.GetNext(pos)));
            if (!p || p->m_nOperand != nNumber)
                continue;
            const BOOL closed = dynamic_cast<CBlockBreak*>(p) ? !bOn : bOn;
            p->m_nContactState = closed ? 1 : 0;
            p->m_nPinValue[kOutputPin] = closed ? p->m_nPinValue[0] : 0;
        }
    }
    RedrawBar();
    if (m_pView)
        m_pView->InvalidateAll();
}

void CInputsBar::SetValue(int nNumber, int nValue)
{
    CTavixDoc* pDoc = GetDocument();
    if (!pDoc)
        return;
    if (!pDoc->IsLadder()) {
        CBlockObj* p = pDoc->FindBlockByNumber(nNumber);
        if (!p || p->m_nSimValue == nValue)
            return;
        p->m_nSimValue = nValue;
        if (auto* in = dynamic_cast<CBlockIn*>(p))
            in->m_nLastSimValue = nValue;
        else if (auto* key = dynamic_cast<CBlockFKey*>(p))
            key->m_nLastSimValue = nValue;
        else if (auto* ai = dynamic_cast<CBlockAnalogIn*>(p))
            ai->m_nLastSimValue = nValue;
        if (m_pView)
            m_pView->ComputeAnalogRange(p);
    } else {
        SimSettingRecord rec;
        pDoc->m_simSettings.Lookup(nNumber, rec);
        if (rec.m_nValue == nValue)
            return;
        rec.m_nValue = nValue;
        pDoc->m_simSettings.SetAt(nNumber, rec);
        for (POSITION pos = pDoc->m_blocks.GetHeadPosition(); pos;) {
            auto* p = static_cast<CBlockObj*>(pDoc->m_blocks.GetNext(pos));
            if (IsContact(p) && p->m_nOperand == nNumber && m_pView)
                m_pView->ComputeAnalogRange(p);
        }
    }
    if (m_pView)
        m_pView->InvalidateAll();
}

void CInputsBar::OnInputButtonClicked(HWND hButton)
{
    Control* c = FindControlByWindow(hButton);
    // Only a switch toggles at a click; a momentary button acts while it is held.
    if (!c || !c->bButton || GetSimKind(c->nNumber) == 1 || GetSimKind(c->nNumber) == 2)
        return;
    SetSwitch(c->nNumber, !c->bOn);
}

void CInputsBar::OnValueEditUpdate(HWND hEdit)
{
    if (m_bUpdatingFields)
        return;
    Control* c = FindControlByWindow(hEdit);
    if (!c || c->bButton || c->bLabel)
        return;
    const int n = c->nNumber;
    if (!IsAnalogNumber(n) && !IsInputNumber(n) && !IsKeyNumber(n))
        return;
    CString text;
    c->wnd->GetWindowText(text);
    // An empty field reads as 0; the value is held within the 16-bit range.
    const long v = std::wcstol(static_cast<LPCTSTR>(text), nullptr, 10);
    c->strText = text;
    SetValue(n, int(std::max(-32767L, std::min(32767L, v))));
}

BOOL CInputsBar::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam), code = HIWORD(wParam);
    const HWND hCtl = reinterpret_cast<HWND>(lParam);
    if (hCtl && (id == IDC_SIM_INPUT || id == IDC_SIM_FKEY) && code == BN_CLICKED) {
        OnInputButtonClicked(hCtl);
        return TRUE;
    }
    if (hCtl && (id == IDC_SIM_INPUT || id == IDC_SIM_FKEY || id == IDC_SIM_ANALOG_IN) && code == EN_UPDATE) {
        OnValueEditUpdate(hCtl);
        return TRUE;
    }
    return CSimIOBar::OnCommand(wParam, lParam);
}

BOOL CInputsBar::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_LBUTTONDOWN || pMsg->message == WM_LBUTTONUP) {
        Control* c = FindControlByWindow(pMsg->hwnd);
        if (c && c->bButton) {
            const int kind = GetSimKind(c->nNumber);
            if (kind == 1 || kind == 2) {
                // A momentary button: make is on while held, break is off while held.
                // The button still takes the press (its pressed look, the mouse capture);
                // its click does not toggle (see OnInputButtonClicked).
                const BOOL down = pMsg->message == WM_LBUTTONDOWN;
                SetSwitch(c->nNumber, kind == 1 ? down : !down);
            }
        }
    }
    return CSimIOBar::PreTranslateMessage(pMsg);
}
