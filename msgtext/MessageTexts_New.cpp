#include "msgtext/MessageTexts_New.h"

#include "document/NameTables.h"
#include "document/TavixDoc.h"
#include "elements/BlockAnalog.h"
#include "elements/BlockMSGTEXT.h"
#include "elements/BlockTime.h"
#include "elements/BlockTypes.h"
#include "msgtext/GraphDlg.h"
#include "msgtext/IOSN.h"
#include "msgtext/MsgTextGrid.h"
#include "msgtext/MsgTextLists.h"
#include "msgtext/MsgTextParamTable.h"
#include "msgtext/ScaleTimeDlg.h"
#include "msgtext/Widget.h"
#include "msgtext/WidgetSettingDlg.h"
#include "pages/ParamRecords.h"
#include "platform/ui/controls/CtlStd.h"
#include "platform/ui/core/Clipboard.h"
#include "platform/ui/core/MessageMap.h"
#include "platform/ui/dialogs/Ddx.h"
#include "platform/ui/framework/AppIds.h"
#include "resources/resource.h"
#include "shell/ChineseTexts.h"
#include "shell/LanguageDlg.h"

namespace {

constexpr int kIdPriority = 1118;
constexpr int kIdAcknowledge = 1068;
constexpr int kIdSet1 = 1380;
constexpr int kIdSet2 = 1381;
constexpr int kIdEnable1 = 1232;
constexpr int kIdEnable2 = 1233;
constexpr int kIdCharByChar = 1382;
constexpr int kIdLineByLine = 1383;
constexpr int kIdLines[4] = {1234, 1236, 1237, 1238};
constexpr int kIdDetails = 1026;
constexpr int kIdGrid = 1123;
constexpr int kIdBlocks = 1120;
constexpr int kIdInsert = 1121;
constexpr int kIdParams = 1122;
constexpr int kIdGeneral = 1124;
constexpr int kIdSpecial = 1395;
constexpr int kIdBar = 1396;
constexpr int kIdAI = 1394;
constexpr int kIdOnOff = 1398;
constexpr int kIdScaleTime = 1399;
constexpr int kIdAM = 1397;
constexpr int kIdScope = 1400;
constexpr int kIdPointer = 1401;
constexpr int kIdSizeGrip = 1126;
constexpr int kIdGraph = 1402;

constexpr COLORREF kValueColour = RGB(128, 128, 128);
constexpr COLORREF kGaugeColour = RGB(128, 128, 255);
constexpr COLORREF kScaleTimeColour = RGB(128, 192, 192);
constexpr COLORREF kOnOffColour = RGB(192, 192, 192);

// Indexes of the fourteen settings.
enum { sShown, sEnable1, sEnable2, sTicker1, sTicker2, sLines };

// Items whose field label is a short text of its own.
struct ShortText {
    int item;
    UINT id;
};
constexpr ShortText kShortTexts[] = {{12, 27450}, {13, 27451}, {19, 27452}, {30, 27453},
                                     {33, 27454}, {37, 27455}, {38, 27456}, {77, 27457}};

CString FieldText(int nItem)
{
    for (const ShortText& s : kShortTexts)
        if (s.item == nItem)
            return msgtext::Res(s.id);
    return msgtext::ParamName(nItem);
}

bool Listed(const CBlockObj* p)
{
    const int t = p->m_nType;
    CObject* o = const_cast<CBlockObj*>(p);
    return dynamic_cast<CBlockTime*>(o) || dynamic_cast<CBlockAnalog*>(o) || (t >= 800 && t <= 802) || t == 823 ||
           (t >= 832 && t <= 846) || (t >= 848 && t <= 854) || (t >= 856 && t <= 879);
}

} // namespace

BEGIN_MESSAGE_MAP(CMessageTexts_New, CBlockPage)
    ON_CONTROL(EN_CHANGE, IDC_BLOCK_NAME, OnParamChanged)
    ON_CONTROL_RANGE(BN_CLICKED, 1025, 1026, OnParamChangedRange)
    ON_CONTROL(BN_CLICKED, kIdAcknowledge, OnParamChanged)
    ON_CONTROL_RANGE(BN_CLICKED, kIdCharByChar, kIdLineByLine, OnParamChangedRange)
    ON_CONTROL_RANGE(BN_CLICKED, 1234, 1238, OnParamChangedRange)
    ON_CONTROL(CBN_SELCHANGE, kIdPriority, OnParamChanged)
    ON_CONTROL_RANGE(BN_CLICKED, kIdEnable1, kIdEnable2, OnSetEnable)
    ON_CONTROL_RANGE(BN_CLICKED, kIdSet1, kIdSet2, OnSetSelect)
    ON_CONTROL(LBN_SELCHANGE, kIdBlocks, OnBlockListChange)
    ON_CONTROL_RANGE(LBN_SELCHANGE, kIdParams, kIdGeneral, OnParamListChange)
    ON_CONTROL_RANGE(LBN_DBLCLK, kIdParams, kIdGeneral, OnParamListDblClk)
    ON_CONTROL(BN_CLICKED, kIdInsert, OnInsertParameter)
    ON_CONTROL(BN_CLICKED, kIdBar, OnInsertGaugeBar)
    ON_CONTROL_RANGE(BN_CLICKED, kIdScope, kIdPointer, OnGauge)
    ON_CONTROL(BN_CLICKED, kIdAI, OnAI)
    ON_CONTROL(BN_CLICKED, kIdAM, OnAM)
    ON_CONTROL(BN_CLICKED, kIdOnOff, OnInsertOnOff)
    ON_CONTROL(BN_CLICKED, kIdScaleTime, OnInsertScaleTime)
    ON_CONTROL(BN_CLICKED, kIdGraph, OnInsertGraph)
    ON_CONTROL(BN_CLICKED, kIdSpecial, OnInsertSpecialChars)
    ON_NOTIFY(GVN_BEGINLABELEDIT, kIdGrid, OnGridLabelEdit)
    ON_NOTIFY(GVN_ENDLABELEDIT, kIdGrid, OnGridLabelEdit)
    ON_COMMAND(ID_EDIT_COPY, OnEditCopy)
    ON_COMMAND(ID_EDIT_CUT, OnEditCut)
    ON_COMMAND(ID_EDIT_PASTE, OnEditPaste)
    ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, OnUpdateEditCopy)
    ON_UPDATE_COMMAND_UI(ID_EDIT_CUT, OnUpdateEditCopy)
    ON_UPDATE_COMMAND_UI(ID_EDIT_PASTE, OnUpdateEditPaste)
    ON_WM_SIZE()
END_MESSAGE_MAP()

CMessageTexts_New::CMessageTexts_New() : CMessageTexts_New(IDD_MT_EDITOR, FALSE) {}

CMessageTexts_New::CMessageTexts_New(UINT nIDTemplate, BOOL bOld) : CBlockPage(nIDTemplate), m_bOld(bOld)
{
    m_nBlockType = TYPE_MSGTEXT;
}

CMessageTexts_New::~CMessageTexts_New()
{
    CloseEditWindow(0);
}

// ---- the view's exchange with the block ----

void CMessageTexts_New::FillFromBlock(const CBlockObj& block, const CTavixDoc&, bool)
{
    const auto* p = dynamic_cast<const CBlockMSGTEXT*>(&block);
    if (!p)
        return;
    auto& b = const_cast<CBlockMSGTEXT&>(*p);
    m_nPriority = b.Priority() < 0 ? 0 : b.Priority();
    m_bProtection = b.m_bProtected ? 1 : 0;
    m_bAcknowledge = b.AcknowledgeRequired() ? 1 : 0;
    for (int i = 0; i < kCells; ++i) {
        m_astrSet1[i] = b.m_astrCells1[i];
        m_astrSet2[i] = b.m_astrCells2[i];
    }
    const int values[14] = {b.m_nCurrentSet, b.m_bSet1Enabled, b.m_bSet2Enabled, b.m_nTickerMode1, b.m_nTickerMode2,
                            b.m_bTickerLine[0], b.m_bTickerLine[1], b.m_bTickerLine[2], b.m_bTickerLine[3],
                            b.m_bTickerLine[4], b.m_bTickerLine[5], b.m_bTickerLine[6], b.m_bTickerLine[7],
                            b.m_bShowDetails};
    for (int i = 0; i < 14; ++i)
        m_nSettings[i] = values[i];
    if (m_bOld)
        m_nSettings[sShown] = 0;
}

void CMessageTexts_New::ReadIntoBlock(CBlockObj& block) const
{
    auto* p = dynamic_cast<CBlockMSGTEXT*>(&block);
    if (!p)
        return;
    p->Priority() = m_nPriority;
    p->AcknowledgeRequired() = m_bAcknowledge;
    p->m_bProtected = m_bProtection;
    if (m_bOld) {
        // The older devices keep the first twelve characters of set 1; the rest stays.
        for (int r = 0; r < kRows; ++r)
            for (int c = 0; c < CBlockMSGTEXT::kOldColumns; ++c)
                p->m_astrCells1[CBlockMSGTEXT::CellIndex(r, c)] = m_astrSet1[r * kCols + c];
        return;
    }
    for (int r = 1; r < kRows; ++r)
        for (int c = 1; c < kCols; ++c) {
            p->m_astrCells1[CBlockMSGTEXT::CellIndex(r, c)] = m_astrSet1[r * kCols + c];
            p->m_astrCells2[CBlockMSGTEXT::CellIndex(r, c)] = m_astrSet2[r * kCols + c];
        }
    int* const targets[14] = {&p->m_nCurrentSet, &p->m_bSet1Enabled, &p->m_bSet2Enabled, &p->m_nTickerMode1,
                              &p->m_nTickerMode2, &p->m_bTickerLine[0], &p->m_bTickerLine[1], &p->m_bTickerLine[2],
                              &p->m_bTickerLine[3], &p->m_bTickerLine[4], &p->m_bTickerLine[5], &p->m_bTickerLine[6],
                              &p->m_bTickerLine[7], &p->m_bShowDetails};
    for (int i = 0; i < 14; ++i)
        *targets[i] = m_nSettings[i];
}

void CMessageTexts_New::FillMsgTextRecord(CMsgTextParamRecord& record) const
{
    record.nPriority = m_nPriority;
    record.bAcknowledge = m_bAcknowledge;
    record.bProtection = m_bProtection;
    if (m_bOld) {
        record.pOldPage = const_cast<CMessageTexts_New*>(this);
        return;
    }
    record.pNewPage = const_cast<CMessageTexts_New*>(this);
    for (int i = 0; i < 14; ++i)
        record.nSettings[i] = m_nSettings[i];
}

// ---- data exchange and set-up ----

void CMessageTexts_New::DoDataExchange(CDataExchange* pDX)
{
    CBlockPage::DoDataExchange(pDX);
    DDX_Check(pDX, kIdAcknowledge, m_bAcknowledge);
    DDX_Control(pDX, kIdPriority, m_cbPriority);
    int index = -1;
    if (!pDX->m_bSaveAndValidate) {
        CString text;
        text.Format(L"%d", m_nPriority);
        index = m_cbPriority.FindStringExact(-1, text);
    }
    DDX_CBIndex(pDX, kIdPriority, index);
    DDX_Control(pDX, kIdGrid, m_grid);
    DDX_Control(pDX, kIdBlocks, m_lbBlocks);
    DDX_Control(pDX, kIdParams, m_lbParams);
    DDX_Control(pDX, kIdGeneral, m_lbGeneral);
    if (!m_bOld) {
        DDX_Radio(pDX, kIdSet1, m_nSettings[sShown]);
        DDX_Check(pDX, kIdEnable1, m_nSettings[sEnable1]);
        DDX_Check(pDX, kIdEnable2, m_nSettings[sEnable2]);
        const int set = m_nSettings[sShown] == 1 ? 1 : 0;
        DDX_Radio(pDX, kIdCharByChar, m_nSettings[sTicker1 + set]);
        for (int line = 0; line < 4; ++line)
            DDX_Check(pDX, kIdLines[line], m_nSettings[sLines + 2 * line + set]);
        DDX_Check(pDX, kIdDetails, m_nSettings[13]);
        DDX_Control(pDX, kIdScope, m_btnScope);
        DDX_Control(pDX, kIdPointer, m_btnPointer);
    }
    if (pDX->m_bSaveAndValidate && index >= 0) {
        CString text;
        m_cbPriority.GetLBText(index, text);
        m_nPriority = _wtoi(text.GetString());
    }
}

BOOL CMessageTexts_New::OnInitDialog()
{
    // The priority list is filled before the base exchange selects the block's own priority.
    CTavixDoc* pDoc = GetDocument();
    ::SendMessageW(::GetDlgItem(m_hWnd, kIdPriority), CB_RESETCONTENT, 0, 0);
    int marks[16] = {};
    if (pDoc)
        for (POSITION pos = pDoc->m_blocks.GetHeadPosition(); pos;) {
            auto* p = dynamic_cast<CBlockMSGTEXT*>(pDoc->m_blocks.GetNext(pos));
            if (p && p->Priority() >= 0 && p->Priority() < 16)
                marks[p->Priority()] = p->m_nNumber == m_nBlockNumber ? 2 : std::max(marks[p->Priority()], 1);
        }
    if (m_nPriority >= 0 && m_nPriority < 16)
        marks[m_nPriority] = 2;
    for (int i = 0; i < 16; ++i)
        if (marks[i] != 1) {
            CString text;
            text.Format(L"%d", i);
            ::SendMessageW(::GetDlgItem(m_hWnd, kIdPriority), CB_ADDSTRING, 0, LPARAM(text.GetString()));
        }
    CBlockPage::OnInitDialog();

    m_grid.SetFieldOwner(this);
    m_grid.m_bDragDropEnabled = TRUE;
    m_grid.GetDefaultCell(FALSE, FALSE)->SetBackColour(RGB(255, 255, 224));
    m_grid.m_bEditingAllowed = TRUE;
    m_grid.m_bSelectionEnabled = TRUE;
    m_grid.SetVirtualMode(FALSE);
    const int shown = m_nSettings[sShown] == 1 ? 1 : 0;
    CMsgTextGrid::Load(m_grid, kRows, LastColumn() + 1, Store(shown), kCols, RGB(0, 0, 0), !m_bOld);
    m_grid.SetFocusCell(1, 1);
    CMsgTextGrid::HideHeaders(m_grid);

    ::EnableWindow(::GetDlgItem(m_hWnd, kIdInsert), FALSE);
    m_lbBlocks.ResetContent();
    m_lbGeneral.ResetContent();
    if (pDoc) {
        if (g_astrParamNames.GetSize() < kParamNameCount)
            InitParamNameTable();
        for (POSITION pos = pDoc->m_blocks.GetHeadPosition(); pos;) {
            auto* p = static_cast<CBlockObj*>(pDoc->m_blocks.GetNext(pos));
            if (Listed(p) || (m_bOld && p->m_nType == 855))
                m_lbBlocks.AddString(msgtext::BlockEntry(p));
        }
        for (int i = 0; i < 4; ++i)
            m_lbGeneral.AddString(msgtext::ParamName(i));
        if (CBlockMSGTEXT* pBlock = FindOwnBlock())
            LoadFields(*pBlock);
    }
    if (!m_bOld) {
        if (!m_nSettings[sEnable1])
            ::EnableWindow(::GetDlgItem(m_hWnd, kIdSet1), FALSE);
        else if (!m_nSettings[sEnable2])
            ::EnableWindow(::GetDlgItem(m_hWnd, kIdSet2), FALSE);
        for (int set = 0; set < 2; ++set) {
            const int charset = pDoc ? (set == 0 ? pDoc->m_nTextSet1 : pDoc->m_nTextSet2) : 2;
            CString text;
            GetDlgItemText(set == 0 ? kIdSet1 : kIdSet2, text);
            text += msgtext::Res(IDS_MT_CHARSET_NAME_FIRST + UINT(charset == 0 || charset == 1 ? charset : 2));
            SetDlgItemText(set == 0 ? kIdSet1 : kIdSet2, text);
        }
        SetDlgItemText(kIdSpecial, L"\x2103");
        SetDlgItemText(kIdBar, L"\x2584");
        m_btnScope.SetIcon(IDI_MT_SCOPE);
        m_btnScope.SetIconId(IDI_MT_SCOPE);
        m_btnScope.SetFlat(FALSE, TRUE);
        m_btnPointer.SetIcon(IDI_MT_POINTER);
        m_btnPointer.SetIconId(IDI_MT_POINTER);
        m_btnPointer.SetFlat(FALSE, TRUE);
    }
    m_grid.Invalidate(TRUE);
    CRect client;
    GetClientRect(&client);
    m_nClientWidth = client.Width();
    m_nClientHeight = client.Height();
    return TRUE;
}

void CMessageTexts_New::OnSize(UINT nType, int cx, int cy)
{
    CBlockPage::OnSize(nType, cx, cy);
    if (cx < 2 || cy < 2 || m_nClientWidth < 0)
        return;
    const int dx = cx - m_nClientWidth, dy = cy - m_nClientHeight;
    m_nClientWidth = cx;
    m_nClientHeight = cy;
    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        CRect r;
        ::GetWindowRect(child, &r);
        ScreenToClient(&r);
        const int id = ::GetDlgCtrlID(child);
        if (id == kIdGrid) {
            // A grid squeezed to a sliver along an edge moves instead of growing.
            const bool sliver = ((r.top < 7 || dy <= 0) && r.Height() <= 20) || ((r.left < 7 || dx <= 0) && r.Width() <= 20);
            if (sliver)
                r.OffsetRect(dx, dy);
            else
                r.InflateRect(0, 0, dx, dy);
        } else {
            r.OffsetRect(dx, id == kIdSizeGrip ? dy : 0);
        }
        ::SetWindowPos(child, nullptr, r.left, r.top, r.Width(), r.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
        if (id == kIdSizeGrip)
            ::ShowWindow(child, nType == SIZE_MAXIMIZED ? SW_HIDE : SW_SHOW);
    }
    Invalidate(TRUE);
}

void CMessageTexts_New::AddTips()
{
    struct Tip {
        int id;
        UINT text;
    } tips[] = {{kIdPriority, IDS_MT_TIP_PRIORITY}, {kIdAcknowledge, IDS_MT_TIP_ACKNOWLEDGE},
                {kIdParams, IDS_MT_TIP_DOUBLE_CLICK}, {kIdGeneral, IDS_MT_TIP_DOUBLE_CLICK},
                {kIdInsert, IDS_MT_TIP_INSERT_PARAMETER}, {kIdSpecial, IDS_MT_TIP_SPECIAL},
                {kIdBar, IDS_MT_TIP_BAR}, {kIdAI, IDS_MT_TIP_AI}, {kIdOnOff, IDS_MT_TIP_ONOFF},
                {kIdScaleTime, IDS_MT_TIP_SCALE_TIME}, {kIdAM, IDS_MT_TIP_AM}, {kIdScope, IDS_MT_TIP_SCOPE},
                {kIdPointer, IDS_MT_TIP_POINTER}, {kIdGraph, IDS_MT_TIP_GRAPH}};
    for (const Tip& t : tips)
        if (CWnd* pCtrl = GetDlgItem(t.id))
            m_toolTip.AddTool(pCtrl, msgtext::Res(t.text));
}

CBlockMSGTEXT* CMessageTexts_New::FindOwnBlock() const
{
    CTavixDoc* pDoc = GetDocument();
    return pDoc ? dynamic_cast<CBlockMSGTEXT*>(pDoc->FindBlockByNumber(m_nBlockNumber)) : nullptr;
}

CRect CMessageTexts_New::CellsRect(int nRow, int nCol, int nRows, int nWidth)
{
    CRect rect;
    if (!m_grid.GetCellRangeRect(CCellRange(nRow, nCol, nRow + nRows - 1, nCol + nWidth - 1), &rect))
        return CRect();
    return CRect(rect.left, rect.top, rect.right + 1, rect.bottom + 1);
}

void CMessageTexts_New::LoadFields(CBlockMSGTEXT& block)
{
    for (int set = 0; set < (m_bOld ? 1 : 2); ++set) {
        CObArray* lines = set == 0 ? block.m_aLines1 : block.m_aLines2;
        for (int line = 0; line < CBlockMSGTEXT::kLines; ++line)
            for (INT_PTR i = 0; i < lines[line].GetSize(); ++i) {
                auto* p = static_cast<CWidget*>(lines[line][i]);
                // The older page keeps parameter fields of blocks only.
                if (!p || (m_bOld && !p->m_pBlock))
                    continue;
                auto* copy = new CWidget;
                p->CopyTo(copy);
                copy->m_bSelected = FALSE;
                copy->m_rect = CellsRect(p->m_nRow, p->m_nCol, CGridField::RowsOfKind(p->m_nType), p->m_nWidth);
                Held(set)[line + 1].push_back(copy);
            }
    }
    CloneLines(Held(m_nSettings[sShown] == 1 ? 1 : 0), m_grid.m_arShownFields);
}

void CMessageTexts_New::CloneLines(const CGridFieldLine* from, CGridFieldLine* to)
{
    for (int line = 1; line <= 4; ++line)
        for (CGridField* p : from[line]) {
            auto* copy = static_cast<CWidget*>(p->CloneField());
            copy->m_bSelected = FALSE;
            copy->m_pDoc = nullptr;
            to[line].push_back(copy);
        }
}

void CMessageTexts_New::FreeLines(CGridFieldLine* lines)
{
    for (int line = 1; line <= 4; ++line) {
        for (CGridField* p : lines[line])
            delete p;
        lines[line].clear();
    }
}

// ---- characters ----

int CMessageTexts_New::GetMachineType() const
{
    const CTavixDoc* pDoc = GetDocument();
    return pDoc ? pDoc->GetMachineType() : 0;
}

int CMessageTexts_New::GetAcceptedCharClass() const
{
    const CTavixDoc* pDoc = GetDocument();
    if (m_bOld || !pDoc)
        return 0;
    const int charset = m_nSettings[sShown] == 1 ? pDoc->m_nTextSet2 : pDoc->m_nTextSet1;
    return charset == 0 || charset == 1 ? 1 : 2;
}

int CMessageTexts_New::GetCharClass(wchar_t ch) const
{
    return ::GetCharClass(ch);
}

void CMessageTexts_New::DrawGridField(CGridCtrl*, CDC* pDC, CGridField* pField, BOOL bFramed)
{
    if (auto* p = dynamic_cast<CWidget*>(pField)) {
        if (bFramed)
            p->DrawWithFrame(m_pView, pDC, TRUE);
        else
            p->Draw(m_pView, pDC, TRUE);
    }
}

// ---- character sets ----

void CMessageTexts_New::SaveGrid(int nSet)
{
    CString* store = Store(nSet);
    for (int r = 0; r < kRows; ++r)
        for (int c = 0; c <= LastColumn(); ++c)
            store[r * kCols + c] = m_grid.GetItemText(r, c);
}

void CMessageTexts_New::LoadStore(int nSet)
{
    const CString* store = Store(nSet);
    for (int r = 0; r < kRows; ++r)
        for (int c = 0; c <= LastColumn(); ++c) {
            m_grid.SetItemState(r, c, r == 0 || c == 0 ? m_grid.GetItemState(r, c) : 0);
            m_grid.SetItemText(r, c, store[r * kCols + c]);
        }
    for (int r = 1; r < kRows; ++r)
        for (int c = 1; c <= LastColumn(); ++c)
            CMsgTextGrid::MarkWide(m_grid, r, c, store[r * kCols + c]);
}

void CMessageTexts_New::TakeTicker(int nSet)
{
    m_nSettings[sTicker1 + nSet] = IsDlgButtonChecked(kIdCharByChar) ? 0 : 1;
    for (int line = 0; line < 4; ++line)
        m_nSettings[sLines + 2 * line + nSet] = IsDlgButtonChecked(kIdLines[line]) ? 1 : 0;
}

void CMessageTexts_New::ShowTicker(int nSet)
{
    CheckDlgButton(kIdCharByChar, m_nSettings[sTicker1 + nSet] == 0);
    CheckDlgButton(kIdLineByLine, m_nSettings[sTicker1 + nSet] == 1);
    for (int line = 0; line < 4; ++line)
        CheckDlgButton(kIdLines[line], m_nSettings[sLines + 2 * line + nSet]);
}

void CMessageTexts_New::SwitchTextSet(int nTo, BOOL bClear)
{
    const int from = 1 - nTo;
    if (bClear) {
        for (int r = 0; r < kRows; ++r)
            for (int c = 0; c < kCols; ++c)
                Store(from)[r * kCols + c] = (r == 0 || c == 0) ? L"W" : L"";
        m_nSettings[sTicker1 + from] = 0;
        for (int line = 0; line < 4; ++line)
            m_nSettings[sLines + 2 * line + from] = 0;
        FreeLines(Held(from));
        m_grid.DeleteShownFields();
    } else {
        SaveGrid(from);
        TakeTicker(from);
        FreeLines(Held(from));
        CloneLines(m_grid.m_arShownFields, Held(from));
        m_grid.DeleteShownFields();
    }
    LoadStore(nTo);
    m_grid.SetFocusCell(1, 1);
    ShowTicker(nTo);
    CloneLines(Held(nTo), m_grid.m_arShownFields);
    m_nSettings[sShown] = nTo;
    m_grid.Invalidate(TRUE);
}

void CMessageTexts_New::OnSetSelect(UINT nId)
{
    const int want = nId == kIdSet2 ? 1 : 0;
    if (want != m_nSettings[sShown])
        SwitchTextSet(want, FALSE);
    SetModified(TRUE);
}

void CMessageTexts_New::OnSetEnable(UINT nId)
{
    const int set = nId == kIdEnable2 ? 1 : 0;
    const int other = 1 - set;
    const int idSelf = set == 0 ? kIdEnable1 : kIdEnable2;
    const int idOther = set == 0 ? kIdEnable2 : kIdEnable1;
    const int radioSelf = set == 0 ? kIdSet1 : kIdSet2;
    const int radioOther = set == 0 ? kIdSet2 : kIdSet1;
    // At least one set stays enabled.
    if (!IsDlgButtonChecked(idOther)) {
        CheckDlgButton(idSelf, BST_CHECKED);
        return;
    }
    if (IsDlgButtonChecked(idSelf)) {
        m_nSettings[sEnable1 + set] = 1;
        ::EnableWindow(::GetDlgItem(m_hWnd, radioSelf), TRUE);
        SetModified(TRUE);
        return;
    }
    if (MessageBox(msgtext::Res(IDS_MT_CLEAR_SET), nullptr, MB_YESNO | MB_ICONQUESTION) != IDYES) {
        CheckDlgButton(idSelf, BST_CHECKED);
        return;
    }
    m_nSettings[sEnable1 + set] = 0;
    if (m_nSettings[sShown] == set) {
        CheckDlgButton(radioSelf, BST_UNCHECKED);
        CheckDlgButton(radioOther, BST_CHECKED);
        SwitchTextSet(other, TRUE);
    } else {
        // The set that is not shown is emptied; the shown one keeps its edits.
        for (int r = 0; r < kRows; ++r)
            for (int c = 0; c < kCols; ++c)
                Store(set)[r * kCols + c] = (r == 0 || c == 0) ? L"W" : L"";
        m_nSettings[sTicker1 + set] = 0;
        for (int line = 0; line < 4; ++line)
            m_nSettings[sLines + 2 * line + set] = 0;
        FreeLines(Held(set));
    }
    ::EnableWindow(::GetDlgItem(m_hWnd, radioSelf), FALSE);
    SetModified(TRUE);
}

// ---- OK ----

void CMessageTexts_New::OnOK()
{
    for (int line = 1; line <= 4; ++line) {
        CGridFieldLine& fields = m_grid.m_arShownFields[line];
        for (auto it = fields.begin(); it != fields.end();) {
            if ((*it)->GetFieldRow() <= 0 || (*it)->GetFieldColumn() <= 0) {
                delete *it;
                it = fields.erase(it);
            } else {
                ++it;
            }
        }
    }
    const int shown = m_bOld ? 0 : (m_nSettings[sShown] == 1 ? 1 : 0);
    if (!m_bOld)
        TakeTicker(shown);
    SaveGrid(shown);
    if (CBlockMSGTEXT* pBlock = FindOwnBlock()) {
        for (int set = 0; set < (m_bOld ? 1 : 2); ++set) {
            CObArray* lines = set == 0 ? pBlock->m_aLines1 : pBlock->m_aLines2;
            const CGridFieldLine* source = set == shown ? m_grid.m_arShownFields : Held(set);
            for (int line = 0; line < CBlockMSGTEXT::kLines; ++line) {
                for (INT_PTR i = 0; i < lines[line].GetSize(); ++i)
                    delete lines[line][i];
                lines[line].RemoveAll();
                for (CGridField* p : source[line + 1]) {
                    auto* w = static_cast<CWidget*>(p);
                    if (m_bOld && !w->m_pBlock)
                        continue;
                    auto* copy = new CWidget;
                    w->CopyTo(copy);
                    copy->m_bSelected = FALSE;
                    lines[line].Add(copy);
                }
            }
        }
        for (int line = 1; line <= 4; ++line)
            for (CGridField* p : m_grid.m_arShownFields[line])
                p->SetFieldSelected(FALSE);
    }
    CBlockPage::OnOK();
}

BOOL CMessageTexts_New::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN)
        pMsg->wParam = VK_TAB;
    if ((pMsg->message == WM_LBUTTONDOWN || pMsg->message == WM_RBUTTONDOWN) && m_pPalette &&
        pMsg->hwnd != m_pPalette->m_hWnd && ::GetParent(pMsg->hwnd) != m_pPalette->m_hWnd)
        CloseEditWindow(0);
    return CBlockPage::PreTranslateMessage(pMsg);
}

void CMessageTexts_New::OnUpdateEditCopy(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_grid.GetSelectedCount() > 0);
}

void CMessageTexts_New::OnUpdateEditPaste(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(::IsClipboardFormatAvailable(CF_UNICODETEXT));
}

// ---- placing fields ----

int CMessageTexts_New::CountShown(int nKind) const
{
    int n = 0;
    for (int line = 1; line <= 4; ++line)
        for (const CGridField* p : m_grid.m_arShownFields[line])
            n += p->GetFieldKind() == nKind;
    return n;
}

CWidget* CMessageTexts_New::PlaceField(int nKind, int nWidth, COLORREF cr, CBlockObj* pBlock, int nNumber, int nItem,
                                       const CString& text)
{
    const CCellID cell = m_grid.GetFocusCell();
    const int row = cell.row, col = cell.col;
    const int rows = CGridField::RowsOfKind(nKind);
    bool refused = row < 1 || row > 4 || col < 1 || col > LastColumn() || nWidth <= 0 ||
                   col + nWidth > LastColumn() + 1 || row + rows - 1 > 4;
    if (!refused && (nKind == widgetScope || nKind == widgetPointer) && row > 2)
        refused = true;
    if (!refused && nKind == widgetGraph && row > 1)
        refused = true;
    CRect rect;
    if (!refused) {
        rect = CellsRect(row, col, rows, nWidth);
        if (m_bOld) {
            refused = !m_grid.m_arShownFields[row].empty();  // one field a line
        } else {
            const int minOverlap = m_grid.GetRowHeight(1) / 2;
            for (int line = 1; line <= 4 && !refused; ++line)
                for (const CGridField* p : m_grid.m_arShownFields[line]) {
                    CRect overlap;
                    const CRect other = p->GetFieldRect();
                    if (overlap.IntersectRect(&other, &rect) && overlap.Height() >= minOverlap) {
                        refused = true;
                        break;
                    }
                }
            const bool everyRow = nKind == widgetBar || nKind == widgetScope || nKind == widgetPointer;
            for (int r = row; !refused && r < row + (everyRow ? rows : 1); ++r)
                if ((m_grid.GetItemState(r, col + nWidth - 1) & GRIDSTATE_LEFTHALF) ||
                    (m_grid.GetItemState(r, col) & GRIDSTATE_RIGHTHALF))
                    refused = true;
        }
    }
    if (refused) {
        CString message;
        message.Format(msgtext::Res(IDS_MT_CANNOT_INSERT_AT), m_nBlockNumber - 9000);
        MessageBox(message, nullptr, MB_OK | MB_ICONWARNING);
        return nullptr;
    }
    auto* w = new CWidget(rect.left, rect.top, rect.Width(), rect.Height(), cr);
    w->m_nRow = row;
    w->m_nCol = col;
    w->m_pBlock = pBlock;
    w->m_nNumber = nNumber;
    w->m_nItem = nItem;
    w->m_strText = text;
    w->m_nType = nKind;
    w->m_nWidth = nWidth;
    for (int line = 1; line <= 4; ++line)
        for (CGridField* p : m_grid.m_arShownFields[line])
            p->SetFieldSelected(FALSE);
    w->m_bSelected = TRUE;
    m_grid.m_arShownFields[row].push_back(w);
    m_grid.EmptyCellsUnder(w);
    m_grid.Invalidate(TRUE);
    return w;
}

void CMessageTexts_New::OnBlockListChange()
{
    const int index = m_lbBlocks.GetCurSel();
    if (index == m_nLastBlockIndex)
        return;
    m_nLastBlockIndex = index;
    ::EnableWindow(::GetDlgItem(m_hWnd, kIdInsert), FALSE);
    m_lbParams.ResetContent();
    m_pSelectedBlock = nullptr;
    CTavixDoc* pDoc = GetDocument();
    if (!pDoc || index < 0)
        return;
    CString entry;
    m_lbBlocks.GetText(index, entry);
    m_pSelectedBlock = pDoc->FindBlockByNumber(msgtext::BlockNumberOfEntry(entry));
    if (m_pSelectedBlock)
        for (int item : GetShownItems(m_pSelectedBlock->m_nType, pDoc->GetMachineType()))
            m_lbParams.AddString(msgtext::ParamName(item));
}

void CMessageTexts_New::OnParamListChange(UINT nId)
{
    ::EnableWindow(::GetDlgItem(m_hWnd, kIdInsert), TRUE);
    (nId == kIdParams ? m_lbGeneral : m_lbParams).SetCurSel(-1);
}

void CMessageTexts_New::OnInsertParameter()
{
    CTavixDoc* pDoc = GetDocument();
    if (!pDoc)
        return;
    int position = m_lbGeneral.GetCurSel();
    CBlockObj* pBlock = nullptr;
    int item = -1;
    if (position >= 0) {
        pBlock = FindOwnBlock();
        item = GetShownItems(TYPE_MSGTEXT, 0x51)[size_t(position)];
    } else if ((position = m_lbParams.GetCurSel()) >= 0 && m_pSelectedBlock) {
        pBlock = m_pSelectedBlock;
        const std::vector<int> items = GetShownItems(pBlock->m_nType, pDoc->GetMachineType());
        if (position >= int(items.size()))
            return;
        item = items[size_t(position)];
    } else {
        return;
    }
    PlaceField(position, CWidget::GetDefaultWidth(item), kValueColour, pBlock, pBlock ? pBlock->m_nNumber : -1, item,
               FieldText(item));
}

void CMessageTexts_New::OnInsertGauge(int nKind)
{
    CTavixDoc* pDoc = GetDocument();
    if (msgtext::ActualValueBlocks(pDoc).empty()) {
        MessageBox(msgtext::Res(IDS_MT_NO_ACTUAL_VALUE), nullptr, MB_OK | MB_ICONERROR);
        return;
    }
    const int limit = nKind == widgetBar ? 8 : 2;
    if (CountShown(nKind) >= limit) {
        CString message;
        message.Format(msgtext::Res(IDS_MT_MAX_GAUGES), limit,
                       msgtext::Res(nKind == widgetBar ? IDS_MT_BAR_GRAPHS : nKind == widgetScope ? IDS_MT_SCOPES
                                                                                                  : IDS_MT_POINTERS)
                           .GetString());
        MessageBox(message, nullptr, MB_OK | MB_ICONINFORMATION);
        return;
    }
    CWidgetSettingDlg dlg(pDoc, this);
    dlg.m_nType = nKind;
    if (nKind == widgetScope)
        dlg.m_nWidthOrTime = 5;
    if (dlg.DoModal() != IDOK)
        return;
    CBlockObj* pBlock = pDoc->FindBlockByNumber(dlg.m_nBlockNumber);
    const std::vector<int> values = pBlock ? GetAnalogValueItems(pBlock->m_nType) : std::vector<int>();
    if (dlg.m_nValueIndex < 0 || dlg.m_nValueIndex >= int(values.size()))
        return;
    const int item = values[size_t(dlg.m_nValueIndex)];
    CWidget* w = PlaceField(nKind, nKind == widgetBar ? dlg.m_nWidthOrTime : 12, kGaugeColour, pBlock,
                            dlg.m_nBlockNumber, item, msgtext::ParamName(item));
    if (!w)
        return;
    w->m_nSetting = dlg.m_nWidthOrTime;
    w->m_nMinValue = dlg.m_nMinValue;
    w->m_nMaxValue = dlg.m_nMaxValue;
    w->m_nValueIndex = dlg.m_nValueIndex;
}

void CMessageTexts_New::OnInsertScaleTime()
{
    CTavixDoc* pDoc = GetDocument();
    if (msgtext::ActualValueBlocks(pDoc).empty()) {
        MessageBox(msgtext::Res(IDS_MT_NO_ACTUAL_VALUE), nullptr, MB_OK | MB_ICONERROR);
        return;
    }
    if (CountShown(widgetScaleTime) >= 8) {
        MessageBox(msgtext::Res(IDS_MT_MAX_SCALE_TIMES), nullptr, MB_OK | MB_ICONINFORMATION);
        return;
    }
    CScaleTimeDlg dlg(pDoc, this);
    if (dlg.DoModal() != IDOK)
        return;
    CBlockObj* pBlock = pDoc->FindBlockByNumber(dlg.m_nBlockNumber);
    const std::vector<int> values = pBlock ? GetAnalogValueItems(pBlock->m_nType) : std::vector<int>();
    if (dlg.m_nValueIndex < 0 || dlg.m_nValueIndex >= int(values.size()))
        return;
    const int item = values[size_t(dlg.m_nValueIndex)];
    if (CWidget* w = PlaceField(widgetScaleTime, 11, kScaleTimeColour, pBlock, dlg.m_nBlockNumber, item,
                                msgtext::ParamName(item))) {
        w->m_nValueIndex = dlg.m_nValueIndex;
        w->m_nSetting = dlg.m_nTimeBase;
    }
}

void CMessageTexts_New::OnInsertGraph()
{
    if (CountShown(widgetGraph) >= 2) {
        CString message;
        message.Format(msgtext::Res(IDS_MT_MAX_GRAPHS), 2);
        MessageBox(message, nullptr, MB_OK | MB_ICONINFORMATION);
        return;
    }
    CGraphDlg dlg(this);
    if (dlg.DoModal() != IDOK)
        return;
    m_pSelectedBlock = nullptr;
    if (CWidget* w = PlaceField(widgetGraph, 12, kGaugeColour, nullptr, -1, -1, CString()))
        w->m_nSetting = dlg.m_nPicture;
}

void CMessageTexts_New::OnInsertOnOff()
{
    CTavixDoc* pDoc = GetDocument();
    CIOSN dlg(pDoc, this);
    dlg.m_nSet = m_nSettings[sShown] == 1 ? 1 : 0;
    for (int i = 0; i < CIOSN::kRows * CIOSN::kCols; ++i)
        dlg.m_strStatusName[i] = (i < CIOSN::kCols || i % CIOSN::kCols == 0) ? L"W" : L" ";
    dlg.m_strStatusName[10] = L"O", dlg.m_strStatusName[11] = L"F", dlg.m_strStatusName[12] = L"F";
    dlg.m_strStatusName[19] = L"O", dlg.m_strStatusName[20] = L"N";
    if (dlg.DoModal() != IDOK || !pDoc)
        return;
    CBlockObj* pBlock = pDoc->FindBlockByNumber(dlg.m_nNumber);
    int item = 0, width = 8;
    CString text;
    if (pBlock) {
        const std::vector<int> items = GetShownItems(pBlock->m_nType, 0x51);
        item = items.empty() ? 0 : items.front();
        if (CTavixDoc::GetBlockKind(pBlock->m_nType) != KIND_FUNCTION && !items.empty())
            width = CWidget::GetDefaultWidth(item);
        text = GetBlockTypeName(pBlock->m_nType);
    }
    // Every ON/OFF field is at least wide enough for its names.
    if (width <= 0)
        width = 8;
    if (CWidget* w = PlaceField(widgetOnOff, width, kOnOffColour, pBlock, pBlock ? pBlock->m_nNumber : dlg.m_nNumber,
                                item, text))
        for (int r = 1; r < CIOSN::kRows; ++r)
            for (int c = 1; c < CIOSN::kCols; ++c)
                w->m_strStatusName[r * CIOSN::kCols + c] = dlg.m_strStatusName[r * CIOSN::kCols + c];
}

CWidget* CMessageTexts_New::InsertValueField(int nOperand)
{
    CTavixDoc* pDoc = GetDocument();
    CBlockObj* pBlock = pDoc ? pDoc->FindBlockByNumber(nOperand) : nullptr;
    const int type = pBlock ? pBlock->m_nType : nOperand >= 4288 ? 610 : 608;
    const std::vector<int> items = GetShownItems(type, 0x51);
    if (items.empty())
        return nullptr;
    const int item = items.front();
    return PlaceField(0, CWidget::GetDefaultWidth(item), kValueColour, pBlock, pBlock ? pBlock->m_nNumber : nOperand,
                      item, msgtext::ParamName(item));
}

void CMessageTexts_New::OnInsertAnalog(BOOL bAM)
{
    CTavixDoc* pDoc = GetDocument();
    if (CLanguageDlg::AnalogOperands(pDoc, bAM).empty()) {
        MessageBox(msgtext::Res(bAM ? IDS_MT_NO_AM : IDS_MT_NO_AI), nullptr, MB_OK | MB_ICONERROR);
        return;
    }
    // The user picks which analog input or flag the field shows.
    CLanguageDlg dlg(this);
    dlg.m_nMode = bAM ? CLanguageDlg::modeAM : CLanguageDlg::modeAI;
    dlg.m_pDoc = pDoc;
    if (dlg.DoModal() != IDOK || dlg.m_nOperand < 0)
        return;
    InsertValueField(dlg.m_nOperand);
}

// ---- special characters ----

void CMessageTexts_New::OnInsertSpecialChars()
{
    if (m_pPalette)
        return;
    auto* p = new CCharPaletteDlg(this);
    if (!p->CreatePalette(this)) {
        delete p;
        return;
    }
    m_pPalette = p;
}

void CMessageTexts_New::CloseEditWindow(wchar_t ch)
{
    if (!m_pPalette)
        return;
    if (ch)
        InsertSpecialChar(ch);
    CCharPaletteDlg* p = m_pPalette;
    m_pPalette = nullptr;
    if (::IsWindow(p->GetSafeHwnd()))
        p->DestroyWindow();
    else
        delete p;
}

void CMessageTexts_New::InsertSpecialChar(wchar_t ch)
{
    const CCellID cell = m_grid.GetFocusCell();
    if (cell.row < 1 || cell.row > 4 || cell.col < 1 || cell.col > LastColumn())
        return;
    if (m_grid.FieldInRowCovers(cell.row, cell.col) ||
        (m_grid.GetItemState(cell.row, cell.col) & (GRIDSTATE_LEFTHALF | GRIDSTATE_RIGHTHALF)))
        return;
    const wchar_t text[2] = {ch, 0};
    m_grid.SetItemText(cell.row, cell.col, text);
    m_grid.RedrawCell(cell.row, cell.col);
}

// ---- double-click on a field ----

BOOL CMessageTexts_New::RunFieldDialog(CGridCtrl*, CGridField* pField, GridFieldEdit& edit)
{
    auto* w = dynamic_cast<CWidget*>(pField);
    CTavixDoc* pDoc = GetDocument();
    if (!w)
        return FALSE;
    switch (w->m_nType) {
    case widgetBar:
    case widgetScope:
    case widgetPointer: {
        CWidgetSettingDlg dlg(pDoc, this);
        dlg.m_pWidget = w;
        dlg.m_nType = w->m_nType;
        dlg.m_nValueIndex = w->m_nValueIndex;
        dlg.m_nMinValue = w->m_nMinValue;
        dlg.m_nMaxValue = w->m_nMaxValue;
        dlg.m_nWidthOrTime = w->m_nType == widgetBar ? w->m_nWidth : w->m_nSetting;
        if (dlg.DoModal() != IDOK)
            return FALSE;
        m_pending.nValueIndex = dlg.m_nValueIndex;
        m_pending.nMin = dlg.m_nMinValue;
        m_pending.nMax = dlg.m_nMaxValue;
        m_pending.nSetting = w->m_nType == widgetScope ? dlg.m_nWidthOrTime : w->m_nSetting;
        edit.nWidth = w->m_nType == widgetBar ? dlg.m_nWidthOrTime : w->m_nWidth;
        return TRUE;
    }
    case widgetScaleTime: {
        CScaleTimeDlg dlg(pDoc, this);
        dlg.m_pWidget = w;
        dlg.m_nValueIndex = w->m_nValueIndex;
        dlg.m_nTimeBase = w->m_nSetting;
        if (dlg.DoModal() != IDOK)
            return FALSE;
        m_pending.nValueIndex = dlg.m_nValueIndex;
        m_pending.nMin = w->m_nMinValue;
        m_pending.nMax = w->m_nMaxValue;
        m_pending.nSetting = dlg.m_nTimeBase;
        return TRUE;
    }
    case widgetGraph: {
        CGraphDlg dlg(this);
        dlg.m_pWidget = w;
        dlg.m_nPicture = w->m_nSetting;
        if (dlg.DoModal() != IDOK)
            return FALSE;
        m_pending.nValueIndex = w->m_nValueIndex;
        m_pending.nMin = w->m_nMinValue;
        m_pending.nMax = w->m_nMaxValue;
        m_pending.nSetting = dlg.m_nPicture;
        return TRUE;
    }
    case widgetOnOff: {
        CIOSN dlg(pDoc, this);
        dlg.m_pWidget = w;
        dlg.m_nSet = m_nSettings[sShown] == 1 ? 1 : 0;
        for (int i = 0; i < CWidget::nameRows * CWidget::nameCols; ++i)
            dlg.m_strStatusName[i] = w->m_strStatusName[i];
        if (dlg.DoModal() != IDOK)
            return FALSE;
        for (int i = 0; i < CWidget::nameRows * CWidget::nameCols; ++i)
            m_pending.names[i] = dlg.m_strStatusName[i];
        m_pending.nValueIndex = w->m_nValueIndex;
        m_pending.nMin = w->m_nMinValue;
        m_pending.nMax = w->m_nMaxValue;
        m_pending.nSetting = w->m_nSetting;
        return TRUE;
    }
    default:
        return FALSE;
    }
}

void CMessageTexts_New::ApplyFieldDialog(CGridCtrl*, CGridField* pField)
{
    auto* w = dynamic_cast<CWidget*>(pField);
    if (!w)
        return;
    if (w->m_nType == widgetOnOff) {
        w->m_strText = w->m_pBlock ? GetBlockTypeName(w->m_pBlock->m_nType) : CString();
        for (int r = 1; r < CWidget::nameRows; ++r)
            for (int c = 1; c < CWidget::nameCols; ++c)
                w->m_strStatusName[r * CWidget::nameCols + c] = m_pending.names[r * CWidget::nameCols + c];
        return;
    }
    if (w->m_nType != widgetGraph)
        w->m_strText = msgtext::ParamName(w->m_nItem);
    w->m_nValueIndex = m_pending.nValueIndex;
    w->m_nMinValue = m_pending.nMin;
    w->m_nMaxValue = m_pending.nMax;
    w->m_nSetting = m_pending.nSetting;
}
