// The file dialog of Open and Save As when the program installed no hook of its own.
#include "platform/ui/framework/App.h"
#include "platform/ui/dialogs/CommonDlg.h"

BOOL AfxRunFileDialog(CString& fileName, LPCTSTR title, DWORD flags, BOOL bOpen, LPCTSTR filter, LPCTSTR defExt)
{
    DWORD dlgFlags = flags | OFN_HIDEREADONLY | (bOpen ? 0 : OFN_OVERWRITEPROMPT);
    CString ext = defExt ? defExt : L"";
    if (ext.Left(1) == L".")
        ext = ext.Mid(1);
    CFileDialog dlg(bOpen, ext.IsEmpty() ? nullptr : LPCTSTR(ext), fileName, dlgFlags, filter, AfxGetMainWnd());
    if (title && *title)
        dlg.m_ofn.lpstrTitle = title;
    if (dlg.DoModal() != IDOK)
        return FALSE;
    fileName = dlg.GetPathName();
    return !fileName.IsEmpty();
}
