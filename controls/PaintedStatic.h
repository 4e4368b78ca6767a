// CPaintedStatic: a static text painted embossed in bold blue over the button face.
#pragma once

#include "platform/ui/controls/CtlClasses.h"

class CPaintedStatic : public CStatic {
    DECLARE_DYNAMIC(CPaintedStatic)
public:
    // The DrawText format the static's style asks for.
    static UINT FormatOf(DWORD dwStyle, const CString& text);
    // The height of a line of the label's text, the least the window needs to show it whole.
    int TextHeight();

protected:
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);

    DECLARE_MESSAGE_MAP()
};
