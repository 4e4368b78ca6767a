#include "document/UndoCompound.h"

#include "document/TavixDoc.h"

CUndoCompound::CUndoCompound(CTavixDoc* pDocument) : m_pDocument(pDocument)
{
    if (m_pDocument)
        m_pDocument->m_undo.BeginCompound();
}

CUndoCompound::~CUndoCompound()
{
    // A snapshot that cannot be written leaves the history as it was (the store keeps why).
    if (m_pDocument)
        m_pDocument->m_undo.EndCompound(m_pDocument);
}
