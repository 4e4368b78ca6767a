// Dialog tests: small stand-in controls (button, edit, static) with the keyboard answers and
// notifications of the standard ones, a resource finder over hand-made templates, and a log
// of the commands and notifications the dialog under test receives.
#pragma once

#include "platform/host/HeadlessHost.h"
#include "platform/ui/dialogs/Dlg.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dlgtest {

// Class names of the stand-in controls.
extern const wchar_t* const kButton;
extern const wchar_t* const kEdit;
extern const wchar_t* const kStatic;

// Button type bits the stand-in button understands.
constexpr DWORD BS_PUSH = 0x0, BS_DEFPUSH = 0x1, BS_CHECK = 0x2, BS_AUTOCHECK = 0x3, BS_RADIO = 0x4,
                BS_AUTORADIO = 0x9, BS_GROUP = 0x7;
constexpr UINT BM_GETCHECK_ = 0x00F0, BM_SETCHECK_ = 0x00F1, BM_CLICK_ = 0x00F5;
constexpr UINT EN_CHANGE_ = 0x0300;
constexpr UINT EM_GETSEL_ = 0x00B0;
constexpr UINT EM_LIMITTEXT_ = 0x00C5;
constexpr UINT EM_GETLIMIT_ = 0x00D5;

void RegisterControls();
// When set, the stand-in controls log "id:WHAT" for focus changes, fonts, selections and
// default-button styles.
extern std::vector<std::string>* g_ctlLog;

// Templates: a builder for DialogTemplate and DialogItem values.
DialogItem Item(const wchar_t* cls, const wchar_t* text, UINT id, DWORD style, int x, int y, int cx, int cy);
DialogTemplate Template(UINT id, const wchar_t* caption, int cx, int cy, std::vector<DialogItem> items,
                        DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME);

// Installs a finder over `templates` for the life of the object (and restores the previous).
class TemplateSet {
public:
    explicit TemplateSet(std::vector<DialogTemplate> templates);
    ~TemplateSet();
    static const DialogTemplate* Find(std::uint32_t id);

private:
    ResourceFinder m_previous;
    std::vector<DialogTemplate>* m_previousTemplates = nullptr;  // sets nest: the inner one hides the outer
};

// A fixture with a headless driver and the stand-in controls.
class DlgTest : public ::testing::Test {
protected:
    DlgTest() { RegisterControls(); }
    CHeadlessDriver drv;
};

std::wstring TextOf(HWND h);
int IdOf(HWND h);

}  // namespace dlgtest
