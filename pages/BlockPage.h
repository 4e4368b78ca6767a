// CBlockPage: what every parameter page of a block has in common. The page holds copies of the
// block's fields (name, Protection, Retentivity, the type's parameters); the view fills them
// before the sheet shows and reads them back after OK, so a page never changes a block. The
// page edits only the view and document that opened its sheet.
#pragma once

#include "controls/ToolTipWnd.h"
#include "pages/ParamRecords.h"
#include "platform/ui/controls/CtlStd.h"
#include "platform/ui/dialogs/PropSheet.h"

#include <initializer_list>
#include <vector>

class CTavixView;
class CTavixDoc;
class CBlockObj;

// Controls that most block pages share.
constexpr UINT IDC_BLOCK_NAME_LABEL = 1371;
constexpr UINT IDC_BLOCK_NAME = 1266;
constexpr UINT IDC_RETENTIVITY = 1024;
constexpr UINT IDC_PROTECTION = 1025;
constexpr UINT IDC_VALUE_BOX = 109;

// A document holds at most this many named function blocks (the device's name table).
constexpr int kNamedBlockLimit = 256;
constexpr int kMaxBlockNameLength = 8;

class CBlockPage : public CPropertyPage {
public:
    explicit CBlockPage(UINT nIDTemplate);
    ~CBlockPage() override;

    // The view that opened the sheet; the page reaches the document through it.
    void SetView(CTavixView* pView) { m_pView = pView; }
    CTavixView* GetView() const { return m_pView; }
    CTavixDoc* GetDocument() const;
    BOOL IsSimulating() const;

    // Adds the "Current Parameter Value" box below the page (simulation only).
    void AddCurrentValueBox(int nMargin);
    // Paints a live value into the box.
    void ShowCurrentValue(const CString& text);
    CWnd* GetValueBox() const { return m_pValueBox; }
    // The live value last shown in the box.
    const CString& GetShownValue() const { return m_strShownValue; }

    // ---- the page's own exchange (pages that keep it with the page override these) ----
    // Block fields into the members before the sheet shows (name, number and the reference
    // availability are already set).
    virtual void FillFromBlock(const CBlockObj& /*block*/, const CTavixDoc& /*doc*/, bool /*bSimulating*/) {}
    // Members into the block where a page keeps a store of its own (the message-text grid).
    virtual void ReadIntoBlock(CBlockObj& /*block*/) const {}
    // Makes the members agree before the record is filled (OK and Apply alike): ranges put in
    // order, stores refreshed from the controls.
    virtual void SettleBeforeRecord() {}
    // The page's fields of the record Apply sends (number, comment and name are already set).
    virtual void FillIORecord(CIOParamRecord& /*record*/) const {}
    virtual void FillTimeRecord(CTimeParamRecord& /*record*/) const {}
    virtual void FillWeeklyRecord(CWeeklyParamRecord& /*record*/) const {}
    virtual void FillAnalogRecord(CAnalogParamRecord& /*record*/) const {}
    virtual void FillMiscRecord(CMiscParamRecord& /*record*/) const {}
    virtual void FillModbusRecord(CModbusParamRecord& /*record*/) const {}
    virtual void FillMsgTextRecord(CMsgTextParamRecord& /*record*/) const {}

    // ---- members the view fills and reads ----
    CString m_strBlockName;
    int m_bProtection = 0;
    int m_bRetentivity = 0;
    int m_nBlockNumber = -1;
    int m_nBlockType = 0;
    BOOL m_bRefAllowed = FALSE;   // the document holds another block a parameter may reference

protected:
    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void DoDataExchange(CDataExchange* pDX) override;
    // The page's own set-up between the name rule and the value box.
    virtual void InitPage() {}
    // Whether the page shows the live value box while the view simulates.
    virtual BOOL HasValueBox() const { return TRUE; }
    // Adds the range tips of the page's value edits.
    virtual void AddTips() {}

    // Enables the name edit while the document has room for another name or the block has one.
    void ApplyNameRule();
    // A tip "Number between %d and %d" on a control.
    void AddRangeTip(UINT nID, int nMin, int nMax);
    // An edit of whole numbers with its up-down control: the spin's range and the edit's
    // length limit.
    void LimitNumberEdit(UINT nEdit, UINT nSpin, int nMin, int nMax, int nChars);
    void AddRangeTip(UINT nID, double dMin, double dMax);
    BOOL HasControl(UINT nID) const { return GetDlgItem(int(nID)) != nullptr; }
    // Binds a member control to the template's control nID once, so the page talks to it as
    // its own class; FALSE when the template has no such control.
    BOOL AttachControl(CWnd& control, UINT nID);
    // Hides the Retentivity check of a type that keeps nothing over a power failure; the
    // Protection check takes its place.
    void HideRetentivity(UINT nRetentivity = IDC_RETENTIVITY, UINT nProtection = IDC_PROTECTION);

    // Drops the characters of 128 and above from the name while it is typed; marks the page
    // modified for every change.
    void OnParamChanged();
    void OnParamChangedRange(UINT) { OnParamChanged(); }

    CTavixView* m_pView = nullptr;
    CToolTipWnd m_toolTip;
    CWnd* m_pValueBox = nullptr;
    CString m_strShownValue;
    CRect m_rcValueText;
    int m_nCharWidth = 0;
    int m_nAscent = 0;

    DECLARE_MESSAGE_MAP()
};

// Removes every character of 128 and above from a name (all occurrences of each).
CString FilterBlockName(const CString& name);

// Puts the controls that exist, in the order given, into the tab order after pAfter, which then
// names the last of them; nothing moves while pAfter is null.
void ChainTabOrder(CWnd*& pAfter, std::initializer_list<CWnd*> controls);
