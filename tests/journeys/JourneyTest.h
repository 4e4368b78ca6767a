// The editor program as a user meets it: the real application object with its main frame and
// views on the headless host, commands chosen from the main window's menus by their captions,
// mouse and keys injected at diagram points, file dialogs and message boxes answered by a script,
// and a device emulator on a pseudo-terminal as serial port COM3.
#pragma once

#include "document/TavixDoc.h"
#include "platform/host/HeadlessHost.h"
#include "platform/ui/dialogs/CommonDlg.h"
#include "shell/EditorApp.h"
#include "shell/MainFrame.h"
#include "tests/support/DeviceEmulator.h"
#include "view/TavixView.h"

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

class CBlockObj;

namespace journey {

constexpr int kPort = 3;

// A file as bytes.
std::vector<BYTE> ReadBytes(const CString& path);
bool WriteBytes(const CString& path, const std::vector<BYTE>& bytes);
// The fixture program of tests/fixtures with this name.
CString Fixture(const char* name);

class JourneyTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the program (the command line holds `args`) and waits until it is idle.
    void Start(const std::vector<CString>& args = {});
    // Ends it as the test harness does: every program closed unsaved, the main window gone.
    void Stop();
    CMainFrame* Frame() const;
    CTavixView* View() const;
    CTavixDoc* Doc() const;
    int Documents() const;

    // The command of the menu item reached by these captions from the main window's menu bar
    // ("&File", "&New"); 0 when there is none. Captions are compared with their "&" and the
    // accelerator text after a tab left out.
    UINT MenuCommand(std::initializer_list<const wchar_t*> path) const;
    // Chooses that menu item (it must exist) and lets the program run until it is idle again.
    void Choose(std::initializer_list<const wchar_t*> path);
    // Keys typed into the active view; `ctrl` holds Ctrl around them.
    void Keys(const std::wstring& keys, bool ctrl = false);
    // Runs `step` on the window that is active when the program next waits for input (the
    // modal dialog the next action opens).
    void OnDialog(std::function<void(HWND)> step);

    // A mouse click on a dialog's control; text typed into an edit field (replacing its text);
    // a combo box's entry chosen as the mouse does it.
    void Press(HWND dlg, int id);
    void Type(HWND dlg, int id, const std::wstring& text);
    void Pick(HWND dlg, int id, const std::wstring& entry);

    // Mouse input at diagram points of the active view.
    POINT Screen(CPoint diagram) const;
    void Click(CPoint diagram);
    void DoubleClick(CPoint diagram);
    // Picks the block from the palette of the Workbox tab and clicks it into the diagram; the
    // new block (null when nothing was placed).
    CBlockObj* Place(int tab, int paletteType, CPoint at);
    // Wires one pin to another in connect mode; true when a wire was made.
    bool Wire(CBlockObj* from, int fromPin, CBlockObj* to, int toPin);
    CPoint Pin(CBlockObj* block, int pin) const;
    // The middle of a block in the diagram.
    static CPoint Centre(const CBlockObj* block);
    // The page of a property sheet that holds this control.
    static HWND PageWith(HWND sheet, int id);

    // Starts the simulation through that menu item and takes its clock into the test's hands;
    // the simulating view, null when the view does not simulate.
    CTavixView* StartSimulation(std::initializer_list<const wchar_t*> menu = {L"&Tools", L"&Simulation"});
    // n ticks of the simulated clock, each painted.
    void Tick(CTavixView* view, int n);

    // Two inputs into an AND, through an on-delay timer to an output, placed from the palette
    // and wired with the mouse in the active function block diagram.
    struct Drawn {
        CBlockObj* i1 = nullptr;
        CBlockObj* i2 = nullptr;
        CBlockObj* gate = nullptr;
        CBlockObj* timer = nullptr;
        CBlockObj* q = nullptr;
    };
    Drawn DrawTimedGate();

    // With TAVIX_JOURNEY_SHOTS=<folder> in the environment, a picture of a top-level window
    // (the main window when none is given) is saved there as <name>.png.
    void Shot(const std::string& name, HWND top = nullptr);

    // Message boxes shown since the last call, as their texts.
    std::vector<std::wstring> TakeBoxes();
    std::wstring Log() const;
    bool Logged(const std::wstring& text) const { return Log().find(text) != std::wstring::npos; }
    // A string of the string table without its line end.
    static std::wstring Text(UINT id);
    CString Temp(const char* name) const;
    bool PortReleased() const;

    CHeadlessDriver drv;
    CCommonDlgScript fileDialogs;
    DeviceEmulator device;
    std::unique_ptr<CEditorApp> app;
    std::string dir;
    // The time compiled into device images, so that two compilations of a program agree.
    SYSTEMTIME compileTime{};
};

}  // namespace journey
