// CTavixView: Go To Block. The Select Block dialog calls back into the view for every element
// the user picks, so the diagram follows the list while the dialog is open.
#include "view/TavixView.h"

#include "pages/SelectBlockDlg.h"

void CTavixView::OnGoToBlock()
{
    CSelectBlockDlg dlg(this);
    dlg.DoModal();
}
