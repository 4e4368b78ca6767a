// CCharPaletteDlg: the modeless palette of the ten special characters of the message-text
// editor. A click on a character hands it to the owner, a click beside the buttons hands it 0;
// the owner then destroys the palette, which deletes itself.
#pragma once

#include "platform/ui/dialogs/Dlg.h"

// The page that opened the palette: takes the chosen character (0 for none) and closes it.
class CSpecialCharOwner
{
public:
    virtual ~CSpecialCharOwner() = default;
    virtual void CloseEditWindow(wchar_t ch) = 0;
    virtual CWnd* OwnerWindow() = 0;
};

class CCharPaletteDlg : public CDialog
{
public:
    explicit CCharPaletteDlg(CSpecialCharOwner* pOwner);

    enum { kFirstButton = 1396, kButtons = 10 };
    // The character of a button of the palette.
    static wchar_t CharOfButton(int nId);

    BOOL CreatePalette(CWnd* pParent);

protected:
    BOOL OnInitDialog() override;
    void PostNcDestroy() override;
    void OnChar(UINT nId);
    void OnLButtonDown(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    CSpecialCharOwner* m_pOwner;
};
