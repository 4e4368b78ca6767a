#include "msgtext/MessageTexts.h"

#include "resources/resource.h"

CMessageTexts::CMessageTexts() : CMessageTexts_New(IDD_MT_EDITOR_OLD, TRUE) {}
