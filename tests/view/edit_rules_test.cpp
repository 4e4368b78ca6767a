// Tables of the editing rules: the feedback table with its signal classes, the signal classes of
// pins, and the tidying of a wire's bends after a drag.
#include "EditTestSupport.h"

#include "document/FeedbackCheck.h"

namespace viewtest {
namespace {

TEST(FeedbackTable, ClassesAndValuesOfTheWorkedCases)
{
    const struct {
        int source, target, value;
    } cases[] = {
        {300, 300, 1},  // two gates
        {300, 607, 0},  // gate into a flag
        {300, 609, 2},  // gate into an analog output
        {605, 300, 0},  // output into a gate
        {605, 870, 2},  // output into an exponent block (other targets)
        {609, 803, 0},  // analog output into a comparator
        {805, 805, 1},  // amplifier into itself
        {803, 806, 1},  // comparator into a watchdog
        {413, 820, 1},  // stopwatch into an analog filter
        {869, 300, 2},  // math block (class S3) into a gate
        {869, 870, 0},  // math into a math block of the other targets
        {803, 411, 2},  // comparator into a yearly timer (other targets)
    };
    for (const auto& c : cases)
        EXPECT_EQ(feedback::TableValue(feedback::SourceClass(c.source), feedback::TargetClass(c.target)), c.value)
            << c.source << " -> " << c.target;
}

class RuleEdit : public EditTest {
protected:
    void SetUp() override
    {
        EditTest::SetUp();
        auto doc = NewDocument(CTavixDoc::kindFbd);
        doc->OnNewDocument();
        Open(std::move(doc));
    }
};

TEST_F(RuleEdit, SignalClassesOfPins)
{
    CPoint at(100, 100);
    auto make = [&](int type) {
        CBlockObj* b = view->InsertBlock(type, &at);
        EXPECT_TRUE(b && view->AddInsertedBlock(b)) << type;
        at.x += 60;
        return b;
    };
    CBlockObj* ai = make(608);
    CBlockObj* gate = make(300);
    CBlockObj* comparator = make(803);
    CBlockObj* watchdog = make(806);
    CBlockObj* amplifier = make(805);
    const struct {
        CBlockObj *source, *dest;
        int pin;
        BOOL allowed;
    } cases[] = {
        {ai, gate, 0, FALSE},         {ai, comparator, 0, TRUE},    {gate, comparator, 0, FALSE},
        {gate, watchdog, 0, TRUE},    {amplifier, watchdog, 0, FALSE}, {amplifier, watchdog, 1, TRUE},
        {comparator, gate, 0, TRUE},  {amplifier, gate, 1, FALSE},
    };
    for (const auto& c : cases)
        EXPECT_EQ(view->CheckPinTypes(c.source, c.dest, c.pin), c.allowed)
            << c.source->m_nType << " -> " << c.dest->m_nType << " pin " << c.pin;
}

TEST_F(RuleEdit, RoutesAreTidiedAfterADrag)
{
    const struct {
        const char* what;
        std::vector<CPoint> before, after;
    } cases[] = {
        {"three vertices lose the middle one", {{0, 0}, {5, 0}, {10, 0}}, {{0, 0}, {10, 0}}},
        {"a middle leg left of both ends comes 5 inside",
         {{100, 10}, {50, 10}, {50, 40}, {200, 40}},
         {{100, 10}, {105, 10}, {105, 40}, {200, 40}}},
        {"a middle leg right of both ends comes 5 inside",
         {{100, 10}, {250, 10}, {250, 40}, {200, 40}},
         {{100, 10}, {195, 10}, {195, 40}, {200, 40}}},
        {"a middle leg between the ends stays",
         {{100, 10}, {150, 10}, {150, 40}, {200, 40}},
         {{100, 10}, {150, 10}, {150, 40}, {200, 40}}},
        {"right to left: a leg beyond the start comes inside",
         {{200, 10}, {260, 10}, {260, 40}, {100, 40}},
         {{200, 10}, {195, 10}, {195, 40}, {100, 40}}},
        {"five segments whose last leg stops short of the end come 5 past it",
         {{100, 10}, {110, 10}, {110, 30}, {118, 30}, {118, 50}, {120, 50}},
         {{100, 10}, {110, 10}, {110, 30}, {125, 30}, {125, 50}, {120, 50}}},
        {"five segments that start left of the start keep their detour",
         {{100, 10}, {90, 10}, {90, 30}, {150, 30}, {150, 50}, {120, 50}},
         {{100, 10}, {90, 10}, {90, 30}, {150, 30}, {150, 50}, {120, 50}}},
    };
    for (const auto& c : cases) {
        CConnectLineObj w;
        for (const CPoint& p : c.before)
            w.m_points.Add(p);
        view->NormalizeRoute(&w);
        std::vector<CPoint> got;
        for (INT_PTR i = 0; i < w.m_points.GetSize(); ++i)
            got.push_back(w.m_points[i]);
        EXPECT_EQ(got, c.after) << c.what;
    }
}

}  // namespace
}  // namespace viewtest
