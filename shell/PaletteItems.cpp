#include "shell/PaletteItems.h"

#include <map>

CUIntArray g_arrBscItems;
CUIntArray g_arrTmrItems;
CUIntArray g_arrLadderItems;
CUIntArray g_arrIoItems;
CUIntArray g_arrIoItemsQ;
CUIntArray g_arrMiscItems;
CUIntArray g_arrMiscItemsQ;
CUIntArray g_arrMiscItemsR;
CUIntArray g_arrAuxItems;
CUIntArray g_arrMathItems;
CUIntArray g_arrProfileItems;

namespace {

void Fill(CUIntArray& array, std::initializer_list<UINT> types)
{
    array.RemoveAll();
    for (UINT t : types)
        array.Add(t);
}

void FillRange(CUIntArray& array, UINT first, UINT last)
{
    array.RemoveAll();
    for (UINT t = first; t <= last; ++t)
        array.Add(t);
}

std::vector<UINT> All(const CUIntArray& array, int count = -1)
{
    const int n = count < 0 ? int(array.GetSize()) : std::min(count, int(array.GetSize()));
    std::vector<UINT> out;
    for (int i = 0; i < n; ++i)
        out.push_back(array[i]);
    return out;
}

// Caption string ids by type: English, Chinese.
const std::map<UINT, std::pair<UINT, UINT>>& CaptionIds()
{
    static const std::map<UINT, std::pair<UINT, UINT>> ids = [] {
        std::map<UINT, std::pair<UINT, UINT>> m;
        auto add = [&](UINT type, UINT en, UINT zh) { m[type] = {en, zh}; };
        const UINT bsc[8][2] = {{450, 1571}, {451, 1572}, {455, 1573}, {456, 1574},
                                {452, 1575}, {457, 1576}, {454, 1577}, {453, 1578}};
        for (UINT i = 0; i < 8; ++i)
            add(300 + i, bsc[i][0], bsc[i][1]);
        const UINT tmr[14] = {460, 461, 462, 463, 464, 465, 477, 478, 479, 492, 493, 494, 501, 502};
        for (UINT i = 0; i < 14; ++i)
            add(400 + i, tmr[i], 1579 + i);
        const UINT io[11][3] = {{600, 480, 1593}, {611, 500, 1594}, {602, 488, 1595}, {603, 473, 1596},
                                {604, 476, 1597}, {605, 481, 1598}, {606, 482, 1599}, {607, 483, 1600},
                                {608, 486, 1601}, {609, 487, 1602}, {610, 491, 1603}};
        for (const auto& e : io)
            add(e[0], e[1], e[2]);
        for (UINT i = 0; i < 6; ++i)
            add(700 + i, 520 + i, 1604 + i);
        const UINT misc[23][2] = {{800, 467}, {801, 495}, {802, 496}, {815, 510}, {803, 497}, {804, 498},
                                  {805, 499}, {806, 504}, {807, 505}, {816, 511}, {817, 512}, {818, 513},
                                  {819, 514}, {820, 515}, {821, 516}, {822, 527}, {808, 506}, {809, 507},
                                  {810, 508}, {812, 517}, {823, 528}, {813, 518}, {814, 519}};
        for (UINT i = 0; i < 23; ++i)
            add(misc[i][0], misc[i][1], 1610 + i);
        for (UINT i = 0; i < 4; ++i)
            add(824 + i, 645 + i, 645 + i);  // the WiFi blocks have English captions only
        const UINT aux[27] = {529, 530, 531, 532, 533, 534, 535, 536, 537, 538, 539, 540, 541, 542,
                              543, 544, 545, 568, 569, 572, 573, 574, 575, 576, 577, 564, 578};
        for (UINT i = 0; i < 27; ++i)
            add(830 + i, aux[i], 1633 + i);
        const UINT math[20] = {546, 547, 548, 549, 550, 551, 552, 553, 554, 555,
                               556, 557, 558, 559, 560, 561, 562, 563, 566, 567};
        for (UINT i = 0; i < 20; ++i)
            add(860 + i, math[i], 1660 + i);
        add(911, 636, 1680);
        return m;
    }();
    return ids;
}

} // namespace

void BuildPaletteArrays()
{
    FillRange(g_arrBscItems, 300, 307);
    FillRange(g_arrTmrItems, 400, 413);
    FillRange(g_arrLadderItems, 700, 705);
    Fill(g_arrIoItems, {600, 602, 603, 604, 605, 606, 607, 608, 609, 610});
    Fill(g_arrIoItemsQ, {600, 611, 602, 603, 604, 605, 606, 607, 608, 609, 610});
    Fill(g_arrMiscItems, {800, 801, 802, 803, 804, 805, 806, 807, 808, 809, 810, 812, 813, 814});
    Fill(g_arrMiscItemsQ, {800, 801, 802, 815, 803, 804, 805, 806, 807, 816, 817, 818,
                           819, 820, 821, 822, 808, 809, 810, 812, 823, 813, 814});
    g_arrMiscItemsR.RemoveAll();
    g_arrMiscItemsR.Append(g_arrMiscItemsQ);
    for (UINT t : {824u, 825u, 826u, 827u})
        g_arrMiscItemsR.Add(t);
    FillRange(g_arrAuxItems, 830, 856);
    FillRange(g_arrMathItems, 860, 879);
    Fill(g_arrProfileItems, {911});
}

std::vector<UINT> PaletteGroupItems(int nGroup, int nDocKind, int nMachine)
{
    const bool ladder = nDocKind == 2;
    switch (nGroup) {
    case groupBsc:
        return ladder ? std::vector<UINT>{301, 303} : All(g_arrBscItems);
    case groupTmr:
        return All(g_arrTmrItems, nMachine > 0x50 ? 14 : 12);
    case groupIo:
        if (ladder)
            return All(g_arrLadderItems);
        if (nMachine > 0x50)
            return All(g_arrIoItemsQ);
        return nMachine > 0x10 ? All(g_arrIoItems) : std::vector<UINT>{};
    case groupMisc:
        if (nMachine == 0x52)
            return All(g_arrMiscItemsR);
        if (nMachine > 0x50)
            return All(g_arrMiscItemsQ);
        return nMachine > 0x10 ? All(g_arrMiscItems) : std::vector<UINT>{};
    case groupAux:
        return nMachine >= 0x51 ? All(g_arrAuxItems) : std::vector<UINT>{};
    case groupMath:
        return nMachine >= 0x51 ? All(g_arrMathItems) : std::vector<UINT>{};
    case groupProfile:
        return nMachine >= 0x51 ? All(g_arrProfileItems) : std::vector<UINT>{};
    default:
        return {};
    }
}

UINT PaletteCaptionId(UINT nType, BOOL bChinese)
{
    const auto& ids = CaptionIds();
    const auto it = ids.find(nType);
    if (it == ids.end())
        return 0;
    return bChinese ? it->second.second : it->second.first;
}
