// What the grid needs of the message-text fields laid over its cells, and of the window that
// owns a message-text grid. The control library knows neither the fields' content nor the
// document: the message-text field class implements CGridField, and the owning page or dialog
// implements CGridFieldOwner and hands itself to the grid (CGridCtrl::SetFieldOwner).
#pragma once

#include "platform/base/Object.h"
#include "platform/base/Geometry.h"
#include "platform/gdi/GdiTypes.h"

class CDC;
class CGridCtrl;

// Field kinds that the grid tells apart (every kind of 0 and above is a value field).
constexpr int GRIDFIELD_BAR = -99;
constexpr int GRIDFIELD_SCALETIME = -100;
constexpr int GRIDFIELD_ONOFF = -101;
constexpr int GRIDFIELD_SCOPE = -102;
constexpr int GRIDFIELD_POINTER = -103;
constexpr int GRIDFIELD_GRAPH = -104;

// A field over a run of cells: it starts in text row 1 to 4 and a column, covers a width in
// cells and, by its kind, one, three or four rows. Its pixel rectangle is that of its cells.
class CGridField : public CObject {
    DECLARE_DYNAMIC(CGridField)
public:
    ~CGridField() override = default;

    virtual CRect GetFieldRect() const = 0;
    virtual void SetFieldRect(const CRect& rect) = 0;
    virtual int GetFieldRow() const = 0;
    virtual void SetFieldRow(int nRow) = 0;
    virtual int GetFieldColumn() const = 0;
    virtual void SetFieldColumn(int nCol) = 0;
    virtual int GetFieldWidth() const = 0;
    virtual void SetFieldWidth(int nWidth) = 0;
    virtual int GetFieldKind() const = 0;
    virtual COLORREF GetFieldColor() const = 0;
    virtual BOOL IsFieldSelected() const = 0;
    virtual void SetFieldSelected(BOOL bSelected) = 0;
    // A new field with everything of this one copied.
    virtual CGridField* CloneField() const = 0;

    // Rows a field of a kind covers: 4 for a graph picture, 3 for a scope or pointer, else 1.
    static int RowsOfKind(int nKind);
    int GetFieldHeight() const { return RowsOfKind(GetFieldKind()); }
};

// Settings that a field's own dialog changed, handed back to the grid for its checks.
struct GridFieldEdit {
    int nWidth = 0;  // the width the dialog asks for (the old width when it does not change it)
};

// The window that owns a message-text grid. Defaults: a plain grid of cells without fields,
// accepting no character from U+0080 up.
class CGridFieldOwner {
public:
    virtual ~CGridFieldOwner() = default;

    // ---- characters (the document's rules, passed by the owner rather than looked up) ----
    // The machine type of the document edited (characters from U+0080 up need 0x51 or later).
    virtual int GetMachineType() const { return 0; }
    // The character class that cells take: 1 double width, 2 the single-width letters of the
    // other sets, 0 none.
    virtual int GetAcceptedCharClass() const { return 0; }
    // The class of a character: 1 double width, 2 single-width letters of other sets, 0 neither.
    virtual int GetCharClass(wchar_t ch) const { return 0; }

    // ---- fields ----
    // Draws one field over the cells; bFramed for the selected field.
    virtual void DrawGridField(CGridCtrl* pGrid, CDC* pDC, CGridField* pField, BOOL bFramed) {}
    // FALSE where fields are never drawn (the I/O status monitor).
    virtual BOOL ShowsFields() const { return TRUE; }
    // TRUE in the live display of a running program: Delete does nothing, a double-click
    // opens the live parameter editor.
    virtual BOOL IsLiveDisplay() const { return FALSE; }
    // The "B" number of the message-text block edited, for the refusal message; -1 none.
    virtual int GetBlockLabel() const { return -1; }

    // ---- double-click on a field ----
    // Edit mode: runs the settings dialog of the field's kind. On OK returns TRUE with the
    // requested width in edit; nothing is written to the field yet.
    virtual BOOL RunFieldDialog(CGridCtrl* pGrid, CGridField* pField, GridFieldEdit& edit) { return FALSE; }
    // Writes the settings of the last accepted dialog into the field (after the grid's checks).
    virtual void ApplyFieldDialog(CGridCtrl* pGrid, CGridField* pField) {}
    // Run mode: whether the field shows a parameter that may change while the program runs.
    virtual BOOL CanEditLive(CGridField* pField) const { return FALSE; }
    // Opens the live parameter editor over the field; closes it (applying its value or not).
    virtual void OpenLiveEditor(CGridCtrl* pGrid, CGridField* pField) {}
    virtual void CloseLiveEditor(CGridCtrl* pGrid, BOOL bApply) {}
};
