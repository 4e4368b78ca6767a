#include "image/FieldParams.h"

#include "document/NameTables.h"
#include "msgtext/MsgTextParamTable.h"
#include "msgtext/Widget.h"

namespace {

int ItemAt(const std::vector<int>& items, int nIndex)
{
    return nIndex >= 0 && size_t(nIndex) < items.size() ? items[size_t(nIndex)] : -1;
}

constexpr int kOnOffBlockWidth = 8;
constexpr int kScaleTimeWidth = 11;
constexpr int kGaugeWidth = 12;

} // namespace

int ShownItemAt(int nType, int nMachineType, int nIndex)
{
    return ItemAt(GetShownItems(nType, nMachineType), nIndex);
}

int AddressableItemAt(int nType, int nIndex)
{
    return ItemAt(GetAddressableItems(nType), nIndex);
}

int AnalogValueItemAt(int nType, int nIndex)
{
    return ItemAt(GetAnalogValueItems(nType), nIndex);
}

CString ParamCaption(int nItem)
{
    // The upload fills the name table; a decoder used on its own fills it here.
    if (g_astrParamNames.GetSize() < kParamNameCount)
        InitParamNameTable();
    if (nItem < 0 || nItem >= g_astrParamNames.GetSize())
        return CString();
    return g_astrParamNames[nItem];
}

void ApplyFieldParams(CWidget* pField, int nType, int nMachineType)
{
    if (pField == nullptr)
        return;
    CWidget& f = *pField;
    switch (f.m_nType) {
    case widgetGraph:
        return;
    case widgetOnOff: {
        // Function blocks show their output bit in eight cells; I/O operands take the width of
        // their row's item.
        const int item = ShownItemAt(nType, nMachineType, 0);
        f.m_nItem = item < 0 ? 0 : item;
        const bool functionBlock = f.m_nNumber >= 9000;
        f.m_nWidth = (functionBlock || item < 0) ? kOnOffBlockWidth : CWidget::GetDefaultWidth(item);
        f.m_strText = nType >= 0 ? GetBlockTypeName(nType) : CString();
        return;
    }
    case widgetBar:
    case widgetScaleTime:
    case widgetScope:
    case widgetPointer: {
        if (f.m_nType == widgetScaleTime)
            f.m_nWidth = kScaleTimeWidth;
        else if (f.m_nType != widgetBar)
            f.m_nWidth = kGaugeWidth;
        const int item = AnalogValueItemAt(nType, f.m_nValueIndex);
        if (item >= 0) {
            f.m_nItem = item;
            f.m_strText = ParamCaption(item);
        }
        return;
    }
    default:
        break;
    }
    if (f.m_nType < 0)
        return;
    const int item = ShownItemAt(nType, nMachineType, f.m_nType);
    if (item < 0)
        return;
    f.m_nItem = item;
    f.m_strText = ParamCaption(item);
    f.m_nWidth = CWidget::GetDefaultWidth(item);
}
