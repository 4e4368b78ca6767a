// cdxCSizeIconCtrl: the size grip in the bottom-right corner of a dynamic window. It draws
// nothing and shows no cursor while its parent is maximised.
#pragma once

#include "platform/ui/controls/CtlClasses.h"

class cdxCSizeIconCtrl : public CScrollBar {
    DECLARE_DYNAMIC(cdxCSizeIconCtrl)
public:
    // A size box over the parent's bottom-right corner.
    BOOL Create(CWnd* pParent, UINT nID);

protected:
    BOOL ParentMaximized() const;

    void OnPaint();
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void OnLButtonDblClk(UINT nFlags, CPoint point);

    DECLARE_MESSAGE_MAP()
};
