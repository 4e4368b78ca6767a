// The clock texts of a message text in the user's locale: the program runs in the process
// locale, so a Chinese user's "PM" and weekday must arrive as characters, not as bytes.
#include "elements/BlockFactory.h"
#include "elements/BlockMSGTEXT.h"

#include "DiagramFixture.h"
#include "TimeFixture.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <memory>
#include <cstdlib>
#include <string>
#include <sys/stat.h>

namespace {

// Builds the named UTF-8 locale into a private directory when the system does not carry it,
// and points the C library at that directory. Returns false when it cannot be built.
// The directory is left in *built for the caller to remove.
bool ProvideLocale(const std::string& source, const std::string& name, std::string* built)
{
    if (std::setlocale(LC_ALL, name.c_str()))
        return true;
    char dir[] = "/tmp/tavix-locale-XXXXXX";
    if (!mkdtemp(dir))
        return false;
    *built = dir;
    const std::string cmd = "localedef -i " + source + " -f UTF-8 " + dir + "/" + name +
                            " >/dev/null 2>&1";
    (void)std::system(cmd.c_str()); // warnings give a non-zero status with a usable locale
    struct stat st {};
    if (stat((std::string(dir) + "/" + name + "/LC_TIME").c_str(), &st) != 0)
        return false;
    setenv("LOCPATH", dir, 1);
    return std::setlocale(LC_ALL, name.c_str()) != nullptr;
}

// Restores the locale the test found, whatever the test did.
struct LocaleGuard {
    std::string saved = std::setlocale(LC_ALL, nullptr);
    ~LocaleGuard() { std::setlocale(LC_ALL, saved.c_str()); }
};

} // namespace

TEST(ClockTextsInLocale, TimeDateAndWeekdayAreCharacters)
{
    struct Case {
        const char* source;
        const char* name;
        const wchar_t* time;    // "Current Time", detail
        const wchar_t* display; // "Current Time", display
        const wchar_t* date;    // "Current Date"
    } cases[] = {
        {"C", "C.UTF-8", L"PM 03:07:05", L"We 15:07", L"2026-12-09"},
        {"zh_CN", "zh_CN.UTF-8", L"\u4e0b\u5348 03:07:05", L"\u4e0915:07", L"2026-12-09"},
    };
    std::string built;
    for (const Case& c : cases) {
        LocaleGuard guard;
        if (!ProvideLocale(c.source, c.name, &built)) {
            std::printf("locale %s is not available and could not be built: case skipped\n", c.name);
            continue;
        }
        Diagram d;
        d.view.m_nEditMode = CTavixView::modeSimulate;
        SYSTEMTIME st = St(2026, 12, 9, 15, 7, 5);
        st.wDayOfWeek = 3;
        d.frame.SetSimTime(st);
        std::unique_ptr<CBlockObj> msg(NewBlockOfType(TYPE_MSGTEXT));
        auto* m = static_cast<CBlockMSGTEXT*>(msg.get());

        CString time, display, date, enabled;
        msg->GetVariableDetailText(&d.view, &time, 34, 0);
        msg->GetVariableDisplayText(&d.view, &display, 34, 0);
        msg->GetVariableDetailText(&d.view, &date, 1, 1);
        EXPECT_EQ(time, CString(c.time)) << c.name;
        EXPECT_EQ(display, CString(c.display)) << c.name;
        EXPECT_EQ(date, CString(c.date)) << c.name;

        // The captured enable time takes the same road.
        m->m_bCaptureEnableTime = 1;
        msg->GetVariableDetailText(&d.view, &enabled, 2, 2);
        EXPECT_EQ(enabled, CString(c.time)) << c.name;
        EXPECT_EQ(m->m_strEnableTime, CString(c.time)) << c.name;
    }
    if (!built.empty())
        (void)std::system(("rm -rf " + built).c_str());
}
