// CGraphDlg: one of the thirty pictures of a graph field, with a preview of the chosen one.
#pragma once

#include "controls/IconButton.h"
#include "platform/ui/dialogs/Dlg.h"

class CWidget;

class CGraphDlg : public CDialog
{
public:
    explicit CGraphDlg(CWnd* pParent = nullptr);

    enum { kPictures = 30, kFirstButton = 1422, kPreview = 1452 };

    int m_nPicture = 0;       // in and out: picture number 0..29
    int m_nCurrentId = 0;     // the button of the chosen picture
    CWidget* m_pWidget = nullptr;
    // The picture buttons, then the preview; each shows its picture's icon.
    CIconButton m_btnPictures[kPictures + 1];

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    void OnPicture(UINT nId);
    void ShowPreview();
    DECLARE_MESSAGE_MAP()
};
