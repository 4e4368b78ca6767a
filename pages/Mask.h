// CMask: the page of the mask blocks (838-843): a 16-bit mask typed as four hexadecimal digits,
// set bit by bit in CMaskBitsDlg, or taken from another block. NOT Mask (840) has no mask.
#pragma once

#include "pages/BlockPage.h"

constexpr UINT IDC_MASK_TEXT = 1289;
constexpr UINT IDC_MASK_PROTECTION = 1269;
constexpr UINT IDC_MASK_SETTING = 1183;
constexpr UINT IDC_MASK_REFERENCE = 1546;
constexpr UINT IDC_MASK_REF_COMBO = 104;

// The text brought to its valid form: hexadecimal digits only, upper case, at most four.
CString NormalizeHexMask(const CString& text);
// The 16-bit value of a valid mask text (empty: 0).
int ParseHexMask(const CString& text);

class CMask : public CBlockPage {
public:
    CMask();

    CString m_strMask = L"0000";
    int m_nMask = 0;
    int m_bRef = 0;
    CBlockObj* m_pRefBlock = nullptr;

protected:
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void DoDataExchange(CDataExchange* pDX) override;
    void InitPage() override;
    void AddTips() override;
    void OnOK() override;

    void ApplyReferenceState();
    void FillReferenceList();
    void SetTabOrder();
    void OnMaskChanged();
    void OnProtectionClicked() { OnParamChanged(); }
    void OnReferenceClicked();
    void OnRefBlockSelected();
    void OnSetting();
    DECLARE_MESSAGE_MAP()

    CComboBox m_cbRefBlock;
};
