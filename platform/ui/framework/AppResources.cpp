// The program's resources as the framework reads them: strings and dialog templates through
// the resource finder the resource library installs.
#include "platform/base/ResourceTables.h"
#include "platform/ui/framework/App.h"

CString AfxLoadString(UINT nID)
{
    CString s;
    if (nID && !s.LoadString(nID))
        s.Empty();
    return s;
}

CString AfxLoadStringOr(UINT nID, LPCTSTR fallback)
{
    CString s = AfxLoadString(nID);
    return s.IsEmpty() ? CString(fallback) : s;
}

const DialogTemplate* AfxFindDialogTemplate(UINT nID)
{
    const ResourceFinder& f = AfxGetResourceFinder();
    return f.findDialog ? f.findDialog(nID) : nullptr;
}
