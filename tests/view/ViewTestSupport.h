// The view tests: a diagram view in a frame window of the headless host, documents built in the
// test or loaded from the fixtures, and the pixels the window shows.
#pragma once

#include "document/TavixDoc.h"
#include "platform/host/HeadlessHost.h"
#include "platform/ui/framework/Frame.h"
#include "shell/ChildFrame.h"
#include "view/TavixView.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace viewtest {

// Pixels of a rectangle, row by row, as 0xRRGGBB.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;

    uint32_t At(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
    bool operator==(const Image& o) const { return width == o.width && height == o.height && pixels == o.pixels; }
    // Appends another image below this one (the wider width; the rest is white).
    void Stack(const Image& below);
    bool SavePng(const std::string& path) const;
    static Image LoadPng(const std::string& path);
};

std::string FixturePath(const std::string& name);

// Where two images of the same size first differ, as text ("" when they are equal).
std::string FirstDifference(const Image& a, const Image& b);

class ViewTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Shows the document in a view of a frame window whose client area is width x height.
    CTavixView* Open(std::unique_ptr<CTavixDoc> doc, int width = 800, int height = 600);
    // Loads a program file of tests/fixtures.
    static std::unique_ptr<CTavixDoc> Load(const std::string& fixture);
    // A new empty document: function block diagram (kind 1) or ladder (kind 2).
    static std::unique_ptr<CTavixDoc> NewDocument(int kind, WORD hardwareCode = 0x5188);
    // Runs the queue (paints included).
    void Pump() { drv.Pump(); }
    // Repaints the whole view now.
    void Repaint();
    // What the view's client area shows.
    Image Capture();
    HWND Top() const;

    CHeadlessDriver drv;
    std::unique_ptr<CTavixDoc> document;
    CChildFrame childFrame;
    CFrameWnd* frame = nullptr;
    CTavixView* view = nullptr;
};

}  // namespace viewtest
