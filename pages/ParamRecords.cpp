// The record family that each block type code sends its applied parameters in.
#include "pages/ParamRecords.h"

ParamRecordKind ParamRecordKindOf(int nType)
{
    auto in = [nType](int lo, int hi) { return nType >= lo && nType <= hi; };
    if (nType == 410)
        return ParamRecordKind::Weekly;
    if (nType == 810)
        return ParamRecordKind::MsgText;
    if (nType == 813 || nType == 814)
        return ParamRecordKind::Modbus;
    if (in(803, 807) || in(815, 819))
        return ParamRecordKind::Analog;
    if (nType == 808 || nType == 809 || nType == 811 || nType == 812 || in(824, 827) || in(830, 833) ||
        nType == 853 || nType == 860 || nType == 861 || in(866, 868))
        return ParamRecordKind::Misc;
    if (in(400, 409) || nType == 411 || nType == 412 || nType == 413 || in(800, 802) || in(820, 823) ||
        in(834, 852) || in(854, 856) || in(862, 865) || in(869, 879) || nType == 911)
        return ParamRecordKind::Time;
    return ParamRecordKind::IO;
}
