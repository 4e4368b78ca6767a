// The largest program the device limits allow, built once for the benchmarks: every I/O range
// filled to its limit, then function blocks of several families chained by wires until the
// program area is full.
#pragma once

#include "document/TavixDoc.h"
#include "elements/BlockFactory.h"
#include "elements/BlockObj.h"
#include "elements/ConnectLineObj.h"

#include <memory>
#include <vector>

namespace maxprogram {

// Device limits of the function blocks' program area and of their count.
constexpr int kProgramArea = 0x6000;
constexpr int kMaxFunctionBlocks = 1024;
// The message texts and the data log added after the chained blocks.
constexpr int kTrailingBlocks = 17;

// An input or output element with its number and operand, appended as a decoded image gives it.
inline CBlockObj* AddIo(CTavixDoc& doc, int type, int number, int base)
{
    CBlockObj* p = NewBlockOfType(type);
    p->m_nNumber = number;
    p->m_nOperand = number - base;
    doc.m_blocks.AddTail(p);
    return p;
}

inline CBlockObj* Add(CTavixDoc& doc, int type, int x, int y)
{
    CBlockObj* pBlock = NewBlockOfType(type);
    if (pBlock == nullptr)
        return nullptr;
    if (!doc.CanAddBlock(type) && CTavixDoc::GetBlockKind(type) != 2) {
        delete pBlock;
        return nullptr;
    }
    if (!doc.AddBlock(pBlock)) {
        delete pBlock;
        return nullptr;
    }
    pBlock->m_ptOrigin = CPoint(x, y);
    pBlock->m_ptSaved = pBlock->m_ptOrigin;
    pBlock->m_nWidth = 25;
    pBlock->m_nHeight = pBlock->m_nInputs == 4 ? 40 : 36;
    return pBlock;
}

inline void Wire(CTavixDoc& doc, CBlockObj* pFrom, CBlockObj* pTo, int inputPin)
{
    auto* pWire = new CConnectLineObj;
    pWire->m_pStartBlock = pFrom;
    pWire->m_pEndBlock = pTo;
    pWire->m_nStartNumber = pFrom->m_nNumber;
    pWire->m_nEndNumber = pTo->m_nNumber;
    pWire->m_nStartPin = 10;
    pWire->m_nEndPin = inputPin;
    pWire->m_ptStart = CPoint(pFrom->m_ptOrigin.x + 36, pFrom->m_ptOrigin.y + 18);
    pWire->m_ptEnd = CPoint(pTo->m_ptOrigin.x - 11, pTo->m_ptOrigin.y + 10);
    pWire->m_points.Add(pWire->m_ptStart);
    pWire->m_points.Add(CPoint(pWire->m_ptStart.x + 10, pWire->m_ptStart.y));
    pWire->m_points.Add(CPoint(pWire->m_ptStart.x + 10, pWire->m_ptEnd.y));
    pWire->m_points.Add(pWire->m_ptEnd);
    pTo->m_nLink[inputPin] = pFrom->m_nNumber;
    pFrom->m_nLink[10] = pTo->m_nNumber;
    doc.m_wires.AddTail(pWire);
}

// Every I/O range filled to its limit, then function blocks of several families chained by
// wires until the program area is full.
inline std::unique_ptr<CTavixDoc> BuildMaxProgram()
{
    auto doc = std::make_unique<CTavixDoc>();
    std::vector<CBlockObj*> sources;
    const std::pair<int, int> io[] = {{600, 128}, {608, 64}, {607, 512}, {610, 512},
                                      {611, 5},   {605, 64}, {609, 32}};
    int x = 0;
    for (const auto& range : io) {
        for (int i = 0; i < range.second; ++i) {
            CBlockObj* pBlock = Add(*doc, range.first, x, 60 * i);
            if (pBlock != nullptr && (range.first == 600 || range.first == 607))
                sources.push_back(pBlock);
        }
        x += 100;
    }
    const int families[] = {300, 304, 400, 800, 306, 401, 307, 402, 808, 302};
    CBlockObj* pPrevious = sources.front();
    for (int i = 0;; ++i) {
        const int type = families[i % 10];
        CBlockObj* pProbe = NewBlockOfType(type);
        const int size = pProbe->m_nCodeSize;
        delete pProbe;
        if (doc->GetProgramCodeSize() + size >= kProgramArea
            || doc->CountFunctionBlocks() + kTrailingBlocks >= kMaxFunctionBlocks)
            break;
        CBlockObj* pBlock = Add(*doc, type, 1000 + (i % 40) * 80, (i / 40) * 60);
        if (pBlock == nullptr)
            break;
        Wire(*doc, pPrevious, pBlock, 0);
        if (pBlock->m_nInputs > 1 && pBlock->m_nLink[1] == 52)
            Wire(*doc, sources[size_t(i) % sources.size()], pBlock, 1);
        pPrevious = pBlock;
    }
    for (int i = 0; i < 16; ++i)
        Add(*doc, 810, 5000, i * 60);
    Add(*doc, 911, 5100, 0);
    return doc;
}

inline CTavixDoc& MaxProgram()
{
    static std::unique_ptr<CTavixDoc> doc = BuildMaxProgram();
    return *doc;
}

} // namespace maxprogram
