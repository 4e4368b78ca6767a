#include "comm/HColorDialog.h"

CHColorDialog::CHColorDialog(LPCTSTR pszTitle, COLORREF crInit, DWORD dwFlags, CWnd* pParent)
    : CColorDialog(crInit, dwFlags | CC_SHOWHELP, pParent), m_strCaption(pszTitle ? pszTitle : L"")
{
    // The picker's caption is its title.
    m_strTitle = m_strCaption;
}
