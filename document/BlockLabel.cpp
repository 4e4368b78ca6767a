// Display labels of elements: "I018", "Q101", "S1.4", "B12", "Low", and the ladder labels that
// follow a contact's or coil's operand to what it switches.
#include "document/TavixDoc.h"

#include "elements/BlockObj.h"

namespace {

const wchar_t* PrefixOfType(int nType)
{
    switch (nType) {
    case TYPE_INPUT: return L"I";
    case TYPE_CURSOR_KEY: return L"C";
    case TYPE_SHIFT_BIT: return L"S";
    case TYPE_LOW: return L"Low";
    case TYPE_HIGH: return L"High";
    case TYPE_OUTPUT: return L"Q";
    case TYPE_OPEN_X: return L"X";
    case TYPE_FLAG: return L"M";
    case TYPE_ANALOG_IN: return L"AI";
    case TYPE_ANALOG_OUT: return L"AQ";
    case TYPE_ANALOG_FLAG: return L"AM";
    case TYPE_FKEY: return L"F";
    case TYPE_MAKE:
    case TYPE_BREAK: return L"I";
    case TYPE_ACONTACT: return L"AI";
    case TYPE_COIL:
    case TYPE_INV_OUT: return L"Q";
    case TYPE_DATALOG: return L"L";
    default: return L"B";
    }
}

bool IsConstantPrefix(const CString& prefix)
{
    return prefix == L"Low" || prefix == L"High";
}

} // namespace

CString CTavixDoc::GetBlockLabel(const CBlockObj* pBlock) const
{
    CString label;
    if (pBlock == nullptr)
        return label;
    const int type = pBlock->m_nType;
    const int number = pBlock->m_nNumber;
    const int operand = pBlock->m_nOperand;
    const CString prefix = PrefixOfType(type);

    if (number >= NUM_FUNCTION && number <= 10999) {
        if (IsConstantPrefix(prefix))
            label = prefix;
        else
            label.Format(L"%s%d", prefix.GetString(), number - NUM_FUNCTION);
        return label;
    }
    if (IsConstantPrefix(prefix))
        return prefix;

    if (type < TYPE_MAKE || type > TYPE_AOUT_LAD) {
        int divisor = 0;
        switch (type) {
        case TYPE_INPUT: divisor = 32; break;
        case TYPE_OUTPUT: divisor = 16; break;
        case TYPE_ANALOG_IN: divisor = 8; break;
        case TYPE_ANALOG_OUT: divisor = 4; break;
        default: break;
        }
        if (divisor != 0)
            label.Format(L"%s%d%02d", prefix.GetString(), operand / divisor, operand % divisor);
        else if (type == TYPE_SHIFT_BIT && IsNewModel())
            label.Format(L"%s%d.%d", prefix.GetString(), operand / 16, operand % 16);
        else
            label.Format(L"%s%d", prefix.GetString(), operand);
        return label;
    }

    // Ladder elements: the (prefix, base) pair of the type, adjusted by what the operand names.
    CString pre;
    int base = 0;
    int divisor = 0;
    switch (type) {
    case TYPE_MAKE:
    case TYPE_BREAK: pre = L"I"; base = NUM_INPUT; break;
    case TYPE_ACONTACT: pre = L"AI"; base = NUM_ANALOG_IN; break;
    case TYPE_COIL:
    case TYPE_INV_OUT: pre = L"Q"; base = NUM_OUTPUT; break;
    default: pre = L"AQ"; base = NUM_ANALOG_OUT; break;
    }
    const bool contact = type == TYPE_MAKE || type == TYPE_BREAK;
    const bool coil = type == TYPE_COIL || type == TYPE_INV_OUT;
    const bool analog = type == TYPE_ACONTACT || type == TYPE_AOUT_LAD;

    int v = operand;
    // An operand naming a ladder analog output or a coil takes that element's operand; when
    // the element no longer exists the operand is labelled as it stands.
    const CBlockObj* pTarget = v >= NUM_COIL ? FindBlockByNumber(v) : nullptr;
    if (v >= NUM_AOUT_LAD && pTarget != nullptr) {
        v = pTarget->m_nOperand;
        if (type == TYPE_ACONTACT && v >= NUM_ANALOG_FLAG && v <= 4799) {
            pre = L"AM";
            base = NUM_ANALOG_FLAG;
        } else if (type == TYPE_ACONTACT && v >= NUM_ANALOG_OUT && v <= 4261) {
            pre = L"AQ";
            base = NUM_ANALOG_OUT;
            divisor = 4;
        }
    } else if (v >= NUM_COIL && pTarget != nullptr) {
        v = pTarget->m_nOperand;
        if (contact && v >= NUM_FLAG && v <= 1827) {
            pre = L"M";
            base = NUM_FLAG;
        } else if (contact && v >= NUM_OUTPUT && v <= 727) {
            pre = L"Q";
            base = NUM_OUTPUT;
            divisor = 16;
        } else if (contact && v >= NUM_OPEN_X && v <= 4927) {
            pre = L"X";
            base = NUM_OPEN_X;
        }
    } else if (v >= NUM_FUNCTION) {
        if (contact || type == TYPE_ACONTACT) {
            pre = L"B";
            base = NUM_FUNCTION;
        }
    } else if (v >= NUM_OPEN_X) {
        if (coil) {
            pre = L"X";
            base = NUM_OPEN_X;
        }
    } else if (v >= NUM_ANALOG_FLAG) {
        if (analog) {
            pre = L"AM";
            base = NUM_ANALOG_FLAG;
        }
    } else if (v >= NUM_ANALOG_OUT) {
        if (analog) {
            pre = L"AQ";
            base = NUM_ANALOG_OUT;
            divisor = 4;
        }
    } else if (v >= NUM_ANALOG_IN) {
        if (type == TYPE_ACONTACT) {
            pre = L"AI";
            base = NUM_ANALOG_IN;
            divisor = 8;
        }
    } else if (v >= NUM_HIGH) {
        if (contact)
            pre = L"High";
    } else if (v >= NUM_LOW) {
        if (contact)
            pre = L"Low";
    } else if (v >= NUM_FLAG) {
        if (contact || coil) {
            pre = L"M";
            base = NUM_FLAG;
        }
    } else if (v >= NUM_SHIFT_BIT) {
        if (contact) {
            pre = L"S";
            base = NUM_SHIFT_BIT;
        }
    } else if (v >= NUM_OUTPUT) {
        if (contact || coil) {
            pre = L"Q";
            base = NUM_OUTPUT;
            divisor = 16;
        }
    } else if (v >= NUM_INPUT) {
        if (contact) {
            pre = L"I";
            base = NUM_INPUT;
            divisor = 32;
        }
    }

    if (divisor != 0)
        label.Format(L"%s%d%02d", pre.GetString(), (v - base) / divisor, (v - base) % divisor);
    else if (v >= NUM_LOW && v <= 3899)
        label = pre;
    else
        label.Format(L"%s%d", pre.GetString(), v - base);
    return label;
}
