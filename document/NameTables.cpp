// The texts of the name tables. The Chinese block names come from the string table.
#include "document/NameTables.h"

#include "shell/MainFrame.h"

CMap<int, int, CString, LPCTSTR> g_mapBlockTypeNames;
CMap<int, int, CString, LPCTSTR> g_mapBaudRateNames;
CStringArray g_astrParamNames;

namespace {

struct TypeName {
    int nType;
    const wchar_t* pszName;
};

const TypeName kEnglishNames[] = {
    {300, L"[AND]"}, {301, L"[AND(Edge)]"}, {302, L"[NAND]"}, {303, L"[NAND(Edge)]"},
    {304, L"[OR]"}, {305, L"[NOR]"}, {306, L"[XOR]"}, {307, L"[NOT]"},
    {400, L"[On-Delay]"}, {401, L"[Off-Delay]"}, {402, L"[On-/Off-Delay]"},
    {403, L"[Retentive On-Delay]"}, {404, L"[Wiping relay(pulse output)]"},
    {405, L"[Edge trigger wiping relay]"}, {406, L"[Asynchronous Pulse Generator]"},
    {407, L"[Random Generator]"}, {408, L"[Stairway lighting switch]"},
    {409, L"[Multiple function switch]"}, {410, L"[Weekly Timer]"}, {411, L"[Yearly Timer]"},
    {412, L"[Astronomical clock]"}, {413, L"[Stopwatch]"},
    {600, L"[Input]"}, {601, L"[Cursor Key]"}, {602, L"[Shift register bit]"},
    {603, L"[Status 0 (low)]"}, {604, L"[Status 1 (high)]"}, {605, L"[Output]"},
    {606, L"[Open connector]"}, {607, L"[Flag]"}, {608, L"[Analog input]"},
    {609, L"[Analog output]"}, {610, L"[Analog flag]"}, {611, L"[TD Function key]"},
    {700, L"[Make contact]"}, {701, L"[Break contact]"}, {702, L"[Analog contact]"},
    {703, L"[Relay coil]"}, {704, L"[Inverted output]"}, {705, L"[Analog output]"},
    {800, L"[Up/Down Counter]"}, {801, L"[Hours Counter]"}, {802, L"[Threshold Trigger]"},
    {803, L"[Analog Comparator]"}, {804, L"[Analog threshold trigger]"},
    {805, L"[Analog Amplifier]"}, {806, L"[Analog watchdog]"},
    {807, L"[Analog differential trigger]"}, {808, L"[Latching Relay]"}, {809, L"[Pulse Relay]"},
    {810, L"[Message texts]"}, {811, L"[SoftKey]"}, {812, L"[Shift Register]"},
    {813, L"[Modbus Read]"}, {814, L"[Modbus Write]"}, {815, L"[Mathematic instruction]"},
    {816, L"[Analog Multiplexer]"}, {817, L"[Analog Ramp]"}, {818, L"[PI controller]"},
    {819, L"[PWM]"}, {820, L"[Analog filter]"}, {821, L"[Max/Min]"}, {822, L"[Average value]"},
    {823, L"[Mathematical instruction error detection]"}, {824, L"[WiFi Digital Read]"},
    {825, L"[WiFi Digital Write]"}, {826, L"[WiFi Analog Read]"}, {827, L"[WiFi Analog Write]"},
    {830, L"[Boolean function]"}, {831, L"[Trigger date time]"},
    {832, L"[Binary-Coded Decimal]"}, {833, L"[Binary Code]"}, {834, L"[Left Rotation]"},
    {835, L"[Right Rotation]"}, {836, L"[Left Shift]"}, {837, L"[Right Shift]"},
    {838, L"[AND MASK]"}, {839, L"[OR MASK]"}, {840, L"[NOT MASK]"}, {841, L"[NAND MASK]"},
    {842, L"[NOR MASK]"}, {843, L"[XOR MASK]"}, {844, L"[Data array Max/Min/Avg]"},
    {845, L"[Data Max/Min/Avg]"}, {846, L"[RAND]"}, {847, L"[MEM]"}, {848, L"[Encoder]"},
    {849, L"[Stepping Motor Control]"}, {850, L"[Stepping Motor Control(Edge)]"},
    {851, L"[Pulse Train Output]"}, {852, L"[Pulse Train Output(Edge)]"},
    {853, L"[Segment Display]"}, {854, L"[Word to Bit]"}, {855, L"[UDC Communication]"},
    {856, L"[CRC16]"},
    {860, L"[Odd Number]"}, {861, L"[Even Number]"}, {862, L"[Modulo]"}, {863, L"[Remainder]"},
    {864, L"[Logarithm]"}, {865, L"[Square root]"}, {866, L"[Absolute value]"}, {867, L"[GCD]"},
    {868, L"[LCM]"}, {869, L"[2's n power]"}, {870, L"[e's n power]"},
    {871, L"[Fixed-point arithmetic]"}, {872, L"[Round-off]"}, {873, L"[Sine function]"},
    {874, L"[Cosine function]"}, {875, L"[Tangent function]"}, {876, L"[Cotangent function]"},
    {877, L"[Secant function]"}, {878, L"[Cosecant function]"}, {879, L"[Quadratic equation]"},
    {911, L"[Data Log]"},
};

// String-table ids of the Chinese names (the table holds them in Chinese only); each is shown
// as " [" + text + "]".
struct TypeString {
    int nType;
    UINT nStringId;
};

const TypeString kChineseNameIds[] = {
    {300, 1571}, {301, 1572}, {302, 1573}, {303, 1574}, {304, 1575}, {305, 1576}, {306, 1577},
    {307, 1578}, {400, 1579}, {401, 1580}, {402, 1581}, {403, 1582}, {404, 1583}, {405, 1584},
    {406, 1585}, {407, 1586}, {408, 1587}, {409, 1588}, {410, 1589}, {411, 1590}, {412, 1591},
    {413, 1592}, {600, 1593}, {611, 1594}, {602, 1595}, {603, 1596}, {604, 1597}, {605, 1598},
    {606, 1599}, {607, 1600}, {608, 1601}, {609, 1602}, {610, 1603}, {800, 1610}, {801, 1611},
    {802, 1612}, {803, 1614}, {804, 1615}, {805, 1616}, {806, 1617}, {807, 1618}, {808, 1626},
    {809, 1627}, {810, 1628}, {812, 1629}, {813, 1631}, {814, 1632},
};

// Types that keep their English literal in Chinese mode (824-827 get WIFI texts of their own).
bool KeepsEnglishNameInChinese(int nType)
{
    return (nType >= 815 && nType <= 827) || (nType >= 830 && nType <= 856) ||
           (nType >= 860 && nType <= 879) || nType == 911 || (nType >= 700 && nType <= 705);
}

const wchar_t* const kBaudRates[16] = {
    L"1200", L"2400", L"4800", L"9600", L"14400", L"19200", L"28800", L"38400",
    L"57600", L"115200", L"230400", L"460800", L"921600", L"1843200", L"3686400", L"4500000",
};

const wchar_t* const kParamNames[kParamNameCount] = {
    L"Current Time", L"Current Date", L"Message Enable Time", L"Message Enable Date",
    L"On-Delay", L"Off-Delay", L"On Time(TH)", L"Off Time(TL)", L"Interpulse Width",
    L"Pulse Width",
    // 10
    L"Max. On Delay(TH)", L"Max. Off Delay(TL)", L"Pre-Warning time(T!)",
    L"Pre-Warning period(T!L)", L"Permanent Light(TL)", L"Weekday1", L"Counter",
    L"On Threshold", L"Off Threshold", L"Maintenance Interval(MI)",
    // 20
    L"Time-to-go(MN)", L"Total Time(OT)", L"Frequency", L"Gate Time", L"On", L"Off", L"Gain",
    L"Offset", L"Ax,Amplified", L"Ay,Amplified",
    // 30
    L"Ax(Amplified) - Ay(Amplified)", L"Differential", L"Aen(Comparison Value)", L"Status",
    L"Current Time", L"On Time", L"Off Time", L"On Threshold", L"Off Threshold",
    L"Interpulse Width(TL)",
    // 40
    L"Pulse Width(TH)", L"Off Delay Time(T)", L"On Time1", L"Off Time1", L"Weekday2",
    L"On Time2", L"Off Time2", L"Weekday3", L"On Time3", L"Off Time3",
    // 50
    L"Remaining Time", L"On Time (TH) Remaining", L"Off Time (TL) Remaining",
    L"Pulse width(TH) Remaining", L"Interpulse width Remaining", L"Pulse Remaining",
    L"Interpulse Remaining", L"Max. On Delay Remaining", L"Max. Off Delay Remaining",
    L"Off Delay(TL) Remaining",
    // 60
    L"Pre-warning time Remaining", L"Pre-warn period Remaining", L"Off Delay Time Remaining",
    L"Permanent Light Remaining", L"Start Value", L"MI-hour:miniute", L"MN-hour:miniute",
    L"OT-hour:miniute", L"Threshold 1(+)", L"Threshold 2(-)",
    // 70
    L"Aq amplified", L"V1", L"V2", L"V3", L"V4", L"Longitude", L"Latitude",
    L"Time Zone(E+;W-)", L"Sunrise Time", L"Sunset Time",
    // 80
    L"Time Base", L"Current time", L"Lap Time", L"Output Time", L"V1(S1=0;S2=0)",
    L"V2(S1=0;S2=1)", L"V3(S1=1;S2=0)", L"V4(S1=1;S2=1)", L"Number of samples", L"Ax",
    // 90
    L"Ay", L"Sampling time", L"Number of samples", L"Ax", L"Aq", L"Mode", L"Minimum value",
    L"Maximum value", L"Aq", L"Referenced mathematic instruction block",
    // 100
    L"Overflow", L"Zero division", L"Current level", L"Level1(L1)", L"Level2(L2)",
    L"Largest output value", L"Start/Stop offset", L"Speed of change",
    L"Smallest process value", L"Largest process value",
    // 110
    L"Set value(SP)", L"Controller amplification(KC)", L"Intergration time(TI)",
    L"Manual output(Mq)", L"Aq", L"PV,amplified", L"Periodic time",
    L"Ax,amplified(current period)", L"NbR", L"NbS",
    // 120
    L"MASK", L"Number", L"Base", L"Amplified", L"Nb,Bit Position", L"Current Value", L"Speed",
    L"Steps", L"Cycle", L"CRC",
    // 130
    L"Source", L"", L"", L"", L"", L"", L"", L"", L"Pulse Width", L"Number",
    // 140
    L"Start Value", L"On Threshold", L"Off Threshold", L"Number", L"Counter",
};

} // namespace

void InitBlockNameTableFor(int nLanguage)
{
    if (nLanguage != 1) {
        for (const TypeName& entry : kEnglishNames)
            g_mapBlockTypeNames.SetAt(entry.nType, entry.pszName);
        return;
    }
    for (const TypeString& entry : kChineseNameIds) {
        CString text;
        text.LoadString(entry.nStringId);
        g_mapBlockTypeNames.SetAt(entry.nType, CString(L" [") + text + L"]");
    }
    for (const TypeName& entry : kEnglishNames) {
        if (KeepsEnglishNameInChinese(entry.nType))
            g_mapBlockTypeNames.SetAt(entry.nType, entry.pszName);
    }
    g_mapBlockTypeNames.SetAt(824, L"[WIFI Input]");
    g_mapBlockTypeNames.SetAt(825, L"[WIFI Output]");
    g_mapBlockTypeNames.SetAt(826, L"[WIFI Analog Input]");
    g_mapBlockTypeNames.SetAt(827, L"[WIFI Analog Output]");
}

void InitBlockNameTable()
{
    InitBlockNameTableFor(g_nLanguage);
}

void InitBaudRateTable()
{
    for (int i = 0; i < 16; ++i)
        g_mapBaudRateNames.SetAt(i, kBaudRates[i]);
}

void InitParamNameTable()
{
    g_astrParamNames.SetSize(kParamNameCount);
    for (int i = 0; i < kParamNameCount; ++i)
        g_astrParamNames.SetAt(i, kParamNames[i]);
}

CString GetBlockTypeName(int nType)
{
    CString name;
    g_mapBlockTypeNames.Lookup(nType, name);
    return name;
}
