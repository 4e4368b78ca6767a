// CPaintedStatic: a static text painted embossed in bold blue over the button face.
#pragma once

#include "platform/ui/controls/CtlClasses.h"

class CPaintedStatic : public CStatic {
    DECLARE_DYNAMIC(CPaintedStatic)
public:
    // The DrawText format the static's style asks for.
    static UINT FormatOf(DWORD dwStyle, const CString& text);

protected:
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);

    DECLARE_MESSAGE_MAP()
};
