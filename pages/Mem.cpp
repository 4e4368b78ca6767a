// CMEM: the block list (every storable function block but this one), the parameter names of the
// chosen block's type, and the reference that follows the choice.
#include "pages/Mem.h"

#include "document/NameTables.h"
#include "document/TavixDoc.h"
#include "elements/BlockObj.h"
#include "msgtext/MsgTextParamTable.h"
#include "resources/resource.h"

#include "platform/ui/core/MessageMap.h"
#include "platform/ui/dialogs/Ddx.h"

#include <cwchar>

namespace {

constexpr UINT IDC_MEM_KIND = 1319;

// The block number an item "B<n>[name]" stands for; -1 for the dash line.
int ItemBlockNumber(const CString& text)
{
    if (text.GetLength() < 2 || text[0] != L'B')
        return -1;
    return 9000 + int(wcstol(text.GetString() + 1, nullptr, 10));
}

}  // namespace

BEGIN_MESSAGE_MAP(CMEM, CBlockPage)
ON_CONTROL(CBN_SELCHANGE, IDC_MEM_BLOCK, OnBlockSelected)
ON_CONTROL(CBN_SELCHANGE, IDC_MEM_INDEX, OnChanged)
ON_CONTROL(BN_CLICKED, IDC_RETENTIVITY, OnChanged)
END_MESSAGE_MAP()

CMEM::CMEM() : CBlockPage(IDD_MEM) {}

void CMEM::FillFromBlock(const CBlockObj& block, const CTavixDoc&, bool)
{
    m_nListIndex = block.m_nTime1High;
    m_nParamIndex = block.m_nTime1Low;
    m_bRetentivity = block.m_bRetentive;
    m_pRefBlock = block.m_pRefBlock[0];
    m_bRef = m_pRefBlock != nullptr;
}


void CMEM::FillTimeRecord(CTimeParamRecord& record) const
{
    record.nTime1High = m_nListIndex;
    record.nTime1Low = m_nParamIndex;
    record.ref[0].bFlag = m_pRefBlock != nullptr;
    record.ref[0].pBlock = m_pRefBlock;
}

BOOL CMEM::OnInitDialog()
{
    // The lists are built before the exchange selects in them.
    if (AttachControl(m_cbKind, IDC_MEM_KIND)) {
        if (m_cbKind.GetCount() == 0)
            m_cbKind.AddString(L"Function Block");
        m_cbKind.SetCurSel(0);
    }
    InitParamNameTable();
    int sel = 0;
    if (AttachControl(m_cbBlock, IDC_MEM_BLOCK)) {
        m_cbBlock.ResetContent();
        m_cbBlock.AddString(CString(L'-', 51));
        if (const CTavixDoc* pDoc = GetDocument())
            pDoc->FillMemBlockComboBox(m_nBlockNumber, &m_cbBlock);
        for (int i = 1; m_pRefBlock && i < m_cbBlock.GetCount(); ++i) {
            CString text;
            m_cbBlock.GetLBText(i, text);
            if (ItemBlockNumber(text) == m_pRefBlock->m_nNumber) {
                sel = i;
                break;
            }
        }
    }
    // A referenced block that the list does not offer counts as none.
    if (sel == 0)
        m_pRefBlock = nullptr;
    m_nListIndex = sel;
    AttachControl(m_cbIndex, IDC_MEM_INDEX);
    const int nParam = m_nParamIndex;
    FillParamNames();
    const BOOL bResult = CBlockPage::OnInitDialog();
    m_cbBlock.SetCurSel(sel);
    if (m_cbIndex.GetSafeHwnd()) {
        const int count = m_cbIndex.GetCount();
        m_cbIndex.SetCurSel(m_pRefBlock && nParam >= 0 && nParam < count ? nParam : 0);
    }
    return bResult;
}

void CMEM::DoDataExchange(CDataExchange* pDX)
{
    CBlockPage::DoDataExchange(pDX);
    DDX_CBIndex(pDX, IDC_MEM_BLOCK, m_nListIndex);
    DDX_CBIndex(pDX, IDC_MEM_INDEX, m_nParamIndex);
}

void CMEM::FillParamNames()
{
    if (m_cbIndex.GetSafeHwnd() == nullptr)
        return;
    m_cbIndex.ResetContent();
    if (m_pRefBlock == nullptr) {
        m_cbIndex.AddString(CString(L'-', 51));
        return;
    }
    for (int item : GetAddressableItems(m_pRefBlock->m_nType))
        if (item >= 0 && item < int(g_astrParamNames.GetSize()))
            m_cbIndex.AddString(g_astrParamNames[item]);
}

void CMEM::OnBlockSelected()
{
    m_pRefBlock = nullptr;
    const int sel = m_cbBlock.GetSafeHwnd() ? m_cbBlock.GetCurSel() : -1;
    const CTavixDoc* pDoc = GetDocument();
    if (pDoc && sel > 0) {
        CString text;
        m_cbBlock.GetLBText(sel, text);
        if (const int number = ItemBlockNumber(text); number >= 0)
            m_pRefBlock = pDoc->FindBlockByNumber(number);
    }
    m_bRef = m_pRefBlock != nullptr;
    FillParamNames();
    if (m_cbIndex.GetSafeHwnd())
        m_cbIndex.SetCurSel(0);
    SetModified(TRUE);
}

void CMEM::OnOK()
{
    m_bRef = m_pRefBlock != nullptr;
    CBlockPage::OnOK();
}
