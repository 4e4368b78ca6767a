// CMiscRelay: the controls follow the type; the shift register offers the indexes no other
// shift register holds, and a block always keeps a valid index.
#include "pages/MiscRelay.h"

#include "document/TavixDoc.h"
#include "elements/BlockObj.h"
#include "pages/ParamRecords.h"
#include "resources/resource.h"

#include "platform/ui/core/MessageMap.h"
#include "platform/ui/dialogs/Ddx.h"

#include <cwchar>

BEGIN_MESSAGE_MAP(CMiscRelay, CBlockPage)
ON_CONTROL(CBN_SELCHANGE, 1112, OnParamChanged)
ON_CONTROL(CBN_SELCHANGE, 1114, OnParamChanged)
ON_CONTROL(BN_CLICKED, 1110, OnPriorityR)
ON_CONTROL(BN_CLICKED, 1111, OnPriorityS)
END_MESSAGE_MAP()

CMiscRelay::CMiscRelay() : CBlockPage(IDD_MISC_RELAY) {}

BOOL CMiscRelay::HasValueBox() const
{
    return m_nBlockType != 808 && m_nBlockType != 809 && m_nBlockType != 860 && m_nBlockType != 861;
}

void CMiscRelay::DoDataExchange(CDataExchange* pDX)
{
    if (!pDX->m_bSaveAndValidate && SendDlgItemMessage(1112, CB_GETCOUNT, 0, 0) == 0)
        for (int n = 0; n < 16; ++n) {
            CString text;
            text.Format(L"%d", n);
            SendDlgItemMessage(1112, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.GetString()));
            if (n < 4)
                SendDlgItemMessage(1114, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.GetString()));
        }
    CBlockPage::DoDataExchange(pDX);
    DDX_CBIndex(pDX, 1112, m_nOutputBit);
    DDX_Radio(pDX, 1110, m_nRSPriority);
    if (!pDX->m_bSaveAndValidate) {
        CString own;
        own.Format(L"%d", m_nShiftIndex);
        SendDlgItemMessage(1114, CB_SETCURSEL,
                           WPARAM(SendDlgItemMessage(1114, CB_FINDSTRINGEXACT, WPARAM(-1), reinterpret_cast<LPARAM>(own.GetString()))), 0);
        return;
    }
    // The index is the number the chosen entry shows; without a choice the block keeps its own.
    const int sel = int(SendDlgItemMessage(1114, CB_GETCURSEL, 0, 0));
    if (sel >= 0) {
        wchar_t text[8] = {};
        SendDlgItemMessage(1114, CB_GETLBTEXT, WPARAM(sel), reinterpret_cast<LPARAM>(text));
        m_nShiftIndex = int(std::wcstol(text, nullptr, 10));
    }
}

void CMiscRelay::InitPage()
{
    LayoutControls();
    SetModified(FALSE);
}

void CMiscRelay::LayoutControls()
{
    auto show = [this](UINT id, BOOL b) {
        if (CWnd* p = GetDlgItem(int(id)))
            p->ShowWindow(b ? SW_SHOW : SW_HIDE);
    };
    auto moveOnto = [this](UINT id, UINT target) {
        CWnd* p = GetDlgItem(int(id));
        CWnd* t = GetDlgItem(int(target));
        if (p && t) {
            CRect rc;
            t->GetWindowRect(&rc);
            ScreenToClient(&rc);
            p->MoveWindow(&rc);
        }
    };
    const int t = m_nBlockType;
    if (t == 809) {
        show(1110, TRUE), show(1111, TRUE), show(1114, FALSE), show(1112, FALSE);
        return;
    }
    if (t != 812) {
        for (UINT id : {1110u, 1111u, 1114u, 1112u})
            show(id, FALSE);
        if (t != 808 && t != 831)
            show(IDC_RETENTIVITY, FALSE);
        return;
    }
    moveOnto(1113, 1111);
    show(1113, TRUE);
    const CTavixDoc* pDoc = GetDocument();
    if (pDoc && !pDoc->IsNewModel()) {
        show(1115, FALSE), show(1114, FALSE);
    } else {
        moveOnto(1115, 1110);
        show(1115, TRUE), show(1114, TRUE);
        int mark[4] = {0, 0, 0, 0};  // 1 taken by another shift register, 2 this block's own
        if (pDoc)
            for (POSITION pos = pDoc->m_blocks.GetHeadPosition(); pos;) {
                const auto* pBlock = static_cast<const CBlockObj*>(pDoc->m_blocks.GetNext(pos));
                if (pBlock->m_nType == 812 && pBlock->m_nExtra2 >= 0 && pBlock->m_nExtra2 < 4)
                    mark[pBlock->m_nExtra2] = pBlock == m_pEditedBlock ? 2 : 1;
            }
        SendDlgItemMessage(1114, CB_RESETCONTENT, 0, 0);
        int own = -1;
        for (int k = 0; k < 4; ++k)
            if (mark[k] != 1) {
                CString text;
                text.Format(L"%d", k);
                const int pos = int(SendDlgItemMessage(1114, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.GetString())));
                if (mark[k] == 2)
                    own = pos;
            }
        SendDlgItemMessage(1114, CB_SETCURSEL, WPARAM(own), 0);
    }
    show(1110, FALSE), show(1111, FALSE), show(1112, TRUE);
}

void CMiscRelay::OnPriorityR()
{
    m_nRSPriority = 0;
    CheckRadioButton(1110, 1111, 1110);
    SetModified(TRUE);
}

void CMiscRelay::OnPriorityS()
{
    m_nRSPriority = 1;
    CheckRadioButton(1110, 1111, 1111);
    SetModified(TRUE);
}

void CMiscRelay::FillFromBlock(const CBlockObj& block, const CTavixDoc&, bool)
{
    m_bRetentivity = block.m_bRetentive;
    m_nOutputBit = block.m_nExtra1 >= 0 && block.m_nExtra1 < 16 ? block.m_nExtra1 : 0;
    m_nRSPriority = block.m_nExtra3 ? 1 : 0;
    m_nShiftIndex = block.m_nExtra2 >= 0 && block.m_nExtra2 < 4 ? block.m_nExtra2 : 0;
    m_pEditedBlock = &block;
}


void CMiscRelay::FillMiscRecord(CMiscParamRecord& record) const
{
    record.bRetentivity = m_bRetentivity;
    // Misc words 1 to 3 are the block's extra words 1 to 3.
    record.nMisc1 = m_nOutputBit;
    record.nMisc2 = m_nShiftIndex;
    record.nMisc3 = m_nRSPriority;
}
