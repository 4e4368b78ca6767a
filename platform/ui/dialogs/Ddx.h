// Dialog data exchange: the DDX_ routines move a member to or from a control of a dialog (in
// the direction of CDataExchange::m_bSaveAndValidate), the DDV_ routines check the value just
// read. A refused value is reported with the standard message, the control gets the focus and
// the exchange stops (CDataExchange::Fail throws CUserException*, UpdateData returns FALSE).
#pragma once

#include "platform/base/CString.h"
#include "platform/base/OleDateTime.h"
#include "platform/ui/dialogs/Dlg.h"

class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

    // The control of the dialog with this id; it becomes the one Fail focuses. Null (and a
    // message on stderr) when the dialog has no such control.
    HWND PrepareCtrl(int nIDC);
    HWND PrepareEditCtrl(int nIDC);
    // Focuses the last prepared control (selecting an edit's text) and stops the exchange.
    [[noreturn]] void Fail();

    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
    UINT m_idLastControl = 0;
    BOOL m_bEditLastControl = FALSE;
};

// The standard messages of refused values, by string id; a string table entry of the same id
// replaces the English text (that is how a translated interface supplies its own).
constexpr UINT AFX_IDP_PARSE_INT = 0xF110;
constexpr UINT AFX_IDP_PARSE_REAL = 0xF111;
constexpr UINT AFX_IDP_PARSE_INT_RANGE = 0xF112;
constexpr UINT AFX_IDP_PARSE_REAL_RANGE = 0xF113;
constexpr UINT AFX_IDP_PARSE_STRING_SIZE = 0xF114;
constexpr UINT AFX_IDP_PARSE_RADIO_BUTTON = 0xF115;
constexpr UINT AFX_IDP_PARSE_BYTE = 0xF116;
constexpr UINT AFX_IDP_PARSE_UINT = 0xF117;
constexpr UINT AFX_IDP_PARSE_DATETIME = 0xF118;
// The text of one of these messages, with %1 and %2 replaced.
CString DdxMessageText(UINT nID, LPCTSTR arg1 = nullptr, LPCTSTR arg2 = nullptr);

// ---- edits ----
void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);
void DDX_Text(CDataExchange* pDX, int nIDC, long& value);
void DDX_Text(CDataExchange* pDX, int nIDC, unsigned long& value);
void DDX_Text(CDataExchange* pDX, int nIDC, short& value);
void DDX_Text(CDataExchange* pDX, int nIDC, BYTE& value);
void DDX_Text(CDataExchange* pDX, int nIDC, double& value);
void DDX_Text(CDataExchange* pDX, int nIDC, float& value);

// ---- buttons ----
// Check box state 0, 1 or 2.
void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
// nIDC is the first radio button of a group (WS_GROUP); the value is the index of the checked
// button of the group in z-order, -1 for none.
void DDX_Radio(CDataExchange* pDX, int nIDC, int& value);

// ---- lists ----
void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);
void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value);
void DDX_CBStringExact(CDataExchange* pDX, int nIDC, CString& value);
void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index);
void DDX_LBString(CDataExchange* pDX, int nIDC, CString& value);
void DDX_LBStringExact(CDataExchange* pDX, int nIDC, CString& value);

// ---- other controls ----
// Attaches a member control object to the template's control (first exchange only).
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
void DDX_Slider(CDataExchange* pDX, int nIDC, int& value);
void DDX_DateTimeCtrl(CDataExchange* pDX, int nIDC, COleDateTime& value);
void DDX_DateTimeCtrl(CDataExchange* pDX, int nIDC, CString& value);
void DDX_IPAddress(CDataExchange* pDX, int nIDC, DWORD& value);

// ---- validation (after the DDX_ of the same control) ----
void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);
void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal);
void DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal);
void DDV_MinMaxDWord(CDataExchange* pDX, DWORD value, DWORD minVal, DWORD maxVal);
void DDV_MinMaxShort(CDataExchange* pDX, short value, short minVal, short maxVal);
void DDV_MinMaxByte(CDataExchange* pDX, BYTE value, BYTE minVal, BYTE maxVal);
void DDV_MinMaxDouble(CDataExchange* pDX, const double& value, double minVal, double maxVal);
void DDV_MinMaxFloat(CDataExchange* pDX, const float& value, float minVal, float maxVal);
void DDV_MinMaxSlider(CDataExchange* pDX, DWORD value, DWORD minVal, DWORD maxVal);
// When saving: refuses longer text. When filling: also limits what the user can type.
void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars);
