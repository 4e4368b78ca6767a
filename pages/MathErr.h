// CMathErr: the page of the error detection block (823): which mathematical instruction block it
// watches, which error it reports, and whether the error resets itself.
#pragma once

#include "pages/BlockPage.h"

constexpr UINT IDC_MATHERR_BLOCK = 1294;
constexpr UINT IDC_MATHERR_KIND = 1291;  // 1291 zero division, 1292 overflow, 1293 either
constexpr UINT IDC_MATHERR_RESET = 1279;
constexpr UINT IDC_MATHERR_RETENTIVITY = 1276;
constexpr UINT IDC_MATHERR_PROTECTION = 1269;

class CMathErr : public CBlockPage {
public:
    CMathErr();

    int m_bAutoReset = 0;
    int m_nListIndex = -1;
    int m_nErrorKind = 0;
    int m_bRef = 0;
    CBlockObj* m_pRefBlock = nullptr;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

    void OnKind(UINT nID);
    void OnBlockSelected();
    void OnCheck() { OnParamChanged(); }
    DECLARE_MESSAGE_MAP()

    CComboBox m_cbBlock;  // the mathematical instruction blocks to watch
};
