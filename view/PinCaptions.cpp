// The pin-caption table of the view: per element type a title (shown over the body) and the
// captions of its pins (shown while wiring), in the user-interface language.
#include "view/TavixView.h"

#include "elements/BlockObj.h"

namespace {

// Titles of the rows that the string table does not hold as texts of their own.
const wchar_t* const kFixedTitles[40] = {
    L"AND", L"AND(Edge)", L"NAND", L"NAND(Edge)", L"OR", L"NOR", L"XOR", L"NOT",
    L"On-Delay(Trg,T)", L"Off-Delay(Trg,R,T)", L"On-/Off-Delay(Trg,Par)", L"Retentive on-Delay(Trg,R,T)",
    L"Wiping relay(pulse output)(Trg,T)", L"Edge triggered wiping relay(T,R,Par)",
    L"Asynchronous Pulse Generator(En,Inv,Par)", L"Random Generator(En,Par)", L"Stairway lighting switch(Trg,T)",
    L"Multiple function switch(Trg,R,Par)", L"Weekly Timer(No1,No2,No3)", L"Yearly Timer(No)",
    L"Astronomical clock(Par)", L"Stopwatch(En,Lap,R,Par)",
    L"Input", L"Cursor Key", L"Shift Register Bit", L"Status 0 (low)", L"Status 1 (high)", L"Output",
    L"Open Connector", L"Flag", L"Analog Input", L"Analog Output", L"Analog Flag", L"Function Key",
    L"Make Contact", L"Break contact", L"Analog contact", L"Relay coil", L"Inverted output", L"Analog output"};

// String ids of the titles of rows 40-114.
const UINT kTitleIds[75] = {
    829, 841, 842, 843, 844, 845, 846, 847, 848, 849, 902, 903, 904, 905, 910, 859, 861, 864, 865, 866,
    867, 868, 870, 871, 880, 881, 882, 883,                                                  // 40-67
    529, 530, 531, 532, 533, 534, 535, 536, 537, 538, 539, 540, 541, 542, 543, 544, 545, 568,
    569, 572, 573, 574, 575, 576, 577, 564, 578,                                             // 68-94
    546, 547, 548, 549, 550, 551, 552, 553, 554, 555, 556, 557, 558, 559, 560, 561, 562, 563,
    566, 567};                                                                               // 95-114

// The short labels a title lists in its last parentheses, as pin captions 0, 1, ...
void CaptionsFromTitle(const CString& title, CString* row)
{
    const int open = title.ReverseFind(L'(');
    const int close = title.ReverseFind(L')');
    if (open < 0 || close < open)
        return;
    const CString list = title.Mid(open + 1, close - open - 1);
    int pin = 0, start = 0;
    while (pin < 10 && start <= list.GetLength()) {
        int comma = list.Find(L',', start);
        if (comma < 0)
            comma = list.GetLength();
        row[pin++] = list.Mid(start, comma - start);
        start = comma + 1;
    }
}

}  // namespace

int CTavixView::GetPinCaptionRow(int nType)
{
    if (nType >= 300 && nType <= 307)
        return nType - 300;
    if (nType >= 400 && nType <= 413)
        return nType - 392;
    if (nType >= 600 && nType <= 611)
        return nType - 578;
    if (nType >= 700 && nType <= 705)
        return nType - 666;
    if (nType >= 800 && nType <= 827)
        return nType - 760;
    if (nType >= 830 && nType <= 856)
        return nType - 762;
    if (nType >= 860 && nType <= 879)
        return nType - 765;
    if (nType == TYPE_DATALOG)
        return 115;
    if (nType == TYPE_POWERBUS)
        return 116;
    return -1;
}

void CTavixView::InitPinLabels()
{
    for (auto& row : m_strPinCaption)
        for (CString& cell : row)
            cell.Empty();
    for (int r = 0; r < kPinCaptionRows; ++r) {
        CString* row = m_strPinCaption[r];
        CString& title = row[kPinCaptionColumns - 1];
        if (r < 40)
            title = kFixedTitles[r];
        else if (r < 115)
            title.LoadString(kTitleIds[r - 40]);
        else
            title = r == 115 ? L"Data Log" : L"Left Power Bus";
        if (r < 8) {
            for (int pin = 0; pin < 4; ++pin)
                row[pin].Format(L"In%d", pin + 1);
        } else if ((r >= 27 && r <= 29) || r == 31 || r == 32 || (r >= 34 && r <= 39)) {
            row[0] = L"In";
        } else if (r == 115) {
            row[0] = L"En";
            row[1] = L"Par";
        } else {
            CaptionsFromTitle(title, row);
        }
    }
}

CString CTavixView::GetPinCaption(const CBlockObj* pBlock, int column) const
{
    const int row = pBlock ? GetPinCaptionRow(pBlock->m_nType) : -1;
    if (row < 0 || column < 0 || column >= kPinCaptionColumns)
        return CString();
    return m_strPinCaption[row][column];
}
