// Message-text tests: a program of the newer machine type with a few blocks, dialogs run
// modally on a headless driver with scripted steps, and control helpers.
#pragma once

#include "document/TavixDoc.h"
#include "platform/host/HeadlessHost.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

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
