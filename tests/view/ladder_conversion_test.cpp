// Ladder to function block conversion: the converted diagram behaves like the ladder. Each
// ladder program of the table (the fixtures and programs of random rungs) is simulated, then
// its conversion, over the same input sequence; every output is compared at every step. The
// shapes the conversion gives to typical rungs, and its refusals, are checked on small programs.
#include "ViewTestSupport.h"

#include "elements/BlockFactory.h"
#include "elements/BlockObj.h"
#include "elements/BlockTypes.h"
#include "elements/PowerBus.h"
#include "shell/InputsBar.h"
#include "platform/ui/framework/App.h"
#include "resources/resource.h"

#include <map>
#include <random>
#include <set>
#include <string>

namespace viewtest {
namespace {

// Builds a ladder program element by element, wiring as the editor does (the last wire at an
// input names its source in the link).
struct LadderBuilder {
    CTavixDoc& doc;
    CBlockObj* bus;
    int nextMake = NUM_MAKE, nextBreak = NUM_BREAK, nextCoil = NUM_COIL, nextBlock = NUM_FUNCTION;

    explicit LadderBuilder(CTavixDoc& d) : doc(d)
    {
        bus = new CPowerBusObj();
        bus->m_nNumber = NUM_POWERBUS;
        doc.m_powerBus.AddTail(bus);
    }
    CBlockObj* Add(int type, int number, int operand)
    {
        CBlockObj* p = NewBlockOfType(type);
        p->ResetPinKinds(&doc);
        p->m_nNumber = number;
        p->m_nOperand = operand;
        p->m_nWidth = 25;
        p->m_nHeight = p->m_nInputs == 4 ? 40 : 36;
        doc.m_blocks.AddTail(p);
        return p;
    }
    CBlockObj* Contact(bool isBreak, int operand)
    {
        return Add(isBreak ? TYPE_BREAK : TYPE_MAKE, isBreak ? nextBreak++ : nextMake++, operand);
    }
    CBlockObj* Coil(int type, int operand) { return Add(type, nextCoil++, operand); }
    CBlockObj* Block(int type) { return Add(type, nextBlock++, 0); }
    void Wire(CBlockObj* from, CBlockObj* to, int pin)
    {
        auto* w = new CConnectLineObj();
        w->m_pStartBlock = from;
        w->m_nStartPin = kOutputPin;
        w->m_nStartNumber = from->m_nNumber;
        w->m_pEndBlock = to;
        w->m_nEndPin = pin;
        w->m_nEndNumber = to->m_nNumber;
        w->m_pDoc = &doc;
        w->m_points.Add(CPoint(0, 0));
        w->m_points.Add(CPoint(10, 0));
        doc.m_wires.AddTail(w);
        to->m_nLink[pin] = from->m_nNumber;
    }
};

constexpr int kInputs = 4;

// How many random programs of each kind (LADDER_SEEDS may ask for more).
unsigned Seeds(unsigned n)
{
    const char* more = getenv("LADDER_SEEDS");
    return more ? unsigned(atoi(more)) : n;
}

// A random program: function blocks (on-delay timer, counter, latching relay) whose trigger,
// count or set input is driven (one input each, so that no two inputs race), then coils and inverted outputs on outputs and flags. Contacts read the inputs, the
// coils and the function blocks made before them, make or break. With bParallel the rungs have
// parallel branches and junctions; without, every input has one wire.
void RandomProgram(CTavixDoc& doc, unsigned seed, bool bParallel)
{
    std::mt19937 rng(seed);
    auto pick = [&](int n) { return int(rng() % unsigned(n)); };
    LadderBuilder b(doc);
    std::vector<int> readable;
    for (int i = 0; i < kInputs; ++i)
        readable.push_back(NUM_INPUT + i);
    // Counters and latches see every glitch of a rung still settling, and the ladder's
    // cycle-by-cycle settling glitches where the converted gates do not: their input is one
    // contact on an input or a block.
    auto contact = [&](CBlockObj* target, int pin) {
        CBlockObj* c = b.Contact(pick(5) < 2, readable[size_t(pick(int(readable.size())))]);
        b.Wire(b.bus, c, 0);
        b.Wire(c, target, pin);
    };
    auto rung = [&](CBlockObj* target, int pin) {
        std::vector<CBlockObj*> exits{b.bus};
        const int stages = 1 + pick(3);
        for (int s = 0; s < stages; ++s) {
            std::vector<CBlockObj*> next;
            const int branches = bParallel ? 1 + pick(3) : 1;
            for (int br = 0; br < branches; ++br) {
                std::vector<CBlockObj*> prev = exits;
                const int length = 1 + pick(2);
                for (int k = 0; k < length; ++k) {
                    CBlockObj* c = b.Contact(pick(5) < 2, readable[size_t(pick(int(readable.size())))]);
                    for (CBlockObj* p : prev)
                        b.Wire(p, c, 0);
                    prev = {c};
                }
                next.push_back(prev.front());
            }
            exits = next;
        }
        for (CBlockObj* p : exits)
            b.Wire(p, target, pin);
    };
    const int blocks = pick(3);
    for (int k = 0; k < blocks; ++k) {
        const int type = std::vector<int>{400, 800, 808}[size_t(pick(3))];
        CBlockObj* fb = b.Block(type);
        if (type == 400) {
            fb->m_nTime1High = 20 + pick(30);
            fb->m_nTime1Base = 1;
            rung(fb, 0);
        } else if (type == 800) {
            fb->m_nTime1High = 1 + pick(3);  // on at this count
            fb->m_nTime2High = 0;
            contact(fb, 1);
        } else {
            contact(fb, 0);
        }
        readable.push_back(fb->m_nNumber);
    }
    const int coils[] = {NUM_OUTPUT, NUM_OUTPUT + 1, NUM_OUTPUT + 2, NUM_FLAG};
    for (int operand : coils) {
        CBlockObj* coil = b.Coil(pick(4) == 0 ? TYPE_INV_OUT : TYPE_COIL, operand);
        rung(coil, 0);
        readable.push_back(coil->m_nNumber);
    }
}

class LadderConversionTest : public ViewTest {
protected:
    // The converted function block diagram of a ladder program.
    std::unique_ptr<CTavixDoc> Convert(const CTavixDoc& ladder, CString* pError = nullptr)
    {
        auto fbd = NewDocument(1, ladder.m_nHardwareCode);
        CTavixView converter(fbd.get(), nullptr);
        CString error;
        converted = converter.ConvertLadderToFbd(&ladder, &error);
        if (pError)
            *pError = error;
        return fbd;
    }
    // Every coil's operand with the element that shows its value.
    static std::map<int, int> Outputs(const CTavixDoc& doc)
    {
        std::map<int, int> out;
        for (POSITION pos = doc.m_blocks.GetHeadPosition(); pos;) {
            const auto* p = static_cast<const CBlockObj*>(doc.m_blocks.GetNext(pos));
            if (p->m_nType == TYPE_COIL || p->m_nType == TYPE_INV_OUT)
                out[p->m_nOperand] = p->m_nNumber;
        }
        return out;
    }
    // Simulates a program over the input steps: each step sets the inputs from the Inputs bar,
    // lets the program settle, records the outputs, then runs the clock a number of ticks.
    std::vector<std::map<int, int>> Simulate(std::unique_ptr<CTavixDoc> doc, const std::map<int, int>& outputs,
                                             const std::vector<std::pair<unsigned, int>>& steps)
    {
        Open(std::move(doc), 160, 120);
        view->ToggleSimulation();
        EXPECT_TRUE(view->IsSimulating());
        view->StopSimClock();
        SYSTEMTIME start{};
        start.wYear = 2026, start.wMonth = 3, start.wDay = 2, start.wHour = 9;
        childFrame.SetSimTime(start);
        std::vector<std::map<int, int>> trace;
        for (const auto& [bits, ticks] : steps) {
            for (int i = 0; i < kInputs; ++i)
                childFrame.m_wndInputsBar.SetSwitch(NUM_INPUT + i, (bits >> i) & 1);
            for (int k = 0; k < 10; ++k)  // a ladder rung may take a cycle per contact
                Repaint();
            std::map<int, int> values;
            for (const auto& [operand, number] : outputs) {
                const CBlockObj* p = document->FindBlockByNumber(number);
                values[operand] = p ? p->m_nPinValue[kOutputPin] : -1;
            }
            trace.push_back(values);
            for (int k = 0; k < ticks; ++k) {
                childFrame.SimClockTick();
                Repaint();
            }
        }
        view->ToggleSimulation();
        frame->DestroyWindow();
        drv.Pump();
        frame = nullptr;
        view = nullptr;
        return trace;
    }
    // Simulates the ladder and its conversion and compares them step by step.
    void ExpectSameBehaviour(std::unique_ptr<CTavixDoc> ladder, unsigned seed, const std::string& name)
    {
        CString error;
        auto fbd = Convert(*ladder, &error);
        ASSERT_TRUE(converted) << name << ": " << ToUtf8(error);
        const std::map<int, int> coils = Outputs(*ladder);
        std::map<int, int> outputs;  // in the function block diagram each operand is its element
        for (const auto& [operand, number] : coils)
            outputs[operand] = operand;
        std::mt19937 rng(seed * 7919u + 1);
        std::vector<std::pair<unsigned, int>> steps;
        for (int k = 0; k < 16; ++k)
            steps.emplace_back(unsigned(rng() % 16), int(rng() % 12));
        const auto expected = Simulate(std::move(ladder), coils, steps);
        const auto actual = Simulate(std::move(fbd), outputs, steps);
        ASSERT_EQ(expected.size(), actual.size());
        for (size_t k = 0; k < expected.size(); ++k)
            ASSERT_EQ(expected[k], actual[k]) << name << ", step " << k;
    }

    BOOL converted = FALSE;
};

TEST_F(LadderConversionTest, ConvertedProgramsBehaveLikeTheirLadder)
{
    ExpectSameBehaviour(Load("program_ladder.yld"), 1, "program_ladder.yld");
    for (unsigned seed = 1; seed <= Seeds(5); ++seed) {
        auto doc = NewDocument(2);
        RandomProgram(*doc, seed, false);
        ExpectSameBehaviour(std::move(doc), seed, "series rungs " + std::to_string(seed));
    }
    for (unsigned seed = 1; seed <= Seeds(5); ++seed) {
        auto doc = NewDocument(2);
        RandomProgram(*doc, seed, true);
        ExpectSameBehaviour(std::move(doc), seed, "parallel rungs " + std::to_string(seed));
    }
}


// Gates of a converted program: type and the inputs it links (negated ones with '!').
std::multiset<std::string> Gates(const CTavixDoc& doc)
{
    std::multiset<std::string> out;
    for (POSITION pos = doc.m_blocks.GetHeadPosition(); pos;) {
        const auto* p = static_cast<const CBlockObj*>(doc.m_blocks.GetNext(pos));
        if (p->m_nType < TYPE_AND || p->m_nType > TYPE_NOT)
            continue;
        std::string text = p->m_nType == TYPE_AND ? "AND" : p->m_nType == TYPE_OR ? "OR" : "NOT";
        for (int pin = 0; pin < p->m_nInputs; ++pin)
            if (!IsLinkCode(p->m_nLink[pin]))
                text += std::string(" ") + (p->m_bNegate[pin] ? "!" : "") +
                        (p->m_nLink[pin] >= NUM_FUNCTION ? std::string("B") : std::to_string(p->m_nLink[pin]));
        out.insert(text);
    }
    return out;
}

TEST_F(LadderConversionTest, RungsBecomeTheirGatesAndElements)
{
    // Each case: contacts in series (one inner list per parallel branch) into a coil on Q1.
    struct Case {
        const char* name;
        std::vector<std::vector<int>> branches;  // operands; negative: break contact
        int coil;
        std::multiset<std::string> gates;
        int q1Source;  // what Q1 links: an element number, or 0 for a gate
    } const cases[] = {
        {"one contact", {{100}}, TYPE_COIL, {}, 100},
        {"series", {{100, 101}}, TYPE_COIL, {"AND 100 101"}, 0},
        {"break contact", {{-100}}, TYPE_COIL, {"NOT 100"}, 0},
        {"inverted output", {{100}}, TYPE_INV_OUT, {"NOT 100"}, 0},
        {"three branches", {{100}, {101}, {102}}, TYPE_COIL, {"OR 100 101 102"}, 0},
        {"nine branches", {{100}, {101}, {102}, {103}, {104}, {105}, {106}, {107}, {108}}, TYPE_COIL,
         {"OR 100 101 102 103", "OR B 104 105 106", "OR B 107 108"}, 0},
        {"straight from the bus", {{}}, TYPE_COIL, {}, NUM_HIGH},
    };
    for (const Case& c : cases) {
        auto ladder = NewDocument(2);
        LadderBuilder b(*ladder);
        CBlockObj* coil = b.Coil(c.coil, NUM_OUTPUT);
        for (const auto& branch : c.branches) {
            CBlockObj* prev = b.bus;
            for (int operand : branch) {
                CBlockObj* contact = b.Contact(operand < 0, std::abs(operand));
                b.Wire(prev, contact, 0);
                prev = contact;
            }
            b.Wire(prev, coil, 0);
        }
        auto fbd = Convert(*ladder);
        ASSERT_TRUE(converted) << c.name;
        EXPECT_EQ(Gates(*fbd), c.gates) << c.name;
        const CBlockObj* q1 = fbd->FindBlockByNumber(NUM_OUTPUT);
        ASSERT_NE(q1, nullptr) << c.name;
        EXPECT_EQ(q1->m_nType, TYPE_OUTPUT) << c.name;
        if (c.q1Source)
            EXPECT_EQ(q1->m_nLink[0], c.q1Source) << c.name;
        else
            EXPECT_GE(q1->m_nLink[0], NUM_FUNCTION) << c.name;
        // The ladder keeps its elements; the diagram is laid out and wired.
        EXPECT_EQ(ladder->m_blocks.GetCount(), INT_PTR(1 + [&] { size_t n = 0; for (auto& br : c.branches) n += br.size(); return n; }()));
        EXPECT_EQ(fbd->m_wires.IsEmpty(), fbd->m_blocks.GetCount() < 2) << c.name;
    }
}

TEST_F(LadderConversionTest, ContactsNothingFeedsReadZeroAndFaultyLaddersAreRefused)
{
    {
        auto ladder = NewDocument(2);
        LadderBuilder b(*ladder);
        CBlockObj* coil = b.Coil(TYPE_COIL, NUM_OUTPUT);
        CBlockObj* unfed = b.Contact(false, NUM_INPUT);
        b.Wire(unfed, coil, 0);
        auto fbd = Convert(*ladder);
        ASSERT_TRUE(converted);
        const CBlockObj* low = fbd->FindBlockByNumber(fbd->FindBlockByNumber(NUM_OUTPUT)->m_nLink[0]);
        ASSERT_NE(low, nullptr);
        EXPECT_EQ(low->m_nType, TYPE_LOW);
    }
    // Two coils on one output, a contact on an operand no element range holds: nothing is made.
    struct Case {
        const char* name;
        int secondCoilOperand;
        int contactOperand;
        UINT message;
    } const cases[] = {
        {"two coils on Q1", NUM_OUTPUT, NUM_INPUT, IDS_CONVERT_TWO_COILS},
        {"contact on a cursor key", NUM_OUTPUT + 1, NUM_CURSOR_KEY, IDS_CONVERT_BAD_OPERAND},
        {"contact on a missing block", NUM_OUTPUT + 1, NUM_FUNCTION + 5, IDS_CONVERT_BAD_OPERAND},
    };
    for (const Case& c : cases) {
        auto ladder = NewDocument(2);
        LadderBuilder b(*ladder);
        CBlockObj* first = b.Coil(TYPE_COIL, NUM_OUTPUT);
        CBlockObj* second = b.Coil(TYPE_COIL, c.secondCoilOperand);
        CBlockObj* contact = b.Contact(false, c.contactOperand);
        b.Wire(b.bus, contact, 0);
        b.Wire(contact, first, 0);
        b.Wire(contact, second, 0);
        CString error;
        auto fbd = Convert(*ladder, &error);
        EXPECT_FALSE(converted) << c.name;
        EXPECT_TRUE(fbd->m_blocks.IsEmpty()) << c.name;
        const CString prefix = AfxLoadString(c.message).Left(8);
        EXPECT_EQ(error.Left(8), prefix) << c.name << ": " << ToUtf8(error);
    }
}

}  // namespace
}  // namespace viewtest
