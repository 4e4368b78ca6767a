#include "elements/BlockTypes.h"

#include <algorithm>
#include <array>

namespace {

// One row per type code, ascending; the row index is also the pin-kind table row of the code.
const BlockTypeInfo s_types[kTypeRowCount] = {
    {300, "CBlockLogic", 4, 1, {1, 1, 1, 1, 1}, 12, 0, 0x00},
    {301, "CBlockLogic", 4, 1, {1, 1, 1, 1, 1}, 12, 0, 0x00},
    {302, "CBlockLogic", 4, 1, {1, 1, 1, 1, 1}, 12, 0, 0x00},
    {303, "CBlockLogic", 4, 1, {1, 1, 1, 1, 1}, 12, 0, 0x00},
    {304, "CBlockLogic", 4, 1, {1, 1, 1, 1, 1}, 12, 0, 0x00},
    {305, "CBlockLogic", 4, 1, {1, 1, 1, 1, 1}, 12, 0, 0x00},
    {306, "CBlockLogic", 2, 1, {1, 1, 0, 0, 1}, 8, 0, 0x00},
    {307, "CBlockLogic", 1, 1, {1, 0, 0, 0, 1}, 4, 0, 0x00},
    {400, "CBlockDPR", 2, 1, {1, 3, 0, 0, 1}, 8, 0, 0x0F},
    {401, "CBlockDDR", 3, 1, {1, 1, 3, 0, 1}, 12, 0, 0x0F},
    {402, "CBlockMPLR", 2, 1, {1, 3, 0, 0, 1}, 12, 0, 0x0F},
    {403, "CBlockPLR", 3, 1, {1, 1, 3, 0, 1}, 12, 0, 0x0F},
    {404, "CBlockCPG", 2, 1, {1, 3, 0, 0, 1}, 8, 0, 0x0F},
    {405, "CBlockRPR", 3, 1, {1, 1, 3, 0, 1}, 16, 0, 0x0F},
    {406, "CBlockAPG", 3, 1, {1, 1, 3, 0, 1}, 12, 0, 0x0F},
    {407, "CBlockRG", 2, 1, {1, 3, 0, 0, 1}, 12, 0, 0x06},
    {408, "CBlockSLS", 2, 1, {1, 3, 0, 0, 1}, 12, 0, 0x0F},
    {409, "CBlockMFS", 3, 1, {1, 1, 3, 0, 1}, 16, 0, 0x0F},
    {410, "CBlockWT", 3, 1, {3, 3, 3, 0, 1}, 20, 0, 0x06},
    {411, "CBlockYT", 1, 1, {3, 0, 0, 0, 1}, 8, 0, 0x06},
    {412, "CBlockAC", 1, 1, {3, 0, 0, 0, 1}, 16, 0, 0x0E},
    {413, "CBlockSW", 4, 1, {1, 1, 1, 3, 2}, 16, 5, 0x3F},
    {600, "CBlockIn", 0, 1, {0, 0, 0, 0, 1}, 0, 0, 0x0F},
    {601, nullptr, 4, 1, {0, 0, 0, 0, 1}, 0, 0, 0x0F},
    {602, "CBlockShift", 0, 1, {0, 0, 0, 0, 1}, 0, 0, 0x0F},
    {603, "CBlockLow", 0, 1, {0, 0, 0, 0, 1}, 0, 0, 0x0F},
    {604, "CBlockHigh", 0, 1, {0, 0, 0, 0, 1}, 0, 0, 0x0F},
    {605, "CBlockOut", 1, 1, {1, 0, 0, 0, 1}, 0, 0, 0x0F},
    {606, "CBlockOpenX", 1, 0, {1, 0, 0, 0, 0}, 0, 0, 0x0F},
    {607, "CBlockFlag", 1, 1, {1, 0, 0, 0, 1}, 0, 0, 0x0F},
    {608, "CBlockAnalogIn", 0, 1, {0, 0, 0, 0, 2}, 0, 0, 0x2F},
    {609, "CBlockAnalogOut", 1, 1, {2, 0, 0, 0, 2}, 0, 0, 0x2F},
    {610, "CBlockAnalogFlag", 1, 1, {2, 0, 0, 0, 2}, 0, 0, 0x2F},
    {611, "CBlockFKey", 0, 1, {0, 0, 0, 0, 1}, 0, 0, 0x0F},
    {700, "CBlockMake", 1, 1, {1, 0, 0, 0, 1}, 0, 0, 0x0F},
    {701, "CBlockBreak", 1, 1, {1, 0, 0, 0, 1}, 0, 0, 0x0F},
    {702, "CBlockAContact", 1, 1, {1, 0, 0, 0, 2}, 0, 0, 0x2F},
    {703, "CBlockRelayCoil", 1, 0, {1, 0, 0, 0, 0}, 0, 0, 0x0F},
    {704, "CBlockInvOut", 1, 0, {1, 0, 0, 0, 0}, 0, 0, 0x0F},
    {705, "CBlockAOutLAD", 1, 1, {2, 0, 0, 0, 0}, 0, 0, 0x2F},
    {800, "CBlockCOUNTER", 4, 1, {1, 1, 1, 3, 1}, 24, 6, 0x1F},
    {801, "CBlockHCOUNTER", 4, 1, {1, 1, 1, 3, 1}, 24, 7, 0x1E},
    {802, "CBlockTHTRG", 2, 1, {1, 3, 0, 0, 1}, 16, 5, 0x1F},
    {803, "CBlockACOMP", 3, 1, {2, 2, 3, 0, 1}, 24, 8, 0x1F},
    {804, "CBlockATHTRG", 2, 1, {2, 3, 0, 0, 1}, 16, 7, 0x1F},
    {805, "CBlockAAMP", 2, 1, {2, 3, 0, 0, 2}, 12, 5, 0x3F},
    {806, "CBlockAWDOG", 3, 1, {1, 2, 3, 0, 1}, 20, 7, 0x1E},
    {807, "CBlockADTRG", 2, 1, {2, 3, 0, 0, 1}, 16, 7, 0x1E},
    {808, "CBlockLR", 3, 1, {1, 1, 3, 0, 1}, 8, 3, 0x00},
    {809, "CBlockPR", 4, 1, {1, 1, 1, 3, 1}, 12, 5, 0x04},
    {810, "CBlockMSGTEXT", 3, 1, {1, 3, 3, 0, 1}, 8, 4, 0x04},
    {811, nullptr, 4, 1, {1, 1, 0, 0, 1}, 0, 0, 0x0F},
    {812, "CBlockSREG", 4, 1, {1, 1, 1, 3, 1}, 12, 5, 0x04},
    {813, "CBlockMR", 3, 1, {1, 1, 3, 0, 1}, 18, 8, 0x00},
    {814, "CBlockMW", 3, 1, {1, 1, 3, 0, 1}, 18, 8, 0x00},
    {815, "CBlockAMATH", 2, 1, {1, 3, 0, 0, 2}, 20, 11, 0x3F},
    {816, "CBlockAMUX", 4, 1, {1, 1, 1, 3, 2}, 20, 9, 0x3F},
    {817, "CBlockARAMP", 4, 1, {1, 1, 1, 3, 2}, 28, 12, 0x3F},
    {818, "CBlockPI", 4, 1, {1, 1, 2, 3, 2}, 28, 14, 0x3F},
    {819, "CBlockPWM", 3, 1, {1, 2, 3, 0, 2}, 24, 11, 0x1E},
    {820, "CBlockAFILTER", 2, 1, {2, 3, 0, 0, 2}, 8, 4, 0x3F},
    {821, "CBlockMAXMIN", 4, 1, {1, 1, 2, 3, 2}, 16, 6, 0x3F},
    {822, "CBlockAVGVAL", 4, 1, {1, 1, 2, 3, 2}, 16, 6, 0x3F},
    {823, "CBlockMATHERR", 3, 1, {1, 1, 3, 0, 1}, 16, 6, 0x1E},
    {824, "CBlockWIFIIn", 2, 1, {1, 3, 0, 0, 1}, 12, 8, 0x00},
    {825, "CBlockWIFIOut", 3, 0, {1, 1, 3, 0, 0}, 12, 7, 0x00},
    {826, "CBlockWIFIAI", 2, 1, {1, 3, 0, 0, 2}, 12, 7, 0x00},
    {827, "CBlockWIFIAOut", 3, 0, {1, 2, 3, 0, 0}, 12, 7, 0x00},
    {830, "CBlockBoolean", 4, 1, {1, 1, 1, 1, 1}, 16, 7, 0x06},
    {831, "CBlockTDT", 2, 1, {1, 1, 0, 0, 1}, 8, 3, 0x00},
    {832, "CBlockBCD", 1, 1, {2, 0, 0, 0, 2}, 8, 3, 0x39},
    {833, "CBlockBIN", 1, 1, {2, 0, 0, 0, 2}, 8, 3, 0x39},
    {834, "CBlockROL", 2, 1, {2, 3, 0, 0, 2}, 8, 3, 0x3F},
    {835, "CBlockROR", 2, 1, {2, 3, 0, 0, 2}, 8, 3, 0x3F},
    {836, "CBlockSHL", 2, 1, {2, 3, 0, 0, 2}, 8, 3, 0x3F},
    {837, "CBlockSHR", 2, 1, {2, 3, 0, 0, 2}, 8, 3, 0x3F},
    {838, "CBlockANDM", 2, 1, {2, 3, 0, 0, 2}, 8, 3, 0x3F},
    {839, "CBlockORM", 2, 1, {2, 3, 0, 0, 2}, 8, 3, 0x3F},
    {840, "CBlockNOTM", 2, 1, {2, 0, 0, 0, 2}, 8, 3, 0x3D},
    {841, "CBlockNANDM", 2, 1, {2, 3, 0, 0, 2}, 8, 3, 0x3F},
    {842, "CBlockNORM", 2, 1, {2, 3, 0, 0, 2}, 8, 3, 0x3F},
    {843, "CBlockXORM", 2, 1, {2, 3, 0, 0, 2}, 8, 3, 0x3F},
    {844, "CBlockARRMXIV", 1, 1, {3, 0, 0, 0, 2}, 12, 5, 0x3F},
    {845, "CBlockACMXIV", 3, 1, {2, 2, 3, 0, 2}, 12, 5, 0x3F},
    {846, "CBlockRAND", 1, 1, {3, 0, 0, 0, 2}, 8, 3, 0x3F},
    {847, "CBlockMEM", 2, 1, {1, 3, 0, 0, 2}, 12, 6, 0x21},
    {848, "CBlockENCODER", 2, 1, {1, 3, 0, 0, 1}, 24, 8, 0x0F},
    {849, "CBlockSMC", 3, 1, {1, 1, 3, 0, 1}, 16, 6, 0x0E},
    {850, "CBlockSMCE", 4, 1, {1, 1, 1, 3, 1}, 22, 8, 0x0E},
    {851, "CBlockPTO", 2, 1, {1, 3, 0, 0, 1}, 12, 4, 0x0E},
    {852, "CBlockPTOE", 3, 1, {1, 1, 3, 0, 1}, 18, 6, 0x0E},
    {853, "CBlockSEG", 2, 1, {1, 2, 0, 0, 2}, 10, 4, 0x3C},
    {854, "CBlockWORD2BIT", 2, 1, {2, 3, 0, 0, 1}, 10, 4, 0x0E},
    {855, "CBlockUDC", 2, 1, {1, 3, 0, 0, 1}, 24, 15, 0x08},
    {856, "CBlockCRC16", 2, 1, {1, 3, 0, 0, 2}, 12, 5, 0x2E},
    {860, "CBlockODD", 1, 1, {2, 0, 0, 0, 1}, 8, 3, 0x04},
    {861, "CBlockEVEN", 1, 1, {2, 0, 0, 0, 1}, 8, 3, 0x04},
    {862, "CBlockMOD", 2, 1, {2, 3, 0, 0, 2}, 8, 3, 0x3F},
    {863, "CBlockREM", 2, 1, {2, 3, 0, 0, 2}, 8, 3, 0x3F},
    {864, "CBlockLOG", 2, 1, {2, 3, 0, 0, 2}, 12, 4, 0x3F},
    {865, "CBlockSQRT", 2, 1, {2, 3, 0, 0, 2}, 12, 4, 0x3F},
    {866, "CBlockABS", 1, 1, {2, 0, 0, 0, 2}, 8, 3, 0x3D},
    {867, "CBlockGCD", 2, 1, {2, 2, 0, 0, 2}, 8, 3, 0x3D},
    {868, "CBlockLCM", 2, 1, {2, 2, 0, 0, 2}, 8, 3, 0x3D},
    {869, "CBlockPOW2", 2, 1, {2, 3, 0, 0, 2}, 12, 4, 0x3F},
    {870, "CBlockEXP", 2, 1, {2, 3, 0, 0, 2}, 12, 4, 0x3F},
    {871, "CBlockFIX", 2, 1, {2, 3, 0, 0, 2}, 8, 3, 0x3F},
    {872, "CBlockROUND", 2, 1, {2, 3, 0, 0, 2}, 8, 3, 0x3F},
    {873, "CBlockSIN", 2, 1, {2, 3, 0, 0, 2}, 12, 4, 0x3F},
    {874, "CBlockCOS", 2, 1, {2, 3, 0, 0, 2}, 12, 4, 0x3F},
    {875, "CBlockTAN", 2, 1, {2, 3, 0, 0, 2}, 12, 4, 0x3F},
    {876, "CBlockCOT", 2, 1, {2, 3, 0, 0, 2}, 12, 4, 0x3F},
    {877, "CBlockSEC", 2, 1, {2, 3, 0, 0, 2}, 12, 4, 0x3F},
    {878, "CBlockCSC", 2, 1, {2, 3, 0, 0, 2}, 12, 4, 0x3F},
    {879, "CBlockQUAD", 3, 1, {1, 2, 3, 0, 2}, 20, 8, 0x3F},
    {900, "CBlockMale", 1, 0, {1, 0, 0, 0, 0}, 0, 0, 0x0F},
    {901, "CBlockFemale", 0, 1, {0, 0, 0, 0, 1}, 0, 0, 0x0F},
    {911, "CBlockDataLog", 2, 0, {1, 3, 0, 0, 0}, 0, 0, 0x00},
};

struct PinKindTable {
    int rows[kTypeRowCount][kPinCount] = {};
    PinKindTable()
    {
        for (int r = 0; r < kTypeRowCount; ++r) {
            for (int p = 0; p < 4; ++p)
                rows[r][p] = s_types[r].nPinKinds[p];
            rows[r][kOutputPin] = s_types[r].nPinKinds[4];
        }
    }
};

const PinKindTable& PinKinds()
{
    static const PinKindTable table;
    return table;
}

} // namespace

int GetBlockKindOfType(int nType)
{
    if (nType >= 600 && nType <= 799)
        return KIND_IO;
    if ((nType >= 300 && nType <= 413) || (nType >= 800 && nType <= 899))
        return KIND_FUNCTION;
    if (nType == TYPE_MALE || nType == TYPE_FEMALE)
        return KIND_CONNECTOR;
    if (nType == TYPE_DATALOG)
        return KIND_DATALOG;
    return KIND_OTHER;
}

int GetPinKindRowIndex(int nType)
{
    struct Range { int lo, hi, offset; };
    static constexpr Range ranges[] = {
        {300, 399, 300}, {400, 599, 392}, {600, 699, 578}, {700, 799, 666}, {800, 829, 760},
        {830, 859, 762}, {860, 899, 765}, {900, 910, 785}, {911, 999, 794},
    };
    for (const Range& r : ranges)
        if (nType >= r.lo && nType <= r.hi)
            return nType - r.offset;
    return 0;
}

const BlockTypeInfo* FindBlockTypeInfo(int nType)
{
    // A code between two rows of a range maps by the offset rule onto another type's row, so the
    // row found must carry the code itself.
    const int row = GetPinKindRowIndex(nType);
    if (row < 0 || row >= kTypeRowCount || s_types[row].nType != nType)
        return nullptr;
    return &s_types[row];
}

const int* GetPinKindRow(int nType)
{
    if (!FindBlockTypeInfo(nType))
        return nullptr;
    return PinKinds().rows[GetPinKindRowIndex(nType)];
}

const BlockTypeInfo* GetBlockTypeTable()
{
    return s_types;
}
