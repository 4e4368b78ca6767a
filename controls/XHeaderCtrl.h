// CXHeaderCtrl: the column header of the extended list control, painted entirely by itself
// and double-buffered: button-face items with flat separators, an item's image from the
// header's image list (image index 0 shows none), and the item texts in blue.
#pragma once

#include "platform/ui/controls/CtlClasses.h"

class CXHeaderCtrl : public CHeaderCtrl {
    DECLARE_DYNAMIC(CXHeaderCtrl)
public:
    CXHeaderCtrl();
    ~CXHeaderCtrl() override;

    // Owner-drawn items (HDF_OWNERDRAW): nothing is drawn for them here.
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    // Every other item, in the rectangle inside the item spacing.
    virtual void DrawItem(CDC* pDC, const CRect& rect, HDITEMW* lphdi);

    int GetSpacing() const { return m_iSpacing; }
    CSize GetImageSize() const { return m_sizeImage; }

protected:
    // Paints the items, separators and frame into pDC over the clip box.
    void PaintHeader(CDC* pDC, const CRect& rcClip);
    void ReadSysColors();

    BOOL m_bDoubleBuffer = TRUE;
    int m_iSpacing = 6;             // inside every item, and between its image, text and bitmap
    CSize m_sizeImage{0, 0};        // the first image of the header's image list
    BOOL m_bStaticBorder = FALSE;
    COLORREF m_cr3DHighLight = 0;
    COLORREF m_cr3DShadow = 0;
    COLORREF m_cr3DFace = 0;
    COLORREF m_crBtnText = 0;

    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnSysColorChange();
    LRESULT OnSetImageList(WPARAM wParam, LPARAM lParam);
    LRESULT OnLayout(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()
};
