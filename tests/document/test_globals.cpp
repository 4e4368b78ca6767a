// Every test starts with the program-wide values of a fresh run: opening a program sets the
// global hardware code, and documents constructed afterwards take their model from it.
#include "shell/MainFrame.h"

#include <gtest/gtest.h>

namespace {

class ResetProgramGlobals : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override
    {
        g_wHardwareCode = 0x5188;
        g_nLanguage = 0;
        CMainFrame::SetPendingDocKind(1);
    }
};

const bool s_registered = [] {
    ::testing::UnitTest::GetInstance()->listeners().Append(new ResetProgramGlobals);
    return true;
}();

} // namespace
