// CPageLayoutDlg: how many printer pages across and down the diagram area spans (1..100 each,
// at most 100 in all), with a picture of the numbered pages. A layout that would leave an
// element, a wire corner or a comment of the program outside the smaller area is refused.
#pragma once

#include "platform/ui/dialogs/Dlg.h"
#include "view/PageLayoutPreview.h"

class CTavixDoc;

class CPageLayoutDlg : public CDialog
{
    DECLARE_DYNAMIC(CPageLayoutDlg)
public:
    // pDoc: the program whose area changes (its content is checked against a smaller area).
    explicit CPageLayoutDlg(CTavixDoc* pDoc, CWnd* pParent = nullptr);

    int m_bUseAsDefault = 0;
    int m_nAcross = 1;
    int m_nDown = 1;

    // The content that would lie outside pages across x down of the program: 0 none, else the
    // string id of the refusal.
    static UINT FindContentOutside(const CTavixDoc& doc, int nAcross, int nDown);

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    void OnUpdateAcross();
    void OnUpdateDown();
    DECLARE_MESSAGE_MAP()

private:
    // A count typed below 1 becomes 1, above 100 becomes 100; the picture follows.
    void KeepInRange(int nID);

    CTavixDoc* m_pDoc;
    CPageLayoutPreview m_preview;
};
