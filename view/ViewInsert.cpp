// Inserting a block from the palette and a free comment: the device limits that refuse an
// insertion (with their texts), the program bytes of each type, the block's first geometry, and
// the extent check of an insertion point.
#include "view/TavixView.h"

#include "document/TavixDoc.h"
#include "elements/BlockComment.h"
#include "elements/BlockMSGTEXT.h"
#include "elements/BlockObj.h"
#include "elements/BlockRelays.h"
#include "elements/BlockTypes.h"
#include "platform/ui/core/WndDC.h"
#include "resources/resource.h"

namespace {

bool In(int v, int lo, int hi) { return v >= lo && v <= hi; }

// The refusal text of a type whose limit is reached; 0 when the type has none.
UINT RefusalStringOf(int nType)
{
    switch (nType) {
    case 600: return IDS_INPUTS_IN_USE;
    case 601: return IDS_CURSORS_IN_USE;
    case 602: return IDS_SHIFTS_IN_USE;
    case 603: return IDS_STATUS_LOWS_IN_USE;
    case 604: return IDS_STATUS_HIGHS_IN_USE;
    case 605: return IDS_OUTPUTS_IN_USE;
    case 606: return IDS_OPEN_CONNECTORS_IN_USE;
    case 607: return IDS_FLAGS_IN_USE;
    case 608: return IDS_ANALOG_INPUTS_IN_USE;
    case 609: return IDS_ANALOG_OUTPUTS_IN_USE;
    case 610: return IDS_ANALOG_FLAGS_IN_USE;
    case 611: return IDS_FUNCTION_KEYS_IN_USE;
    case 700: return IDS_MAKE_CONTACTS_IN_USE;
    case 701: return IDS_BREAK_CONTACTS_IN_USE;
    case 702: return IDS_ANALOG_CONTACTS_IN_USE;
    case 703:
    case 704: return IDS_COILS_IN_USE;
    case 705: return IDS_LADDER_ANALOG_OUTPUTS_IN_USE;
    case 410: return IDS_WEEKLY_TIMERS_IN_USE;
    case 810: return IDS_MESSAGE_TEXTS_IN_USE;
    case 812: return IDS_SHIFT_REGISTERS_IN_USE;
    case 820: return IDS_ANALOG_FILTERS_IN_USE;
    case 911: return IDS_DATA_LOGS_IN_USE;
    default: return 0;
    }
}

void ShowError(const CString& text) { AfxMessageBox(text, MB_OK | MB_ICONERROR); }

void ShowErrorId(UINT id)
{
    CString text;
    text.LoadString(id);
    ShowError(text);
}

} // namespace

// Bytes of the device's instruction area that a function block of the type occupies.
int ProgramBytesOfType(int t, int nMachineType)
{
    const bool newer = nMachineType >= kMachineTypeQ;
    if (t == 307)
        return 4;
    if (t == 306 || t == 400 || t == 404 || t == 808 || t == 810 || t == 811 || t == 820 || In(t, 831, 833) ||
        In(t, 838, 843) || t == 846 || In(t, 860, 863) || In(t, 866, 868) || t == 871 || t == 872)
        return 8;
    if (t == 853 || t == 854)
        return 10;
    if (In(t, 300, 305) || In(t, 401, 403) || In(t, 406, 408) || t == 805 || t == 809 || In(t, 824, 827) ||
        t == 844 || t == 845 || t == 847 || t == 851 || t == 864 || t == 865 || t == 869 || t == 870 ||
        In(t, 873, 878))
        return 12;
    if (t == 405 || t == 409 || t == 412 || t == 413 || t == 802 || t == 804 || t == 807 || In(t, 821, 823) ||
        t == 830 || t == 849 || t == 856)
        return 16;
    if (t == 813 || t == 852)
        return 18;
    if (t == 410 || t == 806 || t == 815 || t == 816)
        return 20;
    if (t == 850)
        return 22;
    if (t == 800 || t == 801 || t == 803 || t == 819 || t == 848 || t == 855)
        return 24;
    if (t == 817 || t == 818)
        return 28;
    if (t == 411)
        return newer ? 14 : 8;
    if (t == 812)
        return newer ? 16 : 12;
    if (t == 814)
        return newer ? 22 : 18;
    return 0;
}

BOOL CTavixView::ClampInsertPoint(CPoint* pPoint, CBlockComment* pComment)
{
    CTavixDoc* pDoc = GetDocument();
    if (!pDoc || !pPoint)
        return FALSE;
    const CRect& e = pDoc->m_rcExtent;
    if (!e.PtInRect(*pPoint)) {
        ::MessageBeep(MB_ICONEXCLAMATION);
        ShowErrorId(IDS_OUTSIDE_DIAGRAM);
        return FALSE;
    }
    CRect inner;
    if (pComment)
        inner.SetRect(e.left + pComment->m_nWidth / 2, e.top + pComment->m_nHeight, e.right - pComment->m_nWidth,
                      e.bottom - pComment->m_nHeight - 10);
    else
        inner.SetRect(e.left + 25, e.top + 25, e.right - 25, e.bottom - 50);
    pPoint->x = std::max<int>(inner.left, std::min<int>(pPoint->x, inner.right));
    pPoint->y = std::max<int>(inner.top, std::min<int>(pPoint->y, inner.bottom));
    return TRUE;
}

CBlockObj* CTavixView::InsertBlock(int nType, CPoint* pPoint)
{
    CTavixDoc* pDoc = GetDocument();
    if (!pDoc || !pPoint)
        return nullptr;
    const int kind = CTavixDoc::GetBlockKind(nType);
    bool refused = false;
    if (kind == KIND_FUNCTION) {
        if (pDoc->CountFunctionBlocks() >= 1024) {
            CString text;
            text.LoadString(IDS_TOO_MANY_BLOCKS);
            CString formatted;
            formatted.Format(text, 1024);
            ShowError(formatted);
            return nullptr;
        }
        if ((nType == 810 || nType == 812 || nType == 820) && !pDoc->CanAddBlock(nType))
            refused = true;
        if (!refused &&
            ProgramBytesOfType(nType, pDoc->GetMachineType()) + pDoc->GetProgramCodeSize() >= 0x6000) {
            ShowErrorId(IDS_INSUFFICIENT_RESOURCES);
            // A type without a refusal text of its own says nothing more.
            if (!RefusalStringOf(nType))
                return nullptr;
            refused = true;
        }
    } else {
        BlockCounts counts;
        if (!pDoc->CanAddBlock(nType, &counts))
            refused = true;
    }
    if (refused) {
        if (const UINT id = RefusalStringOf(nType))
            ShowErrorId(id);
        return nullptr;
    }
    const BlockTypeInfo* info = FindBlockTypeInfo(nType);
    if (!info || !info->pszClass || nType == TYPE_MALE || nType == TYPE_FEMALE || nType == TYPE_POWERBUS)
        return nullptr;
    CBlockObj* pBlock = CreateBlockByType(nType);
    if (!pBlock)
        return nullptr;
    if (nType == 411 || nType == 812 || nType == 814)
        pBlock->m_nCodeSize = WORD(ProgramBytesOfType(nType, pDoc->GetMachineType()));
    int x = pPoint->x - 12;
    const int y = pPoint->y;
    if (pDoc->IsLadder())
        if (CBlockObj* pBus = GetPowerBus()) {
            const int right = pBus->m_ptOrigin.x + pBus->m_nWidth;
            if (x - 5 <= right)
                x = right + 7;
        }
    pBlock->m_ptOrigin = CPoint(x, y);
    pBlock->m_ptSaved = pBlock->m_ptOrigin;
    return pBlock;
}

BOOL CTavixView::AddInsertedBlock(CBlockObj* pBlock)
{
    CTavixDoc* pDoc = GetDocument();
    if (!pDoc || !pBlock)
        return FALSE;
    // Model-dependent settings the element takes from the document it joins.
    if (auto* pText = dynamic_cast<CBlockMSGTEXT*>(pBlock))
        pText->ApplyDocumentSettings(pDoc->GetMachineType(), pDoc->m_nTextSetting);
    if (auto* pReg = dynamic_cast<CBlockSREG*>(pBlock))
        pReg->ChooseRegisterIndex(pDoc);
    ClearSelection(0);
    if (!pDoc->AddBlock(pBlock)) {
        delete pBlock;
        RebuildMessageTextSlots();
        return FALSE;
    }
    TakeSnapshot();
    m_pCurBlock = nullptr;
    m_pCurWire = nullptr;
    m_pCurComment = nullptr;
    InvalidateAll();
    return TRUE;
}

CBlockComment* CTavixView::CreateComment(CPoint point)
{
    auto* pComment = new CBlockComment;
    int dpi = 96;
    CSize size(6 * pComment->m_strText.GetLength(), 12);
    if (m_hWnd) {
        CClientDC dc(this);
        dpi = dc.GetDeviceCaps(LOGPIXELSY);
        size = dc.GetTextExtent(pComment->m_strText);
    }
    pComment->m_logFont.lfHeight = ::MulDiv(12, dpi, 72);
    pComment->m_nWidth = size.cx;
    pComment->m_nHeight = size.cy;
    if (!ClampInsertPoint(&point, pComment)) {
        delete pComment;
        return nullptr;
    }
    pComment->m_ptOrigin = point;
    pComment->m_ptSecond = point;
    return pComment;
}
