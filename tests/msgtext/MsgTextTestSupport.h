// Message-text tests: a program of the newer machine type with a few blocks, dialogs run
// modally on a headless driver with scripted steps, and control helpers.
#pragma once

#include "document/TavixDoc.h"
#include "platform/host/HeadlessHost.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class CBlockObj;

namespace mttest {

// A document of hardware code 0x5188 (or the given one) with no elements.
std::unique_ptr<CTavixDoc> NewDocument(WORD hardware = 0x5188, int kind = CTavixDoc::kindFbd);
// Adds a block of a type; returns it (numbered by the document).
CBlockObj* Add(CTavixDoc& doc, int nType);

void SetText(HWND dlg, int id, const wchar_t* text);
std::wstring Text(HWND dlg, int id);
void Choose(HWND dlg, int id, int index);
int Selected(HWND dlg, int id);
int Count(HWND dlg, int id);
std::wstring Entry(HWND dlg, int id, int index);
void Press(HWND dlg, int id);
void Check(HWND dlg, int id, bool on);
bool Checked(HWND dlg, int id);
bool Visible(HWND dlg, int id);
bool Enabled(HWND dlg, int id);
std::wstring Caption(HWND dlg);

// A picture as 0xRRGGBB pixels, row by row.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;

    // Puts another picture below this one, on white where it is the narrower.
    void Stack(const Picture& below);
};
// The pixels of a window as the driver shows them, width x height from its top left.
Picture Capture(CHeadlessDriver& drv, HWND hWnd, int width, int height);
bool SavePng(const Picture& p, const std::string& path);
// The picture of a PNG file; empty when the file cannot be read.
Picture LoadPng(const std::string& path);
// How many pixels of two pictures of one size differ; the first of them at *pFirst.
int CountDifferences(const Picture& a, const Picture& b, size_t* pFirst);
// With TAVIX_UPDATE_MSGTEXT_REFERENCES set (not 0), the tests write their reference pictures
// instead of comparing with them.
bool UpdatingReferences();

class MsgTextTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // A step that runs on the active window while a modal loop waits.
    void Step(std::function<void(HWND)> f);
    std::wstring LastMessage();
    int MessageCount() { return int(m_drv.Host().MessageBoxes().size()); }

    CHeadlessDriver m_drv;
};

} // namespace mttest
