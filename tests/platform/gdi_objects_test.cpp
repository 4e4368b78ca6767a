// GDI objects and device contexts: selection, lifetime, handles, stock objects, window
// surfaces and system colours.
#include "gdi_support.h"

#include "platform/gdi/detail/DcImpl.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>

using namespace gditest;

namespace {

TEST(GdiObjects, SelectObjectReturnsThePreviousObject)
{
    CDC dc;
    MakeCanvas(dc, 4, 4);
    CPen red(PS_SOLID, 1, RGB(255, 0, 0));
    CPen* old = dc.SelectObject(&red);
    ASSERT_NE(old, nullptr);
    EXPECT_EQ(old->m_hObject, GetStockObject(BLACK_PEN));
    EXPECT_EQ(dc.GetCurrentPen(), &red);
    EXPECT_EQ(dc.SelectObject(old), &red);
    CBrush b(RGB(1, 2, 3));
    CBrush* oldBrush = dc.SelectObject(&b);
    EXPECT_EQ(oldBrush->m_hObject, GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(dc.SelectStockObject(NULL_BRUSH), &b);
}

TEST(GdiObjects, ObjectDeletedWhileSelectedStaysUsable)
{
    CDC dc;
    MakeCanvas(dc, 8, 2);
    CPen* old = nullptr;
    {
        CPen red(PS_SOLID, 1, RGB(255, 0, 0));
        old = dc.SelectObject(&red);
    }  // the wrapper deletes its pen while the DC still uses it
    dc.MoveTo(0, 0);
    dc.LineTo(5, 0);
    EXPECT_EQ(dc.GetPixel(2, 0), RGB(255, 0, 0));
    EXPECT_EQ(dc.SelectObject(old), nullptr);  // the deleted pen has no handle to hand back
    dc.MoveTo(0, 1);
    dc.LineTo(5, 1);
    EXPECT_EQ(dc.GetPixel(2, 1), kBlack);
}

TEST(GdiObjects, HandlesAndWrappers)
{
    CPen pen(PS_DASH, 3, RGB(9, 8, 7));
    EXPECT_EQ(CPen::FromHandle(pen), &pen);
    LOGPEN lp{};
    EXPECT_EQ(pen.GetLogPen(&lp), int(sizeof lp));
    EXPECT_EQ(lp.lopnStyle, UINT(PS_DASH));
    EXPECT_EQ(lp.lopnWidth.x, 3);
    EXPECT_EQ(lp.lopnColor, RGB(9, 8, 7));
    EXPECT_EQ(pen.GetObjectType(), OBJ_PEN);
    {
        // a detached handle gets a wrapper of its own, and a reattached one its owner again
        HGDIOBJ h = pen.Detach();
        CGdiObject* other = CGdiObject::FromHandle(h);
        ASSERT_NE(other, nullptr);
        EXPECT_NE(other, &pen);
        EXPECT_EQ(CGdiObject::FromHandle(h), other);
        ASSERT_TRUE(pen.Attach(h));
        EXPECT_EQ(CGdiObject::FromHandle(h), &pen);
    }

    HBRUSH raw = CreateHatchBrush(HS_CROSS, RGB(1, 1, 1));
    CBrush* temp = CBrush::FromHandle(raw);
    ASSERT_NE(temp, nullptr);
    // temporary wrappers are of the object's own class
    EXPECT_TRUE(temp->IsKindOf(RUNTIME_CLASS(CBrush)));
    EXPECT_FALSE(temp->IsKindOf(RUNTIME_CLASS(CPen)));
    EXPECT_TRUE(temp->IsKindOf(RUNTIME_CLASS(CGdiObject)));
    LOGBRUSH lb{};
    temp->GetLogBrush(&lb);
    EXPECT_EQ(lb.lbStyle, BS_HATCHED);
    EXPECT_EQ(lb.lbHatch, ULONG_PTR(HS_CROSS));
    EXPECT_TRUE(DeleteObject(raw));
    EXPECT_FALSE(DeleteObject(raw));  // stale handles are refused, not dereferenced
    EXPECT_EQ(CGdiObject::FromHandle(raw), nullptr);
    EXPECT_EQ(GetObjectType(raw), 0u);

    CGdiObject stock;
    ASSERT_TRUE(stock.CreateStockObject(BLACK_BRUSH));
    EXPECT_TRUE(stock.DeleteObject());
    EXPECT_EQ(GetObjectType(GetStockObject(BLACK_BRUSH)), OBJ_BRUSH);  // stock objects survive

    CBitmap bmp;
    ASSERT_TRUE(bmp.CreateBitmap(7, 3, 1, 32, nullptr));
    BITMAP bm{};
    bmp.GetBitmap(&bm);
    EXPECT_EQ(bm.bmWidth, 7);
    EXPECT_EQ(bm.bmHeight, 3);
    EXPECT_EQ(bm.bmBitsPixel, 32);
    CBitmap none;
    EXPECT_FALSE(none.CreateBitmap(0, 5, 1, 32, nullptr));
    EXPECT_FALSE(none.CreateBitmap(1 << 20, 1 << 20, 1, 32, nullptr));  // refused, not allocated
}

TEST(GdiObjects, DeviceContextHandles)
{
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    EXPECT_EQ(CDC::FromHandle(dc.GetSafeHdc()), &dc);
    HDC raw = CreateCompatibleDC(nullptr);
    CDC* temp = CDC::FromHandle(raw);
    ASSERT_NE(temp, nullptr);
    EXPECT_EQ(temp->GetSafeHdc(), raw);
    EXPECT_TRUE(DeleteDC(raw));
    EXPECT_EQ(CDC::FromHandle(raw), nullptr);
    EXPECT_FALSE(DeleteDC(raw));

    // a fresh memory DC holds a 1 x 1 monochrome bitmap
    BITMAP bm{};
    dc.GetCurrentBitmap()->GetBitmap(&bm);
    EXPECT_EQ(bm.bmWidth, 1);
    EXPECT_EQ(bm.bmBitsPixel, 1);
    CDC screen;
    ASSERT_TRUE(screen.CreateDC(L"DISPLAY", nullptr, nullptr, nullptr));
    EXPECT_EQ(screen.GetDeviceCaps(LOGPIXELSY), 96);
    EXPECT_GT(screen.GetDeviceCaps(HORZRES), 0);
    EXPECT_FALSE(screen.IsPrinting());
}

// Small, window-sized and odd-sized surfaces alike start black in every byte and take drawing up
// to their last pixel, also through a device context that outlives the caller's hold on them.
TEST(GdiObjects, NewSurfacesOfEverySizeAreBlackAndWhole)
{
    const struct { int cx, cy; } sizes[] = {{40, 30}, {300, 300}, {800, 600}, {1280, 1024}, {1283, 1700}};
    for (const auto& size : sizes) {
        SCOPED_TRACE(testing::Message() << size.cx << "x" << size.cy);
        auto surface = gdi::Surface::Create(size.cx, size.cy);
        ASSERT_TRUE(surface);
        ASSERT_GE(surface->Stride(), size.cx * 4);
        surface->BeginAccess();
        bool black = true;
        for (int y = 0; y < size.cy && black; ++y)
            black = std::all_of(surface->Row(y), surface->Row(y) + size.cx, [](std::uint32_t p) { return p == 0; });
        EXPECT_TRUE(black);
        surface->EndAccess();
        RECT all{0, 0, size.cx, size.cy};
        CDC dc;
        ASSERT_TRUE(dc.Attach(gdi::CreateWindowDC(surface, POINT{0, 0}, &all)));
        std::weak_ptr<gdi::Surface> held = surface;
        surface.reset();
        dc.FillSolidRect(size.cx - 2, size.cy - 2, 2, 2, RGB(0, 0, 255));
        EXPECT_EQ(dc.GetPixel(size.cx - 1, size.cy - 1), RGB(0, 0, 255));
        EXPECT_EQ(dc.GetPixel(size.cx - 3, size.cy - 1), RGB(0, 0, 0));
        ASSERT_FALSE(held.expired());
    }
}

TEST(GdiObjects, WindowDcDrawsAtItsOriginInsideItsVisibleArea)
{
    auto surface = gdi::Surface::Create(40, 30);
    ASSERT_TRUE(surface);
    RECT visible{10, 5, 30, 25};
    CDC dc;
    ASSERT_TRUE(dc.Attach(gdi::CreateWindowDC(surface, POINT{10, 5}, &visible)));
    dc.FillSolidRect(-5, -5, 100, 100, RGB(255, 0, 0));
    CRect clip;
    dc.GetClipBox(&clip);
    EXPECT_EQ(clip, CRect(0, 0, 20, 20));
    EXPECT_EQ(dc.GetPixel(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(dc.GetPixel(20, 0), CLR_INVALID);
    surface->BeginAccess();
    EXPECT_EQ(surface->Row(5)[10] & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(surface->Row(4)[10] & 0xFFFFFF, 0u);   // above the visible area
    EXPECT_EQ(surface->Row(5)[30] & 0xFFFFFF, 0u);   // right of it
    EXPECT_EQ(gdi::SurfaceOf(dc.GetSafeHdc()), surface);

    // a visible region with a hole (a child window clipped out): the program's own clip
    // cannot reach into the hole
    CRgn visibleRgn, child;
    visibleRgn.CreateRectRgn(10, 5, 30, 25);
    child.CreateRectRgn(15, 10, 20, 15);
    visibleRgn.CombineRgn(&visibleRgn, &child, RGN_DIFF);
    ASSERT_TRUE(gdi::SetVisibleRegion(dc.GetSafeHdc(), HRGN(visibleRgn)));
    dc.SelectClipRgn(nullptr);
    dc.FillSolidRect(0, 0, 20, 20, RGB(0, 0, 255));
    EXPECT_EQ(dc.GetPixel(1, 1), RGB(0, 0, 255));
    EXPECT_EQ(dc.GetPixel(7, 7), CLR_INVALID);
    surface->BeginAccess();
    EXPECT_EQ(surface->Row(12)[17] & 0xFFFFFF, 0xFF0000u);  // the child's pixels kept
}

TEST(GdiObjects, ScreenshotsArePngFiles)
{
    CDC dc;
    MakeCanvas(dc, 16, 8, RGB(1, 2, 3));
    std::string path = ::testing::TempDir() + "gdi_shot.png";
    std::wstring wpath(path.begin(), path.end());
    ASSERT_TRUE(dc.SaveAsPng(wpath));
    FILE* f = std::fopen(path.c_str(), "rb");
    ASSERT_NE(f, nullptr);
    unsigned char sig[8] = {};
    EXPECT_EQ(std::fread(sig, 1, 8, f), 8u);
    std::fclose(f);
    std::remove(path.c_str());
    EXPECT_EQ(sig[1], 'P');
    EXPECT_EQ(sig[2], 'N');
    EXPECT_EQ(sig[3], 'G');
    CDC info;
    info.CreateDC(L"DISPLAY", nullptr, nullptr, nullptr);
    EXPECT_FALSE(info.SaveAsPng(wpath));  // nothing to save
}

TEST(GdiObjects, SizeGripSystemBitmap)
{
    CBitmap grip;
    ASSERT_TRUE(grip.LoadOEMBitmap(OBM_SIZE));
    BITMAP bm{};
    grip.GetBitmap(&bm);
    EXPECT_EQ(bm.bmWidth, 12);
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap* old = dc.SelectObject(&grip);
    EXPECT_EQ(dc.GetPixel(0, 0), GetSysColor(COLOR_BTNFACE));  // the mask colour of the grip
    EXPECT_EQ(dc.GetPixel(0, 11), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(dc.GetPixel(11, 0), GetSysColor(COLOR_BTNFACE));
    int shadow = 0;
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12; ++x)
            shadow += dc.GetPixel(x, y) == GetSysColor(COLOR_BTNSHADOW);
    EXPECT_GT(shadow, 10);
    dc.SelectObject(old);
    CBitmap other;
    EXPECT_FALSE(other.LoadOEMBitmap(1));
}

TEST(GdiObjects, SystemColoursAndBrushes)
{
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), RGB(255, 255, 255));
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_3DFACE));
    EXPECT_EQ(GetSysColor(9999), 0u);
    CBrush* face = CBrush::FromHandle(GetSysColorBrush(COLOR_BTNFACE));
    ASSERT_NE(face, nullptr);
    LOGBRUSH lb{};
    face->GetLogBrush(&lb);
    EXPECT_EQ(lb.lbColor, GetSysColor(COLOR_BTNFACE));
    EXPECT_TRUE(DeleteObject(GetSysColorBrush(COLOR_BTNFACE)));
    EXPECT_EQ(GetObjectType(GetSysColorBrush(COLOR_BTNFACE)), OBJ_BRUSH);
}

}  // namespace
