// CLadderConverter: rebuilds a ladder diagram as a function block diagram in an empty document
// of a view. Every rung becomes logic: contacts in series an AND, parallel branches an OR
// (chained four, then three inputs at a time), a break contact a negated input, an inverted
// output a NOT in front of the output, a wire straight from the power bus a status 1 element
// and a contact nothing feeds a status 0 element. Contacts become the I/O elements they read,
// coils the outputs and flags they drive, and the function blocks of the rungs are copied with
// their numbers. The result is laid out on a grid and wired. The ladder document is only read.
#pragma once

#include "platform/base/Afx.h"

#include <map>
#include <unordered_map>
#include <vector>

class CBlockObj;
class CTavixDoc;
class CTavixView;

class CLadderConverter
{
public:
    CLadderConverter(CTavixView& target, const CTavixDoc& source);

    // Converts into the target view's document. FALSE, with the reason in *pError and the
    // target left empty, when the ladder holds something a function block diagram cannot
    // express faithfully (an operand outside every element range, two coils on one output) or
    // when its gates need more function block numbers than there are.
    BOOL Convert(CString* pError);

private:
    // A signal: a constant, an element's output (negated or not) or a gate still to be made.
    struct Sig {
        enum Kind { zero, one, ref, node } kind = zero;
        int value = 0;  // the element number (ref) or the node index (node)
        bool negate = false;
        bool operator==(const Sig& o) const { return kind == o.kind && value == o.value && negate == o.negate; }
        bool operator<(const Sig& o) const
        {
            return kind != o.kind ? kind < o.kind : value != o.value ? value < o.value : negate < o.negate;
        }
    };
    struct Node {
        int type = 0;  // AND, OR or NOT
        std::vector<Sig> in;
        int uses = 0;
        int number = 0;  // the gate that ends the node, once made
    };
    // What an input links: an element number (or an open input) and its negation.
    struct Link {
        int link;
        bool negate;
    };
    using PinKey = std::pair<const CBlockObj*, int>;

    BOOL Check(CString* pError);
    void CollectWires();
    void AddSources(const CBlockObj* pSource, std::vector<const CBlockObj*>& out, int depth) const;
    int ResolveOperand(const CBlockObj* pContact) const;
    Sig InputSignal(const CBlockObj* pBlock, int nPin);
    Sig OutputSignal(const CBlockObj* pBlock);
    Sig MakeNode(int type, std::vector<Sig> in);
    bool HasWires(const CBlockObj* pBlock, int nPin) const;

    void CopyFunctionBlocks();
    void MakeOutputs();
    void CountUses(const Sig& s);
    // Links an input to a signal, making the gates and elements it needs.
    void LinkInput(CBlockObj* pBlock, int nPin, const Sig& s, bool wired);
    Link Resolve(const Sig& s, bool wired);
    int EmitNode(int index);
    void Flatten(int index, int type, std::vector<Sig>& out) const;
    int EmitGate(int type, const std::vector<Link>& in);
    CBlockObj* Element(int nNumber);
    CBlockObj* NewElement(int nType, int nNumber, int nBase);
    int Constant(bool high);
    void Repoint();
    void Lay();

    CTavixView& m_view;
    CTavixDoc& m_doc;
    const CTavixDoc& m_src;
    const CBlockObj* m_pBus = nullptr;
    std::map<PinKey, std::vector<const CBlockObj*>> m_sources;  // wire sources of each input
    std::unordered_map<int, const CBlockObj*> m_srcByNumber;
    std::map<PinKey, Sig> m_inMemo;
    std::unordered_map<const CBlockObj*, Sig> m_outMemo;
    std::vector<const CBlockObj*> m_busy;  // signals being computed: a loop reads 0
    std::vector<Node> m_nodes;
    std::map<std::pair<int, std::vector<Sig>>, int> m_nodeIndex;
    std::unordered_map<int, CBlockObj*> m_byNumber;  // elements of the target
    int m_nHigh = 0, m_nLow = 0;
    bool m_bFull = false;  // the gates took every function block number
};
