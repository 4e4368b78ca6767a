// CStartUpBmp: the "LCD Setting" page of the program properties: the company logo the device
// shows at start-up (a 108 x 64 one-bit bitmap file), whether the device shows it inversely,
// a preview, and on the newer families the device's display language, logo time, contrast and
// backlight. It also turns the program's logo into the 960 bytes of the device image.
#pragma once

#include "platform/gdi/GdiObjects.h"
#include "platform/ui/dialogs/PropSheet.h"

class CTavixDoc;

class CStartUpBmp : public CPropertyPage
{
public:
    enum { maxPath = 255 };
    // ConvertLogoBitmap results.
    enum { logoOk = 0, logoNoFile = 1, logoWrongFormat = 3 };

    explicit CStartUpBmp(CTavixDoc* pDoc = nullptr);
    ~CStartUpBmp() override;

    CString m_strLogoPath;
    int m_bShowInverse = 0;
    int m_nBacklight = 0;        // 0 off, 1 on
    int m_nDisplayLanguage = 0;
    int m_nContrast = 2;         // 0-7
    int m_nLogoTime = 0;         // 0 none, 1 5 s, 2 10 s, 3 15 s

    // Reads a logo file: logoOk (and the 960 bytes into pOut when given), logoNoFile when it
    // cannot be read (no message), logoWrongFormat when it is no 108 x 64 one-bit bitmap (with
    // a message; the one for the device transfer, pOut given, says where to change the file).
    static int ConvertLogoBitmap(const CString& path, BYTE* pOut);
    // The logo the program sends to the device: its logo file converted (inverted when the
    // program says so), else the logo an upload brought along when no file is named. FALSE
    // when the program sends no logo.
    static BOOL BuildDeviceLogo(const CTavixDoc& doc, BYTE* pOut);
    // Puts the device logo and its flag into the header of image area 0 (10240 bytes); leaves
    // the header alone when the program sends no logo.
    static BOOL PutLogoIntoImage(const CTavixDoc& doc, BYTE* pArea0);

    // Drops the preview and loads `path` as the new one when it is a usable logo; then the path
    // goes into the page's path field. FALSE with a message otherwise.
    BOOL LoadPreview(const CString& path);
    BOOL HasPreview() const { return m_preview.GetSafeHandle() != nullptr; }

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnCancel() override;

    void OnOpen();
    void OnPaint();
    void FillDisplayCombos();

    CTavixDoc* m_pDoc;
    CBitmap m_preview;

    DECLARE_MESSAGE_MAP()
};
