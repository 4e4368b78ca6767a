// CMessageTexts: the parameter page of a message-text block below machine type 'Q': one
// character set of four lines of twelve characters, and one parameter field a line.
#pragma once

#include "msgtext/MessageTexts_New.h"

class CMessageTexts : public CMessageTexts_New
{
public:
    CMessageTexts();
};
