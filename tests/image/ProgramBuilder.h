// A program that holds every function-block type with parameters away from their defaults,
// wired from every kind of source, with outputs of every table, names, references, message
// texts and (newer families) a data log: the fixture of the round-trip tests.
#pragma once

#include "ImageTestSupport.h"

#include "elements/BlockAnalog.h"
#include "elements/BlockDataLog.h"
#include "elements/BlockModbus.h"
#include "elements/BlockMSGTEXT.h"
#include "elements/BlockTime.h"
#include "elements/BlockWifi.h"
#include "msgtext/Widget.h"

#include <vector>

inline std::vector<int> EveryCompiledType()
{
    std::vector<int> types;
    for (int t = 300; t <= 307; ++t)
        types.push_back(t);
    for (int t = 400; t <= 413; ++t)
        types.push_back(t);
    for (int t = 800; t <= 879; ++t)
        if (t != 811 && t != 828 && t != 829 && (t < 857 || t > 859))
            types.push_back(t);
    return types;
}

inline CWidget* AddField(CObArray& line, int row, int col, int width, int type, CBlockObj* block, int item = 0)
{
    auto* f = new CWidget();
    f->m_nRow = row;
    f->m_nCol = col;
    f->m_nWidth = width;
    f->m_nType = type;
    f->m_pBlock = block;
    f->m_nNumber = block ? block->m_nNumber : -1;
    f->m_nItem = item;
    line.Add(f);
    return f;
}

// Gives a block of the program its parameters; k is its position in the program.
inline void SetParameters(CBlockObj* b, int k, bool newer)
{
    const int t = b->m_nType;
    b->m_bRetentive = k % 2;
    b->m_bProtected = k % 3 == 0;
    if (t >= 400 && t <= 409) {
        b->m_nTime1Base = k % 3;
        b->m_nTime1High = 2 + k % 5;
        b->m_nTime1Low = 7 + k % 11;
        b->m_nTime2Base = (k + 1) % 3;
        b->m_nTime2High = 1;
        b->m_nTime2Low = 3;
        b->m_nPreWarn[0] = 4;
        b->m_nPreWarn[1] = 1;
        b->m_nPreWarn[2] = 9;
        b->m_nPreWarn[3] = 0;
        b->m_nCount = 6;
    }
    switch (t) {
    case 410: {
        auto* p = static_cast<CBlockTime*>(b);
        p->m_bCamOnOff[0] = 0;
        p->m_nCamOn[0][0] = 7;
        p->m_nCamOn[0][1] = 30;
        p->m_bCamOffOff[1] = 0;
        p->m_nCamOff[1][0] = 22;
        p->m_nCamOff[1][1] = 5;
        p->m_bCamDays[0][1] = p->m_bCamDays[0][5] = p->m_bCamDays[2][0] = 1;
        b->m_nPulse = newer ? 1 : 0;
        break;
    }
    case 411:
        b->m_nTime1Low = 3;
        b->m_nTime1High = 4;
        b->m_nTime2Low = 28;
        b->m_nTime2High = 9;
        b->m_nYearStart = newer ? 2025 : 0;
        b->m_nYearEnd = newer ? 2031 : 0;
        b->m_nYearly = newer ? 1 : 0;
        b->m_nPulse = newer ? 1 : 0;
        break;
    case 412:
        for (int i = 0; i < 4; ++i)
            b->m_nPreWarn[i] = 10 + i;
        b->m_nTime1Low = 15;
        b->m_nTime1High = 6;
        b->m_nTime2Low = 45;
        b->m_nTime2High = 18;
        b->m_nTime2Base = 14;
        break;
    case 413: b->m_nTime1Base = 1; break;
    case 800:
        b->m_nTime1High = 123456;
        b->m_nTime2High = 77;
        b->m_nStartValue = newer ? 42 : 0;
        break;
    case 801:
        b->m_nTime2High = 500;
        b->m_nTime2Low = newer ? 30 : 0;
        b->m_nTime1High = 20;
        b->m_nTime1Low = newer ? 15 : 0;
        b->m_bStdPreWarning = 1;
        break;
    case 802:
        b->m_nTime1High = 300;
        b->m_nTime1Low = 120;
        b->m_nTime2High = 5;
        b->m_nTime2Low = 50;
        break;
    case 808: case 809: b->m_nExtra3 = 1; break;
    case 812:
        b->m_nExtra1 = 3;
        b->m_nExtra2 = newer ? 2 : 0;
        break;
    case 810:
        b->m_nCount = 3;
        b->m_bStdPreWarning = 1;
        break;
    case 813: case 814: {
        auto* p = static_cast<CBlockMR*>(b);
        p->m_bySlave = 17;
        p->m_byFunction = t == 813 ? 3 : 5;
        p->m_byWriteMode = t == 814 ? 1 : 0;
        p->m_nPort = 2;
        p->m_wRegister = 0x1234;
        p->m_wCount = 8;
        p->m_wData1 = t == 814 ? 1 : 600;
        p->m_wData2 = 0x00F0;
        b->m_nTime1Base = newer ? 250 : 0;
        if (t == 813 && newer)
            p->m_wData2 = 250;  // that word carries the scan time there
        break;
    }
    case 824: case 825: case 826: case 827: {
        auto* p = static_cast<CBlockWIFI*>(b);
        p->m_nWifiSource = k % 3;
        p->m_nWifiId = p->m_nWifiSource == 2 ? 1 : 4;  // the device keeps no id for source 2
        p->m_nWifiBlockType = 2;
        p->m_nWifiBlockNumber = 9;
        break;
    }
    case 855:
        b->m_nTime2Base = 3;
        b->m_nTime1Base = 1000;
        b->m_nPreWarn[1] = 1;
        b->m_nYearEnd = 3;
        b->m_nYearStart = 300;
        b->m_nPreWarn[3] = 4;
        b->m_nPreWarn[2] = 6;
        b->m_nYearly = 1;
        b->m_nMonthly = 2;
        b->m_bStdPreWarning = 1;
        b->m_nPulse = 5;
        b->m_nTime1High = 6;
        b->m_nTime2High = 7;
        b->m_nTime1Low = 8;
        b->m_nTime2Low = 9;
        break;
    case 844: case 856:
        b->m_nTime1Low = 2;
        b->m_nTime2Low = 7;
        b->m_nTime1High = 3;
        b->m_nTime2High = 12;
        break;
    case 849: case 850: case 851: case 852:
        b->m_nTime1High = 1;
        b->m_nTime1Low = 2;
        b->m_nTime2High = 100000;
        b->m_nPreWarn[1] = 70000;
        break;
    case 848:
        b->m_nStartValue = -5;
        b->m_nTime1High = 1000000;
        b->m_nTime2High = 20;
        b->m_nPreWarn[1] = 1;
        break;
    case 830: b->m_nExtra2 = 0xBEEF; break;
    case 862: case 863: b->m_nTime1High = -300; break;
    case 864: b->m_nTime1Base = 2; b->m_dParam = 0.29; break;
    case 871: case 872: b->m_nTime1Base = 2; break;
    case 879:
        b->m_nTime1High = -3;
        b->m_nTime2High = 4;
        b->m_nPreWarn[1] = -5;
        b->m_nTime1Base = 1;
        b->m_dParam = 12.34;
        break;
    case 834: case 835: case 836: case 837: case 838: case 839: case 841: case 842:
    case 843: case 845: case 846: case 854:
        b->m_nTime1High = 0x0F0F;
        break;
    default: break;
    }
    if ((t >= 865 && t <= 878) && t != 866 && t != 867 && t != 868 && t != 871 && t != 872)
        b->m_dParam = 2.755;
    if (CBlockAnalog* a = dynamic_cast<CBlockAnalog*>(b)) {
        a->m_dGain = 1.5 + 0.01 * (k % 7);
        a->m_nOffset = -20 + k;
        a->m_nThreshold1 = 100 + k;
        a->m_nThreshold2 = 500 + k * 20;
        a->m_nDecimals = k % 4;
        a->m_nSensor = k % 5;
        a->m_nRangeMin = -10;
        a->m_nRangeMax = 900;
        a->m_dKC = 0.29;
        a->m_nTIMinutes = 3;
        a->m_nTISeconds = 41;
        a->m_nOption = t == 818 ? 1 : 2;
        a->m_nParamSet = 4;
        if (t == 815) {
            b->m_nTime1Low = 1;
            b->m_nTime2Low = 3;
            b->m_nPreWarn[0] = 2;
            b->m_nPreWarn[2] = 1;
            b->m_nExtra3 = 2;
            b->m_nTime1Base = 1;
            b->m_nTime2Base = 2;
        }
        if (t == 815 || t == 816) {
            b->m_nTime1High = -7;
            b->m_nTime2High = 8;
            b->m_nPreWarn[1] = 9;
            b->m_nPreWarn[3] = -10;
        }
        if (t == 817) {
            b->m_nTime2High = 11;
            b->m_nPreWarn[1] = 12;
            b->m_nTime1High = 13;
        }
        if (t == 819) {
            b->m_nTime1Base = 2;
            b->m_nTime1High = 1;
            b->m_nTime1Low = 25;
        }
        if (t == 820)
            b->m_nTime1Base = 2;
        if (t == 821) {
            b->m_nTime1High = 2;
            b->m_bStdPreWarning = 1;
        }
        if (t == 822) {
            b->m_nTime1Base = 1;
            b->m_nTime1High = 30;
            b->m_nTime1Low = 9;
        }
    }
    if (t == 823) {
        b->m_nTime1Low = 2;
        b->m_bStdPreWarning = 1;
    }
}

// Builds the program into an empty document of the given hardware code.
inline void BuildEveryFamilyProgram(CTavixDoc& doc, bool newer)
{
    doc.m_strProgramName = L"ROUNDTRIP";
    doc.m_strPassword = L"ABCDEFGH";
    // Sources of every operand class.
    std::vector<CBlockObj*> sources = {
        AddIo(doc, 600, 100, 100),  AddIo(doc, 600, 117, 100),  AddIo(doc, 607, 1316, 1316),
        AddIo(doc, 607, 1700, 1316), AddIo(doc, 608, 4003, 4000), AddIo(doc, 610, 4290, 4288),
        AddIo(doc, 611, 1302, 1300), AddIo(doc, 602, 1005, 1000), AddIo(doc, 604, 2900, 2900),
        AddIo(doc, 603, 1870, 1870), AddIo(doc, 601, 1281, 1280), AddIo(doc, 609, 4231, 4230),
    };
    std::vector<CBlockObj*> blocks;
    const std::vector<int> types = EveryCompiledType();
    for (size_t k = 0; k < types.size(); ++k) {
        CBlockObj* b = Add(doc, types[k]);
        SetParameters(b, int(k), newer);
        if (k % 4 == 1)
            b->m_strName.Format(L"B%d", int(k));
        int s = int(k);
        for (int pin = 0; pin < kFirstOutputPin; ++pin) {
            if (b->m_nLink[pin] != LINK_OPEN)
                continue;
            ++s;
            if (s % 5 == 0 && !blocks.empty())
                Wire(b, pin, blocks[size_t(s) % blocks.size()], s % 2 == 0);
            else if (s % 7 != 3)
                Wire(b, pin, sources[size_t(s) % sources.size()], s % 3 == 0);
            else
                b->m_bNegate[pin] = s % 2;  // open, sometimes negated
        }
        blocks.push_back(b);
    }
    // References to other blocks (newer families; the older ones take literal values).
    if (newer) {
        auto refTo = [&](int type, int k, int target) {
            for (CBlockObj* b : blocks)
                if (b->m_nType == type) {
                    b->m_bRef[k - 1] = TRUE;
                    b->m_pRefBlock[k - 1] = blocks[size_t(target)];
                    b->m_nRefNumber[k - 1] = blocks[size_t(target)]->m_nNumber;
                }
        };
        refTo(400, 1, 20);
        refTo(402, 2, 21);
        refTo(408, 3, 22);
        refTo(409, 4, 23);
        refTo(800, 1, 24);
        refTo(834, 1, 25);
        refTo(803, 2, 26);
        refTo(816, 4, 27);
        refTo(850, 1, 28);
        refTo(851, 2, 29);
        refTo(847, 1, 30);
        refTo(802, 1, 31);
        refTo(823, 1, 32);
    }
    // Outputs of every table.
    struct OutputSpec {
        int type, number, base;
        size_t source;
    };
    const OutputSpec outputs[] = {{605, 600, 600, 3},  {605, 610, 600, 0},  {607, 1320, 1316, 5},
                                  {606, 4805, 4800, 9}, {609, 4230, 4230, 40}, {610, 4400, 4288, 41}};
    for (const OutputSpec& o : outputs) {
        CBlockObj* out = AddIo(doc, o.type, o.number, o.base);
        Wire(out, 0, o.source < 20 ? sources[o.source] : blocks[o.source]);
    }
    // Message texts.
    for (CBlockObj* b : blocks) {
        auto* text = dynamic_cast<CBlockMSGTEXT*>(b);
        if (text == nullptr)
            continue;
        text->m_astrCells1[CBlockMSGTEXT::CellIndex(1, 1)] = L"A";
        text->m_astrCells1[CBlockMSGTEXT::CellIndex(1, 2)] = L"b";
        text->m_astrCells1[CBlockMSGTEXT::CellIndex(2, 9)] = L"-";
        text->m_astrCells1[CBlockMSGTEXT::CellIndex(4, 12)] = L"9";
        AddField(text->m_aLines1[1], 2, 5, 4, 1, blocks[7]);
        AddField(text->m_aLines1[2], 3, 1, CWidget::GetDefaultWidth(34), 0, text, 34);
        if (newer) {
            text->m_astrCells1[CBlockMSGTEXT::CellIndex(3, 20)] = CString(wchar_t(0x00B1));
            text->m_astrCells1[CBlockMSGTEXT::CellIndex(4, 3)] = CString(wchar_t(0x4E2D));
            text->m_astrCells2[CBlockMSGTEXT::CellIndex(1, 24)] = L"z";
            CWidget* bar = AddField(text->m_aLines2[0], 1, 2, 6, widgetBar, blocks[50]);
            bar->m_nMaxValue = 1000;
            bar->m_nMinValue = -100;
            bar->m_nValueIndex = 0;
            text->m_bTickerLine[3] = 1;
            text->m_nTickerMode2 = 1;
            text->m_bSet2Enabled = 1;
        }
    }
    if (newer) {
        auto* log = static_cast<CBlockDataLog*>(NewBlockOfType(911));
        log->m_nNumber = 8950;
        log->m_bProtected = 1;
        Wire(log, 0, sources[2]);
        CDataLogItem a;
        a.m_strOperand = L"B5";
        a.m_nOperand = blocks[5]->m_nNumber;
        a.m_nParamIndex = 2;
        log->m_aItems.Add(a);
        CDataLogItem m;
        m.m_strOperand = L"AM2";
        m.m_nOperand = 4290;
        log->m_aItems.Add(m);
        log->m_nTime1High = 2;
        doc.m_blocks.AddTail(log);
        doc.m_nTextSet1 = 0;
        doc.m_nTextSet2 = 2;
        doc.m_nScanTime = 2;
        doc.m_fv.SetSize(32);
        doc.m_fv[3] = -1.5;
        doc.m_qt.SetSize(32);
        doc.m_qt[1] = 3;
        doc.m_nContrast = 2;
    }
    doc.m_port[1][0] = 2;
    doc.m_port[1][2] = 5;
    doc.m_nTempLow = -20;
    doc.m_nSyncTime = 3600000;
}

// Compiles, hands the areas to a fresh object as an upload would, and decodes them into a new
// document. The upload object is returned for its warnings.
struct RoundTrip {
    CTavixCoreRule down;
    CTavixCoreRule up;
    std::unique_ptr<CTavixDoc> decoded = std::make_unique<CTavixDoc>();
    BOOL compiled = FALSE;
    BOOL decodedOk = FALSE;

    explicit RoundTrip(CTavixDoc& doc)
    {
        compiled = Compile(doc, down);
        if (!compiled)
            return;
        up.m_nJSize = down.m_nJSize;
        up.m_nMsgTextBytes = int(down.m_msgText.size());
        up.SetDocument(decoded.get());
        if (!up.AllocImageBuffers(CTavixCoreRule::modeUpload, up.m_nMsgTextBytes / kMsgTextRecordSize))
            return;
        up.m_area0 = down.m_area0;
        up.m_areaJ = down.m_areaJ;
        up.m_msgText = down.m_msgText;
        decodedOk = up.DecodeSettings() && up.DecodeImage();
    }
};
