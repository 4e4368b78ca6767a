// CTimeReference: the controls of one time of a timer page (high and low part with their
// up-down controls, the base list, the Reference button) and the two run-time lists that take
// their place while the time comes from another block (the unit, where the time has one, and
// the block).
#pragma once

#include "platform/ui/controls/CtlStdClasses.h"

class CBlockObj;
class CBlockPage;
class CTavixDoc;

// One time as the page members hold it.
struct TimeParam {
    int nHigh = 0;      // hours, minutes or seconds by base
    int nLow = 0;       // minutes, seconds or hundredths by base
    int nBase = 2;      // 0 Hours(h:m), 1 Minutes(m:s), 2 Seconds(s:1/100s)
    int bRef = 0;       // the time comes from another block
    int nUnit = 0;      // 0 Minutes, 1 Seconds, 2 MilliSeconds (references with a unit)
    CBlockObj* pRefBlock = nullptr;
    int bRefAllowed = 0;
};

// Control ids of one time; 0 where the time has no such control.
struct TimeControlIds {
    UINT high, highSpin, colon, low, lowSpin, base, reference, unitList, blockList;
};

// The longest time part: its decimal text limits the edits.
constexpr int kTimePartLimit = 99;

class CTimeReference {
public:
    CTimeReference(CBlockPage& page, const TimeControlIds& ids, TimeParam& value) : m_page(page), m_ids(ids), m_value(value) {}

    const TimeControlIds& Ids() const { return m_ids; }
    TimeParam& Value() { return m_value; }
    const TimeParam& Value() const { return m_value; }

    // Creates the unit list over the base list and the block list over the high edit; a time
    // without a unit list ends its block list 2 pixels left of pLastUnit.
    void CreateLists(CComboBox* pLastUnit);
    CComboBox& UnitList() { return m_unitList; }
    CComboBox& BlockList() { return m_blockList; }

    // Spin ranges 0..99 and the edits' length limit.
    void LimitParts();
    // The literal controls or the run-time lists; the literal side refills the base list.
    void ShowReferenced(BOOL bReferenced);
    void FillBaseList();
    // The candidate blocks; the referenced block's entry is selected, else the first entry and
    // (where the time has a unit) unit 0.
    void FillBlockList(const CTavixDoc* pDoc, int nBlockNumber);
    void HideReference();
    // Toggles the reference; returns the new state.
    BOOL Toggle(const CTavixDoc* pDoc);
    void TakeSelectedBlock(const CTavixDoc* pDoc);
    // Position of the base list (-1 none) and of the unit list (0 none).
    int BasePosition() const;
    int UnitPosition() const;
    // A low part of 60 or more becomes 59 while the base is below 2 (no selection counts so).
    void ClampLow(int nBasePosition);
    // The base list's choice into the time; a change to a base below 2 clamps the low part.
    void TakeBase();
    // The time as OK keeps it: a referenced time carries no literal parts, only the unit of the
    // list; a flag without a block is no reference.
    void SettleForOk();
    // The visible controls in tab order after pAfter, which then names the last of them.
    void ChainTabOrder(CWnd*& pAfter);
    BOOL OwnsControl(const CWnd* pWnd) const;
    // Upper bound of the low part under the base shown now.
    int LowMaximum() const { return BasePosition() > 1 ? 99 : 59; }

private:
    CWnd* Item(UINT nID) const;
    void Show(UINT nID, BOOL bShow) const;

    CBlockPage& m_page;
    TimeControlIds m_ids;
    TimeParam& m_value;
    CComboBox m_unitList;
    CComboBox m_blockList;
};

// Base and unit names in the interface's language.
CString TimeBaseName(int nBase);
CString TimeUnitName(int nUnit);

// Answers a tooltip's text request with "Number between lo and hi"; FALSE when lParam is not
// such a request.
BOOL AnswerRangeTip(LPARAM lParam, UINT* pCtrlId, int nMin, int nMax);
// The control id that asks for a tooltip text, 0 when lParam is no text request.
UINT RangeTipRequestId(LPARAM lParam);
