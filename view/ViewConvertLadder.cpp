// File > Convert to FBD on the view side: the new function block diagram of this view is built
// from a ladder document.
#include "view/TavixView.h"

#include "document/TavixDoc.h"
#include "document/UndoCompound.h"
#include "view/LadderConverter.h"

BOOL CTavixView::ConvertLadderToFbd(const CTavixDoc* pSource, CString* pError)
{
    if (!pSource || !GetDocument() || !pSource->IsLadder() || GetDocument()->IsLadder())
        return FALSE;
    // The converted diagram is one undo step.
    CUndoCompound step(GetDocument());
    CLadderConverter converter(*this, *pSource);
    const BOOL ok = converter.Convert(pError);
    if (ok)
        TakeSnapshot();
    if (ok && GetSafeHwnd()) {
        UpdateScrollSizes();
        InvalidateAll();
    }
    return ok;
}
