// A message-text field as a field of the character grid: the grid moves copies of it.
#include "msgtext/Widget.h"

CGridField* CWidget::CloneField() const
{
    auto* pCopy = new CWidget;
    CopyTo(pCopy);
    pCopy->m_pDoc = m_pDoc;
    return pCopy;
}
