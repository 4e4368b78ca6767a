#include "shell/ProgramPropsLogo.h"

#include "document/TavixDoc.h"
#include "image/ImageLayout.h"
#include "platform/base/File.h"
#include "platform/gdi/BmpFile.h"
#include "platform/gdi/DC.h"
#include "platform/ui/controls/CtlStd.h"
#include "platform/ui/core/WndDC.h"
#include "platform/ui/dialogs/CommonDlg.h"
#include "platform/ui/framework/App.h"
#include "platform/ui/core/MessageMap.h"
#include "platform/ui/dialogs/Ddx.h"
#include "resources/resource.h"
#include "shell/ProgramPropsFields.h"
#include "shell/ProgramPropsLogoImage.h"

#include <algorithm>
#include <vector>

namespace {

// A logo file is 1 KiB or so; nothing near this size can be one.
constexpr ULONGLONG kMaxLogoFile = 1u << 20;

bool ReadWholeFile(const CString& path, std::vector<BYTE>& bytes)
{
    CFile file;
    if (path.IsEmpty() || !file.Open(path, CFile::modeRead | CFile::shareDenyWrite))
        return false;
    const ULONGLONG length = file.GetLength();
    if (length > kMaxLogoFile) {
        bytes.clear();  // read as nothing: refused as no bitmap
        return true;
    }
    bytes.resize(size_t(length));
    const UINT read = bytes.empty() ? 0 : file.Read(bytes.data(), UINT(bytes.size()));
    bytes.resize(read);
    file.Abort();
    return true;
}

bool HasBmpExtension(const CString& path)
{
    return path.GetLength() >= 4 && path.Right(4).CompareNoCase(L".bmp") == 0;
}

} // namespace

BEGIN_MESSAGE_MAP(CStartUpBmp, CPropertyPage)
    ON_CONTROL(BN_CLICKED, IDC_PP_LOGO_OPEN, OnOpen)
    ON_WM_PAINT()
END_MESSAGE_MAP()

CStartUpBmp::CStartUpBmp(CTavixDoc* pDoc) : CPropertyPage(IDD_PROPS_LOGO), m_pDoc(pDoc)
{
    m_psp.dwFlags |= PSP_HASHELP;
}

CStartUpBmp::~CStartUpBmp() = default;

int CStartUpBmp::ConvertLogoBitmap(const CString& path, BYTE* pOut)
{
    std::vector<BYTE> bytes;
    if (!ReadWholeFile(path, bytes))
        return logoNoFile;
    BYTE image[kLogoImageBytes];
    if (ConvertLogoBytes(bytes.data(), bytes.size(), image) != LogoResult::ok) {
        CString text;
        text.Format(AfxLoadString(pOut ? IDS_PROPS_LOGO_NOT_MONOCHROME_DL : IDS_PROPS_LOGO_NOT_MONOCHROME),
                    LPCTSTR(path));
        AfxMessageBox(text, pOut ? MB_ICONEXCLAMATION : MB_OK);
        return logoWrongFormat;
    }
    if (pOut != nullptr)
        std::copy(image, image + kLogoImageBytes, pOut);
    return logoOk;
}

BOOL CStartUpBmp::BuildDeviceLogo(const CTavixDoc& doc, BYTE* pOut)
{
    std::fill(pOut, pOut + kLogoImageBytes, BYTE(0));
    if (!doc.m_strLogoPath.IsEmpty() && ConvertLogoBitmap(doc.m_strLogoPath, pOut) == logoOk) {
        if (doc.m_bLogoInverse)
            for (int i = 0; i < kLogoImageBytes; ++i)
                pOut[i] = BYTE(~pOut[i]);
        return TRUE;
    }
    if (doc.m_bLogoPresent && doc.m_strLogoPath.IsEmpty() && doc.m_pLogo != nullptr) {
        std::copy(doc.m_pLogo, doc.m_pLogo + kLogoImageBytes, pOut);
        return TRUE;
    }
    return FALSE;
}

BOOL CStartUpBmp::PutLogoIntoImage(const CTavixDoc& doc, BYTE* pArea0)
{
    BYTE logo[kLogoImageBytes];
    if (!BuildDeviceLogo(doc, logo))
        return FALSE;
    std::copy(logo, logo + kLogoImageBytes, pArea0 + kLcLogo);
    PutU16(pArea0 + kLcLogoFlag, 1);
    return TRUE;
}

BOOL CStartUpBmp::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    if (CWnd* note = GetDlgItem(IDC_PP_LOGO_UPLOAD_NOTE))
        note->ShowWindow(m_pDoc && m_pDoc->m_bLogoPresent ? SW_SHOW : SW_HIDE);
    SendDlgItemMessage(IDC_PP_LOGO_PATH, EM_LIMITTEXT, maxPath);
    if (m_pDoc && !m_pDoc->m_strLogoPath.IsEmpty())
        LoadPreview(m_pDoc->m_strLogoPath);
    FillDisplayCombos();
    return TRUE;
}

void CStartUpBmp::FillDisplayCombos()
{
    const bool newFamily = m_pDoc == nullptr || m_pDoc->IsNewModel();
    const int controls[] = {IDC_PP_DISPLAY_GROUP, 1177, 1178, 1179, 1180, IDC_PP_DISPLAY_LANGUAGE,
                            IDC_PP_LOGO_TIME, IDC_PP_CONTRAST, IDC_PP_BACKLIGHT};
    for (int nID : controls)
        if (CWnd* w = GetDlgItem(nID))
            w->ShowWindow(newFamily ? SW_SHOW : SW_HIDE);
    if (!newFamily)
        return;
    const struct {
        int nID;
        std::vector<const wchar_t*> entries;
        int value;
    } combos[] = {
        {IDC_PP_DISPLAY_LANGUAGE,
         {L"English", L"Italy", L"Dutch", L"Spanish", L"French", L"Traditional Chinese", L"Simplied Chinese",
          L"German", L"Turkish", L"Russian"},
         m_nDisplayLanguage},
        {IDC_PP_LOGO_TIME, {L"None", L"5 Seconds", L"10 Seconds", L"15 Seconds"}, m_nLogoTime},
        {IDC_PP_CONTRAST, {L"0", L"1", L"2", L"3", L"4", L"5", L"6", L"7"}, m_nContrast},
        {IDC_PP_BACKLIGHT, {L"OFF", L"ON"}, m_nBacklight},
    };
    for (const auto& c : combos) {
        SendDlgItemMessage(c.nID, CB_RESETCONTENT);
        for (const wchar_t* e : c.entries)
            SendDlgItemMessage(c.nID, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(e));
        SendDlgItemMessage(c.nID, CB_SETCURSEL, WPARAM(c.value));
    }
}

void CStartUpBmp::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_PP_LOGO_PATH, m_strLogoPath);
    DDV_MaxChars(pDX, m_strLogoPath, maxPath);
    DDX_Check(pDX, IDC_PP_LOGO_INVERSE, m_bShowInverse);
    // The display settings exist only on the newer families; below them the lists stay empty
    // and the values as they are.
    if (m_pDoc != nullptr && !m_pDoc->IsNewModel())
        return;
    DDX_ListIndex(pDX, IDC_PP_BACKLIGHT, m_nBacklight);
    DDX_ListIndex(pDX, IDC_PP_DISPLAY_LANGUAGE, m_nDisplayLanguage);
    DDX_ListIndex(pDX, IDC_PP_CONTRAST, m_nContrast);
    DDX_ListIndex(pDX, IDC_PP_LOGO_TIME, m_nLogoTime);
}

void CStartUpBmp::OnCancel()
{
    m_strLogoPath.Empty();
    CPropertyPage::OnCancel();
}

void CStartUpBmp::OnOpen()
{
    CFileDialog dlg(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, AfxLoadString(IDS_PROPS_LOGO_FILTER),
                    this);
    if (dlg.DoModal() == IDOK)
        LoadPreview(dlg.GetPathName());
}

BOOL CStartUpBmp::LoadPreview(const CString& path)
{
    m_preview.DeleteObject();
    Invalidate();
    DibImage dib;
    if (!HasBmpExtension(path) || !ReadBmpFile(std::wstring(path.GetString()), dib)) {
        CString text;
        text.Format(AfxLoadString(IDS_PROPS_LOGO_NOT_BITMAP), LPCTSTR(path));
        AfxMessageBox(text);
        return FALSE;
    }
    if (ConvertLogoBitmap(path, nullptr) != logoOk)
        return FALSE;
    m_preview.Attach(CreateBitmapFromDib(dib));
    SetDlgItemText(IDC_PP_LOGO_PATH, path);
    return TRUE;
}

void CStartUpBmp::OnPaint()
{
    CPaintDC dc(this);
    if (HasPreview()) {
        CRect frame;
        if (CWnd* w = GetDlgItem(IDC_PP_LOGO_FRAME)) {
            w->GetWindowRect(&frame);
            ScreenToClient(&frame);
        }
        BITMAP info{};
        m_preview.GetBitmap(&info);
        CDC mem;
        mem.CreateCompatibleDC(&dc);
        CBitmap* old = mem.SelectObject(&m_preview);
        dc.BitBlt(frame.left, frame.top, info.bmWidth, info.bmHeight, &mem, 0, 0, SRCCOPY);
        mem.SelectObject(old);
    }
    if (m_pDoc != nullptr && m_pDoc->m_bLogoPresent) {
        CWnd* note = GetDlgItem(IDC_PP_LOGO_UPLOAD_NOTE);
        if (note == nullptr)
            return;
        CRect r;
        note->GetWindowRect(&r);
        ScreenToClient(&r);
        const COLORREF oldText = dc.SetTextColor(RGB(255, 0, 0));
        const int oldMode = dc.SetBkMode(TRANSPARENT);
        CFont* oldFont = dc.SelectObject(GetFont());
        // Wrapped inside the note's own place: a single line would run on under the Display group.
        dc.DrawText(AfxLoadString(IDS_PROPS_LOGO_FROM_UPLOAD), &r, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
        dc.SelectObject(oldFont);
        dc.SetBkMode(oldMode);
        dc.SetTextColor(oldText);
    }
}
