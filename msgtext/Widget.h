// CWidget: one field of a message text, a rectangle over a run of character cells that shows a
// block parameter, an analog value, a time scale, ON/OFF names, a bar, a scope, a pointer or a
// picture. Owned by whichever line array holds the pointer (block, grid or page); copies between
// them are clones made with CopyTo.
#pragma once

#include "controls/GridField.h"
#include "platform/base/Afx.h"

class CBlockObj;
class CTavixDoc;
class CTavixView;
class CDC;

// Kinds of field (CWidget::m_nType); 0 and above is a value field.
enum WidgetType {
    widgetBar = -99,
    widgetScaleTime = -100,
    widgetOnOff = -101,
    widgetScope = -102,
    widgetPointer = -103,
    widgetGraph = -104,
};

class CWidget : public CGridField {
    DECLARE_SERIAL(CWidget)

public:
    enum { nameRows = 3, nameCols = 9 };

    CWidget();
    // The placing constructor: rectangle (x, y, x + cx, y + cy) and colour.
    CWidget(int x, int y, int cx, int cy, COLORREF cr);
    ~CWidget() override;

    void Serialize(CArchive& ar) override;
    // Copies every field except m_pDoc into pDst; nothing when pDst is null.
    void CopyTo(CWidget* pDst) const;

    CRect GetRect() const { return m_rect; }
    COLORREF GetColor() const { return m_crColor; }
    // Left and top edges inclusive, right and bottom exclusive.
    BOOL HitTest(POINT pt) const;

    // The drag outline at a top-left point (inverting: drawn twice it is gone).
    virtual void DrawTracker(CDC* pDC, POINT ptTopLeft);
    // Description mode (bDescription) or the characters the device shows; pView supplies the
    // blocks' live texts.
    virtual void Draw(CTavixView* pView, CDC* pDC, BOOL bDescription);
    void DrawWithFrame(CTavixView* pView, CDC* pDC, BOOL bDescription);
    // The red frame of the selected field.
    void DrawFrame(CDC* pDC);
    // The label naming the block or operand, the caption under it and the value as shown.
    CString GetLabel() const;
    CString GetCaption(CTavixView* pView) const;
    CString GetValueText(CTavixView* pView) const;
    // The state of the bit an ON/OFF field shows: 1 on, 0 off, -1 when no element holds it.
    int GetOnOffState(CTavixView* pView) const;

    // Default width in cells of a field that shows item nItem; 0 for an item outside the table.
    static int GetDefaultWidth(int nItem);

    // The field as the character grid sees it (WidgetGridField.cpp).
    CRect GetFieldRect() const override { return m_rect; }
    void SetFieldRect(const CRect& rect) override { m_rect = rect; }
    int GetFieldRow() const override { return m_nRow; }
    void SetFieldRow(int nRow) override { m_nRow = nRow; }
    int GetFieldColumn() const override { return m_nCol; }
    void SetFieldColumn(int nCol) override { m_nCol = nCol; }
    int GetFieldWidth() const override { return m_nWidth; }
    void SetFieldWidth(int nWidth) override { m_nWidth = nWidth; }
    int GetFieldKind() const override { return m_nType; }
    COLORREF GetFieldColor() const override { return m_crColor; }
    BOOL IsFieldSelected() const override { return m_bSelected; }
    void SetFieldSelected(BOOL bSelected) override { m_bSelected = bSelected; }
    CGridField* CloneField() const override;

public:
    CString m_strStatusName[nameRows * nameCols]; // ON/OFF names, row-major
    CRect m_rect;
    COLORREF m_crColor;
    int m_nRow;
    int m_nCol;
    CBlockObj* m_pBlock;   // not owned, not stored; rebuilt from m_nNumber on load
    int m_nNumber;
    int m_nItem;
    CString m_strText;
    int m_nType;
    int m_nWidth;
    CTavixDoc* m_pDoc;     // the document the field was loaded from; not stored, not copied
    BOOL m_bSelected;      // not stored
    int m_nValueIndex;
    int m_nMinValue;
    int m_nMaxValue;
    int m_nSetting;

private:
    void DrawDescription(CTavixView* pView, CDC* pDC);
    void DrawValue(CTavixView* pView, CDC* pDC);
    void SetDefaultNames();
    // Width fix-up of fields loaded for machine types below 'Q'.
    void FixOldWidth();
};
