// CProgramComment: the "Comment" page of the program properties: the program's free comment.
#pragma once

#include "platform/ui/dialogs/PropSheet.h"

class CProgramComment : public CPropertyPage
{
public:
    CProgramComment();

    CString m_strText;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
