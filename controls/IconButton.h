// CIconButton: an owner-drawn push button showing an icon (an "in" icon while hot or pressed,
// an "out" icon otherwise) and its text, flat by default and lit while the pointer is over it,
// optionally working as a check box, with six state colours and a tooltip. A dialog subclasses
// a button of its template with it or creates one.
//
// Not supported (nothing here uses them): bitmaps, a pop-up menu, a link target, a cursor of
// its own, sounds and the transparent background.
#pragma once

#include "platform/ui/controls/CtlClasses.h"

class CIconButton : public CButton {
public:
    // Colour indexes.
    enum ColorIndex { ColorBkIn = 0, ColorFgIn, ColorBkOut, ColorFgOut, ColorBkFocus, ColorFgFocus, ColorCount };
    // Image placements.
    enum Align : BYTE { AlignLeft = 0, AlignTop = 1, AlignRight = 2, AlignOverlap = 3 };
    // Results of the setters.
    enum Result { ResultOk = 0, ResultNoIconInfo = 1, ResultBadColorIndex = 3, ResultBadAlign = 4,
                  ResultBadOffset = 5, ResultBadPressedStyle = 6 };
    // Second icon of SetIcon: none, a greyscale or a darker copy of the first.
    static constexpr int IconNone = 0;
    static constexpr int IconGray = -2;
    static constexpr int IconDarker = -3;

    CIconButton();
    ~CIconButton() override;

    int SetIcon(int nIconIn, int nIconOut = IconNone);
    int SetIcon(int nIconIn, int cxIn, int cyIn, int nIconOut, int cxOut, int cyOut);
    // Takes both icons over (they are destroyed with the button); hIconOut may be IconGray or
    // IconDarker cast to a handle.
    int SetIcon(HICON hIconIn, HICON hIconOut = nullptr);
    int SetFlat(BOOL bFlat = TRUE, BOOL bRepaint = TRUE);
    int SetAlign(BYTE byAlign, BOOL bRepaint = TRUE);
    int SetPushedLook(BYTE byStyle, BOOL bRepaint = TRUE);
    int SetCheck(int nCheck, BOOL bRepaint = TRUE);
    int GetCheck() const { return m_nCheck; }
    int ResetColours(BOOL bRepaint = TRUE);
    int SetColor(BYTE byColorIndex, COLORREF crColor, BOOL bRepaint = TRUE);
    COLORREF GetColor(BYTE byColorIndex) const { return byColorIndex < ColorCount ? m_crColors[byColorIndex] : 0; }
    int OffsetColor(BYTE byColorIndex, short shOffset, BOOL bRepaint = TRUE);
    void SetTooltipText(LPCTSTR lpszText, BOOL bActivate = TRUE);
    void SetIconId(int nId) { m_nIconId = nId; }
    int GetIconId() const { return m_nIconId; }
    void SetFlatFocus(BOOL bDrawFlatFocus, BOOL bRepaint = TRUE);
    void SetBorder(BOOL bBorder, BOOL bRepaint = TRUE);

    BOOL IsHot() const { return m_bMouseOnButton; }
    BOOL IsCheckBox() const { return m_bIsCheckBox; }
    BOOL IsDefault() const { return m_bIsDefault; }
    CToolTipCtrl& ToolTip() { return m_ToolTip; }

    // A button made by code takes its look from its style as a subclassed one does.
    BOOL Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) override;
    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    virtual DWORD PaintBackground(CDC* pDC, CRect* pRect);
    virtual DWORD PaintBorder(CDC* pDC, CRect* pRect);
    virtual void PaintIcon(CDC* pDC, BOOL bHasTitle, RECT* rpItem, CRect* rpCaption);
    virtual void PaintCaption(CDC* pDC, const CString& title, RECT* rpItem, CRect* rpCaption);

    void PreSubclassWindow() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void CancelHover();
    BOOL OnClicked();
    // Check-box and default-button behaviour from the button type bits.
    void TakeType(UINT nType);
    void FreeIcons();
    // Where an image of this size goes; the text rectangle gives way to it.
    void PlaceImage(BOOL bHasTitle, const RECT* rpItem, CRect* rpCaption, CSize size, CRect* rpImage) const;
    void InitToolTip();
    // A copy of hIcon in grey or darker; null when the icon has no pixels.
    static HICON DerivedIcon(HICON hIcon, BOOL bGray);

    struct IconRecord {
        HICON hIcon = nullptr;
        int cx = 0;
        int cy = 0;
        BOOL bOwned = FALSE;
    };

    BOOL m_bDrawDisabledBmpGrayed = TRUE;
    CSize m_margin{3, 3};
    CSize m_pressedOffset{1, 1};
    BOOL m_bIsFlat = TRUE;
    BOOL m_bMouseOnButton = FALSE;
    BOOL m_bIsPressed = FALSE;
    BOOL m_bIsFocused = FALSE;
    BOOL m_bIsDisabled = FALSE;
    BOOL m_bIsDefault = FALSE;
    BOOL m_bIsCheckBox = FALSE;
    BYTE m_byAlign = AlignLeft;
    BOOL m_bDrawBorder = TRUE;
    BOOL m_bDrawFlatFocus = FALSE;
    COLORREF m_crColors[ColorCount] = {};
    int m_nIconId = 0;
    CToolTipCtrl m_ToolTip;
    BOOL m_bAlwaysTrack = TRUE;
    int m_nCheck = 0;
    UINT m_nTypeStyle = 0x1F;
    DWORD m_dwToolTipStyle = 0;
    IconRecord m_icons[2];  // in, out

    DECLARE_MESSAGE_MAP()
};
