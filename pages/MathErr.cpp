// CMathErr: the list offers the document's mathematical instruction blocks; the first item, a
// dash line, stands for none.
#include "pages/MathErr.h"

#include "document/NameTables.h"
#include "document/TavixDoc.h"
#include "elements/BlockObj.h"
#include "resources/resource.h"

#include "platform/ui/core/MessageMap.h"
#include "platform/ui/dialogs/Ddx.h"

#include <cwchar>

BEGIN_MESSAGE_MAP(CMathErr, CBlockPage)
ON_CONTROL_RANGE(BN_CLICKED, 1291, 1293, OnKind)
ON_CONTROL(CBN_SELCHANGE, IDC_MATHERR_BLOCK, OnBlockSelected)
ON_CONTROL(BN_CLICKED, IDC_MATHERR_RESET, OnCheck)
ON_CONTROL(BN_CLICKED, IDC_MATHERR_RETENTIVITY, OnCheck)
ON_CONTROL(BN_CLICKED, IDC_MATHERR_PROTECTION, OnCheck)
END_MESSAGE_MAP()

CMathErr::CMathErr() : CBlockPage(IDD_MATH_ERR) {}

BOOL CMathErr::OnInitDialog()
{
    // The list is built before the exchange selects in it.
    CComboBox* pList = AttachControl(m_cbBlock, IDC_MATHERR_BLOCK) ? &m_cbBlock : nullptr;
    int sel = 0;
    if (pList) {
        pList->ResetContent();
        pList->AddString(CString(L'-', 35));
        if (const CTavixDoc* pDoc = GetDocument()) {
            for (POSITION pos = pDoc->m_blocks.GetHeadPosition(); pos != nullptr;) {
                const auto* pBlock = static_cast<const CBlockObj*>(pDoc->m_blocks.GetNext(pos));
                if (pBlock->m_nType != 815)
                    continue;
                CString name, item;
                g_mapBlockTypeNames.Lookup(pBlock->m_nType, name);
                item.Format(L"B%d%s", pBlock->m_nNumber - 9000, name.GetString());
                const int index = pList->AddString(item);
                if (pBlock == m_pRefBlock)
                    sel = index;
            }
        }
    }
    m_nListIndex = sel;
    const BOOL bResult = CBlockPage::OnInitDialog();
    if (pList)
        pList->SetCurSel(sel);
    return bResult;
}

void CMathErr::DoDataExchange(CDataExchange* pDX)
{
    CBlockPage::DoDataExchange(pDX);  // the name with its limit of 8 characters
    DDX_Check(pDX, IDC_MATHERR_RESET, m_bAutoReset);
    DDX_Check(pDX, IDC_MATHERR_PROTECTION, m_bProtection);
    DDX_Check(pDX, IDC_MATHERR_RETENTIVITY, m_bRetentivity);
    DDX_CBIndex(pDX, IDC_MATHERR_BLOCK, m_nListIndex);
    DDX_Radio(pDX, IDC_MATHERR_KIND, m_nErrorKind);
}

void CMathErr::OnKind(UINT nID)
{
    // The radio that was clicked tells the kind, not the focus.
    m_nErrorKind = int(nID - IDC_MATHERR_KIND);
    SetModified(TRUE);
}

void CMathErr::OnBlockSelected()
{
    CComboBox* pList = m_cbBlock.GetSafeHwnd() ? &m_cbBlock : nullptr;
    const CTavixDoc* pDoc = GetDocument();
    const int sel = pList ? pList->GetCurSel() : -1;
    m_pRefBlock = nullptr;
    if (pDoc && sel > 0) {
        CString text;
        pList->GetLBText(sel, text);
        if (text.GetLength() > 1)
            m_pRefBlock = pDoc->FindBlockByNumber(9000 + int(wcstol(text.GetString() + 1, nullptr, 10)));
    }
    SetModified(TRUE);
}

void CMathErr::OnOK()
{
    m_bRef = m_pRefBlock != nullptr;
    if (m_bRef)
        m_nListIndex = 0;
    CBlockPage::OnOK();
}
