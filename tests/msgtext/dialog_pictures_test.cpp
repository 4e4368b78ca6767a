// Pictures of the field dialogs (bar, scope, pointer, scale time, graph picture, I/O status
// name) in English and Chinese: each is saved as a PNG next to the test binary for a person to
// look at, and the pictures of a language, stacked, are compared pixel for pixel with the
// reviewed reference in tests/fixtures/msgtext. TAVIX_UPDATE_MSGTEXT_REFERENCES=1 writes the
// references instead (review them before committing).
#include "MsgTextTestSupport.h"
#include "tests/support/BesideTheTests.h"

#include "elements/BlockObj.h"
#include "msgtext/GraphDlg.h"
#include "msgtext/IOSN.h"
#include "msgtext/ScaleTimeDlg.h"
#include "msgtext/Widget.h"
#include "msgtext/WidgetSettingDlg.h"
#include "resources/Resources.h"
#include "shell/MainFrame.h"

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

using namespace mttest;

namespace {

std::string Reference(const std::string& lang)
{
    return std::string(TAVIX_SOURCE_DIR) + "/tests/fixtures/msgtext/dialogs_" + lang + ".png";
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
            CRect r;
            ::GetWindowRect(d, &r);
            const Picture p = Capture(m_drv, d, r.Width(), r.Height());
            EXPECT_TRUE(m_drv.SaveScreenshot(d, BesideTheTests("msgtext_dialog_" + name + ".png"))) << name;
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
        if (UpdatingReferences()) {
            EXPECT_TRUE(SavePng(sheet, Reference(lang)));
            continue;
        }
        const Picture ref = LoadPng(Reference(lang));
        ASSERT_EQ(ref.width, sheet.width) << "missing or different reference " << Reference(lang);
        ASSERT_EQ(ref.height, sheet.height) << Reference(lang);
        size_t first = 0;
        EXPECT_EQ(CountDifferences(ref, sheet, &first), 0) << lang << ": first difference at (" << first % size_t(ref.width) << ", "
                             << first / size_t(ref.width) << ")";
    }
}
