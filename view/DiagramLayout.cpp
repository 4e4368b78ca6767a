#include "view/DiagramLayout.h"

#include "document/TavixDoc.h"
#include "document/UndoCompound.h"
#include "elements/BlockIO.h"
#include "elements/BlockObj.h"
#include "elements/BlockTypes.h"
#include "elements/ConnectLineObj.h"
#include "view/DiagramIndex.h"
#include "view/TavixView.h"

#include <algorithm>

namespace {

constexpr int kWifiWrite = 825;        // WiFi write of a bit
constexpr int kWifiAnalogWrite = 827;  // WiFi write of a word

int BodyHeight(const CBlockObj* p) { return p->m_nInputs == 4 ? 40 : 36; }

}  // namespace

CDiagramLayout::CDiagramLayout(CTavixView& view) : m_view(view), m_doc(*view.GetDocument())
{
    for (POSITION pos = m_doc.m_blocks.GetHeadPosition(); pos;) {
        auto* p = static_cast<CBlockObj*>(m_doc.m_blocks.GetNext(pos));
        m_byNumber.emplace(p->m_nNumber, p);
    }
}

bool CDiagramLayout::IsOutputLike(const CBlockObj* p)
{
    const CObject* o = p;
    return dynamic_cast<const CBlockOut*>(o) || dynamic_cast<const CBlockFlag*>(o) ||
           dynamic_cast<const CBlockAnalogOut*>(o) || dynamic_cast<const CBlockAnalogFlag*>(o) ||
           p->m_nType == kWifiWrite || p->m_nType == kWifiAnalogWrite;
}

int CDiagramLayout::FirstLink(const CBlockObj* p)
{
    for (int pin = 0; pin < p->m_nInputs && pin < kFirstOutputPin; ++pin)
        if (!IsLinkCode(p->m_nLink[pin]) && p->m_nLink[pin] != LINK_NONE)
            return pin;
    return -1;
}

std::vector<int> CDiagramLayout::LinkedInputs(const CBlockObj* p)
{
    std::vector<int> pins;
    const int first = FirstLink(p);
    if (first < 0)
        return pins;
    for (int pin = first; pin < p->m_nInputs && pin < kFirstOutputPin; ++pin)
        if (!IsLinkCode(p->m_nLink[pin]) && p->m_nLink[pin] != LINK_NONE)
            pins.push_back(pin);
    return pins;
}

CBlockObj* CDiagramLayout::Find(int nNumber) const
{
    const auto it = m_byNumber.find(nNumber);
    return it == m_byNumber.end() ? nullptr : it->second;
}

// ---- placement ----

void CDiagramLayout::PlaceRoot(CBlockObj* pRoot)
{
    Cell& cell = m_cells[pRoot];
    if (cell.column > 0)
        return;
    ++m_nRows;
    cell.column = 1;
    cell.row = m_nRows;
    for (int pin : LinkedInputs(pRoot))
        PlaceSources(pRoot, pin);
}

void CDiagramLayout::PlaceSources(CBlockObj* pBlock, int nPin)
{
    CBlockObj* s = Find(pBlock->m_nLink[nPin]);
    if (!s || s == pBlock || IsOutputLike(s))
        return;
    Cell& cell = m_cells[s];
    if (cell.column > 0)
        return;
    const Cell& at = m_cells[pBlock];
    cell.column = at.column + 1;
    // The first source shares the row of its consumer; every further one opens a row below.
    if (nPin == FirstLink(pBlock))
        cell.row = at.row;
    else
        cell.row = ++m_nRows;
    m_nMaxColumn = std::max(m_nMaxColumn, cell.column);
    for (int pin : LinkedInputs(s))
        PlaceSources(s, pin);
}

void CDiagramLayout::Place(const std::vector<CBlockObj*>& roots)
{
    m_cells.clear();
    m_nRows = 0;
    m_nMaxColumn = 1;
    for (POSITION pos = m_doc.m_blocks.GetHeadPosition(); pos;)
        m_cells[static_cast<CBlockObj*>(m_doc.m_blocks.GetNext(pos))] = Cell();
    for (CBlockObj* root : roots)
        PlaceRoot(root);
    // What no root reaches stands in rows of its own below, in number order.
    std::vector<CBlockObj*> rest;
    for (const auto& [p, cell] : m_cells)
        if (cell.column <= 0)
            rest.push_back(const_cast<CBlockObj*>(p));
    std::sort(rest.begin(), rest.end(), [](const CBlockObj* a, const CBlockObj* b) { return a->m_nNumber < b->m_nNumber; });
    for (CBlockObj* p : rest)
        PlaceRoot(p);

    int right = 0, bottom = 0;
    for (const auto& [cp, cell] : m_cells) {
        auto* p = const_cast<CBlockObj*>(cp);
        const int x = (m_nMaxColumn - cell.column + 1) * kColumnPitch;
        const int y = cell.row * kRowPitch;
        p->m_ptOrigin = CPoint(x, y);
        p->m_ptSaved = p->m_ptOrigin;
        right = std::max(right, x + kBlockWidth);
        bottom = std::max(bottom, y + BodyHeight(p));
    }
    GrowPages(right, bottom);
}

void CDiagramLayout::GrowPages(int right, int bottom)
{
    const int w = std::max(1, m_doc.m_nPageWidth);
    const int h = std::max(1, m_doc.m_nPageHeight);
    const int gridRight = m_nMaxColumn * kColumnPitch;
    const int gridBottom = m_nRows * kRowPitch;
    if (gridRight < w && gridBottom < h && right < w && bottom < h)
        return;
    const int across = std::max(gridRight, right) / w + 1;
    const int down = std::max(gridBottom, bottom) / h + 1;
    m_doc.m_nPageLayout[0] = across;
    m_doc.m_nPageLayout[1] = down;
    m_doc.m_rcExtent.right = w * across;
    m_doc.m_rcExtent.bottom = h * down;
    if (m_view.GetSafeHwnd())
        m_view.UpdateScrollSizes();
    m_doc.SetModifiedFlag(TRUE);
}

// ---- wiring ----

bool CDiagramLayout::WireInput(CBlockObj* b, int nPin)
{
    CBlockObj* s = Find(b->m_nLink[nPin]);
    CRect in, out;
    if (!s || !m_doc.GetPinPosition(&in, b, nPin) || !m_doc.GetPinPosition(&out, s, kOutputPin))
        return false;
    // The wire is made as the connect operation makes it: from the open input to the source's
    // output, after the same rules. A refused wire keeps its link.
    const int link = b->m_nLink[nPin];
    b->m_nLink[nPin] = LINK_OPEN;
    if (m_view.CheckLink(b, nPin, s, kOutputPin, nullptr) != 0) {
        b->m_nLink[nPin] = link;
        ++m_nRefused;
        return false;
    }
    // The route of a new connection: from the input to the output with the bend half way; the
    // junction dots of outputs that feed several inputs are marked once all wires exist.
    const CPoint a = in.CenterPoint(), z = out.CenterPoint();
    auto* w = new CConnectLineObj;
    w->m_ptStart = a;
    w->m_ptEnd = z;
    w->m_pStartBlock = b;
    w->m_pEndBlock = s;
    w->m_nStartPin = nPin;
    w->m_nEndPin = kOutputPin;
    w->m_nStartNumber = b->m_nNumber;
    w->m_nEndNumber = s->m_nNumber;
    w->m_pDoc = &m_doc;
    const int m = (a.x + z.x) / 2;
    w->m_points.Add(a);
    w->m_points.Add(CPoint(m, a.y));
    w->m_points.Add(CPoint(m, z.y));
    w->m_points.Add(z);
    m_doc.AddWire(w);
    m_doc.MoveWireEnd(w, a.x, a.y, TRUE, 2);
    m_doc.MoveWireEnd(w, z.x, z.y, FALSE, 1);
    m_view.StoreWireLinks(w);
    w->m_junctions.RemoveAll();
    for (INT_PTR i = 0; i < w->m_points.GetSize(); ++i)
        w->m_junctions.Add(CPoint(CConnectLineObj::kNoJunction, CConnectLineObj::kNoJunction));
    m_fanOut[s].push_back(w);
    return true;
}

void CDiagramLayout::WireInputs(CBlockObj* pBlock, std::unordered_set<const CBlockObj*>& done)
{
    // Depth first over the sources; each element's inputs are wired once, so loops end.
    std::vector<CBlockObj*> stack{pBlock};
    while (!stack.empty()) {
        CBlockObj* b = stack.back();
        stack.pop_back();
        if (!done.insert(b).second)
            continue;
        const std::vector<int> pins = LinkedInputs(b);
        for (int pin : pins)
            WireInput(b, pin);
        for (auto it = pins.rbegin(); it != pins.rend(); ++it)
            if (CBlockObj* s = Find(b->m_nLink[*it]); s && !done.count(s))
                stack.push_back(s);
    }
}

int CDiagramLayout::Wire(const std::vector<CBlockObj*>& roots)
{
    // The whole wiring, separations included, is one undo step of whoever called it.
    CUndoCompound step(&m_doc);
    const BOOL snapshot = m_view.m_bSnapshotOnConnect;
    m_view.m_bSnapshotOnConnect = FALSE;
    m_nRefused = 0;
    {
        // Wires are only added here, through the document: the loop check of each new wire
        // finds the wires of an element in the document's table of wire ends.
        CWireEndIndex ends(m_doc);
        std::unordered_set<const CBlockObj*> done;
        for (CBlockObj* root : roots)
            WireInputs(root, done);
        for (POSITION pos = m_doc.m_blocks.GetHeadPosition(); pos;)
            WireInputs(static_cast<CBlockObj*>(m_doc.m_blocks.GetNext(pos)), done);
    }
    // One index of the wired diagram serves the junction dots and the separation.
    CDiagramIndex index(m_doc);
    m_view.m_pIndex = &index;
    MarkFanOutJunctions();
    m_view.SeparateOverlappingWires();
    m_view.m_pIndex = nullptr;
    m_view.m_bSnapshotOnConnect = snapshot;
    return m_nRefused;
}

void CDiagramLayout::MarkFanOutJunctions()
{
    // An output's wires are all made here and each input takes one, so the wires at an output
    // pin are exactly those made from it: they are marked among each other and checked once,
    // which gives the dots that refreshing each wire in turn would give.
    for (auto& [source, wires] : m_fanOut) {
        if (wires.size() < 2)
            continue;
        CPtrArray shared;
        for (CConnectLineObj* w : wires)
            shared.Add(w);
        for (CConnectLineObj* w : wires)
            m_view.MarkJunctionsAmong(w, const_cast<CBlockObj*>(source), kOutputPin, shared);
        m_view.ValidateJunctions(shared);
    }
    m_fanOut.clear();
}

void CDiagramLayout::LayOutDecoded(CTavixView& view)
{
    CTavixDoc* pDoc = view.GetDocument();
    if (!pDoc)
        return;
    std::vector<CBlockObj*> roots;
    for (POSITION pos = pDoc->m_blocks.GetHeadPosition(); pos;) {
        auto* p = static_cast<CBlockObj*>(pDoc->m_blocks.GetNext(pos));
        if (IsOutputLike(p) || p->m_nType == TYPE_OPEN_X || p->m_nType == TYPE_DATALOG)
            roots.push_back(p);
    }
    std::sort(roots.begin(), roots.end(), [](const CBlockObj* a, const CBlockObj* b) { return a->m_nNumber < b->m_nNumber; });
    CUndoCompound step(pDoc);
    CDiagramLayout layout(view);
    layout.Place(roots);
    layout.Wire(roots);
    pDoc->m_undo.PushSnapshot(pDoc);
}
