// CNoEnterButton and CNoEnterEdit: a button and an edit control on which the Enter key does
// nothing, so a dialog does not close when Enter is pressed over them.
#pragma once

#include "platform/ui/controls/CtlClasses.h"

class CNoEnterButton : public CButton {
    DECLARE_DYNAMIC(CNoEnterButton)
public:
    BOOL PreTranslateMessage(MSG* pMsg) override;
};

class CNoEnterEdit : public CEdit {
    DECLARE_DYNAMIC(CNoEnterEdit)
public:
    BOOL PreTranslateMessage(MSG* pMsg) override;
};

// Enter pressed on pMsg's window: handled (swallowed).
BOOL IsEnterKeyDown(const MSG* pMsg);
