#include "shell/ProgramPropsHardware.h"

#include "document/TavixDoc.h"
#include "elements/BlockModbus.h"
#include "platform/ui/framework/App.h"
#include "platform/ui/core/MessageMap.h"
#include "platform/ui/dialogs/Ddx.h"
#include "resources/resource.h"
#include "shell/MainFrame.h"

BEGIN_MESSAGE_MAP(CSelectHardware, CPropertyPage)
    ON_NOTIFY(TVN_SELCHANGED, IDC_PP_HW_TREE, OnSelChangedTree)
    ON_NOTIFY(NM_DBLCLK, IDC_PP_HW_TREE, OnDblClkTree)
END_MESSAGE_MAP()

namespace {

struct Model {
    int machine;  // high byte of the hardware code
    int data;
    WORD code;
};
const Model kModels[] = {{0x11, 1, 0x1188}, {0x21, 3, 0x2188}, {0x51, 5, 0x5188}, {0x52, 7, 0x5288}, {0x61, 9, 0x6188}};

} // namespace

CSelectHardware::CSelectHardware(CTavixDoc* pDoc) : CPropertyPage(IDD_PROPS_HARDWARE), m_pDoc(pDoc)
{
    m_psp.dwFlags |= PSP_HASHELP;
}

int CSelectHardware::ModelData(WORD wHardwareCode)
{
    for (const Model& m : kModels)
        if (m.machine == (wHardwareCode >> 8))
            return m.data;
    return dataOwnUnknown;
}

WORD CSelectHardware::ModelCode(int nData)
{
    for (const Model& m : kModels)
        if (m.data == nData)
            return m.code;
    return 0;
}

CString CSelectHardware::ModelText(int nData)
{
    if (nData == 5)
        return L"V2.XX";
    CString text;
    text.Format(AfxLoadString(IDS_PROPS_HW_OWN_MODEL), unsigned(ModelCode(nData)));
    return text;
}

BOOL CSelectHardware::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_tree.SubclassDlgItem(IDC_PP_HW_TREE, this);
    const WORD code = m_pDoc ? m_pDoc->m_nHardwareCode : g_wHardwareCode;
    const int own = ModelData(code);
    auto insert = [this](LPCTSTR text, int data, HTREEITEM parent) {
        HTREEITEM item = m_tree.InsertItem(text, parent);
        m_tree.SetItemData(item, DWORD_PTR(data));
        m_items.push_back(item);
        return item;
    };
    HTREEITEM qx = insert(L"QX Series", dataQxSeries, TVI_ROOT);
    HTREEITEM select = insert(ModelText(5), 5, qx);
    m_tree.Expand(qx, TVE_EXPAND);
    // Every other model has an item of its own, so a program can keep its code or be moved to
    // any family, the older ones included (the page then names what they cannot run).
    HTREEITEM other = insert(L"Not QX Series", dataOtherSeries, TVI_ROOT);
    for (int data : {1, 3, 7, 9}) {
        HTREEITEM item = insert(ModelText(data), data, other);
        if (data == own)
            select = item;
    }
    if (own == dataOwnUnknown) {
        CString text;
        text.Format(AfxLoadString(IDS_PROPS_HW_OWN_MODEL), unsigned(code));
        select = insert(text, own, other);
    }
    m_tree.Expand(other, TVE_EXPAND);
    m_nSelectedData = own;
    m_tree.SelectItem(select);
    m_strResources = AfxLoadString(IDS_PROPS_HW_RESOURCES);
    UpdateData(FALSE);
    return TRUE;
}

void CSelectHardware::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_PP_HW_RESOURCES, m_strResources);
}

void CSelectHardware::OnSelChangedTree(NMHDR* pNMHDR, LRESULT* pResult)
{
    const auto* nm = reinterpret_cast<const NMTREEVIEWW*>(pNMHDR);
    const int oldData = nm->itemOld.hItem ? int(m_tree.GetItemData(nm->itemOld.hItem)) : m_nSelectedData;
    const int newData = nm->itemNew.hItem ? int(m_tree.GetItemData(nm->itemNew.hItem)) : -1;
    m_nSelectedData = newData;
    CheckCompatibility(oldData, newData);
    *pResult = 0;
}

void CSelectHardware::CheckCompatibility(int nOldData, int nNewData)
{
    const CString problem = m_pDoc ? FindUnsupportedBlock(*m_pDoc, nNewData) : CString();
    if (!problem.IsEmpty()) {
        m_strResources = problem;
        EnableSheetOK(FALSE);
    } else {
        if (nOldData != nNewData)
            EnableSheetOK(TRUE);
        m_strResources = nNewData % 2 != 0 ? AfxLoadString(IDS_PROPS_HW_RESOURCES) : CString();
    }
    UpdateData(FALSE);
}

void CSelectHardware::EnableSheetOK(BOOL bEnable)
{
    if (CWnd* sheet = GetParent())
        if (CWnd* ok = sheet->GetDlgItem(IDOK))
            ok->EnableWindow(bEnable);
}

BOOL CSelectHardware::IsSheetOKEnabled() const
{
    CWnd* sheet = GetParent();
    CWnd* ok = sheet ? sheet->GetDlgItem(IDOK) : nullptr;
    return ok != nullptr && ok->IsWindowEnabled();
}

void CSelectHardware::OnDblClkTree(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    HTREEITEM item = m_tree.GetSelectedItem();
    if (item == nullptr || m_tree.GetParentItem(item) == nullptr || !IsSheetOKEnabled())
        return;
    if (CPropertySheet* sheet = GetSheet())
        sheet->PressButton(PSBTN_OK);
}

void CSelectHardware::AdaptToOlderFamily(CTavixDoc& doc)
{
    // The older families have neither the master port choice of the Modbus blocks nor the
    // faster baud rates.
    for (POSITION pos = doc.m_blocks.GetHeadPosition(); pos != nullptr;)
        if (auto* mr = dynamic_cast<CBlockMR*>(static_cast<CBlockObj*>(doc.m_blocks.GetNext(pos))))
            mr->m_nPort = 0;
    for (PortSettings& port : doc.m_port)
        if (port[3] >= 10)
            port[3] = 3;
}

void CSelectHardware::OnOK()
{
    const int d = m_nSelectedData;
    if (m_pDoc != nullptr && d % 2 != 0 && d != ModelData(m_pDoc->m_nHardwareCode) && ModelCode(d) != 0) {
        const WORD code = ModelCode(d);
        CString name;
        WORD firmware = m_pDoc->m_nMinFirmware;
        CMainFrame::GetSeriesName(code, &name, &firmware);
        CMainFrame::SetSeriesText(name);
        m_pDoc->m_strHardwareName = name;
        m_pDoc->m_nHardwareCode = code;
        m_pDoc->m_nMinFirmware = firmware;
        g_wHardwareCode = code;
        if (d == 1 || d == 3)
            AdaptToOlderFamily(*m_pDoc);
        m_pDoc->UpdateBlockSizesForHardware();
    }
    CPropertyPage::OnOK();
}
