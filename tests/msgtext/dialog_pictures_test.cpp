// Pictures of the field dialogs (bar, scope, pointer, scale time, graph picture, I/O status
// name) in English and Chinese: each is saved as a PNG next to the test binary for a person to
// look at, and the pictures of a language, stacked, are compared pixel for pixel with the
// reviewed reference in tests/fixtures/msgtext. TAVIX_UPDATE_MSGTEXT_REFERENCES=1 writes the
// references instead (review them before committing).
#include "MsgTextTestSupport.h"

#include "elements/BlockObj.h"
#include "msgtext/GraphDlg.h"
#include "msgtext/IOSN.h"
#include "msgtext/ScaleTimeDlg.h"
#include "msgtext/Widget.h"
#include "msgtext/WidgetSettingDlg.h"
#include "resources/Resources.h"
#include "shell/MainFrame.h"

#include <cairo.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

using namespace mttest;

namespace {

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;  // 0xRRGGBB, row by row

    void Stack(const Picture& below)
    {
        const int w = std::max(width, below.width);
        std::vector<uint32_t> out(size_t(w) * size_t(height + below.height), 0xFFFFFF);
        for (int y = 0; y < height; ++y)
            std::copy_n(&pixels[size_t(y) * width], width, &out[size_t(y) * w]);
        for (int y = 0; y < below.height; ++y)
            std::copy_n(&below.pixels[size_t(y) * below.width], below.width, &out[size_t(y + height) * w]);
        width = w;
        height += below.height;
        pixels.swap(out);
    }
};

bool Updating()
{
    const char* v = std::getenv("TAVIX_UPDATE_MSGTEXT_REFERENCES");
    return v && *v && *v != '0';
}

std::string Reference(const std::string& lang)
{
    return std::string(TAVIX_SOURCE_DIR) + "/tests/fixtures/msgtext/dialogs_" + lang + ".png";
}

bool SavePng(const Picture& p, const std::string& path)
{
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, p.width, p.height);
    cairo_surface_flush(s);
    unsigned char* data = cairo_image_surface_get_data(s);
    const int stride = cairo_image_surface_get_stride(s);
    for (int y = 0; y < p.height; ++y)
        std::copy_n(&p.pixels[size_t(y) * p.width], p.width, reinterpret_cast<uint32_t*>(data + y * stride));
    cairo_surface_mark_dirty(s);
    const bool ok = cairo_surface_write_to_png(s, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(s);
    return ok;
}

Picture LoadPng(const std::string& path)
{
    Picture p;
    cairo_surface_t* s = cairo_image_surface_create_from_png(path.c_str());
    if (cairo_surface_status(s) == CAIRO_STATUS_SUCCESS) {
        p.width = cairo_image_surface_get_width(s);
        p.height = cairo_image_surface_get_height(s);
        cairo_surface_flush(s);
        const unsigned char* data = cairo_image_surface_get_data(s);
        const int stride = cairo_image_surface_get_stride(s);
        p.pixels.resize(size_t(p.width) * size_t(p.height));
        for (int y = 0; y < p.height; ++y)
            for (int x = 0; x < p.width; ++x)
                p.pixels[size_t(y) * p.width + x] = reinterpret_cast<const uint32_t*>(data + y * stride)[x] & 0xFFFFFF;
    }
    cairo_surface_destroy(s);
    return p;
}

class DialogPicturesTest : public MsgTextTest {
protected:
    void TearDown() override
    {
        g_nLanguage = 0;
        MsgTextTest::TearDown();
    }
    // Runs the dialog, takes its picture once it shows, saves it and cancels it.
    void Take(CDialog& dlg, const std::string& name, Picture& sheet)
    {
        Step([&](HWND d) {
            m_drv.Pump();
            Picture p;
            CRect r;
            ::GetWindowRect(d, &r);
            p.width = r.Width();
            p.height = r.Height();
            p.pixels.resize(size_t(p.width) * size_t(p.height));
            for (int y = 0; y < p.height; ++y)
                for (int x = 0; x < p.width; ++x) {
                    const COLORREF c = m_drv.Pixel(d, x, y);
                    p.pixels[size_t(y) * p.width + x] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
                }
            EXPECT_TRUE(m_drv.SaveScreenshot(d, "msgtext_dialog_" + name + ".png")) << name;
            EXPECT_GT(m_drv.DistinctColours(d, CRect(0, 0, p.width, p.height)), 2) << name;
            sheet.Stack(p);
            Press(d, IDCANCEL);
        });
        dlg.DoModal();
    }
};

} // namespace

TEST_F(DialogPicturesTest, FieldDialogsInBothLanguages)
{
    auto doc = NewDocument();
    Add(*doc, 800);
    Add(*doc, 805);
    Add(*doc, 600);
    for (const std::string lang : {"en", "zh"}) {
        g_nLanguage = lang == "zh" ? 1 : 0;
        SetResourceLanguage(lang == "zh" ? kLangIdChinese : kLangIdEnglish);
        Picture sheet;
        for (int kind : {widgetBar, widgetScope, widgetPointer}) {
            CWidgetSettingDlg dlg(doc.get());
            dlg.m_nType = kind;
            Take(dlg, std::string(kind == widgetBar ? "bar_" : kind == widgetScope ? "scope_" : "pointer_") + lang, sheet);
        }
        CScaleTimeDlg scale(doc.get());
        Take(scale, "scale_time_" + lang, sheet);
        CWidget field;
        CGraphDlg graph;
        graph.m_pWidget = &field;
        graph.m_nPicture = 7;
        Take(graph, "graph_" + lang, sheet);
        CIOSN names(doc.get());
        Take(names, "io_status_name_" + lang, sheet);
        ASSERT_GT(sheet.height, 0);
        EXPECT_TRUE(SavePng(sheet, "msgtext_dialogs_" + lang + ".png"));
        if (Updating()) {
            EXPECT_TRUE(SavePng(sheet, Reference(lang)));
            continue;
        }
        const Picture ref = LoadPng(Reference(lang));
        ASSERT_EQ(ref.width, sheet.width) << "missing or different reference " << Reference(lang);
        ASSERT_EQ(ref.height, sheet.height) << Reference(lang);
        int differ = 0;
        size_t first = 0;
        for (size_t i = 0; i < ref.pixels.size(); ++i)
            if (ref.pixels[i] != sheet.pixels[i] && differ++ == 0)
                first = i;
        EXPECT_EQ(differ, 0) << lang << ": first difference at (" << first % size_t(ref.width) << ", "
                             << first / size_t(ref.width) << ")";
    }
}
