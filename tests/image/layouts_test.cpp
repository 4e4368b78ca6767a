// The byte layout of each block family behind its opcode word, for one block numbered 9000
// with open inputs, in the newer and (where they differ) the older device families.
#include "ImageTestSupport.h"

#include "elements/BlockAnalog.h"
#include "elements/BlockModbus.h"
#include "elements/BlockWifi.h"

#include <functional>

namespace {

CBlockAnalog& A(CBlockObj* b) { return *static_cast<CBlockAnalog*>(b); }

struct LayoutCase {
    const char* name;
    int type;
    WORD hardware;
    std::function<void(CBlockObj*)> setup;
    Bytes expected;
};

const Bytes F2 = {0xFF, 0xFF};

Bytes Cat(std::initializer_list<Bytes> parts)
{
    Bytes out;
    for (const Bytes& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

Bytes Z(int n) { return Bytes(size_t(n), 0); }
Bytes Open(int n) { return Bytes(size_t(2 * n), 0xFF); }

// Setups shared by the cases that show one block in both device families.
void SetWatchdog(CBlockObj* b)
{
    A(b).m_nThreshold1 = 3;
    A(b).m_nThreshold2 = 4;
    A(b).m_dGain = 1.0;
    A(b).m_nOffset = -1;
    A(b).m_nDecimals = 2;
}

void SetModbusRead(CBlockObj* b)
{
    auto* m = static_cast<CBlockMR*>(b);
    m->m_bySlave = 17;
    m->m_byFunction = 3;
    m->m_wRegister = 0x1234;
    m->m_wCount = 8;
    m->m_wData1 = 600;
    m->m_wData2 = 0xF0;
    m->m_nPort = 2;
    m->m_byWriteMode = 0;
    b->m_nTime1Base = 250;
}

// The WiFi cases differ only in where the value comes from.
std::function<void(CBlockObj*)> SetWifi(int source)
{
    return [source](CBlockObj* b) {
        auto* w = static_cast<CBlockWIFI*>(b);
        w->m_nWifiSource = source;
        w->m_nWifiId = 5;
        w->m_nWifiBlockType = 7;
        w->m_nWifiBlockNumber = 9;
    };
}

} // namespace

TEST(Layouts, EveryFamilyAsTheDeviceReadsIt)
{
    const LayoutCase cases[] = {
        {"analog comparator", 803, kNewHardware,
         [](CBlockObj* b) {
             A(b).m_nThreshold1 = 100;
             A(b).m_nThreshold2 = -2;
             A(b).m_dGain = 0.5;
             A(b).m_nOffset = 7;
             A(b).m_nDecimals = 1;
         },
         Cat({Open(2), {0x64, 0, 0xFE, 0xFF, 0x32, 0, 7, 0, 1, 0, 0x00, 0x80}, Z(6)})},
        {"analog watchdog", 806, kNewHardware,
         SetWatchdog,
         Cat({Open(2), {3, 0, 4, 0, 0x64, 0, 0xFF, 0xFF, 2, 0, 0, 0}, Z(2)})},
        {"analog watchdog, older", 806, kOldHardware,
         SetWatchdog,
         Cat({Open(2), {4, 0, 0x64, 0, 0xFF, 0xFF, 2, 0, 0, 0}, Z(4)})},
        {"mathematical instruction", 815, kNewHardware,
         [](CBlockObj* b) {
             b->m_nTime1High = 1;
             b->m_nTime2High = 2;
             b->m_nPreWarn[1] = 3;
             b->m_nPreWarn[3] = 4;
             b->m_nTime1Low = 1;
             b->m_nTime2Low = 2;
             b->m_nPreWarn[0] = 3;
             b->m_nPreWarn[2] = 1;
             b->m_nExtra3 = 2;
             b->m_nTime2Base = 1;
             b->m_nTime1Base = 3;
             A(b).m_nDecimals = 2;
         },
         Cat({Open(1), {1, 0, 2, 0, 3, 0, 4, 0, 1, 2, 3, 0x97, 2, 0}, Z(2)})},
        {"analog ramp", 817, kNewHardware,
         [](CBlockObj* b) {
             A(b).m_nThreshold1 = 10;
             A(b).m_nThreshold2 = 20;
             b->m_nTime2High = 30;
             b->m_nPreWarn[1] = 40;
             b->m_nTime1High = 50;
             A(b).m_dGain = 2;
             A(b).m_nOffset = 5;
             A(b).m_nDecimals = 3;
         },
         Cat({Open(3), {10, 0, 20, 0, 30, 0, 40, 0, 50, 0, 0xC8, 0, 5, 0, 3, 0}, Z(4)})},
        {"PI controller", 818, kNewHardware,
         [](CBlockObj* b) {
             A(b).m_nThreshold1 = 1;
             A(b).m_nThreshold2 = 2;
             A(b).m_dKC = 1.5;
             A(b).m_nTIMinutes = 1;
             A(b).m_nTISeconds = 5;
             A(b).m_nRangeMin = -5;
             A(b).m_nRangeMax = 300;
             A(b).m_dGain = 1;
             A(b).m_nOffset = 9;
             A(b).m_nOption = 0;
             A(b).m_nDecimals = 2;
             A(b).m_nParamSet = 6;
         },
         Cat({Open(3), {1, 0, 2, 0, 0x96, 0, 0x41, 0x80, 0xFB, 0xFF, 0x2C, 0x01, 0x64, 0, 9, 0, 0x2B, 2, 6, 0}})},
        {"PWM", 819, kNewHardware,
         [](CBlockObj* b) {
             b->m_nTime1Base = 2;
             b->m_nTime1High = 1;
             b->m_nTime1Low = 25;
             A(b).m_dGain = 1;
             A(b).m_nOffset = 2;
             A(b).m_nThreshold1 = 3;
             A(b).m_nThreshold2 = 4;
             A(b).m_nOption = 1;
             A(b).m_nSensor = 4;
             A(b).m_nDecimals = 1;
         },
         Cat({Open(2), {0x7D, 0x40, 0x64, 0, 2, 0, 3, 0, 4, 0, 1, 0, 1, 0}, Z(4)})},
        {"max/min", 821, kNewHardware,
         [](CBlockObj* b) {
             b->m_nTime1High = 2;
             b->m_bStdPreWarning = 1;
         },
         Cat({Open(3), {2, 0, 1, 0}, Z(4)})},
        {"average value", 822, kNewHardware,
         [](CBlockObj* b) {
             b->m_nTime1Base = 1;
             b->m_nTime1High = 30;
             b->m_nTime1Low = 9;
         },
         Cat({Open(3), {0xF3, 0, 9, 0}, Z(4)})},
        {"math error detection", 823, kNewHardware,
         [](CBlockObj* b) {
             b->m_bStdPreWarning = 1;
             b->m_nTime1Low = 2;
         },
         Cat({Open(2), {0xFF, 0xFF, 1, 0xFF, 3, 0}, Z(4)})},
        {"encoder", 848, kNewHardware,
         [](CBlockObj* b) {
             b->m_nStartValue = -5;
             b->m_nTime1High = 1000000;
             b->m_nTime2High = 20;
             b->m_nPreWarn[1] = 1;
         },
         Cat({Open(1), {0xFB, 0xFF, 0xFF, 0xFF, 0x40, 0x42, 0x0F, 0, 20, 0, 0, 0, 1, 0}, Z(6)})},
        {"stepping motor", 849, kNewHardware,
         [](CBlockObj* b) {
             b->m_nTime1High = 1;
             b->m_nTime1Low = 2;
             b->m_nTime2High = 100000;
         },
         Cat({Open(2), {1, 0, 2, 0, 0xA0, 0x86, 0x01, 0}, Z(2)})},
        {"stepping motor, edge", 850, kNewHardware,
         [](CBlockObj* b) {
             b->m_nTime1High = 1;
             b->m_nTime1Low = 2;
             b->m_nTime2High = 10;
             b->m_nPreWarn[1] = 70000;
         },
         Cat({Open(3), {1, 0, 2, 0, 10, 0, 0, 0, 0x70, 0x11, 0x01, 0}, Z(2)})},
        {"pulse train, edge", 852, kNewHardware,
         [](CBlockObj* b) {
             b->m_nTime1Low = 3;
             b->m_nTime2High = 5;
             b->m_nPreWarn[1] = 6;
         },
         Cat({Open(2), {3, 0, 5, 0, 0, 0, 6, 0, 0, 0}, Z(2)})},
        {"UDC", 855, kNewHardware,
         [](CBlockObj* b) {
             b->m_nTime2Base = 3;
             b->m_nTime1Base = 0;
             b->m_nPreWarn[1] = 1;
             b->m_nYearEnd = 3;
             b->m_nPreWarn[3] = 4;
             b->m_nYearStart = 300;
             b->m_nPreWarn[2] = 6;
             b->m_nYearly = 1;
             b->m_nMonthly = 2;
             b->m_bStdPreWarning = 1;
             b->m_nPulse = 5;
             b->m_nTime1High = 6;
             b->m_nTime2High = 7;
             b->m_nTime1Low = 8;
             b->m_nTime2Low = 9;
         },
         Cat({Open(1), {3, 0, 0xFF, 0xFF, 0x03, 0x90, 4, 0, 0x2C, 0xA1, 6, 0, 1, 2, 1, 5, 6, 7, 8, 9}})},
        {"WiFi digital read, diagnostic", 824, kNewHardware,
         SetWifi(2),
         Cat({Open(1), {2, 1, 7, 9, 8, 0}, Z(2)})},
        {"WiFi analog read, station", 826, kNewHardware,
         SetWifi(0),
         Cat({Open(1), {0, 6, 7, 9}, Z(4)})},
        {"WiFi digital write, VM", 825, kNewHardware,
         SetWifi(1),
         Cat({Open(2), {1, 5, 7, 9}, Z(2)})},
        {"Modbus read", 813, kNewHardware,
         SetModbusRead,
         Cat({Open(2), {17, 3, 0x34, 0x12, 8, 0, 0x58, 0x02, 0xFA, 0, 2, 0}})},
        {"Modbus read, older", 813, kOldHardware,
         SetModbusRead,
         Cat({Open(2), {17, 3, 0x34, 0x12, 8, 0, 0x58, 0x02, 0xF0, 0, 2, 0}})},
        {"up/down counter", 800, kNewHardware,
         [](CBlockObj* b) {
             b->m_nTime1High = 5;
             b->m_nTime2High = 6;
             b->m_nStartValue = 7;
         },
         Cat({Open(3), {5, 0, 0, 0, 6, 0, 0, 0, 7, 0, 0, 0}, Z(4)})},
        {"up/down counter, older", 800, kOldHardware,
         [](CBlockObj* b) {
             b->m_nTime1High = 5;
             b->m_nTime2High = 6;
         },
         Cat({Open(3), {5, 0, 0, 0, 6, 0, 0, 0, 0x00, 0x80}, Z(6)})},
        {"hours counter", 801, kNewHardware,
         [](CBlockObj* b) {
             b->m_nTime2High = 500;
             b->m_nTime2Low = 30;
             b->m_nTime1High = 20;
             b->m_nTime1Low = 15;
             b->m_bStdPreWarning = 1;
         },
         Cat({Open(3), {0x4E, 0x75, 0, 0, 0xBF, 0x04, 0, 0, 1, 0, 0, 0}, Z(4)})},
        {"hours counter, older", 801, kOldHardware,
         [](CBlockObj* b) {
             b->m_nTime2High = 500;
             b->m_nTime1High = 20;
             b->m_bStdPreWarning = 1;
         },
         Cat({Open(3), {0x30, 0x75, 0, 0, 20, 0, 1, 0, 0, 0}, Z(6)})},
        {"threshold trigger", 802, kNewHardware,
         [](CBlockObj* b) {
             b->m_nTime1High = 300;
             b->m_nTime1Low = 120;
             b->m_nTime2High = 5;
             b->m_nTime2Low = 50;
         },
         Cat({Open(1), {0x2C, 0x01, 0x78, 0, 0x26, 0x42, 0, 0}, Z(4)})},
        {"astronomical clock", 412, kNewHardware,
         [](CBlockObj* b) {
             b->m_nPreWarn[3] = 13;
             b->m_nPreWarn[1] = 11;
             b->m_nTime2High = 18;
             b->m_nTime1High = 6;
             b->m_nPreWarn[2] = 12;
             b->m_nPreWarn[0] = 10;
             b->m_nTime2Low = 45;
             b->m_nTime1Low = 15;
             b->m_nTime2Base = 14;
         },
         Cat({{13, 11, 18, 6, 12, 10, 45, 15, 2, 1}, Z(4)})},
        {"stopwatch", 413, kNewHardware, [](CBlockObj* b) { b->m_nTime1Base = 1; },
         Cat({Open(3), {2, 0}, Z(6)})},
        {"edge triggered wiping relay", 405, kNewHardware,
         [](CBlockObj* b) {
             b->m_nTime1Base = 2;
             b->m_nTime1High = 0;
             b->m_nTime1Low = 50;
             b->m_nTime2Base = 1;
             b->m_nTime2High = 1;
             b->m_nTime2Low = 0;
             b->m_nCount = 4;
         },
         Cat({Open(2), {0x32, 0x40, 0x3C, 0x80, 5, 0, 0, 0}, Z(2)})},
        {"stairway lighting switch", 408, kNewHardware,
         [](CBlockObj* b) {
             b->m_nTime2Base = 0;
             b->m_nTime2High = 0;
             b->m_nTime2Low = 10;
             b->m_nPreWarn[0] = 75;
             b->m_nPreWarn[1] = 0;
             b->m_nPreWarn[2] = 5;
             b->m_nPreWarn[3] = 0;
         },
         Cat({Open(1), {0x0A, 0xC0, 0x4B, 0xC0, 0x05, 0xC0, 0, 0}})},
        {"pulse relay", 809, kNewHardware, [](CBlockObj* b) { b->m_nExtra3 = 1; },
         Cat({Open(3), {1, 0, 0, 0}})},
        {"latching relay", 808, kNewHardware, [](CBlockObj*) {}, Cat({Open(2), {0, 0}})},
        {"shift register, older", 812, kOldHardware, [](CBlockObj* b) { b->m_nExtra1 = 0; },
         Cat({Open(3), {1, 0, 0, 0}})},
        {"analog array", 844, kNewHardware,
         [](CBlockObj* b) {
             b->m_nTime1High = 3;
             b->m_nTime1Low = 0;
             b->m_nTime2Low = 5;
             b->m_nTime2High = 12;
         },
         Cat({{3, 0, 0x05, 0xA0, 12, 0}, Z(4)})},
        {"random", 846, kNewHardware, [](CBlockObj* b) { b->m_nTime1High = 100; },
         Cat({{100, 0}, Z(4)})},
        {"quadratic equation", 879, kNewHardware,
         [](CBlockObj* b) {
             b->m_nTime1High = -3;
             b->m_nTime2High = 4;
             b->m_nPreWarn[1] = -5;
             b->m_nTime1Base = 1;
             b->m_dParam = 12.34;
         },
         Cat({Open(2), {0xFD, 0xFF, 4, 0, 0xFB, 0xFF, 1, 0, 0xD2, 0x04, 0, 0}, Z(2)})},
        {"trigonometry", 873, kNewHardware, [](CBlockObj* b) { b->m_dParam = -0.07; },
         Cat({Open(1), {0xF9, 0xFF, 0xFF, 0xFF}, Z(4)})},
        {"modulo", 862, kNewHardware, [](CBlockObj* b) { b->m_nTime1High = -2; },
         Cat({Open(1), {0xFE, 0xFF}, Z(2)})},
        {"date time trigger", 831, kNewHardware, [](CBlockObj*) {}, Cat({Open(2), Z(2)})},
        {"segment display", 853, kNewHardware, [](CBlockObj*) {}, Cat({Open(2), Z(4)})},
    };
    for (const LayoutCase& c : cases) {
        auto doc = MakeDoc(c.hardware);
        CBlockObj* b = Add(*doc, c.type);
        b->m_bProtected = TRUE;
        c.setup(b);
        CTavixCoreRule rule;
        ASSERT_TRUE(Compile(*doc, rule)) << c.name << ": " << (const wchar_t*)rule.GetLastError();
        EXPECT_EQ(Params(rule, *doc, b), c.expected) << c.name;
    }
}
