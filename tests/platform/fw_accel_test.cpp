// Accelerators: tables from resources and made at run time, the keys of the active document's
// template translated by the main frame before the view sees them, disabled commands.
#include "fw_support.h"

#include "platform/ui/core/Accel.h"

using namespace fwdemo;

namespace fwtest {
namespace {

class FwAccelTest : public FwTest {};

TEST_F(FwAccelTest, TablesFromResourcesAndAtRunTime)
{
    HACCEL table = ::LoadAcceleratorsW(nullptr, MAKEINTRESOURCE(IDR_TEXTTYPE));
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(::LoadAcceleratorsW(nullptr, MAKEINTRESOURCE(IDR_TEXTTYPE)), table) << "loaded once";
    EXPECT_EQ(::CopyAcceleratorTableW(table, nullptr, 0), 4);
    ACCEL entries[4];
    ASSERT_EQ(::CopyAcceleratorTableW(table, entries, 4), 4);
    EXPECT_EQ(entries[1].cmd, WORD(ID_DEMO_INCREMENT));
    EXPECT_EQ(entries[1].fVirt, BYTE(FVIRTKEY | FCONTROL));
    EXPECT_EQ(::LoadAcceleratorsW(nullptr, MAKEINTRESOURCE(4242)), nullptr);

    ACCEL made[] = {{FVIRTKEY, VK_F2, 700}, {0, L'q', 701}};
    HACCEL own = ::CreateAcceleratorTableW(made, 2);
    ASSERT_NE(own, nullptr);
    EXPECT_EQ(::CreateAcceleratorTableW(made, 0), nullptr);
    EXPECT_TRUE(::DestroyAcceleratorTable(own));
    EXPECT_FALSE(::DestroyAcceleratorTable(own));
    MSG msg{nullptr, WM_KEYDOWN, VK_F2, 0, 0, {0, 0}};
    EXPECT_EQ(::TranslateAcceleratorW(reinterpret_cast<HWND>(1), own, &msg), 0) << "a destroyed table translates nothing";
}

TEST_F(FwAccelTest, KeysOfTheActiveDocumentBecomeCommands)
{
    StartApp();
    auto* doc = static_cast<CDemoDoc*>(app->m_pTextTemplate->OpenDocumentFile(nullptr));
    drv.Pump();
    struct Case {
        const char* what;
        std::vector<UINT> held;
        UINT vk;
        wchar_t ch;
        std::vector<std::string> log;
    } cases[] = {
        {"Ctrl+I", {VK_CONTROL}, 'I', 0x09, {"doc:increment"}},
        {"F7", {}, VK_F7, 0, {"view:mark"}},
        {"Shift+F7: the modifiers must match", {VK_SHIFT}, VK_F7, 0, {}},
        {"a plain letter is typed, not translated", {}, 'I', L'i', {"view:char:105"}},
    };
    for (const Case& c : cases) {
        Log().clear();
        for (UINT k : c.held)
            drv.KeyDown(k);
        drv.Key(c.vk, c.ch);
        for (UINT k : c.held)
            drv.KeyUp(k);
        drv.Pump();
        EXPECT_EQ(Log(), c.log) << c.what;
    }
    EXPECT_EQ(doc->m_count, 1);

    // Ctrl+N goes through the application (a new document); a disabled command is not run.
    drv.KeyDown(VK_CONTROL);
    drv.Key('N', 0x0E);
    drv.KeyUp(VK_CONTROL);
    drv.Pump();
    EXPECT_EQ(app->GetOpenDocumentCount(), 2);
    auto* active = static_cast<CDemoDoc*>(MainFrame()->GetActiveFrame()->GetActiveDocument());
    active->m_count = 3;
    Log().clear();
    drv.KeyDown(VK_CONTROL);
    drv.Key('I', 0x09);
    drv.KeyUp(VK_CONTROL);
    drv.Pump();
    EXPECT_TRUE(Log().empty());
    EXPECT_EQ(active->m_count, 3);
}

TEST_F(FwAccelTest, WithoutDocumentsTheFrameTableApplies)
{
    StartApp();
    Log().clear();
    drv.KeyDown(VK_CONTROL);
    drv.Key('I', 0x09);  // only documents know Ctrl+I
    drv.Key('N', 0x0E);
    drv.KeyUp(VK_CONTROL);
    drv.Pump();
    EXPECT_TRUE(Log().empty());
    EXPECT_EQ(app->GetOpenDocumentCount(), 1);
}

}  // namespace
}  // namespace fwtest
