// Framework tests: a headless driver, the demo's resources, a private profile file and a
// temporary folder per test; the demo application started on demand.
#pragma once

#include "fw_demo_app.h"
#include "platform/host/HeadlessHost.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace fwtest {

class FwTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the demo (InitInstance); the main frame is shown and active.
    fwdemo::CDemoApp& StartApp(const std::vector<CString>& args = {});
    fwdemo::CDemoMainFrame* MainFrame() const;
    // A path in the test's temporary folder.
    CString TempPath(const char* name) const;
    // Runs the queue and one idle pass (update handlers of bars and titles).
    void PumpAndIdle();
    // Sends a command to the main frame as a menu choice would.
    void Command(UINT id);

    CHeadlessDriver drv;
    std::unique_ptr<fwdemo::CDemoApp> app;
    std::string dir;
};

std::string ReadFile(const CString& path);
void WriteFile(const CString& path, const std::string& bytes);

}  // namespace fwtest
