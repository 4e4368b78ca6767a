// CQUAD: the page of the quadratic equation block (879): the coefficients A, B and C of
// y = Ax² + Bx + C, which root the block takes, and the real amplification of its output.
#pragma once

#include "controls/NumericEdit.h"
#include "pages/BlockPage.h"

constexpr UINT IDC_QUAD_A = 1291;
constexpr UINT IDC_QUAD_A_SPIN = 1292;
constexpr UINT IDC_QUAD_B = 1293;
constexpr UINT IDC_QUAD_B_SPIN = 1294;
constexpr UINT IDC_QUAD_C = 1295;
constexpr UINT IDC_QUAD_C_SPIN = 1296;
constexpr UINT IDC_QUAD_DIR = 1277;
constexpr UINT IDC_QUAD_AMPLIFICATION = 1289;
constexpr UINT IDC_QUAD_AMPLIFICATION_SPIN = 1290;
constexpr UINT IDC_QUAD_PROTECTION = 1269;

// The bounds of a coefficient and of the amplification.
constexpr int kQuadCoefficientLimit = 32767;
constexpr double kQuadAmplificationLimit = 10000.0;

class CQUAD : public CBlockPage {
public:
    CQUAD();

    int m_nDir = 0;
    int m_nA = 1;
    int m_nB = 0;
    int m_nC = 0;
    double m_dAmplification = 0.0;

    void FillFromBlock(const CBlockObj& block, const CTavixDoc& doc, bool bSimulating) override;
    void FillTimeRecord(CTimeParamRecord& record) const override;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void InitPage() override;
    void AddTips() override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    void OnAmplificationUpdate();
    void OnChanged() { OnParamChanged(); }
    DECLARE_MESSAGE_MAP()

    CNumericEdit m_editAmplification{9, 4};
    CComboBox m_cbDir;
};
