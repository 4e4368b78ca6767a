#include "msgtext/CellParamEditDlg.h"

#include "controls/GridCtrl.h"
#include "controls/NumericEdit.h"
#include "elements/BlockAnalog.h"
#include "elements/BlockCounters.h"
#include "elements/BlockObj.h"
#include "elements/BlockTime.h"
#include "msgtext/MsgTextLists.h"
#include "msgtext/Widget.h"
#include "pages/HoursCounter.h"
#include "platform/ui/controls/CtlBarClasses.h"
#include "platform/ui/controls/CtlCommCtrl.h"
#include "platform/ui/controls/CtlStdClasses.h"
#include "resources/resource.h"
#include "view/TavixView.h"

#include <cmath>
#include <cwchar>
#include <cwctype>

namespace {

bool Between(int v, int lo, int hi) { return v >= lo && v <= hi; }

bool IsMaskType(int t) { return Between(t, 838, 839) || Between(t, 841, 843); }

bool IsRealType(int t) { return t == 865 || t == 869 || t == 870 || Between(t, 873, 879); }

// The time set (first or second) that a timer's item edits.
bool EditsFirstTime(int t, int item)
{
    switch (t) {
    case 402: return item == 6;
    case 405:
    case 406: return item == 40;
    case 407: return item == 10;
    case 408: return false;
    case 409: return item == 14;
    default: return true;
    }
}

CString FormatRes(UINT id, int a, int b)
{
    CString text;
    text.Format(msgtext::Res(id), a, b);
    return text;
}

} // namespace

CCellParamEditDlg::CCellParamEditDlg(CGridCtrl* pGrid) : CDialog(IDD_CELL_PARAM_EDIT, pGrid), m_pGrid(pGrid) {}

CCellParamEditDlg::~CCellParamEditDlg() = default;

// ---- which fields open the editor ----

CCellParamEditDlg::Layout CCellParamEditDlg::LayoutOf(int t, int item)
{
    if (Between(t, 400, 409))
        return layoutTime;
    if (t == 410) {
        if (item == 15 || item == 44 || item == 47)
            return layoutWeekdays;
        if (Between(item, 42, 43) || Between(item, 45, 46) || Between(item, 48, 49))
            return layoutCamTime;
        return layoutNone;
    }
    if (t == 411)
        return item == 35 || item == 36 ? layoutDate : layoutNone;
    switch (t) {
    case 800: return Between(item, 16, 18) ? layoutCount : layoutNone;
    case 801: return item == 19 ? layoutCount : layoutNone;
    case 802: return item == 37 || item == 38 ? layoutCount : layoutNone;
    case 803:
    case 804:
    case 806: return item == 24 || item == 25 || item == 31 ? layoutSigned : layoutNone;
    case 807: return item == 24 || item == 31 ? layoutSigned : layoutNone;
    case 815: return Between(item, 71, 74) ? layoutCount : layoutNone;
    case 844:
    case 845: return item == 95 ? layoutChoice : (item == 121 ? layoutDigits : layoutNone);
    case 848:
        if (item == 130)
            return layoutChoice;
        return item == 144 || Between(item, 140, 142) ? layoutSigned : layoutNone;
    case 849:
    case 850: return item == 126 || item == 127 ? layoutDigits : layoutNone;
    case 851:
    case 852: return item == 138 || item == 143 ? layoutDigits : layoutNone;
    case 864: return item == 122 ? layoutChoice : (item == 123 ? layoutReal : layoutNone);
    default: break;
    }
    if (!Between(item, 118, 124))
        return layoutNone;
    if (Between(t, 834, 837) || t == 846 || t == 854)
        return layoutCount;
    if (t == 862 || t == 863)
        return layoutSigned;
    if (IsMaskType(t))
        return layoutHex;
    if (t == 871 || t == 872)
        return layoutChoice;
    if (IsRealType(t))
        return layoutReal;
    return layoutNone;
}

BOOL CCellParamEditDlg::CanEdit(const CBlockObj* pBlock, int item)
{
    if (!pBlock)
        return FALSE;
    const int t = pBlock->m_nType;
    // A parameter taken from another block is not a literal and cannot be typed over.
    auto literal = [pBlock](int k) { return pBlock->m_pRefBlock[k - 1] == nullptr; };
    bool open = false;
    switch (t) {
    case 400:
    case 403: open = item == 4 && literal(1); break;
    case 401: open = item == 5 && literal(1); break;
    case 402: open = (item == 6 && literal(1)) || (item == 7 && literal(2)); break;
    case 404: open = item == 7 && literal(1); break;
    case 405:
    case 406: open = (item == 40 && literal(1)) || (item == 39 && literal(2)); break;
    case 407: open = (item == 10 && literal(1)) || (item == 11 && literal(2)); break;
    case 408: open = item == 5 && literal(2); break;
    case 409: open = (item == 41 && literal(2)) || (item == 14 && literal(1)); break;
    case 410:
    case 411:
    case 802:
    case 803:
    case 804:
    case 806:
    case 807: open = true; break;
    case 800: open = !(item == 17 && !literal(1)) && !(item == 18 && !literal(2)); break;
    case 801: open = item == 19 && literal(1); break;
    case 815: open = Between(item, 71, 74) && literal(item - 70); break;
    case 844:
    case 845: open = (item == 95 && literal(1)) || (item == 121 && literal(2)); break;
    case 848: open = !(item == 141 && !literal(1)) && !(item == 142 && !literal(2)); break;
    case 849:
    case 850: open = (item == 127 && literal(1)) || (item == 126 && literal(2)); break;
    case 851:
    case 852: open = (item == 143 && literal(1)) || (item == 138 && literal(2)); break;
    case 864: open = item == 123 || (item == 122 && literal(1)); break;
    default:
        open = (Between(t, 834, 839) || Between(t, 841, 843) || t == 846 || t == 854 || t == 862 || t == 863 ||
                t == 865 || Between(t, 869, 879)) &&
               Between(item, 118, 124) && literal(1);
        break;
    }
    // Items without controls (and the status of type 811) open nothing: an empty editor would
    // only hide the field.
    return open && LayoutOf(t, item) != layoutNone;
}

CCellParamEditDlg* CCellParamEditDlg::Open(CGridCtrl* pGrid, CWidget* pField, CTavixView* pView)
{
    if (!pGrid || !pField || !CanEdit(pField->m_pBlock, pField->m_nItem))
        return nullptr;
    auto* pDlg = new CCellParamEditDlg(pGrid);
    pDlg->m_pField = pField;
    pDlg->m_pView = pView;
    if (!pDlg->Create(IDD_CELL_PARAM_EDIT, pGrid)) {
        delete pDlg;
        return nullptr;
    }
    pDlg->ShowWindow(SW_SHOW);
    return pDlg;
}

// ---- building the controls ----

BOOL CCellParamEditDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    const CRect rect = m_pField->GetRect();
    m_nCellWidth = m_pField->m_nWidth > 0 ? rect.Width() / m_pField->m_nWidth : rect.Width();
    m_nCellHeight = rect.Height();
    m_nType = m_pField->m_pBlock->m_nType;
    m_nItem = m_pField->m_nItem;
    m_layout = LayoutOf(m_nType, m_nItem);
    PositionOverCell();
    CreateControls();
    if (CWnd* pFirst = GetDlgItem(m_layout == layoutDate ? kEditMonth
                                  : m_layout == layoutWeekdays || m_layout == layoutCamTime ? kCheckFirst
                                  : m_layout == layoutChoice ? kCombo : kEditFirst))
        pFirst->SetFocus();
    return FALSE;
}

void CCellParamEditDlg::PositionOverCell()
{
    if (!m_pField || !m_pGrid || !::IsWindow(m_pGrid->GetSafeHwnd()))
        return;
    CRect rect = m_pField->GetRect();
    m_pGrid->ClientToScreen(&rect);
    SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

CRect CCellParamEditDlg::Cell(int k) const { return Cells(k, 1); }

CRect CCellParamEditDlg::Cells(int first, int count) const
{
    return CRect(first * m_nCellWidth, 0, (first + count) * m_nCellWidth, m_nCellHeight);
}

int CCellParamEditDlg::EditLimit() const
{
    const CBlockObj& b = *m_pField->m_pBlock;
    CString text;
    if (IsMaskType(m_nType))
        text.Format(L"%X", unsigned(b.m_nSimMax) & 0xFFFFu);
    else if (m_nType == 848 || m_nType == 862 || m_nType == 863)
        text.Format(L"%d", b.m_nSimMin);
    else
        text.Format(L"%d", b.m_nSimMax);
    if (Between(m_nType, 803, 807)) {
        int digits = 0;
        for (int i = 0; i < text.GetLength(); ++i)
            digits += std::iswdigit(text[i]) ? 1 : 0;
        return digits;
    }
    return text.GetLength();
}

CWnd* CCellParamEditDlg::AddEdit(UINT nId, const CRect& cell, DWORD dwExtra, BOOL bFirst)
{
    const CRect r(cell.left, cell.top + 7, cell.right, cell.bottom - 4);
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_RIGHT | ES_AUTOHSCROLL | dwExtra |
                        (bFirst ? WS_GROUP : 0);
    std::unique_ptr<CEdit> pEdit;
    if (m_layout == layoutReal) {
        auto p = std::make_unique<CNumericEdit>(5, 2);
        p->AllowNegative(TRUE);
        p->ModifyFlags(CEditBehavior::DecimalAfterWholeDigits, 0);
        pEdit = std::move(p);
    } else if (m_layout == layoutSigned) {
        auto p = std::make_unique<CIntegerEdit>(std::max(1, EditLimit()));
        p->AllowNegative(TRUE);
        pEdit = std::move(p);
    } else {
        pEdit = std::make_unique<CEdit>();
    }
    pEdit->Create(style, r, this, nId);
    if (m_layout != layoutReal && m_layout != layoutSigned)
        pEdit->SetLimitText(UINT(std::max(1, EditLimit())));
    pEdit->SetFont(GetFont());
    CWnd* pWnd = pEdit.get();
    m_controls.push_back(std::move(pEdit));
    return pWnd;
}

void CCellParamEditDlg::AddSpin(UINT nId, const CRect& cell, int nLow, int nHigh, BOOL bInteger)
{
    CWnd* pBuddy = m_controls.empty() ? nullptr : m_controls.back().get();
    auto pSpin = std::make_unique<CSpinButtonCtrl>();
    const CRect r(cell.left, cell.top + 7, cell.right, cell.bottom - 4);
    pSpin->Create(WS_CHILD | WS_VISIBLE | UDS_ARROWKEYS | UDS_NOTHOUSANDS | (bInteger ? UDS_SETBUDDYINT : 0), r, this,
                  nId);
    if (pBuddy)
        pSpin->SetBuddy(pBuddy);
    pSpin->SetRange32(nLow, nHigh);
    if (bInteger && pBuddy) {
        CString text;
        pBuddy->GetWindowText(text);
        pSpin->SetPos32(int(std::wcstol(text.GetString(), nullptr, 10)));
    }
    m_controls.push_back(std::move(pSpin));
}

void CCellParamEditDlg::AddCombo(const CRect& area, int nDroppedHeight, std::initializer_list<const wchar_t*> items,
                                 int nSel)
{
    auto pCombo = std::make_unique<CComboBox>();
    const CRect r(area.left, area.top + 7, area.right, area.top + 7 + std::max(nDroppedHeight, 20));
    pCombo->Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, r, this, kCombo);
    pCombo->SetFont(GetFont());
    for (const wchar_t* item : items)
        pCombo->AddString(item);
    pCombo->SetItemHeight(-1, UINT(std::max(1, m_nCellHeight - 15)));
    pCombo->SetCurSel(nSel >= 0 && nSel < int(items.size()) ? nSel : -1);
    m_controls.push_back(std::move(pCombo));
}

void CCellParamEditDlg::AddCheck(UINT nId, const CRect& rect, BOOL bGroup, BOOL bChecked)
{
    auto pCheck = std::make_unique<CButton>();
    pCheck->Create(L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX | BS_CENTER | (bGroup ? WS_GROUP : 0),
                   rect, this, nId);
    pCheck->SetCheck(bChecked ? BST_CHECKED : BST_UNCHECKED);
    m_controls.push_back(std::move(pCheck));
}

void CCellParamEditDlg::AddLabel(const CRect& cell, const wchar_t* text)
{
    auto pLabel = std::make_unique<CStatic>();
    pLabel->Create(text, WS_CHILD | WS_VISIBLE | SS_CENTER, CRect(cell.left, cell.top, cell.right, cell.bottom - 15),
                   this, kLabel);
    pLabel->SetFont(GetFont());
    m_controls.push_back(std::move(pLabel));
}

void CCellParamEditDlg::SetNumber(UINT nId, int v)
{
    CString text;
    text.Format(L"%d", v);
    SetDlgItemText(int(nId), text);
}

int CCellParamEditDlg::Cam() const
{
    switch (m_nItem) {
    case 44:
    case 45:
    case 46: return 1;
    case 47:
    case 48:
    case 49: return 2;
    default: return 0;
    }
}

BOOL CCellParamEditDlg::IsCamTimeOn() const { return m_nItem == 42 || m_nItem == 45 || m_nItem == 48; }

void CCellParamEditDlg::CreateControls()
{
    CBlockObj& b = *m_pField->m_pBlock;
    const int n = std::max(1, m_pField->m_nWidth);
    const int H = m_nCellHeight;
    auto* pTime = dynamic_cast<CBlockTime*>(&b);
    switch (m_layout) {
    case layoutTime: {
        const bool first = EditsFirstTime(m_nType, m_nItem);
        AddEdit(kEditFirst, Cell(0), ES_NUMBER, TRUE);
        SetNumber(kEditFirst, first ? b.m_nTime1High : b.m_nTime2High);
        AddSpin(kSpinFirst, Cell(1), 0, 99, TRUE);
        AddEdit(kEditSecond, Cell(2), ES_NUMBER, FALSE);
        SetNumber(kEditSecond, first ? b.m_nTime1Low : b.m_nTime2Low);
        AddSpin(kSpinSecond, Cell(3), 0, 99, TRUE);
        AddCombo(Cells(4, 2), 4 * H - 53, {L"h", L"m", L"s"}, first ? b.m_nTime1Base : b.m_nTime2Base);
        break;
    }
    case layoutWeekdays: {
        static const wchar_t* const kLetters[7] = {L"M", L"T", L"W", L"T", L"F", L"S", L"S"};
        for (int d = 0; d < 7; ++d) {
            AddLabel(Cell(d), kLetters[d]);
            const CRect c = Cell(d);
            // Check box d is Monday + d; the cam's flags are stored Sunday first.
            const BOOL on = pTime ? pTime->m_bCamDays[Cam()][(d + 1) % 7] : FALSE;
            AddCheck(UINT(kCheckFirst + d), CRect(c.left + 3, c.top + 17, c.right - 3, c.bottom), d == 0, on);
        }
        break;
    }
    case layoutCamTime: {
        const int cam = Cam();
        const bool on = IsCamTimeOn();
        const BOOL off = pTime ? (on ? pTime->m_bCamOnOff[cam] : pTime->m_bCamOffOff[cam]) : FALSE;
        const int* hm = pTime ? (on ? pTime->m_nCamOn[cam] : pTime->m_nCamOff[cam]) : nullptr;
        const CRect c = Cell(0);
        AddCheck(kCheckFirst, CRect(c.left + 2, c.top + 11, c.right - 2, c.bottom - 8), TRUE, off);
        AddEdit(kEditFirst, Cell(1), ES_NUMBER, TRUE);
        SetNumber(kEditFirst, hm ? hm[0] : 0);
        AddSpin(kSpinFirst, Cell(2), 0, 99, TRUE);
        AddEdit(kEditSecond, Cell(3), ES_NUMBER, FALSE);
        SetNumber(kEditSecond, hm ? hm[1] : 0);
        AddSpin(kSpinSecond, Cell(4), 0, 99, TRUE);
        EnableCamTime();
        break;
    }
    case layoutDate: {
        const bool on = m_nItem == 35;
        AddEdit(kEditMonth, Cell(0), ES_NUMBER, TRUE);
        SetNumber(kEditMonth, on ? b.m_nTime1High : b.m_nTime2High);
        AddSpin(kSpinMonth, Cell(1), 1, 12, TRUE);
        AddEdit(kEditDay, Cell(2), ES_NUMBER, FALSE);
        SetNumber(kEditDay, on ? b.m_nTime1Low : b.m_nTime2Low);
        AddSpin(kSpinDay, Cell(3), 1, 31, TRUE);
        break;
    }
    case layoutCount:
    case layoutSigned: {
        int value = b.m_nTime1High;
        if ((m_nType == 800 && m_nItem == 16) || (m_nType == 848 && m_nItem == 144))
            value = TruncateToInt(b.m_dElapsed);
        else if ((m_nType == 800 && m_nItem == 18) || (m_nType == 848 && m_nItem == 142) ||
                 (m_nType == 815 && m_nItem == 72))
            value = b.m_nTime2High;
        else if (m_nType == 802 && m_nItem == 38)
            value = b.m_nTime1Low;
        else if (m_nType == 815 && m_nItem == 73)
            value = b.m_nPreWarn[1];
        else if (m_nType == 815 && m_nItem == 74)
            value = b.m_nPreWarn[3];
        else if (m_nType == 848 && m_nItem == 140)
            value = b.m_nStartValue;
        else if (auto* a = dynamic_cast<CBlockAnalog*>(&b); a && Between(m_nType, 803, 807))
            value = m_nItem == 24 ? a->m_nThreshold1 : a->m_nThreshold2;
        AddEdit(kEditFirst, Cells(0, n > 1 ? n - 1 : 1), m_layout == layoutCount ? ES_NUMBER : 0, TRUE);
        SetNumber(kEditFirst, value);
        AddSpin(kSpinFirst, Cell(n - 1), b.m_nSimMin, b.m_nSimMax, TRUE);
        break;
    }
    case layoutHex: {
        AddEdit(kEditFirst, Cells(0, n > 1 ? n - 1 : 1), ES_UPPERCASE, TRUE);
        CString text;
        text.Format(L"%X", unsigned(b.m_nTime1High) & 0xFFFFu);
        SetDlgItemText(kEditFirst, text);
        break;
    }
    case layoutDigits: {
        const bool whole = m_nType >= 849;
        AddEdit(kEditFirst, Cells(0, whole || n == 1 ? n : n - 1), ES_NUMBER, TRUE);
        int value = b.m_nTime2High;
        if (m_nItem == 127 || m_nItem == 143)
            value = b.m_nPreWarn[1];
        SetNumber(kEditFirst, value);
        break;
    }
    case layoutReal: {
        AddEdit(kEditFirst, Cells(0, n > 1 ? n - 1 : 1), 0, TRUE);
        static_cast<CNumericEdit*>(m_controls.back().get())->SetDouble(b.m_dParam, FALSE);
        CString text;
        text.Format(L"%.2f", b.m_dParam);
        SetDlgItemText(kEditFirst, text);
        AddSpin(kSpinReal, Cell(n - 1), b.m_nSimMin, b.m_nSimMax, FALSE);
        break;
    }
    case layoutChoice:
        if (m_nType == 844 || m_nType == 845)
            AddCombo(Cells(0, n), 8 * H - 113, {L"Maximum", L"Minimum", L"Average"}, b.m_nTime1High);
        else if (m_nType == 848)
            AddCombo(Cells(0, n), 4 * H - 53, {L"I0&I1", L"I2&I3"}, b.m_nPreWarn[1]);
        else if (m_nType == 864)
            AddCombo(Cells(0, n), 4 * H - 53, {L"e", L"2", L"10"}, b.m_nTime1Base);
        else
            AddCombo(Cells(0, n), 8 * H - 113, {L"0", L"1", L"2", L"3", L"4", L"5"}, b.m_nTime1Base);
        break;
    case layoutNone:
        break;
    }
}

void CCellParamEditDlg::EnableCamTime()
{
    const BOOL on = IsDlgButtonChecked(kCheckFirst) != BST_CHECKED;
    for (int id : {kEditFirst, kSpinFirst, kEditSecond, kSpinSecond})
        if (CWnd* p = GetDlgItem(id))
            p->EnableWindow(on);
}

// ---- keyboard and the real spin ----

BOOL CCellParamEditDlg::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN || pMsg->message == WM_SYSKEYDOWN) {
        if (pMsg->wParam == VK_ESCAPE || pMsg->wParam == VK_RETURN) {
            CGridCtrl* pGrid = m_pGrid;
            if (pMsg->wParam == VK_RETURN)
                EndEdit(TRUE);
            // Closing destroys this object: nothing of it is touched afterwards.
            pGrid->ClosePopupEdit(FALSE);
            return TRUE;
        }
    }
    const bool toggle = (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_SPACE) ||
                        pMsg->message == WM_LBUTTONDOWN || pMsg->message == WM_LBUTTONDBLCLK;
    if (toggle && m_layout == layoutCamTime) {
        CWnd* pCheck = GetDlgItem(kCheckFirst);
        if (pCheck && pMsg->hwnd == pCheck->m_hWnd && ::GetFocus() == pCheck->m_hWnd) {
            CheckDlgButton(kCheckFirst, IsDlgButtonChecked(kCheckFirst) == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
            EnableCamTime();
            return TRUE;
        }
    }
    return CDialog::PreTranslateMessage(pMsg);
}

BOOL CCellParamEditDlg::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    auto* pHdr = reinterpret_cast<NMHDR*>(lParam);
    if (pHdr && pHdr->idFrom == UINT_PTR(kSpinReal) && pHdr->code == UDN_DELTAPOS) {
        auto* pUpDown = reinterpret_cast<NMUPDOWN*>(lParam);
        CString text;
        GetDlgItemText(kEditFirst, text);
        const double v = std::wcstod(text.GetString(), nullptr) + pUpDown->iDelta * 0.01;
        const CBlockObj& b = *m_pField->m_pBlock;
        // Within the block's range the edit shows the new value; at the range it stays.
        if (v >= b.m_nSimMin && v <= b.m_nSimMax) {
            if (auto* pEdit = dynamic_cast<CNumericEdit*>(GetDlgItem(kEditFirst)))
                pEdit->SetDouble(std::round(v * 100.0) / 100.0, TRUE);
        }
        *pResult = 0;
        return TRUE;
    }
    return CDialog::OnNotify(wParam, lParam, pResult);
}

void CCellParamEditDlg::PostNcDestroy()
{
    CDialog::PostNcDestroy();
    delete this;
}

// ---- writing back ----

int CCellParamEditDlg::ReadInt(UINT nId) const
{
    CString text;
    GetDlgItemText(int(nId), text);
    wchar_t* end = nullptr;
    const long long v = std::wcstoll(text.GetString(), &end, 10);
    if (end == text.GetString())
        return 0;
    return int(std::max<long long>(INT_MIN, std::min<long long>(INT_MAX, v)));
}

int CCellParamEditDlg::Selection() const
{
    auto* pCombo = dynamic_cast<CComboBox*>(GetDlgItem(kCombo));
    return pCombo ? std::max(0, pCombo->GetCurSel()) : 0;
}

BOOL CCellParamEditDlg::Refuse(const CString& text)
{
    MessageBox(text, nullptr, MB_OK | MB_ICONEXCLAMATION);
    return FALSE;
}

BOOL CCellParamEditDlg::RefuseRange(int lo, int hi) { return Refuse(FormatRes(IDS_MT_EDIT_RANGE, lo, hi)); }

void CCellParamEditDlg::WriteTime(BOOL bFirstSet, BOOL bResetCurrent)
{
    CBlockObj& b = *m_pField->m_pBlock;
    const int high = ReadInt(kEditFirst), low = ReadInt(kEditSecond), base = Selection();
    if (bFirstSet) {
        b.m_nTime1High = high, b.m_nTime1Low = low, b.m_nTime1Base = base;
    } else {
        b.m_nTime2High = high, b.m_nTime2Low = low, b.m_nTime2Base = base;
    }
    auto* pTime = dynamic_cast<CBlockTime*>(&b);
    // A timer that is not timing shows the new time as its current value.
    if (bResetCurrent && pTime && pTime->m_nRun == 0) {
        switch (base) {
        case 2: b.m_dElapsed = (low + 100.0 * high) * 10.0; break;
        case 1: b.m_dElapsed = (low + 60.0 * high) * 1000.0; break;
        default: b.m_dElapsed = (low + 60.0 * high) * 60000.0; break;
        }
    }
}

void CCellParamEditDlg::EndEdit(BOOL bApply)
{
    if (bApply && m_pField && m_pField->m_pBlock && ::IsWindow(m_hWnd))
        Apply();
}

BOOL CCellParamEditDlg::Apply()
{
    CBlockObj& b = *m_pField->m_pBlock;
    const int t = m_nType;
    switch (m_layout) {
    case layoutTime: {
        const int base = Selection();
        if ((base == 0 || base == 1) && !Between(ReadInt(kEditSecond), 0, 59))
            return RefuseRange(0, 59);
        const bool first = EditsFirstTime(t, m_nItem);
        WriteTime(first, t != 400 && t != 401 && t != 403 && t != 407);
        return TRUE;
    }
    case layoutWeekdays: {
        auto* pTime = dynamic_cast<CBlockTime*>(&b);
        if (!pTime)
            return FALSE;
        for (int d = 0; d < 7; ++d)
            pTime->m_bCamDays[Cam()][(d + 1) % 7] = IsDlgButtonChecked(kCheckFirst + d) == BST_CHECKED ? 1 : 0;
        return TRUE;
    }
    case layoutCamTime: {
        auto* pTime = dynamic_cast<CBlockTime*>(&b);
        if (!pTime)
            return FALSE;
        const BOOL off = IsDlgButtonChecked(kCheckFirst) == BST_CHECKED;
        const int hour = ReadInt(kEditFirst), minute = ReadInt(kEditSecond);
        if (!off && !Between(hour, 0, 23))
            return RefuseRange(0, 23);
        if (!off && !Between(minute, 0, 59))
            return RefuseRange(0, 59);
        const int cam = Cam();
        int* hm = IsCamTimeOn() ? pTime->m_nCamOn[cam] : pTime->m_nCamOff[cam];
        (IsCamTimeOn() ? pTime->m_bCamOnOff[cam] : pTime->m_bCamOffOff[cam]) = off ? 1 : 0;
        hm[0] = hour;
        hm[1] = minute;
        return TRUE;
    }
    case layoutDate: {
        const int month = ReadInt(kEditMonth), day = ReadInt(kEditDay);
        int last = 31;
        if (!Between(month, 1, 12))
            return Refuse(FormatRes(IDS_MT_EDIT_DATE_RANGE, 1, 12));
        if (month == 4 || month == 6 || month == 9 || month == 11)
            last = 30;
        else if (month == 2)
            last = 29;
        if (!Between(day, 1, 31))
            return Refuse(FormatRes(IDS_MT_EDIT_DATE_RANGE, 1, 31));
        if (day > last)
            return Refuse(FormatRes(IDS_MT_EDIT_DATE_RANGE, 1, last));
        if (m_nItem == 35)
            b.m_nTime1High = month, b.m_nTime1Low = day;
        else
            b.m_nTime2High = month, b.m_nTime2Low = day;
        return TRUE;
    }
    case layoutCount:
    case layoutSigned: {
        const int v = ReadInt(kEditFirst);
        if (t == 800) {
            if (m_nItem == 16) {
                b.m_dElapsed = v;
                if (m_pView)
                    m_pView->UpdateMonitorSheets(&b);
            } else {
                (m_nItem == 17 ? b.m_nTime1High : b.m_nTime2High) = v;
            }
        } else if (t == 801) {
            // The interval accepts what the block's page accepts.
            if (!Between(v, 0, CHoursCounter::kMIHoursLimit))
                return RefuseRange(0, CHoursCounter::kMIHoursLimit);
            b.m_nTime1High = v;
            if (auto* pHours = dynamic_cast<CBlockHCOUNTER*>(&b)) {
                const int total = b.m_nTime2High;
                int rest = 0;
                if (v == total)
                    rest = v;
                else if (v > total)
                    rest = v - total;
                else if (v > 0)
                    rest = v - total % v;  // no interval (0) leaves nothing to run
                pHours->m_nMn = 60 * rest;
            }
        } else if (t == 802) {
            (m_nItem == 37 ? b.m_nTime1High : b.m_nTime1Low) = v;
        } else if (Between(t, 803, 807)) {
            if (!Between(v, -20000, 20000))
                return RefuseRange(-20000, 20000);
            if (auto* a = dynamic_cast<CBlockAnalog*>(&b))
                (m_nItem == 24 ? a->m_nThreshold1 : a->m_nThreshold2) = v;
            if (t == 807 && m_pView)
                m_pView->UpdateMonitorSheets(&b);
        } else if (t == 815) {
            int* words[4] = {&b.m_nTime1High, &b.m_nTime2High, &b.m_nPreWarn[1], &b.m_nPreWarn[3]};
            *words[m_nItem - 71] = v;
        } else if (Between(t, 834, 837) || t == 854) {
            const int lo = t == 854 ? 0 : 1;
            if (!Between(v, lo, 15))
                return RefuseRange(lo, 15);
            b.m_nTime1High = v;
        } else if (t == 846) {
            if (!Between(v, 1, 32767))
                return RefuseRange(1, 32767);
            b.m_nTime1High = v;
        } else if (t == 848) {
            if (!Between(v, -999999, 999999))
                return RefuseRange(-999999, 999999);
            switch (m_nItem) {
            case 144:
                b.m_dElapsed = v;
                if (m_pView)
                    m_pView->UpdateMonitorSheets(&b);
                break;
            case 140: b.m_nStartValue = v; break;
            case 141: b.m_nTime1High = v; break;
            default: b.m_nTime2High = v; break;
            }
        } else if (t == 862 || t == 863) {
            if (!Between(v, -32767, 32767) || v == 0)
                return Refuse(msgtext::Res(IDS_MT_EDIT_NONZERO));
            b.m_nTime1High = v;
        }
        return TRUE;
    }
    case layoutHex: {
        CString text;
        GetDlgItemText(kEditFirst, text);
        text.MakeUpper();
        unsigned value = 0;
        // Built from the right: digit i counts 16 to the power i.
        for (int i = 0; i < text.GetLength(); ++i) {
            const wchar_t c = text[text.GetLength() - 1 - i];
            unsigned digit = 0;
            if (c >= L'0' && c <= L'9')
                digit = unsigned(c - L'0');
            else if (c >= L'A' && c <= L'F')
                digit = unsigned(c - L'A' + 10);
            else
                return Refuse(msgtext::Res(IDS_MT_EDIT_HEX));
            if (i < 8)
                value |= digit << (4 * i);
        }
        b.m_nTime1High = int(value & 0xFFFFu);
        return TRUE;
    }
    case layoutDigits: {
        const int v = ReadInt(kEditFirst);
        if (t == 844 || t == 845) {
            if (!Between(v, 1, 32))
                return RefuseRange(1, 32);
            b.m_nTime2High = v;
        } else {
            if (!Between(v, 0, 99999999))
                return RefuseRange(0, 99999999);
            (m_nItem == 127 || m_nItem == 143 ? b.m_nPreWarn[1] : b.m_nTime2High) = v;
        }
        return TRUE;
    }
    case layoutReal: {
        CString text;
        GetDlgItemText(kEditFirst, text);
        const double v = std::wcstod(text.GetString(), nullptr);
        if (!(v >= -10000.0 && v <= 10000.0))
            return Refuse(msgtext::Res(IDS_MT_EDIT_REAL_RANGE));
        b.m_dParam = v;
        return TRUE;
    }
    case layoutChoice:
        if (t == 844 || t == 845)
            b.m_nTime1High = Selection();
        else if (t == 848)
            b.m_nPreWarn[1] = Selection();
        else
            b.m_nTime1Base = Selection();
        return TRUE;
    case layoutNone:
        break;
    }
    return FALSE;
}
