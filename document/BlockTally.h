// CBlockTally: while it lives, the document's device-limit check (CanAddBlock) and the numbering
// of new elements (AddBlock, InsertBlock) answer from counts per limit class and tables of taken
// numbers instead of walking every element, and every element added through the document keeps
// them current. It is for a run of many additions (separating hundreds of wires into connector
// pairs, a large paste): hold it only while elements are added through the document alone, and
// call Recount after anything else removed, renumbered or retyped an element. Nested tallies
// leave the outer one in charge.
#pragma once

#include <cstddef>
#include <unordered_map>
#include <vector>

class CTavixDoc;

class CBlockTally {
public:
    explicit CBlockTally(CTavixDoc& doc);
    ~CBlockTally();
    CBlockTally(const CBlockTally&) = delete;
    CBlockTally& operator=(const CBlockTally&) = delete;

    // Forgets what was counted; the next question counts again from the element list.
    void Recount();

    // Elements of one limit class, and for coils and ladder analog outputs their operands.
    struct Count {
        int n = 0;
        int operands[3] = {0, 0, 0};
    };
    // Taken numbers of one range (offsets from its base). Numbers are only taken while a tally
    // is held, so the lowest free one never moves down.
    struct Numbers {
        std::vector<bool> taken;
        size_t lowest = 0;
        void Take(int i)
        {
            if (i >= 0 && size_t(i) < taken.size())
                taken[size_t(i)] = true;
        }
        int LowestFree()
        {
            while (lowest < taken.size() && taken[lowest])
                ++lowest;
            return lowest < taken.size() ? int(lowest) : -1;
        }
    };

private:
    friend class CTavixDoc;
    // Key of the function-block numbers among the per-type tables.
    enum { kFunctionNumbers = -1 };

    CTavixDoc& m_doc;
    bool m_bOwner = false;
    std::unordered_map<int, Count> m_counts;     // by the type code asked of CanAddBlock
    std::unordered_map<int, Numbers> m_numbers;  // by type code, kFunctionNumbers for blocks
};
