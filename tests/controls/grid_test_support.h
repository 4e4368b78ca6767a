// Grid tests: a message-text grid (one header row and column around four lines of 24 cells, or
// 12 in the older layout) in a popup window on a headless driver, with an owner that gives the
// character rules and draws fields as coloured boxes, and a plain field class.
#pragma once

#include "controls/GridCtrl.h"
#include "platform/host/HeadlessHost.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace gridtest {

constexpr int kCellW = 20;    // width of every column
constexpr int kHeaderH = 20;  // height of the header row
constexpr int kRowH = 30;     // height of a text row

// A field with its data in plain members.
class CTestField : public CGridField {
public:
    CTestField(int row, int col, int width, int kind, COLORREF color = RGB(0, 160, 0))
        : m_nRow(row), m_nCol(col), m_nWidth(width), m_nKind(kind), m_crColor(color)
    {
    }
    CRect GetFieldRect() const override { return m_rect; }
    void SetFieldRect(const CRect& rect) override { m_rect = rect; }
    int GetFieldRow() const override { return m_nRow; }
    void SetFieldRow(int nRow) override { m_nRow = nRow; }
    int GetFieldColumn() const override { return m_nCol; }
    void SetFieldColumn(int nCol) override { m_nCol = nCol; }
    int GetFieldWidth() const override { return m_nWidth; }
    void SetFieldWidth(int nWidth) override { m_nWidth = nWidth; }
    int GetFieldKind() const override { return m_nKind; }
    COLORREF GetFieldColor() const override { return m_crColor; }
    BOOL IsFieldSelected() const override { return m_bSelected; }
    void SetFieldSelected(BOOL bSelected) override { m_bSelected = bSelected; }
    CGridField* CloneField() const override { return new CTestField(*this); }

    int m_nRow, m_nCol, m_nWidth, m_nKind;
    COLORREF m_crColor;
    CRect m_rect;
    BOOL m_bSelected = FALSE;
};

// The owner of the grid: a document of machine type 0x51 whose text set takes double-width
// characters, unless a test says otherwise.
class CTestOwner : public CGridFieldOwner {
public:
    int GetMachineType() const override { return m_nMachineType; }
    int GetAcceptedCharClass() const override { return m_nAcceptedClass; }
    int GetCharClass(wchar_t ch) const override;
    void DrawGridField(CGridCtrl* pGrid, CDC* pDC, CGridField* pField, BOOL bFramed) override;
    BOOL IsLiveDisplay() const override { return m_bLive; }
    int GetBlockLabel() const override { return 3; }
    BOOL RunFieldDialog(CGridCtrl*, CGridField*, GridFieldEdit& edit) override;
    void ApplyFieldDialog(CGridCtrl*, CGridField* pField) override { ++m_nApplied; }
    BOOL CanEditLive(CGridField*) const override { return TRUE; }
    void OpenLiveEditor(CGridCtrl*, CGridField*) override { ++m_nEditorsOpened; }
    void CloseLiveEditor(CGridCtrl*, BOOL bApply) override { m_closes.push_back(bApply); }

    int m_nMachineType = 0x51;
    int m_nAcceptedClass = 1;
    BOOL m_bLive = FALSE;
    int m_nDialogWidth = -1;  // the width the field dialog answers with; -1 cancels
    int m_nApplied = 0;
    int m_nEditorsOpened = 0;
    std::vector<BOOL> m_closes;
};

// The popup that holds the grid; it records the grid's notifications.
class CGridHost : public CWnd {
public:
    std::vector<int> m_codes;  // WM_NOTIFY codes in order
    int m_nRefuseEdits = 0;    // answer GVN_BEGINLABELEDIT with -1 this many times
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

class GridTest : public ::testing::Test {
protected:
    void SetUp() override { Build(25); }
    void TearDown() override;
    // A message-text grid of nCols columns (25 or 13) with empty cells.
    void Build(int nCols);

    // Client point of the middle of a cell, and the same as a screen point.
    CPoint CellCenter(int row, int col);
    CPoint ScreenOf(CPoint client) const { return CHeadlessDriver::At(m_grid.m_hWnd, client); }
    void ClickCell(int row, int col, UINT modifierVk = 0);
    // Keys to the grid (it has the focus); modifierVk held around the key.
    void Press(UINT vk, UINT modifierVk = 0);
    void TypeText(const std::wstring& text);
    // Texts of row `row` from column 1, one string (empty cells as '.').
    std::wstring RowText(int row);
    // "L" left half, "R" right half, "." neither, from column 1.
    std::string RowHalves(int row);
    // The selection as "r,c-r,c"; "" when nothing is selected.
    std::string Selection();
    // A double-width character at (row, col) as a host loads it.
    void PutWide(int row, int col, wchar_t ch);
    // A field placed over its cells (its rectangle set), shown in the grid.
    CTestField* AddField(int row, int col, int width, int kind);
    // Puts text on the clipboard (as another program would) and reads it back.
    static void SetClipboardText(const std::wstring& text);
    static std::wstring ClipboardText();
    // A pixel of the grid's client area.
    COLORREF GridPixel(int x, int y) const;

    CHeadlessDriver drv;
    CGridHost m_host;
    CGridCtrl m_grid;
    CTestOwner m_owner;
};

} // namespace gridtest
