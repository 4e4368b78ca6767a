// Helpers for the drawing tests: small white canvases and pixel queries.
#pragma once

#include "platform/gdi/DC.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

namespace gditest {

// A test with a folder of its own under the temporary directory, removed afterwards.
class TempDirTest : public ::testing::Test {
protected:
    explicit TempDirTest(const char* prefix) : m_prefix(prefix) {}
    void SetUp() override
    {
        dir = std::filesystem::temp_directory_path() / (m_prefix + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
    std::filesystem::path dir;

private:
    std::string m_prefix;
};

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

// A memory DC with its own w x h bitmap, filled white.
inline void MakeCanvas(CDC& dc, int w, int h, COLORREF fill = kWhite)
{
    if (dc.GetSafeHdc())
        dc.DeleteDC();
    dc.CreateForImage(w, h);
    dc.FillSolidRect(0, 0, w, h, fill);
}

// Rows of the canvas as text: '#' where the pixel is `ink`, '.' elsewhere (device pixels).
inline std::vector<std::string> Picture(CDC& dc, int w, int h, COLORREF ink = kBlack)
{
    std::vector<std::string> rows;
    for (int y = 0; y < h; ++y) {
        std::string r;
        for (int x = 0; x < w; ++x)
            r += dc.GetPixel(x, y) == ink ? '#' : '.';
        rows.push_back(r);
    }
    return rows;
}

inline int CountPixels(CDC& dc, const RECT& area, COLORREF c)
{
    int n = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            n += dc.GetPixel(x, y) == c;
    return n;
}

// Bounding box of the pixels that differ from `background` (empty when none).
inline CRect InkBox(CDC& dc, int w, int h, COLORREF background = kWhite)
{
    CRect box(w, h, 0, 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (dc.GetPixel(x, y) != background) {
                box.left = std::min<LONG>(box.left, x);
                box.top = std::min<LONG>(box.top, y);
                box.right = std::max<LONG>(box.right, x + 1);
                box.bottom = std::max<LONG>(box.bottom, y + 1);
            }
    if (box.left >= box.right)
        box.SetRectEmpty();
    return box;
}

inline std::vector<COLORREF> Snapshot(CDC& dc, int w, int h)
{
    std::vector<COLORREF> px;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            px.push_back(dc.GetPixel(x, y));
    return px;
}

}  // namespace gditest
