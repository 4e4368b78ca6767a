// ISheetCompanions: a block page that brings further pages into its sheet: the weekly timer's
// three cam pages before the comment page, the simulation page of inputs after it. The page
// owns them.
#pragma once

class CPropertySheet;

class ISheetCompanions {
public:
    virtual ~ISheetCompanions() = default;
    virtual void AddPagesBeforeComment(CPropertySheet& /*sheet*/) {}
    virtual void AddPagesAfterComment(CPropertySheet& /*sheet*/) {}
};
