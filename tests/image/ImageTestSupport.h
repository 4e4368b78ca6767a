// Helpers of the image tests: documents of a machine type, elements added and wired, and the
// bytes of one compiled instruction.
#pragma once

#include "document/TavixDoc.h"
#include "elements/BlockFactory.h"
#include "elements/BlockObj.h"
#include "image/TavixCoreRule.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using Bytes = std::vector<BYTE>;

constexpr WORD kOldHardware = 0x2110;  // machine type 0x21, an older family
constexpr WORD kNewHardware = 0x5188;  // machine type 'Q'

inline std::unique_ptr<CTavixDoc> MakeDoc(WORD hardware = kNewHardware)
{
    auto doc = std::make_unique<CTavixDoc>();
    doc->m_nHardwareCode = hardware;
    return doc;
}

// A new element numbered by the document's registry.
inline CBlockObj* Add(CTavixDoc& doc, int type)
{
    CBlockObj* p = NewBlockOfType(type);
    EXPECT_NE(p, nullptr);
    EXPECT_TRUE(doc.AddBlock(p));
    return p;
}

// An I/O element with a given number (its operand index follows from it).
inline CBlockObj* AddIo(CTavixDoc& doc, int type, int number, int base)
{
    CBlockObj* p = NewBlockOfType(type);
    p->m_nNumber = number;
    p->m_nOperand = number - base;
    doc.m_blocks.AddTail(p);
    return p;
}

inline void Wire(CBlockObj* dst, int pin, const CBlockObj* src, bool negated = false)
{
    dst->m_nLink[pin] = src->m_nNumber;
    dst->m_bNegate[pin] = negated;
}

inline int CountMessageTexts(CTavixDoc& doc)
{
    int n = 0;
    for (POSITION pos = doc.m_blocks.GetHeadPosition(); pos != nullptr;)
        if (static_cast<CBlockObj*>(doc.m_blocks.GetNext(pos))->m_nType == 810)
            ++n;
    return n;
}

// Allocates and compiles with a fixed clock; the result of CompileProgram.
inline BOOL Compile(CTavixDoc& doc, CTavixCoreRule& rule)
{
    rule.SetDocument(&doc);
    SYSTEMTIME st{};
    st.wYear = 2026;
    st.wMonth = 12;
    st.wDay = 9;
    st.wHour = 8;
    st.wMinute = 5;
    st.wSecond = 3;
    rule.SetCompileTime(st);
    if (!rule.AllocImageBuffers(CTavixCoreRule::modeDownload, doc.IsNewModel() ? CountMessageTexts(doc) : 0))
        return FALSE;
    return rule.CompileProgram();
}

// The bytes of a compiled block's instruction (function blocks are placed in number order).
inline Bytes Instruction(const CTavixCoreRule& rule, CTavixDoc& doc, const CBlockObj* block)
{
    int offset = 0;
    for (POSITION pos = doc.m_blocks.GetHeadPosition(); pos != nullptr;) {
        const CBlockObj* p = static_cast<CBlockObj*>(doc.m_blocks.GetNext(pos));
        if (p->m_nNumber >= 9000 && p->m_nNumber < block->m_nNumber)
            offset += p->m_nCodeSize;
    }
    return Bytes(rule.m_areaJ.begin() + offset, rule.m_areaJ.begin() + offset + block->m_nCodeSize);
}

// The bytes of an instruction behind its opcode word.
inline Bytes Params(const CTavixCoreRule& rule, CTavixDoc& doc, const CBlockObj* block)
{
    Bytes all = Instruction(rule, doc, block);
    return Bytes(all.begin() + 2, all.end());
}

inline Bytes Section(CTavixCoreRule& rule, const char* name)
{
    const ImageSection* s = FindImageSection(name);
    const BYTE* p = rule.SectionPtr(name);
    return Bytes(p, p + s->wSize);
}

// Reads what `down` compiled back into *back, a new document, the way an upload does: areas 0
// and J and, when `texts` is not 0, that many message text records. Stops at the first failure.
inline void ReadBack(const CTavixCoreRule& down, int texts, std::unique_ptr<CTavixDoc>* back)
{
    CTavixCoreRule up;
    *back = std::make_unique<CTavixDoc>();
    up.m_nJSize = down.m_nJSize;
    up.SetDocument(back->get());
    ASSERT_TRUE(up.AllocImageBuffers(CTavixCoreRule::modeUpload, texts));
    up.m_area0 = down.m_area0;
    up.m_areaJ = down.m_areaJ;
    if (texts != 0)
        up.m_msgText = down.m_msgText;
    ASSERT_TRUE(up.DecodeSettings());
    ASSERT_TRUE(up.DecodeImage());
}
