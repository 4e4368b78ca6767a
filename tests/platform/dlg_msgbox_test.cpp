// Message boxes: the host's scripted answers, and the drawn box's keyboard answers.
#include "dlg_support.h"

#include "platform/ui/dialogs/MsgBox.h"

using namespace dlgtest;

namespace {

class MsgBoxTest : public DlgTest {};

TEST_F(MsgBoxTest, ScriptedAnswersComeInOrderAndUnscriptedBoxesTakeTheDefaultButton)
{
    drv.Host().QueueMessageBoxAnswer(IDNO);
    AfxSetMessageBoxTitle(L"Editor");
    EXPECT_EQ(AfxMessageBox(L"Save changes?", MB_YESNOCANCEL | MB_ICONQUESTION), IDNO);
    ASSERT_EQ(drv.Host().MessageBoxes().size(), 1u);
    EXPECT_EQ(drv.Host().MessageBoxes()[0].text, L"Save changes?");
    EXPECT_EQ(drv.Host().MessageBoxes()[0].caption, L"Editor");
    EXPECT_TRUE(drv.Host().MessageBoxes()[0].scripted);
    const struct {
        UINT type;
        int answer;
    } cases[] = {{MB_OK, IDOK}, {MB_YESNO | MB_DEFBUTTON2, IDNO}, {MB_RETRYCANCEL, IDRETRY},
                 {MB_ABORTRETRYIGNORE | MB_DEFBUTTON3, IDIGNORE}, {MB_OKCANCEL | MB_DEFBUTTON2, IDCANCEL}};
    for (const auto& c : cases)
        EXPECT_EQ(::MessageBoxW(nullptr, L"q", L"c", c.type), c.answer) << c.type;
}

TEST_F(MsgBoxTest, DrawnBoxAnswersKeysAsWin32Does)
{
    HWND owner = ::CreateWindowExW(0, kStatic, L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, nullptr,
                                   nullptr, nullptr, nullptr);
    struct Key {
        UINT vk;
        wchar_t ch;
        bool alt;
    };
    const struct {
        const char* what;
        UINT type;
        std::vector<Key> keys;
        int answer;
    } cases[] = {
        {"enter takes the default", MB_YESNO | MB_DEFBUTTON2 | MB_ICONQUESTION, {{VK_RETURN, L'\r', false}}, IDNO},
        {"mnemonic", MB_YESNO, {{'N', L'n', false}}, IDNO},
        {"alt mnemonic", MB_ABORTRETRYIGNORE | MB_ICONHAND, {{'I', L'i', true}}, IDIGNORE},
        {"escape cancels", MB_OKCANCEL, {{VK_ESCAPE, 27, false}}, IDCANCEL},
        {"escape on OK alone", MB_OK | MB_ICONINFORMATION, {{VK_ESCAPE, 27, false}}, IDOK},
        {"no escape for yes/no", MB_YESNO, {{VK_ESCAPE, 27, false}, {VK_RETURN, L'\r', false}}, IDYES},
        {"tab then enter", MB_RETRYCANCEL, {{VK_TAB, L'\t', false}, {VK_RETURN, L'\r', false}}, IDCANCEL},
    };
    for (const auto& c : cases) {
        bool ownerDisabled = false;
        std::wstring shownText;
        drv.Host().QueueIdleStep([&] {
            ownerDisabled = !::IsWindowEnabled(owner);
            HWND box = ::GetActiveWindow();
            shownText = TextOf(::GetDlgItem(box, 0xFFFF));
            EXPECT_EQ(::GetDlgItem(box, 20) != nullptr, (c.type & MB_ICONMASK) != 0) << c.what;
            for (const Key& k : c.keys) {
                if (k.alt)
                    drv.KeyDown(VK_MENU);
                drv.Key(k.vk, k.ch);
                if (k.alt)
                    drv.KeyUp(VK_MENU);
            }
        });
        EXPECT_EQ(AfxDrawnMessageBox(owner, L"The because of this error: disk full", L"ERROR", c.type), c.answer) << c.what;
        EXPECT_TRUE(ownerDisabled) << c.what;
        EXPECT_TRUE(::IsWindowEnabled(owner)) << c.what;
        EXPECT_EQ(shownText, L"The because of this error: disk full") << c.what;
    }
    ::DestroyWindow(owner);
}

}  // namespace
