// CHColorDialog: the colour picker with a caption of the caller's choice.
#pragma once

#include "platform/ui/dialogs/CommonDlg.h"

class CHColorDialog : public CColorDialog
{
public:
    // A null or empty title keeps the colour picker's own caption.
    CHColorDialog(LPCTSTR pszTitle, COLORREF crInit, DWORD dwFlags = 0, CWnd* pParent = nullptr);

    CString m_strCaption;
};
