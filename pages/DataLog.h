// CDataLog: the page of the data log block 911: up to 32 logged items, each a group of eight
// inputs, outputs or flags, an analog input, output or flag, or a parameter of a function block.
// Unlike other pages it reads the block's item list itself when it opens and writes it when it
// is applied.
#pragma once

#include "controls/ExtListCtrl.h"
#include "pages/BlockPage.h"

#include <utility>
#include <vector>

class CBlockDataLog;

constexpr int kMaxDataLogItems = 32;

class CDataLog : public CBlockPage {
public:
    CDataLog();

    int m_bAddEnabled = 0;
    // The rows ("Block", "Parameter") as OK left them.
    std::vector<std::pair<CString, CString>> m_rows;

    void FillTimeRecord(CTimeParamRecord& record) const override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void InitPage() override;
    void OnOK() override;
    BOOL HasValueBox() const override { return FALSE; }

    std::vector<std::pair<CString, CString>> Rows() const;
    BOOL IsLogged(const CString& block, const CString& param) const;
    CString SelectedBlockText() const;
    void EnableAdd(BOOL bEnable);
    void FillParameters();
    void OnBlockSelected();
    void OnParameterSelected();
    void OnAdd();
    void OnRemove();
    DECLARE_MESSAGE_MAP()

    CExtListCtrl m_listItems;
};

// The operand number a row's "Block" text names (the group's first terminal for I, Q and M
// groups); -1 for a text of no known kind.
int DataLogOperandOf(const CString& blockText);
// Writes the rows into the block's item list; a function block row keeps its block and the
// position of its parameter among the parameters the block type can log.
void WriteDataLogItems(CBlockDataLog& block, const CTavixDoc* pDoc, const std::vector<std::pair<CString, CString>>& rows);
