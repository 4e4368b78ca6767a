// Editing tests: a view in a frame of the headless host driven by injected mouse and keyboard
// input at diagram points, and the program as the bytes of its file.
#pragma once

#include "ViewTestSupport.h"

#include "elements/BlockObj.h"
#include "elements/ConnectLineObj.h"
#include "resources/resource.h"

#include <string>

namespace viewtest {

class EditTest : public ViewTest {
protected:
    void SetUp() override;

    // Screen point of a diagram point of the view.
    POINT Screen(CPoint diagram);
    // Mouse input at diagram points; Ctrl is held around the press when asked.
    void Press(CPoint at, bool ctrl = false);
    void Release(CPoint at);
    void MoveTo(CPoint at);
    void Click(CPoint at, bool ctrl = false);
    void RightClick(CPoint at);
    void DoubleClick(CPoint at);
    // Press, move in steps of at most 5 units, release.
    void Drag(CPoint from, CPoint to);
    void Key(UINT vk, bool ctrl = false);
    // A command through the view's own command routing.
    void Command(UINT id);
    // Enabled state of a command as the view's update handler gives it.
    bool Enabled(UINT id);

    // Inserts a block of the palette type with a click at the point; the new element or null.
    CBlockObj* Insert(int type, CPoint at);
    // Centre of a pin of an element.
    CPoint Pin(CBlockObj* block, int pin);
    // Draws a wire in connect mode from one pin to another and returns to select mode; the new
    // wire or null when none was made.
    CConnectLineObj* Wire(CBlockObj* from, int fromPin, CBlockObj* to, int toPin);

    // The program as its file holds it.
    std::string FileBytes();
    int Count(const CObList& list) const { return int(list.GetCount()); }
    CBlockObj* Block(int index) const;
    CConnectLineObj* WireAt(int index) const;
    // The texts of the message boxes shown since the last call.
    std::vector<std::wstring> Boxes();
};

}  // namespace viewtest
