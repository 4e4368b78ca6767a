// Cell text to and from the clipboard and drops: cut, copy, paste and select all, keeping
// double-width characters whole and leaving the cells of message-text fields alone.
#include "controls/GridCtrl.h"

#include "controls/GridClipText.h"
#include "platform/ui/core/CmdTarget.h"

#include <algorithm>
#include <cstring>
#include <map>

namespace {

// Characters from U+0080 up that the display shows in one cell whatever the text set.
bool IsSpecialSymbol(wchar_t ch)
{
    static const wchar_t kSymbols[] = {0x20AC, 0x2109, 0x00B0, 0x25BA, 0x25C4, 0x25BC, 0x25B2, 0x00B1};
    return std::find(std::begin(kSymbols), std::end(kSymbols), ch) != std::end(kSymbols);
}

// The text of the clipboard or of a drop, up to its first zero and never past its block.
bool ReadUnicodeText(COleDataObject* pDataObject, std::wstring& text)
{
    HGLOBAL hData = pDataObject->GetGlobalData(CF_UNICODETEXT);
    if (!hData)
        return false;
    bool ok = false;
    if (const auto* p = static_cast<const wchar_t*>(GlobalLock(hData))) {
        const size_t n = GlobalSize(hData) / sizeof(wchar_t);
        size_t len = 0;
        while (len < n && p[len])
            ++len;
        text.assign(p, len);
        GlobalUnlock(hData);
        ok = true;
    }
    GlobalFree(hData);
    return ok;
}

} // namespace

void CGridCtrl::CutSelectedText()
{
    if (!m_bEditingAllowed)
        return;
    const auto selected = m_mapSelected;
    for (const auto& [key, cell] : selected) {
        ValidateAndModifyCellContents(cell.row, cell.col, L"");
        // Emptying one half of a double-width character empties the whole character.
        const UINT state = GetItemState(cell.row, cell.col);
        if (state & GRIDSTATE_LEFTHALF) {
            SetItemState(cell.row, cell.col, state & ~GRIDSTATE_LEFTHALF);
            if (IsRightHalf(cell.row, cell.col + 1))
                ClearHalfMarks(cell.row, cell.col + 1);
        } else if (state & GRIDSTATE_RIGHTHALF) {
            SetItemState(cell.row, cell.col, state & ~GRIDSTATE_RIGHTHALF);
            if (cell.col > 0 && IsLeftHalf(cell.row, cell.col - 1)) {
                ClearHalfMarks(cell.row, cell.col - 1);
                ValidateAndModifyCellContents(cell.row, cell.col - 1, L"");
            }
        }
    }
}

COleDataSource* CGridCtrl::CopyTextFromGrid()
{
    const CCellRange range = GetSelectionBounds();
    if (!IsValid(range))
        return nullptr;
    if (m_pSelectedField)
        for (int row = std::max(1, range.GetMinRow()); row <= std::min(4, range.GetMaxRow()); ++row)
            for (const CGridField* pField : m_arShownFields[row]) {
                const int first = pField->GetFieldColumn();
                const int last = first + pField->GetFieldWidth() - 1;
                if ((first >= range.GetMinCol() && first <= range.GetMaxCol()) ||
                    (last >= range.GetMinCol() && last <= range.GetMaxCol())) {
                    MessageBox(L"Copy/paste of parameters is not supported.", nullptr, MB_OK | MB_ICONEXCLAMATION);
                    return nullptr;
                }
            }
    if (m_bVirtual)
        SendCacheHintToParent(range);
    std::vector<std::vector<CString>> rows;
    for (int row = range.GetMinRow(); row <= range.GetMaxRow(); ++row) {
        if (GetRowHeight(row) <= 0)
            continue;
        std::vector<CString> cells;
        for (int col = range.GetMinCol(); col <= range.GetMaxCol(); ++col) {
            if (GetColumnWidth(col) <= 0)
                continue;
            cells.push_back(IsCellSelected(row, col) ? GetItemText(row, col) : CString());
        }
        rows.push_back(std::move(cells));
    }
    if (m_bVirtual)
        SendCacheHintToParent(CCellRange(-1, -1, -1, -1));
    const CString text = FormatGridClipText(rows);
    const SIZE_T bytes = SIZE_T(text.GetLength() + 1) * sizeof(wchar_t);
    HGLOBAL hData = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE | GMEM_ZEROINIT, bytes);
    if (!hData)
        return nullptr;
    std::memcpy(GlobalLock(hData), text.GetString(), bytes);
    GlobalUnlock(hData);
    auto* pSource = new COleDataSource;
    pSource->CacheGlobalData(CF_UNICODETEXT, hData);
    return pSource;
}

BOOL CGridCtrl::IsDoubleWidthItem(const CString& item) const
{
    return !item.IsEmpty() && unsigned(item[0]) >= 0x80 && !(item.GetLength() == 1 && IsSpecialSymbol(item[0]));
}

BOOL CGridCtrl::PasteTextToGrid(CCellID cell, COleDataObject* pDataObject, BOOL bSelectPastedCells)
{
    if (!IsValid(cell) || !IsCellEditable(cell) || !pDataObject || !pDataObject->IsDataAvailable(CF_UNICODETEXT))
        return FALSE;
    std::wstring raw;
    if (!ReadUnicodeText(pDataObject, raw))
        return FALSE;
    const GridClipText clip = ParseGridClipText(raw.c_str(), raw.size());

    // Every item is placed on paper first, with the double-width marks it would set, so that a
    // paste that cannot be applied whole changes nothing.
    struct Placement {
        int row, col;
        CString text;
        BOOL bPair;
    };
    std::vector<Placement> plan;
    std::map<DWORD, UINT> marks;  // half marks as the plan leaves them
    auto halves = [&](int row, int col) {
        auto it = marks.find(CellKey(row, col));
        return it != marks.end() ? it->second
                                 : GetItemState(row, col) & (GRIDSTATE_LEFTHALF | GRIDSTATE_RIGHTHALF);
    };
    const int machineType = m_pFieldOwner ? m_pFieldOwner->GetMachineType() : 0;
    const int acceptedClass = m_pFieldOwner ? m_pFieldOwner->GetAcceptedCharClass() : 0;
    BOOL bRefused = FALSE;
    int maxRow = cell.row, maxCol = cell.col;

    int rowOffset = 0;
    for (const GridClipLine& line : clip.lines) {
        if (line.items.empty()) {
            ++rowOffset;
            continue;
        }
        int row = cell.row + rowOffset;
        while (row < m_nRowCount && GetRowHeight(row) == 0) {
            ++row;
            ++rowOffset;
        }
        int colOffset = 0;
        for (const CString& item : line.items) {
            int col = cell.col + colOffset;
            while (col < m_nColumnCount && GetColumnWidth(col) == 0) {
                ++col;
                ++colOffset;
            }
            ++colOffset;
            if (!IsValid(row, col))
                continue;
            const BOOL bWideRange = !item.IsEmpty() && unsigned(item[0]) >= 0x80;
            if (FieldInRowCovers(row, col) || (bWideRange && FieldInRowCovers(row, col + 1))) {
                bRefused = TRUE;
                break;
            }
            BOOL bPair = FALSE;
            if (IsDoubleWidthItem(item)) {
                const int charClass = m_pFieldOwner ? m_pFieldOwner->GetCharClass(item[0]) : 0;
                if (machineType < 0x51 || charClass == 0 || charClass != acceptedClass) {
                    bRefused = TRUE;
                    break;
                }
                if (charClass == 1) {
                    // A double-width character needs the next cell; it never breaks another one.
                    if (!IsValid(row, col + 1) || (halves(row, col) & GRIDSTATE_RIGHTHALF) ||
                        (halves(row, col + 1) & GRIDSTATE_LEFTHALF)) {
                        bRefused = TRUE;
                        break;
                    }
                    bPair = TRUE;
                    marks[CellKey(row, col)] = GRIDSTATE_LEFTHALF;
                    marks[CellKey(row, col + 1)] = GRIDSTATE_RIGHTHALF;
                    // Copied cells carry the right half's own text as the next item; loose
                    // characters go on after the pair.
                    if (!clip.bCellMode)
                        ++colOffset;
                }
            } else if (halves(row, col) & GRIDSTATE_LEFTHALF) {
                bRefused = TRUE;  // one narrow character cannot replace half of a wide one
                break;
            }
            plan.push_back({row, col, item, bPair});
            maxRow = std::max(maxRow, row);
            maxCol = std::max(maxCol, bPair ? col + 1 : col);
        }
        if (bRefused)
            break;
        ++rowOffset;
    }
    if (bRefused) {
        ResetSelectedRange();
        Refresh();
        return FALSE;
    }

    for (const Placement& p : plan) {
        if (p.bPair) {
            SetItemState(p.row, p.col, (GetItemState(p.row, p.col) & ~GRIDSTATE_RIGHTHALF) | GRIDSTATE_LEFTHALF);
            SetItemState(p.row, p.col + 1,
                         (GetItemState(p.row, p.col + 1) & ~GRIDSTATE_LEFTHALF) | GRIDSTATE_RIGHTHALF);
        }
        ValidateAndModifyCellContents(p.row, p.col, p.text);
        SetItemState(p.row, p.col, GetItemState(p.row, p.col) & ~GRIDSTATE_SELECTED);
    }
    m_rangeLastPaste = CCellRange(cell.row, cell.col, maxRow, maxCol);
    if (bSelectPastedCells) {
        SetSelectedRange(cell.row, cell.col, maxRow, maxCol, TRUE, TRUE);
    } else {
        ResetSelectedRange();
        Refresh();
    }
    return TRUE;
}

// ---- commands ----

void CGridCtrl::OnEditCut()
{
    if (!m_bEditingAllowed)
        return;
    COleDataSource* pSource = CopyTextFromGrid();
    if (!pSource)
        return;
    pSource->SetClipboard();
    CutSelectedText();
}

void CGridCtrl::OnEditCopy()
{
    if (COleDataSource* pSource = CopyTextFromGrid())
        pSource->SetClipboard();
}

void CGridCtrl::OnEditPaste()
{
    if (!m_bEditingAllowed)
        return;
    const CCellRange range = GetSelectionBounds();
    CCellID cell;
    if (IsValid(range))
        cell = range.GetTopLeft();
    else if (IsValid(m_focusCell))
        cell = m_focusCell;
    else
        cell = GetFirstVisibleCell();
    if (!IsValid(cell))
        return;
    COleDataObject data;
    if (data.AttachClipboard())
        PasteTextToGrid(cell, &data, TRUE);
}

void CGridCtrl::OnEditSelectAll()
{
    SendMessageToParent(m_cellLastPress.row, m_cellLastPress.col, int(GVN_SELCHANGING));
    SelectEveryCell();
    SendMessageToParent(m_focusCell.row, m_focusCell.col, int(GVN_SELCHANGED));
}

void CGridCtrl::OnUpdateEditCopy(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(GetSelectedCount() > 0);
}

void CGridCtrl::OnUpdateEditCut(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_bEditingAllowed && GetSelectedCount() > 0);
}

void CGridCtrl::OnUpdateEditPaste(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(IsValid(m_focusCell) && IsCellEditable(m_focusCell) && IsClipboardFormatAvailable(CF_UNICODETEXT));
}

void CGridCtrl::OnUpdateEditSelectAll(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_bSelectionEnabled);
}
