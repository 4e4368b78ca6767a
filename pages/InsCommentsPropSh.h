// CInsCommentsPropSh: the modal sheet of a free comment, its one page the comment's text, font
// and colour. Apply is hidden (OK and Cancel close the gap); Help shows but does nothing.
#pragma once

#include "pages/InsComments.h"

class CInsCommentsPropSh : public CPropertySheet {
public:
    CInsCommentsPropSh(LPCTSTR lpszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);

    CInsComments m_pagComments;

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
};
