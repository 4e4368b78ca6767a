// Numbering new and pasted elements: function blocks take the lowest free number from 9000, the
// other elements the lowest free number of their type's range (with the operand that goes with
// it), and a full range refuses the element instead of giving a number twice.
#include "document/TavixDoc.h"

#include "document/BlockTally.h"

#include "elements/BlockConnectors.h"
#include "elements/BlockDataLog.h"
#include "elements/BlockIO.h"
#include "elements/BlockLadder.h"
#include "elements/BlockObj.h"

#include <vector>

namespace {

// Classes numbered from their type's range (all others are function blocks numbered from 9000).
const CRuntimeClass* const kRangeNumberedClasses[] = {
    RUNTIME_CLASS(CBlockIn),        RUNTIME_CLASS(CBlockShift),     RUNTIME_CLASS(CBlockOut),
    RUNTIME_CLASS(CBlockOpenX),     RUNTIME_CLASS(CBlockFlag),      RUNTIME_CLASS(CBlockFKey),
    RUNTIME_CLASS(CBlockLow),       RUNTIME_CLASS(CBlockAnalogIn),  RUNTIME_CLASS(CBlockAnalogOut),
    RUNTIME_CLASS(CBlockAnalogFlag), RUNTIME_CLASS(CBlockMale),     RUNTIME_CLASS(CBlockFemale),
    RUNTIME_CLASS(CBlockMake),      RUNTIME_CLASS(CBlockAContact),  RUNTIME_CLASS(CBlockRelayCoil),
    RUNTIME_CLASS(CBlockAOutLAD),   RUNTIME_CLASS(CBlockDataLog),
};
// Pasted elements of these classes keep their number when it is free.
const CRuntimeClass* const kKeepNumberClasses[] = {
    RUNTIME_CLASS(CBlockIn),        RUNTIME_CLASS(CBlockShift),     RUNTIME_CLASS(CBlockOut),
    RUNTIME_CLASS(CBlockOpenX),     RUNTIME_CLASS(CBlockFlag),      RUNTIME_CLASS(CBlockLow),
    RUNTIME_CLASS(CBlockAnalogIn),  RUNTIME_CLASS(CBlockAnalogOut), RUNTIME_CLASS(CBlockAnalogFlag),
    RUNTIME_CLASS(CBlockMake),      RUNTIME_CLASS(CBlockAContact),  RUNTIME_CLASS(CBlockRelayCoil),
    RUNTIME_CLASS(CBlockAOutLAD),   RUNTIME_CLASS(CBlockFKey),
};

template <size_t N>
bool IsOfAny(const CObject* pObject, const CRuntimeClass* const (&classes)[N])
{
    for (const CRuntimeClass* pClass : classes) {
        if (pObject->IsKindOf(pClass))
            return true;
    }
    return false;
}

struct NumberRange {
    int nBase;
    int nCount;
};

// Number range of a type (base and count); count 0 when the type has none.
NumberRange GetNumberRange(int nType, int nMachineType)
{
    switch (nType) {
    case TYPE_INPUT: return {NUM_INPUT, 256};
    case TYPE_OUTPUT: return {NUM_OUTPUT, 128};
    case TYPE_SHIFT_BIT: return {NUM_SHIFT_BIT, nMachineType >= kMachineTypeQ ? 64 : 16};
    case TYPE_CURSOR_KEY: return {NUM_CURSOR_KEY, 4};
    case TYPE_FKEY: return {NUM_FKEY, 5};
    case TYPE_FLAG: return {NUM_FLAG, 512};
    case TYPE_LOW: return {NUM_LOW, 1000};
    case TYPE_HIGH: return {NUM_HIGH, 1000};
    case TYPE_ANALOG_IN: return {NUM_ANALOG_IN, 64};
    case TYPE_ANALOG_OUT: return {NUM_ANALOG_OUT, 32};
    case TYPE_ANALOG_FLAG: return {NUM_ANALOG_FLAG, 512};
    case TYPE_OPEN_X: return {NUM_OPEN_X, 128};
    case TYPE_MALE: return {NUM_MALE, 1900};
    case TYPE_FEMALE: return {NUM_FEMALE, 1900};
    case TYPE_DATALOG: return {NUM_DATALOG, 1};
    case TYPE_MAKE: return {NUM_MAKE, 2560};
    case TYPE_BREAK: return {NUM_BREAK, 2560};
    case TYPE_ACONTACT: return {NUM_ACONTACT, 2560};
    case TYPE_COIL:
    case TYPE_INV_OUT: return {NUM_COIL, 768};
    case TYPE_AOUT_LAD: return {NUM_AOUT_LAD, 544};
    default: return {0, 0};
    }
}

// A table of taken positions; marks outside it are ignored.
struct Occupancy {
    explicit Occupancy(int n) : taken(size_t(n > 0 ? n : 0), false) {}
    void Mark(int i)
    {
        if (i >= 0 && size_t(i) < taken.size())
            taken[size_t(i)] = true;
    }
    int LowestFree() const
    {
        for (size_t i = 0; i < taken.size(); ++i) {
            if (!taken[i])
                return int(i);
        }
        return -1;
    }
    std::vector<bool> taken;
};

// Function-block numbers taken by any element.
Occupancy FunctionNumbers(const CObList& blocks)
{
    Occupancy used(kLastFunctionNumber - NUM_FUNCTION + 1);
    for (POSITION pos = blocks.GetHeadPosition(); pos != nullptr;)
        used.Mark(static_cast<const CBlockObj*>(blocks.GetNext(pos))->m_nNumber - NUM_FUNCTION);
    return used;
}

// Numbers of a type's range taken by elements of the type, or never given (the unused
// positions of each input and output module).
Occupancy RangeNumbers(const CObList& blocks, int type, NumberRange range)
{
    Occupancy numbers(range.nCount);
    if (type == TYPE_INPUT) {
        for (int i = 0; i < range.nCount; ++i) {
            if (i % 32 >= 16)
                numbers.Mark(i);
        }
    } else if (type == TYPE_OUTPUT) {
        for (int i = 0; i < range.nCount; ++i) {
            if (i % 16 >= 8)
                numbers.Mark(i);
        }
    }
    for (POSITION pos = blocks.GetHeadPosition(); pos != nullptr;) {
        const CBlockObj* pOther = static_cast<const CBlockObj*>(blocks.GetNext(pos));
        if (pOther->m_nType == type)
            numbers.Mark(pOther->m_nNumber - range.nBase);
    }
    return numbers;
}

} // namespace

CBlockTally::Numbers& CTavixDoc::TalliedNumbers(int nKey)
{
    auto it = m_pTally->m_numbers.find(nKey);
    if (it == m_pTally->m_numbers.end()) {
        const Occupancy taken = nKey == CBlockTally::kFunctionNumbers
                                    ? FunctionNumbers(m_blocks)
                                    : RangeNumbers(m_blocks, nKey, GetNumberRange(nKey, GetMachineType()));
        it = m_pTally->m_numbers.emplace(nKey, CBlockTally::Numbers{taken.taken, 0}).first;
    }
    return it->second;
}

void CTavixDoc::NoteAdded(const CBlockObj* pBlock)
{
    if (m_pTally == nullptr)
        return;
    for (auto& [key, numbers] : m_pTally->m_numbers) {
        if (key == CBlockTally::kFunctionNumbers)
            numbers.Take(pBlock->m_nNumber - NUM_FUNCTION);
        else if (key == pBlock->m_nType)
            numbers.Take(pBlock->m_nNumber - GetNumberRange(key, GetMachineType()).nBase);
    }
    TallyLimitClasses(pBlock);
}

BOOL CTavixDoc::AddBlock(CBlockObj* pBlock)
{
    if (pBlock == nullptr)
        return FALSE;
    const int type = pBlock->m_nType;

    if (!IsOfAny(pBlock, kRangeNumberedClasses)) {
        // The lowest free function-block number: equal to 9000 + count while the numbers are
        // dense, and never a number another block already has when they are not.
        const int i = m_pTally != nullptr ? TalliedNumbers(CBlockTally::kFunctionNumbers).LowestFree()
                                          : FunctionNumbers(m_blocks).LowestFree();
        if (i < 0)
            return FALSE;
        pBlock->m_nNumber = NUM_FUNCTION + i;
        m_blocks.AddTail(pBlock);
        NoteAdded(pBlock);
        SetModifiedFlag();
        return TRUE;
    }

    const NumberRange range = GetNumberRange(type, GetMachineType());
    const bool coil = pBlock->IsKindOf(RUNTIME_CLASS(CBlockRelayCoil));
    const bool ladderAOut = type == TYPE_AOUT_LAD;
    if (m_pTally != nullptr && !coil && !ladderAOut) {
        const int i = TalliedNumbers(type).LowestFree();
        if (i < 0)
            return FALSE;
        pBlock->m_nNumber = range.nBase + i;
        pBlock->m_nOperand = IsLadder() && (type == TYPE_MAKE || type == TYPE_BREAK) ? NUM_INPUT
                             : IsLadder() && type == TYPE_ACONTACT                   ? NUM_ANALOG_IN
                                                                                     : i;
        m_blocks.AddTail(pBlock);
        NoteAdded(pBlock);
        SetModifiedFlag();
        return TRUE;
    }
    Occupancy numbers = RangeNumbers(m_blocks, type, range);
    Occupancy q(128), m(512), x(128), aq(32), am(512);
    for (POSITION pos = m_blocks.GetHeadPosition(); pos != nullptr;) {
        const CBlockObj* pOther = static_cast<const CBlockObj*>(m_blocks.GetNext(pos));
        if (coil) {
            if (!pOther->IsKindOf(RUNTIME_CLASS(CBlockRelayCoil)))
                continue;
            const int op = pOther->m_nOperand;
            if (op >= NUM_OPEN_X)
                x.Mark(op - NUM_OPEN_X);
            else if (op >= NUM_FLAG)
                m.Mark(op - NUM_FLAG);
            else if (op >= NUM_OUTPUT)
                q.Mark(op - NUM_OUTPUT);
        } else if (ladderAOut) {
            if (pOther->m_nType != TYPE_AOUT_LAD)
                continue;
            const int op = pOther->m_nOperand;
            if (op >= NUM_ANALOG_FLAG)
                am.Mark(op - NUM_ANALOG_FLAG);
            else if (op >= NUM_ANALOG_OUT)
                aq.Mark(op - NUM_ANALOG_OUT);
        } else {
            continue;  // the type's own numbers are marked already
        }
        numbers.Mark(pOther->m_nNumber - range.nBase);
    }

    const int i = numbers.LowestFree();
    if (i < 0)
        return FALSE;  // the range is full: refuse rather than give a number twice
    pBlock->m_nNumber = range.nBase + i;
    if (!IsLadder()) {
        pBlock->m_nOperand = i;
    } else if (type == TYPE_MAKE || type == TYPE_BREAK) {
        pBlock->m_nOperand = NUM_INPUT;
    } else if (type == TYPE_ACONTACT) {
        pBlock->m_nOperand = NUM_ANALOG_IN;
    } else if (coil) {
        int j;
        if ((j = q.LowestFree()) >= 0)
            pBlock->m_nOperand = NUM_OUTPUT + j;
        else if ((j = m.LowestFree()) >= 0)
            pBlock->m_nOperand = NUM_FLAG + j;
        else if ((j = x.LowestFree()) >= 0)
            pBlock->m_nOperand = NUM_OPEN_X + j;
    } else if (ladderAOut) {
        int j;
        if ((j = aq.LowestFree()) >= 0)
            pBlock->m_nOperand = NUM_ANALOG_OUT + j;
        else if ((j = am.LowestFree()) >= 0)
            pBlock->m_nOperand = NUM_ANALOG_FLAG + j;
    } else {
        pBlock->m_nOperand = i;
    }
    m_blocks.AddTail(pBlock);
    NoteAdded(pBlock);
    SetModifiedFlag();
    return TRUE;
}

BOOL CTavixDoc::InsertBlock(CBlockObj* pBlock)
{
    if (pBlock == nullptr)
        return FALSE;
    // A pasted input starts without the state it last reported to the Inputs bar.
    if (pBlock->IsKindOf(RUNTIME_CLASS(CBlockIn)))
        static_cast<CBlockIn*>(pBlock)->m_nLastSimValue = 0;
    if (IsOfAny(pBlock, kKeepNumberClasses) && FindBlockByNumber(pBlock->m_nNumber) == nullptr) {
        m_blocks.AddTail(pBlock);
        NoteAdded(pBlock);
        SetModifiedFlag();
        return TRUE;
    }
    const bool keepsOperand = IsLadder() && pBlock->m_nType >= TYPE_MAKE &&
                              pBlock->m_nType <= TYPE_ACONTACT;
    const int operand = pBlock->m_nOperand;
    if (!AddBlock(pBlock))
        return FALSE;
    if (keepsOperand)
        pBlock->m_nOperand = operand;
    return TRUE;
}
