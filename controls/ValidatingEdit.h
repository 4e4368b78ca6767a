// CValidatingEdit: an edit that only holds text of a given shape, and CEditBehavior, the rules
// that decide which keystrokes are taken and what the valid form of a text is. The concrete
// edits (masked, numeric, integer) derive from both, so that each edit is its own behaviour.
//
// Not supported: multi-line edits; digit grouping and a prefix (the numeric behaviour keeps
// the fields, nothing sets them).
#pragma once

#include "platform/ui/controls/CtlClasses.h"

// The selection of an edit, read when the object is made; Set applies it again.
class EditSelection {
public:
    explicit EditSelection(CEdit* pEdit);
    void Set() const;
    void Shift(int n)
    {
        m_nStart += n;
        m_nEnd += n;
    }
    int Start() const { return m_nStart; }
    int End() const { return m_nEnd; }

private:
    CEdit* m_pEdit;
    int m_nStart = 0;
    int m_nEnd = 0;
};

class CValidatingEdit : public CEdit {
public:
    CString GetText() const;
    // Sets the window text; WM_SETTEXT then cuts it to its valid form.
    void SetText(LPCTSTR lpszText);
    BOOL IsReadOnly() const;
    // Text colour of the edit (0 leaves the system colour); the background keeps its colour.
    void SetTextColor(COLORREF colour);

    // The window text becomes its valid form when the two differ.
    virtual void Revalidate();
    virtual CString MakeValidText() { return GetText(); }
    virtual BOOL AcceptsChar(UINT) { return TRUE; }

    // Default processing of the message being handled (for the behaviours).
    LRESULT CallDefaultProc() { return Default(); }
    // Replaces the characters from nStart to nEnd by lpszText as the user would (undoable).
    void ReplaceRange(int nStart, int nEnd, LPCTSTR lpszText);

protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    LRESULT OnCutMsg(WPARAM, LPARAM);
    LRESULT OnPasteMsg(WPARAM, LPARAM);
    LRESULT OnClearMsg(WPARAM, LPARAM);
    LRESULT OnSetTextMsg(WPARAM, LPARAM);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    DECLARE_MESSAGE_MAP()

private:
    CBrush m_brBackground;     // made from the edit's background colour on first need
    COLORREF m_crText = 0;     // 0: the standard text colour
    UINT m_nColourFlags = 0;   // 1: a text colour was set
};

// Which keystrokes an edit takes and what the valid form of its text is.
class CEditBehavior {
public:
    // Flags word; the low twelve bits act only in the numeric focus-loss check.
    enum Flags : UINT {
        BeepIfInvalid = 0x0001,
        BeepIfEmpty = 0x0002,
        FixIfInvalid = 0x0004,
        FixIfEmpty = 0x0008,
        RefocusIfInvalid = 0x0010,
        RefocusIfEmpty = 0x0020,
        ReportIfInvalid = 0x0040,
        ReportIfEmpty = 0x0080,
        PadWholeDigits = 0x0100,
        PadDecimalsOnExit = 0x0200,
        SkipChecksIfEmpty = 0x0400,
        TrimLeadingZeros = 0x0800,
        NoNegative = 0x1000,
        DecimalAfterWholeDigits = 0x2000,
        PadDecimalsOnChange = 0x4000,
        PadDecimalsOnSet = 0x8000,
        FocusLossChecks = 0x0FFF,
    };

    explicit CEditBehavior(CValidatingEdit* pEdit) : m_pEdit(pEdit) {}
    virtual ~CEditBehavior() = default;
    CEditBehavior(const CEditBehavior&) = delete;
    CEditBehavior& operator=(const CEditBehavior&) = delete;

    virtual CString MakeValidText() = 0;
    virtual void HandleChar(UINT nChar, UINT nRepCnt, UINT nFlags) = 0;
    virtual void HandleKeyDown(UINT nKey, UINT nRepCnt, UINT nFlags);
    virtual void HandleKillFocus(CWnd* pNewWnd);
    virtual LRESULT HandlePaste();
    virtual LRESULT CallDefault();
    virtual void Revalidate();
    virtual BOOL AcceptsChar(UINT nChar);

    // New flags = old without nRemove, plus nAdd; TRUE (and the text re-validated) on a change.
    BOOL ModifyFlags(UINT nAdd, UINT nRemove);
    UINT GetFlags() const { return m_uFlags; }

protected:
    CValidatingEdit* m_pEdit;  // not owned; the edit itself in the concrete edits
    UINT m_uFlags = 0;
};
