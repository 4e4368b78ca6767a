#include "ViewTestSupport.h"

#include "platform/ui/core/WinUser.h"
#include "shell/MainFrame.h"

#include "tests/support/PngPixels.h"

#include <sstream>

namespace viewtest {

std::string FixturePath(const std::string& name)
{
    return std::string(TAVIX_SOURCE_DIR) + "/tests/fixtures/" + name;
}

void Image::Stack(const Image& below)
{
    StackPixels(width, height, pixels, below.width, below.height, below.pixels);
}

bool Image::SavePng(const std::string& path) const
{
    return WritePngPixels(path, width, height, pixels);
}

Image Image::LoadPng(const std::string& path)
{
    Image img;
    ReadPngPixels(path, img.width, img.height, img.pixels);
    return img;
}

std::string FirstDifference(const Image& a, const Image& b)
{
    std::ostringstream out;
    if (a.width != b.width || a.height != b.height) {
        out << "size " << a.width << "x" << a.height << " vs " << b.width << "x" << b.height;
        return out.str();
    }
    int count = 0, fx = -1, fy = -1;
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x)
            if (a.At(x, y) != b.At(x, y) && count++ == 0)
                fx = x, fy = y;
    if (count == 0)
        return std::string();
    out << count << " pixels differ, first at (" << fx << ", " << fy << "): " << std::hex << a.At(fx, fy) << " vs "
        << b.At(fx, fy);
    return out.str();
}

void ViewTest::SetUp()
{
    g_wHardwareCode = 0x5188;
    CMainFrame::SetPendingDocKind(1);
}

void ViewTest::TearDown()
{
    if (frame && ::IsWindow(frame->GetSafeHwnd()))
        frame->DestroyWindow();
    drv.Pump();
    frame = nullptr;
    view = nullptr;
}

std::unique_ptr<CTavixDoc> ViewTest::Load(const std::string& fixture)
{
    auto doc = std::make_unique<CTavixDoc>();
    const std::string path = FixturePath(fixture);
    EXPECT_TRUE(doc->OnOpenDocument(FromUtf8(path))) << path;
    return doc;
}

std::unique_ptr<CTavixDoc> ViewTest::NewDocument(int kind, WORD hardwareCode)
{
    g_wHardwareCode = hardwareCode;
    CMainFrame::SetPendingDocKind(kind);
    auto doc = std::make_unique<CTavixDoc>();
    doc->m_nHardwareCode = hardwareCode;
    return doc;
}

HWND ViewTest::Top() const { return frame->GetSafeHwnd(); }

CTavixView* ViewTest::Open(std::unique_ptr<CTavixDoc> doc, int width, int height)
{
    document = std::move(doc);
    frame = new CFrameWnd;
    CRect outer(0, 0, width, height);
    ::AdjustWindowRectEx(&outer, WS_OVERLAPPEDWINDOW, FALSE, 0);
    frame->Create(nullptr, L"view test", WS_OVERLAPPEDWINDOW, CRect(0, 0, outer.Width(), outer.Height()), nullptr,
                  nullptr);
    view = new CTavixView(document.get(), &childFrame);
    view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, width, height), frame, AFX_IDW_PANE_FIRST,
                 nullptr);
    frame->SetActiveView(view);
    frame->ShowWindow(SW_SHOW);
    frame->RecalcLayout();
    view->SendMessage(WM_INITIALUPDATE);
    drv.Activate(Top());
    drv.Pump();
    return view;
}

void ViewTest::Repaint()
{
    view->InvalidateAll();
    view->UpdateWindow();
    drv.Pump();
}

Image ViewTest::Capture()
{
    CRect client;
    view->GetClientRect(&client);
    view->ClientToScreen(&client);
    CRect top;
    frame->GetWindowRect(&top);
    Image img;
    img.width = client.Width();
    img.height = client.Height();
    img.pixels.resize(size_t(img.width) * size_t(img.height));
    for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x) {
            const COLORREF c = drv.Pixel(Top(), client.left - top.left + x, client.top - top.top + y);
            img.pixels[size_t(y) * img.width + x] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
        }
    return img;
}

}  // namespace viewtest
