// Math functions: the rules by type with their poles, ranges and truncation, the referenced
// parameters, the change marker, and the quadratic equation.
#include "ValueBench.h"

#include "elements/BlockMath.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct MathCase {
    int nType;
    int v;
    int w;         // second input (867, 868)
    int param;     // divisor, base index or decimal places
    double amp;    // amplification
    double expected;
};

double RunMath(const MathCase& c)
{
    ValueBench b;
    CBlockObj* p = b.Make(c.nType);
    ValueBench::Wire(p, 0, b.Value(9001, c.v));
    if (c.nType == 867 || c.nType == 868)
        ValueBench::Wire(p, 1, b.Value(9002, c.w));
    if (c.nType == 862 || c.nType == 863)
        p->m_nTime1High = c.param;
    else
        p->m_nTime1Base = c.param;
    p->m_dParam = c.amp;
    p->Simulate(&b.view);
    return p->m_dElapsed;
}

} // namespace

TEST(MathFunctions, RulesByType)
{
    const MathCase cases[] = {
        {862, 7, 0, 3, 0, 1}, {862, -7, 0, 3, 0, 2}, {862, 7, 0, -3, 0, -2},
        {862, -6, 0, 3, 0, 0}, {862, 0, 0, 3, 0, 0}, {862, 9, 0, 0, 0, 9},
        {863, -7, 0, 3, 0, -1}, {863, 7, 0, -3, 0, 1}, {863, 5, 0, 0, 0, 5},
        {864, 100, 0, 0, 1, 4}, {864, 8, 0, 1, 1, 3}, {864, 999, 0, 2, 1, 2},
        {864, 0, 0, 0, 1, 0}, {864, -5, 0, 2, 1, 0}, {864, 30000, 0, 0, 10000, 32767},
        {864, 100, 0, 7, 1, 2},  // a damaged base index counts as 10
        {865, 2, 0, 0, 100, 141}, {865, -4, 0, 0, 100, -1}, {865, 0, 0, 0, 100, 0},
        {865, 30000, 0, 0, 10000, 32767},
        {866, -5, 0, 0, 0, 5}, {866, -32768, 0, 0, 0, -32768},
        {867, 12, 18, 0, 0, 6}, {867, 12, 0, 0, 0, 0}, {867, -12, 18, 0, 0, 0},
        {868, 300, 700, 0, 0, 2100}, {868, 30000, 29999, 0, 0, 32767}, {868, 4, -6, 0, 0, 0},
        {869, 3, 0, 0, 1.5, 12}, {869, -1, 0, 0, 1, 0.5}, {869, 15, 0, 0, -0.5, -32767},
        {869, 15, 0, 0, 2, 32767}, {869, 15, 0, 0, 0, 0}, {869, -15, 0, 0, 1, 0},
        {869, 14, 0, 0, 4, 32767},
        {870, 2, 0, 0, 1, std::exp(2.0)}, {870, 11, 0, 0, 0, 0}, {870, -11, 0, 0, 1, 0},
        {871, 1234, 0, 2, 0, 1200}, {871, -1299, 0, 2, 0, -1200}, {871, 99, 0, 2, 0, 0},
        {871, 77, 0, 0, 0, 77}, {871, 32767, 0, 9, 0, 0},  // places above 5 count as 5
        {872, 1250, 0, 2, 0, 1300}, {872, 1249, 0, 2, 0, 1200}, {872, -1250, 0, 2, 0, -1300},
        {872, 50, 0, 2, 0, 100}, {872, 49, 0, 2, 0, 0}, {872, 32767, 0, 1, 0, -32766},
        {873, 30, 0, 0, 100, 49}, {873, 90, 0, 0, 100, 100}, {873, 180, 0, 0, 100, 0},
        {873, -360, 0, 0, 100, 0}, {873, -90, 0, 0, 100, -100},
        {874, 90, 0, 0, 100, 0}, {874, -270, 0, 0, 100, 0}, {874, 0, 0, 0, 100, 100},
        {874, 180, 0, 0, 100, -100},
        {875, 45, 0, 0, 1, 0}, {875, 45, 0, 0, 100, 99}, {875, 90, 0, 0, 100, 32767},
        {875, -270, 0, 0, -1, 32767}, {875, 89, 0, 0, 10000, 32767},
        {876, 0, 0, 0, 1, 32767}, {876, 90, 0, 0, 100, 0}, {876, 45, 0, 0, 100, 100},
        {877, 90, 0, 0, 1, 32767}, {877, 60, 0, 0, 100, 199},  // cos 60 lies just above 0.5
        {878, 30, 0, 0, 100, 200}, {878, 180, 0, 0, 1, 32767}, {878, 0, 0, 0, 1, 32767},
    };
    for (const MathCase& c : cases)
        EXPECT_EQ(RunMath(c), c.expected) << c.nType << " of " << c.v << " (" << c.w << ", " << c.param
                                      << ", " << c.amp << ")";
}

TEST(MathFunctions, ParityTestsDriveTheOutput)
{
    struct Case { int nType; int v; int q; };
    const Case cases[] = {{860, -3, 1}, {860, 4, 0}, {861, 0, 1}, {861, -32767, 0}};
    for (const Case& c : cases) {
        ValueBench b;
        CBlockObj* p = b.Make(c.nType);
        ValueBench::Wire(p, 0, b.Value(9001, c.v));
        p->Simulate(&b.view);
        EXPECT_EQ(p->m_nPinValue[kOutputPin], c.q) << c.nType << " " << c.v;
    }
}

TEST(MathFunctions, ReferencedParameters)
{
    struct Case { int nType; int v; double ref; double expected; BOOL ret; int marker; };
    const Case cases[] = {
        {862, 7, 0.0, 0, FALSE, -1},     // a referenced divisor of 0 ends the step at once
        {863, 7, 0.0, 0, FALSE, -1},
        {862, 7, 3.7, 1, TRUE, 1},       // truncated
        {862, 7, 90000.0, 7, TRUE, 1},   // clamped to 32767
        {864, 8, 1.9, 3, TRUE, 1},       // base index 1 (log2)
        {864, 100, 9.0, 2, TRUE, 1},     // above 2 gives 2
        {871, 1234, -4.0, 1234, TRUE, 1},  // below 0 gives 0 places
        {872, 1234, 7.0, 0, TRUE, 1},      // above 5 gives 5 places
    };
    for (const Case& c : cases) {
        ValueBench b;
        CBlockObj* p = b.Make(c.nType);
        ValueBench::Wire(p, 0, b.Value(9001, c.v));
        p->m_nTime1High = 10;
        p->m_nTime1Base = 0;
        p->m_dElapsed = 55;
        ValueBench::Refer(p, 0, b.Value(9002, c.ref, 866));
        EXPECT_EQ(p->Simulate(&b.view), c.ret) << c.nType << " " << c.ref;
        EXPECT_EQ(p->m_dElapsed, c.expected) << c.nType << " " << c.ref;
        EXPECT_EQ(p->m_nLastValue, c.marker) << c.nType << " " << c.ref;
    }
}

TEST(MathFunctions, ChangeMarkerFollowsInputsParameterAndAmplification)
{
    ValueBench b;
    CBlockObj* p = b.Make(865);
    CBlockObj* pIn = b.Value(9001, 16);
    ValueBench::Wire(p, 0, pIn);
    EXPECT_TRUE(p->Simulate(&b.view));
    EXPECT_EQ(p->m_dElapsed, 4);
    EXPECT_FALSE(p->Simulate(&b.view));
    EXPECT_EQ(p->m_nLastValue, 0);
    p->m_dParam = 2.0;
    EXPECT_TRUE(p->Simulate(&b.view));
    EXPECT_EQ(p->m_dElapsed, 8);
    pIn->m_dElapsed = 25;
    EXPECT_TRUE(p->Simulate(&b.view));
    EXPECT_EQ(p->m_dElapsed, 10);
}

TEST(QuadraticEquation, RootsByDirectionResetAndDegenerateCases)
{
    struct Case { int a, b, c, dir; double amp; int y; int reset; int expected; };
    const Case cases[] = {
        {1, 0, 0, 0, 1, 16, 0, 4},
        {1, 0, 0, 1, 1, 16, 0, -4},
        {1, 0, 0, 0, 1, -1, 0, 0},    // no real root
        {1, 0, 0, 0, 1, 0, 0, 0},     // D = 0: -B / 2A
        {1, 0, 0, 0, 1, 16, 1, 0},    // R = 1: output 0
        {2, 3, 0, 0, 1, 0, 0, 0},
        {2, 3, 0, 1, 1, 0, 0, -1},    // -1.5 truncated
        {1, -4, 4, 0, 1, 0, 0, 2},    // D = 0 with B: 4 / 2
        {1, 0, 0, 0, 2.5, 16, 0, 10},
        {1, 0, 0, 5, 1, 16, 0, 0},    // unknown direction
        {1, 0, -32767, 0, 10000, 32767, 0, 32767},
        {0, 2, 1, 0, 1, 9, 0, 4},     // A = 0: the linear root (9 - 1) / 2
        {0, 0, 1, 0, 1, 9, 0, 0},     // A = 0 and B = 0: no root
    };
    for (const Case& c : cases) {
        ValueBench b;
        CBlockQUAD* p = b.Make<CBlockQUAD>(879);
        ValueBench::Wire(p, 0, b.Bit(101, c.reset));
        ValueBench::Wire(p, 1, b.Value(9001, c.y));
        p->m_nTime1High = c.a;
        p->m_nTime2High = c.b;
        p->m_nPreWarn[1] = c.c;
        p->m_nTime1Base = c.dir;
        p->m_dParam = c.amp;
        EXPECT_TRUE(p->Simulate(&b.view));
        EXPECT_EQ(p->m_dElapsed, c.expected) << c.a << " " << c.b << " " << c.c << " y " << c.y;
    }
}

TEST(MathFunctions, ConstructorsSetDefaultsAndLinks)
{
    ValueBench b;
    CBlockObj* pQuad = b.Make(879);
    EXPECT_EQ(pQuad->m_nTime1High, 1);
    EXPECT_EQ(pQuad->m_nTime1Base, 0);
    EXPECT_EQ(pQuad->m_dParam, 1.0);
    EXPECT_EQ(pQuad->m_nSimMin, -10000);
    const int quadLinks[] = {52, 52, 55, 61, 62, 63, 72, 53};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(pQuad->m_nLink[i], quadLinks[i]) << i;
    CBlockObj* pMod = b.Make(862, 9001);
    EXPECT_EQ(pMod->m_nTime1High, 10);
    EXPECT_EQ(pMod->m_nSimMax, 32767);
    EXPECT_EQ(b.Make(871, 9002)->m_nTime1Base, 0);
    EXPECT_EQ(b.Make(864, 9003)->m_nTime1Base, 2);
    EXPECT_EQ(b.Make(866, 9004)->m_byOptions, 0x3D);
    EXPECT_EQ(b.Make(860, 9005)->m_nCodeSize, 8);
}
