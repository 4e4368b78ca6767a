// The data log block (911): names the values the device records, a list of logged items. It
// has an enable input and no output and does nothing in the PC simulation.
#pragma once

#include "elements/BlockObj.h"

// One logged item: an operand (AI, AQ, AM, I, Q, M with its number, or B with a block number)
// and, for a block operand, one of the block's parameters.
struct CDataLogItem {
    CString m_strOperand;        // operand text as the page lists it ("AM3", "B12", ...)
    CString m_strParam;          // parameter name for a block operand
    int m_nOperand = 0;          // block number of the operand (9000 + n for "B" operands)
    int m_nParamIndex = 0;       // position of the parameter among the block type's variables
    CBlockObj* m_pBlock = nullptr;  // the block of a "B" operand; runtime only, not owned
};

class CBlockDataLog : public CBlockObj
{
    DECLARE_SERIAL(CBlockDataLog)
public:
    // The device's data-log section has room for 188 items; a record claiming more is damaged.
    enum { kMaxItems = 188 };

    CBlockDataLog();
    explicit CBlockDataLog(int nType);

    // The element record, then each item: operand text, parameter text, operand number,
    // parameter index. No count precedes the items: the time-1 high word holds it. Storing takes
    // the count from the item array; loading refuses a count outside 0..kMaxItems.
    void Serialize(CArchive& ar) override;

    CArray<CDataLogItem, const CDataLogItem&> m_aItems;
};
