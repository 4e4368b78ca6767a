// Data exchange of the program properties pages for numbers: a value that is not a whole
// number, or lies outside its range, is refused with a message that names the field by its
// label on the page (in the interface's language), and the user stays on that field.
#pragma once

#include "platform/ui/dialogs/Ddx.h"

// The label's text without its access-key mark and trailing colon ("Timeout" for "Timeout:").
CString FieldName(CWnd* pPage, int nLabelID);

// Shows "<field>: <text>" and fails the exchange on control nIDC.
[[noreturn]] void FailField(CDataExchange* pDX, int nIDC, int nLabelID, const CString& text);

// Exchanges a whole number in [nMin, nMax] with edit nIDC (labelled by nLabelID).
void DDX_FieldInt(CDataExchange* pDX, int nIDC, int nLabelID, int& value, int nMin, int nMax);
// Exchanges a number in [dMin, dMax] with two decimals shown.
void DDX_FieldDouble(CDataExchange* pDX, int nIDC, int nLabelID, double& value, double dMin, double dMax);

// Exchanges a list's selection; a list without a selection leaves the value as it was, so a
// value the list does not offer is kept rather than lost.
void DDX_ListIndex(CDataExchange* pDX, int nIDC, int& value);
