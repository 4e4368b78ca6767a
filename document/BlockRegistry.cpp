// The element registry: numbering, lookups, hit tests, counts and device limits.
// Every walk goes in list order and the first match wins.
#include "document/TavixDoc.h"

#include "document/ClassTest.h"
#include "elements/BlockComment.h"
#include "elements/BlockIO.h"
#include "elements/BlockObj.h"
#include "elements/ConnectLineObj.h"

#include <vector>

namespace {

constexpr int kFunctionFirst = NUM_FUNCTION;
constexpr int kFunctionLast = 10999;

// Classes numbered from their type's range (all others are function blocks numbered from 9000).
const char* const kRangeNumberedClasses[] = {
    "CBlockIn", "CBlockShift", "CBlockOut", "CBlockOpenX", "CBlockFlag", "CBlockFKey",
    "CBlockLow", "CBlockAnalogIn", "CBlockAnalogOut", "CBlockAnalogFlag", "CBlockMale",
    "CBlockFemale", "CBlockMake", "CBlockAContact", "CBlockRelayCoil", "CBlockAOutLAD",
    "CBlockDataLog",
};
// Pasted elements of these classes keep their number when it is free.
const char* const kKeepNumberClasses[] = {
    "CBlockIn", "CBlockShift", "CBlockOut", "CBlockOpenX", "CBlockFlag", "CBlockLow",
    "CBlockAnalogIn", "CBlockAnalogOut", "CBlockAnalogFlag", "CBlockMake", "CBlockAContact",
    "CBlockRelayCoil", "CBlockAOutLAD", "CBlockFKey",
};

template <size_t N>
bool IsOfAny(const CObject* pObject, const char* const (&names)[N])
{
    for (const char* name : names) {
        if (IsObjectOfClass(pObject, name))
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

} // namespace

int CTavixDoc::GetBlockKind(int nType)
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

CBlockObj* CTavixDoc::FindBlockByNumber(int nNumber) const
{
    if (IsLadder() && !m_powerBus.IsEmpty()) {
        CBlockObj* pBus = static_cast<CBlockObj*>(m_powerBus.GetHead());
        if (pBus != nullptr && pBus->m_nNumber == nNumber)
            return pBus;
    }
    if (m_pNumberIndex != nullptr) {
        const auto it = m_pNumberIndex->find(nNumber);
        return it == m_pNumberIndex->end() ? nullptr : it->second;
    }
    for (POSITION pos = m_blocks.GetHeadPosition(); pos != nullptr;) {
        CBlockObj* pBlock = static_cast<CBlockObj*>(m_blocks.GetNext(pos));
        if (pBlock->m_nNumber == nNumber)
            return pBlock;
    }
    return nullptr;
}

CBlockNumberIndex::CBlockNumberIndex(CTavixDoc& doc) : m_doc(doc)
{
    if (doc.m_pNumberIndex != nullptr)
        return;
    m_index.reserve(size_t(doc.m_blocks.GetCount()));
    for (POSITION pos = doc.m_blocks.GetHeadPosition(); pos != nullptr;) {
        CBlockObj* pBlock = static_cast<CBlockObj*>(doc.m_blocks.GetNext(pos));
        m_index.emplace(pBlock->m_nNumber, pBlock);  // the first in list order wins
    }
    doc.m_pNumberIndex = &m_index;
    m_bOwner = true;
}

CBlockNumberIndex::~CBlockNumberIndex()
{
    if (m_bOwner)
        m_doc.m_pNumberIndex = nullptr;
}

CBlockObj* CTavixDoc::FindIOBlock(int nOperand, int nType) const
{
    for (POSITION pos = m_blocks.GetHeadPosition(); pos != nullptr;) {
        CBlockObj* pBlock = static_cast<CBlockObj*>(m_blocks.GetNext(pos));
        if (pBlock->m_nOperand == nOperand && pBlock->m_nType == nType)
            return pBlock;
    }
    return nullptr;
}

int CTavixDoc::CountBlocks() const
{
    int count = 0;
    for (POSITION pos = m_blocks.GetHeadPosition(); pos != nullptr;) {
        const CObject* pObject = m_blocks.GetNext(pos);
        if (!IsObjectOfClass(pObject, "CBlockMale") && !IsObjectOfClass(pObject, "CBlockFemale"))
            ++count;
    }
    return count;
}

int CTavixDoc::CountFunctionBlocks() const
{
    int count = 0;
    for (POSITION pos = m_blocks.GetHeadPosition(); pos != nullptr;) {
        const CBlockObj* pBlock = static_cast<const CBlockObj*>(m_blocks.GetNext(pos));
        if (pBlock->m_nNumber >= kFunctionFirst && pBlock->m_nNumber <= kFunctionLast)
            ++count;
    }
    return count;
}

BOOL CTavixDoc::AddBlock(CBlockObj* pBlock)
{
    if (pBlock == nullptr)
        return FALSE;
    const int type = pBlock->m_nType;

    if (!IsOfAny(pBlock, kRangeNumberedClasses)) {
        // The lowest free function-block number: equal to 9000 + count while the numbers are
        // dense, and never a number another block already has when they are not.
        Occupancy used(kFunctionLast - kFunctionFirst + 1);
        for (POSITION pos = m_blocks.GetHeadPosition(); pos != nullptr;)
            used.Mark(static_cast<CBlockObj*>(m_blocks.GetNext(pos))->m_nNumber - kFunctionFirst);
        const int i = used.LowestFree();
        if (i < 0)
            return FALSE;
        pBlock->m_nNumber = kFunctionFirst + i;
        m_blocks.AddTail(pBlock);
        SetModifiedFlag();
        return TRUE;
    }

    const NumberRange range = GetNumberRange(type, GetMachineType());
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

    const bool coil = IsObjectOfClass(pBlock, "CBlockRelayCoil");
    const bool ladderAOut = type == TYPE_AOUT_LAD;
    Occupancy q(128), m(512), x(128), aq(32), am(512);
    for (POSITION pos = m_blocks.GetHeadPosition(); pos != nullptr;) {
        const CBlockObj* pOther = static_cast<const CBlockObj*>(m_blocks.GetNext(pos));
        if (coil) {
            if (!IsObjectOfClass(pOther, "CBlockRelayCoil"))
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
        } else if (pOther->m_nType != type) {
            continue;
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

CBlockObj* CTavixDoc::HitTestBlock(CPoint pt) const
{
    for (POSITION pos = m_blocks.GetHeadPosition(); pos != nullptr;) {
        CBlockObj* pBlock = static_cast<CBlockObj*>(m_blocks.GetNext(pos));
        const CRect rc(pBlock->m_ptOrigin.x, pBlock->m_ptOrigin.y,
                       pBlock->m_ptOrigin.x + pBlock->m_nWidth,
                       pBlock->m_ptOrigin.y + pBlock->m_nHeight);
        if (rc.PtInRect(pt))
            return pBlock;
    }
    return nullptr;
}

CBlockObj* CTavixDoc::HitTestBlockWithPins(CPoint pt) const
{
    for (POSITION pos = m_blocks.GetHeadPosition(); pos != nullptr;) {
        CBlockObj* pBlock = static_cast<CBlockObj*>(m_blocks.GetNext(pos));
        const CRect rc(pBlock->m_ptOrigin.x - 9, pBlock->m_ptOrigin.y,
                       pBlock->m_ptOrigin.x + pBlock->m_nWidth + 9,
                       pBlock->m_ptOrigin.y + pBlock->m_nHeight);
        if (rc.PtInRect(pt))
            return pBlock;
    }
    return nullptr;
}

CBlockComment* CTavixDoc::HitTestComment(CPoint pt) const
{
    for (POSITION pos = m_comments.GetHeadPosition(); pos != nullptr;) {
        CBlockComment* pComment = static_cast<CBlockComment*>(m_comments.GetNext(pos));
        const CRect rc(pComment->m_ptOrigin.x, pComment->m_ptOrigin.y,
                       pComment->m_ptOrigin.x + pComment->m_nWidth,
                       pComment->m_ptOrigin.y + pComment->m_nHeight);
        if (rc.PtInRect(pt))
            return pComment;
    }
    return nullptr;
}

CConnectLineObj* CTavixDoc::HitTestWire(int x, int y)
{
    return CConnectLineObj::FindLineAt(this, x, y);
}

BOOL CTavixDoc::GetPinPosition(CRect* pRect, CBlockObj* pBlock, int nPin) const
{
    if (pBlock == nullptr || nPin < 0 || nPin >= kPinCount || pBlock->m_nPinKind[nPin] == PIN_NONE)
        return FALSE;
    return pBlock->GetPinRect(pRect, nPin, kPinRectSize);
}

void CTavixDoc::AddWire(CConnectLineObj* pWire)
{
    m_wires.AddTail(pWire);
    SetModifiedFlag();
}

void CTavixDoc::RemoveWire(CConnectLineObj* pWire)
{
    POSITION pos = m_wires.Find(pWire);
    if (pos == nullptr)
        return;
    m_wires.RemoveAt(pos);
    SetModifiedFlag();
}

void CTavixDoc::AddComment(CBlockComment* pComment)
{
    if (pComment == nullptr)
        return;
    m_comments.AddTail(pComment);
    SetModifiedFlag();
}

BOOL CTavixDoc::IsWireDuplicate(CConnectLineObj* pNew, CBlockObj* pOther, int nOtherPin) const
{
    if (pNew == nullptr)
        return FALSE;
    // The start is the fixed end unless the start is the end being dragged.
    const bool startFixed = pNew->m_nDragEnd != -1;
    const CBlockObj* pFixed = startFixed ? pNew->m_pStartBlock : pNew->m_pEndBlock;
    const int fixedPin = startFixed ? pNew->m_nStartPin : pNew->m_nEndPin;
    for (POSITION pos = m_wires.GetHeadPosition(); pos != nullptr;) {
        const CConnectLineObj* pWire = static_cast<const CConnectLineObj*>(m_wires.GetNext(pos));
        if (pWire == pNew)
            continue;
        const bool forward = pWire->m_pStartBlock == pFixed && pWire->m_nStartPin == fixedPin &&
                             pWire->m_pEndBlock == pOther && pWire->m_nEndPin == nOtherPin;
        const bool backward = pWire->m_pEndBlock == pFixed && pWire->m_nEndPin == fixedPin &&
                              pWire->m_pStartBlock == pOther && pWire->m_nStartPin == nOtherPin;
        if (forward || backward)
            return TRUE;
    }
    return FALSE;
}

CConnectLineObj* CTavixDoc::FindWireOnConnector(CBlockObj* pConnector) const
{
    if (pConnector == nullptr)
        return nullptr;
    for (POSITION pos = m_wires.GetHeadPosition(); pos != nullptr;) {
        CConnectLineObj* pWire = static_cast<CConnectLineObj*>(m_wires.GetNext(pos));
        const CBlockObj* pEnd = pWire->m_pEndBlock;
        if (pEnd == pConnector &&
            (IsObjectOfClass(pEnd, "CBlockMale") || IsObjectOfClass(pEnd, "CBlockFemale")))
            return pWire;
    }
    return nullptr;
}

int CTavixDoc::GetProgramCodeSize() const
{
    int size = 0;
    for (POSITION pos = m_blocks.GetHeadPosition(); pos != nullptr;) {
        const CBlockObj* pBlock = static_cast<const CBlockObj*>(m_blocks.GetNext(pos));
        if (GetBlockKind(pBlock->m_nType) == KIND_FUNCTION)
            size += pBlock->m_nCodeSize;
    }
    return size;
}

int CTavixDoc::CountNamedBlocks() const
{
    int count = 0;
    for (POSITION pos = m_blocks.GetHeadPosition(); pos != nullptr;) {
        const CBlockObj* pBlock = static_cast<const CBlockObj*>(m_blocks.GetNext(pos));
        if (GetBlockKind(pBlock->m_nType) == KIND_FUNCTION && !pBlock->m_strName.IsEmpty())
            ++count;
    }
    return count;
}

int CTavixDoc::CountFlaggedBlocks(int nExcludeNumber) const
{
    int count = 0;
    const bool newModel = IsNewModel();
    for (POSITION pos = m_blocks.GetHeadPosition(); pos != nullptr;) {
        const CBlockObj* pBlock = static_cast<const CBlockObj*>(m_blocks.GetNext(pos));
        if (pBlock->m_nNumber == nExcludeNumber)
            continue;
        if (newModel) {
            if (GetBlockKind(pBlock->m_nType) == KIND_FUNCTION &&
                !IsObjectOfClass(pBlock, "CBlockLogic") && (pBlock->m_byOptions & OPT_REFERABLE))
                ++count;
        } else if (IsObjectOfClass(pBlock, "CBlockCOUNTER") ||
                   IsObjectOfClass(pBlock, "CBlockACOMP") ||
                   IsObjectOfClass(pBlock, "CBlockATHTRG") ||
                   IsObjectOfClass(pBlock, "CBlockAAMP")) {
            ++count;
        }
    }
    return count;
}

void CTavixDoc::UpdateBlockSizesForHardware()
{
    const bool newer = m_nHardwareCode >= 0x5188;
    for (POSITION pos = m_blocks.GetHeadPosition(); pos != nullptr;) {
        CBlockObj* pBlock = static_cast<CBlockObj*>(m_blocks.GetNext(pos));
        WORD size;
        switch (pBlock->m_nType) {
        case 411: size = newer ? 14 : 8; break;
        case 812: size = newer ? 16 : 12; break;
        case 814: size = newer ? 22 : 18; break;
        default: continue;
        }
        if (pBlock->m_nCodeSize != size)
            pBlock->m_nCodeSize = size;
    }
}

BOOL CTavixDoc::CanAddBlock(int nType, BlockCounts* pCounts) const
{
    const char* counted = nullptr;
    const char* excluded = nullptr;
    int limit = 0;
    const bool newModel = IsNewModel();
    switch (nType) {
    case 600: counted = "CBlockIn"; limit = 128; break;
    case 602: counted = "CBlockShift"; limit = newModel ? 64 : 16; break;
    case 603: counted = "CBlockLow"; excluded = "CBlockHigh"; limit = 1000; break;
    case 604: counted = "CBlockHigh"; limit = 1000; break;
    case 605: counted = "CBlockOut"; limit = 64; break;
    case 606: counted = "CBlockOpenX"; limit = 128; break;
    case 607: counted = "CBlockFlag"; limit = 512; break;
    case 608: counted = "CBlockAnalogIn"; limit = 64; break;
    case 609: counted = "CBlockAnalogOut"; limit = 32; break;
    case 610: counted = "CBlockAnalogFlag"; limit = 512; break;
    case 611: counted = "CBlockFKey"; limit = 5; break;
    case 700: counted = "CBlockMake"; excluded = "CBlockBreak"; limit = 2560; break;
    case 701: counted = "CBlockBreak"; limit = 2560; break;
    case 702: counted = "CBlockAContact"; limit = 2560; break;
    case 703:
    case 704: counted = "CBlockRelayCoil"; limit = 768; break;
    case 705: counted = "CBlockAOutLAD"; limit = 544; break;
    case 810: counted = "CBlockMSGTEXT"; limit = 16; break;
    case 812: counted = "CBlockSREG"; limit = newModel ? 4 : 1; break;
    case 820: counted = "CBlockAFILTER"; limit = 8; break;
    case 900: counted = "CBlockMale"; limit = 1900; break;
    case 901: counted = "CBlockFemale"; limit = 1900; break;
    case 911: counted = "CBlockDataLog"; limit = 1; break;
    default: return FALSE;
    }

    int count = 0;
    int operands[3] = {0, 0, 0};
    for (POSITION pos = m_blocks.GetHeadPosition(); pos != nullptr;) {
        const CBlockObj* pBlock = static_cast<const CBlockObj*>(m_blocks.GetNext(pos));
        if (!IsObjectOfClass(pBlock, counted) ||
            (excluded != nullptr && IsObjectOfClass(pBlock, excluded)))
            continue;
        ++count;
        const int op = pBlock->m_nOperand;
        if (nType == 703 || nType == 704) {
            if (op >= NUM_OPEN_X)
                ++operands[2];
            else if (op >= NUM_FLAG)
                ++operands[1];
            else if (op >= NUM_OUTPUT)
                ++operands[0];
        } else if (nType == 705) {
            if (op >= NUM_ANALOG_FLAG)
                ++operands[1];
            else if (op >= NUM_ANALOG_OUT)
                ++operands[0];
        }
    }
    if (pCounts != nullptr && (nType == 703 || nType == 704 || nType == 705)) {
        for (int i = 0; i < 3; ++i)
            pCounts->m_nCount[i] = operands[i];
    }
    if (count >= limit)
        return FALSE;
    if (pCounts != nullptr && count + pCounts->m_nToAdd > limit)
        return FALSE;
    return TRUE;
}
