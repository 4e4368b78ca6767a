#include "view/TavixView.h"

#include "elements/BlockFactory.h"
#include "elements/BlockObj.h"
#include "document/TavixDoc.h"

CTavixView::CTavixView(CTavixDoc* pDoc, CChildFrame* pFrame) : m_pDocument(pDoc), m_pFrame(pFrame)
{
}

CBlockObj* CTavixView::CreateBlockByType(int nType)
{
    CBlockObj* pBlock = NewBlockOfType(nType);
    if (!pBlock)
        return nullptr;
    if (nType == TYPE_MSGTEXT) {
        for (int k = 0; k < kMessageTextSlots; ++k) {
            if (!m_bMsgTextSlotUsed[k]) {
                m_bMsgTextSlotUsed[k] = TRUE;
                pBlock->m_nCount = k;
                break;
            }
        }
    }
    pBlock->m_nWidth = 25;
    pBlock->m_nHeight = pBlock->m_nInputs == 4 ? 40 : 36;
    pBlock->StampStartTimes(this);
    if (m_pDocument && m_pDocument->IsLadder())
        pBlock->ClearLadderOutputPins();
    return pBlock;
}
