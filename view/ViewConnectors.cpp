// Connector pairs: replacing a long wire by a sending connector next to the consuming input and
// a receiving connector next to the producing output (placed by a spiral search for a free
// spot), joining a pair back into one wire, and going from one end of a pair to the other.
#include "view/TavixView.h"

#include "document/TavixDoc.h"
#include "elements/BlockConnectors.h"
#include "elements/BlockObj.h"
#include "elements/ConnectLineObj.h"
#include "document/UndoCompound.h"
#include "resources/resource.h"
#include "view/DiagramIndex.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

namespace {

bool IsConnectorType(const CBlockObj* p) { return p && (p->m_nType == TYPE_MALE || p->m_nType == TYPE_FEMALE); }

// Try order of each offset (dy -8..8 down, dx 0..7 across).
constexpr int kSpiral[17][8] = {
    {106, 108, 110, 112, 114, 116, 118, 134}, {79, 81, 83, 85, 87, 89, 103, 132},
    {56, 58, 60, 62, 64, 76, 101, 130},       {37, 39, 41, 43, 53, 74, 99, 128},
    {22, 24, 26, 34, 51, 72, 97, 126},        {11, 13, 19, 32, 49, 70, 95, 124},
    {4, 8, 17, 30, 47, 68, 93, 122},          {1, 6, 15, 28, 45, 66, 91, 120},
    {0, 3, 10, 21, 36, 55, 78, 105},          {2, 7, 16, 29, 46, 67, 92, 121},
    {5, 9, 18, 31, 48, 69, 94, 123},          {12, 14, 20, 33, 50, 71, 96, 125},
    {23, 25, 27, 35, 52, 73, 98, 127},        {38, 40, 42, 44, 54, 75, 100, 129},
    {57, 59, 61, 63, 65, 77, 102, 131},       {80, 82, 84, 86, 88, 90, 104, 133},
    {107, 109, 111, 113, 115, 117, 119, 135},
};
constexpr int kSpiralOrders = 136;

} // namespace

void CTavixView::GetSpiralOffset(int nType, int k, int* pDx, int* pDy)
{
    static const auto inverse = [] {
        std::array<std::pair<int, int>, kSpiralOrders> a{};
        for (int row = 0; row < 17; ++row)
            for (int dx = 0; dx < 8; ++dx)
                a[size_t(kSpiral[row][dx])] = {dx, row - 8};
        return a;
    }();
    const auto& o = inverse[size_t(std::max(0, std::min(k, kSpiralOrders - 1)))];
    *pDx = nType == TYPE_FEMALE ? -o.first : o.first;
    *pDy = o.second;
}

BOOL CTavixView::IsPlaceOccupied(CBlockObj* pConnector, int dx, int dy) const
{
    CTavixDoc* pDoc = GetDocument();
    const int width = pDoc->m_rcExtent.Width(), height = pDoc->m_rcExtent.Height();
    const int x = pConnector->m_ptOrigin.x + 20 * dx, y = pConnector->m_ptOrigin.y + 20 * dy;
    if (x <= 0 || x >= width || y <= 0 || y >= height || x + pConnector->m_nWidth >= width ||
        y + pConnector->m_nHeight >= height)
        return TRUE;
    const CRect candidate(x, y, x + pConnector->m_nWidth, y + pConnector->m_nHeight);
    CRect common;
    auto bodyMeets = [&](const CBlockObj* b) {
        if (b == pConnector)
            return false;
        const int side = IsConnectorType(b) ? 2 : 5;
        const CRect body(b->m_ptOrigin.x - side, b->m_ptOrigin.y - 5, b->m_ptOrigin.x + b->m_nWidth + side,
                         b->m_ptOrigin.y + b->m_nHeight);
        return common.IntersectRect(&candidate, &body) != FALSE;
    };
    auto wireMeets = [&](const CConnectLineObj* w) {
        for (INT_PTR i = 1; i < w->m_points.GetSize(); ++i) {
            const CRect seg = CDiagramIndex::Widened(w->m_points[i - 1], w->m_points[i]);
            if (common.IntersectRect(&candidate, &seg))
                return true;
        }
        return false;
    };
    if (m_pIndex) {
        return m_pIndex->AnyBodyMeets(candidate, pConnector, 5, 2) || m_pIndex->AnySegmentMeets(candidate);
    }
    for (POSITION pos = pDoc->m_blocks.GetHeadPosition(); pos;)
        if (bodyMeets(static_cast<CBlockObj*>(pDoc->m_blocks.GetNext(pos))))
            return TRUE;
    for (POSITION pos = pDoc->m_wires.GetHeadPosition(); pos;)
        if (wireMeets(static_cast<CConnectLineObj*>(pDoc->m_wires.GetNext(pos))))
            return TRUE;
    return FALSE;
}

void CTavixView::PlaceConnector(CBlockObj* pConnector)
{
    for (int k = 0; k < kSpiralOrders; ++k) {
        int dx, dy;
        GetSpiralOffset(pConnector->m_nType, k, &dx, &dy);
        if (!IsPlaceOccupied(pConnector, dx, dy)) {
            pConnector->m_ptOrigin.Offset(20 * dx, 20 * dy);
            pConnector->m_ptSaved = pConnector->m_ptOrigin;
            return;
        }
    }
}

BOOL CTavixView::SeparateWire()
{
    CTavixDoc* pDoc = GetDocument();
    CConnectLineObj* w = m_pCurWire;
    if (!pDoc || !w || !w->m_pStartBlock || !w->m_pEndBlock || !(m_pIndex ? m_pIndex->WirePosition(w) : pDoc->m_wires.Find(w)))
        return FALSE;
    // Both connectors must fit before the wire goes, or the wire would be lost.
    if (!pDoc->CanAddBlock(TYPE_FEMALE) || !pDoc->CanAddBlock(TYPE_MALE)) {
        CString text;
        text.LoadString(IDS_CONNECTORS_IN_USE);
        AfxMessageBox(text, MB_OK | MB_ICONERROR);
        return FALSE;
    }
    const bool startIsInput = w->m_nStartPin < kFirstOutputPin;
    const bool endIsInput = w->m_nEndPin < kFirstOutputPin;
    if (startIsInput == endIsInput)
        return FALSE;
    CBlockObj* pConsumer = startIsInput ? w->m_pStartBlock : w->m_pEndBlock;
    int consumerPin = startIsInput ? w->m_nStartPin : w->m_nEndPin;
    CPoint consumerEnd = startIsInput ? w->m_ptStart : w->m_ptEnd;
    CBlockObj* pProducer = startIsInput ? w->m_pEndBlock : w->m_pStartBlock;
    int producerPin = startIsInput ? w->m_nEndPin : w->m_nStartPin;
    CPoint producerEnd = startIsInput ? w->m_ptEnd : w->m_ptStart;
    // A connector's wire: the deletion below takes the connector, its partner and the partner's
    // wire along, so the new pair joins the block at the partner's far end instead.
    const bool pairWire = IsConnectorType(w->m_pEndBlock);
    if (pairWire) {
        CBlockObj* pConnector = w->m_pEndBlock;
        CBlockObj* pPartner =
            pDoc->FindBlockByNumber(ConnectorPartnerNumber(pConnector->m_nType, pConnector->m_nNumber));
        const CConnectLineObj* far = pPartner ? pDoc->FindWireOnConnector(pPartner) : nullptr;
        if (!far || !far->m_pStartBlock)
            return FALSE; // a half pair (damaged file): nothing at the far end to join
        if (pConnector == pProducer) {
            pProducer = far->m_pStartBlock;
            producerPin = far->m_nStartPin;
            producerEnd = far->m_ptStart;
        } else {
            pConsumer = far->m_pStartBlock;
            consumerPin = far->m_nStartPin;
            consumerEnd = far->m_ptStart;
        }
        if ((consumerPin < kFirstOutputPin) == (producerPin < kFirstOutputPin))
            return FALSE;
    }

    auto make = [&](int type, CPoint end, int ox, int oy) {
        CBlockObj* p = type == TYPE_MALE ? static_cast<CBlockObj*>(new CBlockMale) : new CBlockFemale;
        p->m_nWidth = 15;
        p->m_nHeight = 10;
        p->m_ptOrigin = CPoint(end.x + ox, end.y + oy);
        p->m_ptSaved = p->m_ptOrigin;
        return p;
    };
    CBlockObj* pFemale = make(TYPE_FEMALE, consumerEnd, -35, -5);
    CBlockObj* pMale = make(TYPE_MALE, producerEnd, 20, -5);

    // Only the wire goes; one undo step for the whole replacement.
    CUndoCompound step(pDoc);
    if (m_pIndex && m_bSelectionClear) {
        // In a run of separations only the wire at hand carries a selected flag.
        w->m_bSelected = FALSE;
        m_selBlocks.RemoveAll();
        m_selWires.RemoveAll();
        m_selComments.RemoveAll();
    } else {
        ClearSelection(0);
        m_bSelectionClear = m_pIndex != nullptr;
    }
    if (pairWire) {
        // A connector's wire takes its pair along: the full deletion.
        w->m_bSelected = TRUE;
        m_selWires.AddTail(w);
        DeleteSelection();
        m_pCurWire = nullptr;
        if (m_pIndex)
            m_pIndex->Rebuild();
        // The deletion may have renumbered elements behind a held tally's back.
        CBlockTally(*pDoc).Recount();
        // Only the connectors and wires go; should either end have gone too, nothing is joined.
        if (!pDoc->m_blocks.Find(pConsumer) || !pDoc->m_blocks.Find(pProducer)) {
            delete pFemale;
            delete pMale;
            InvalidateAll();
            return FALSE;
        }
    } else {
        RemoveLoneWire(w);
    }
    PlaceConnector(pFemale);
    pDoc->AddBlock(pFemale);
    PlaceConnector(pMale);
    pDoc->AddBlock(pMale);
    if (m_pIndex) {
        m_pIndex->AddBlock(pFemale);
        m_pIndex->AddBlock(pMale);
    }

    const BOOL keep = m_bSnapshotOnConnect;
    m_bSnapshotOnConnect = FALSE;
    m_nWireStage = 0;
    auto connect = [&](CPoint from, CBlockObj* pFrom, int fromPin, CPoint to, CBlockObj* pTo, int toPin) {
        ConnectAt(from.x, from.y, pFrom, fromPin, TRUE);
        ConnectAt(to.x, to.y, pTo, toPin, TRUE);
    };
    CRect rc;
    pDoc->GetPinPosition(&rc, pConsumer, consumerPin);
    connect(rc.CenterPoint(), pConsumer, consumerPin,
            CPoint(pFemale->m_ptOrigin.x + pFemale->m_nWidth, pFemale->m_ptOrigin.y + pFemale->m_nHeight / 2), pFemale,
            kOutputPin);
    pDoc->GetPinPosition(&rc, pProducer, producerPin);
    connect(rc.CenterPoint(), pProducer, producerPin,
            CPoint(pMale->m_ptOrigin.x, pMale->m_ptOrigin.y + pMale->m_nHeight / 2), pMale, 0);
    m_bSnapshotOnConnect = keep;
    m_pCurWire = nullptr;
    TakeSnapshot();
    InvalidateAll();
    return TRUE;
}

void CTavixView::RemoveLoneWire(CConnectLineObj* w)
{
    CTavixDoc* pDoc = GetDocument();
    POSITION at = !pDoc ? nullptr : m_pIndex ? m_pIndex->WirePosition(w) : pDoc->m_wires.Find(w);
    if (!at)
        return;
    if (m_pIndex)
        m_pIndex->RemoveWire(w);
    pDoc->m_wires.RemoveAt(at);
    // An end whose pin keeps other wires keeps its link; their dots are checked again.
    CPtrArray sharing;
    CBlockObj* pBus = GetPowerBus();
    auto release = [&](CBlockObj* b, int pin) {
        if (!b || pin < 0 || pin >= kPinCount)
            return;
        CPtrArray others;
        if (GetWiresAtPin(others, b, pin) > 0) {
            sharing.Append(others);
            return;
        }
        if (b != pBus)
            b->m_nLink[pin] = pin < kFirstOutputPin ? LINK_OPEN : LINK_NONE;
    };
    release(w->m_pStartBlock, w->m_nStartPin);
    release(w->m_pEndBlock, w->m_nEndPin);
    pDoc->SetModifiedFlag();
    if (m_pIndex) {
        // While wires are separated in a run every dot is valid, and only a dot on the wire
        // that went can lose its second line. A point outside the box of the wire's start and
        // vertices, grown by the tolerance, cannot be on it.
        CRect box(w->m_ptStart, w->m_ptStart);
        for (INT_PTR i = 0; i < w->m_points.GetSize(); ++i) {
            const CPoint p = w->m_points[i];
            box.SetRect(std::min<int>(box.left, p.x), std::min<int>(box.top, p.y), std::max<int>(box.right, p.x),
                        std::max<int>(box.bottom, p.y));
        }
        box.InflateRect(1, 1);
        // The wires of one pin share many dots: whether a dot lies on the wire that went and
        // whether it keeps two lines depend only on where it stands, so each place is asked once.
        struct Place {
            bool onWire;
            bool shared;
        };
        std::unordered_map<std::uint64_t, Place> asked;
        const CPoint none(CConnectLineObj::kNoJunction, CConnectLineObj::kNoJunction);
        int segment = 0, orientation = 0;
        for (INT_PTR i = 0; i < sharing.GetSize(); ++i) {
            auto* o = static_cast<CConnectLineObj*>(sharing[i]);
            for (INT_PTR j = 0; j < o->m_junctions.GetSize() && j < o->m_points.GetSize(); ++j) {
                const CPoint p = o->m_points[j];
                if (o->m_junctions[j].x == CConnectLineObj::kNoJunction || p.x < box.left || p.x > box.right ||
                    p.y < box.top || p.y > box.bottom)
                    continue;
                const std::uint64_t key = (std::uint64_t(std::uint32_t(p.x)) << 32) | std::uint32_t(p.y);
                if (const auto known = asked.find(key); known != asked.end()) {
                    if (known->second.onWire)
                        o->m_junctions[j] = known->second.shared ? p : none;
                    continue;
                }
                if (!w->HitTestTol(p.x, p.y, &segment, &orientation, 1)) {
                    asked.emplace(key, Place{false, false});
                    continue;
                }
                ValidateJunction(o, j);
                asked.emplace(key, Place{true, o->m_junctions[j] != none});
            }
        }
    } else {
        ValidateJunctions(sharing);
    }
    delete w;
    ForgetSelection();
}

void CTavixView::JoinConnectors()
{
    CTavixDoc* pDoc = GetDocument();
    if (!pDoc)
        return;
    CBlockObj* pConnector = nullptr;
    if (m_pCurWire && IsConnectorType(m_pCurWire->m_pEndBlock))
        pConnector = m_pCurWire->m_pEndBlock;
    else if (IsConnectorType(m_pCurBlock))
        pConnector = m_pCurBlock;
    CBlockObj* pPartner = nullptr;
    if (pConnector)
        pPartner = pDoc->FindBlockByNumber(ConnectorPartnerNumber(pConnector->m_nType, pConnector->m_nNumber));
    CConnectLineObj* w1 = pConnector ? pDoc->FindWireOnConnector(pConnector) : nullptr;
    CConnectLineObj* w2 = pPartner ? pDoc->FindWireOnConnector(pPartner) : nullptr;
    if (!w1 || !w2 || !w1->m_pStartBlock || !w2->m_pStartBlock) {
        // A half pair (damaged file) has nothing to join.
        ::MessageBeep(MB_ICONEXCLAMATION);
        return;
    }
    CBlockObj* pFirst = w1->m_pStartBlock;
    const int firstPin = w1->m_nStartPin;
    CBlockObj* pSecond = w2->m_pStartBlock;
    const int secondPin = w2->m_nStartPin;
    const CPoint p1 = w1->m_ptStart, p2 = w2->m_ptStart;
    CUndoCompound step(pDoc);
    ClearSelection(0);
    pConnector->m_bSelected = TRUE;
    m_selBlocks.AddTail(pConnector);
    m_pCurWire = nullptr;
    m_pCurBlock = nullptr;
    DeleteSelection();
    const BOOL keep = m_bSnapshotOnConnect;
    m_bSnapshotOnConnect = FALSE;
    m_nWireStage = 0;
    ConnectAt(p1.x, p1.y, pFirst, firstPin, TRUE);
    ConnectAt(p2.x, p2.y, pSecond, secondPin, TRUE);
    m_bSnapshotOnConnect = keep;
    TakeSnapshot();
    InvalidateAll();
}

int CTavixView::SeparateOverlappingWires()
{
    CTavixDoc* pDoc = GetDocument();
    if (!pDoc)
        return 0;
    CUndoCompound step(pDoc);
    // A caller that holds an index of the document (the layout) lends it.
    CDiagramIndex* const pLent = m_pIndex;
    std::optional<CDiagramIndex> own;
    if (!pLent)
        own.emplace(*pDoc);
    CDiagramIndex& index = pLent ? *pLent : *own;
    m_pIndex = &index;
    m_bSelectionClear = false;
    // Connectors are only added in the run (or the tally is told): counts and free numbers are
    // kept rather than found again for every pair.
    CBlockTally tally(*pDoc);
    // Only the wires there are now; the short wires of the new pairs are not visited. A
    // separation removes only the wire it replaces.
    std::vector<CConnectLineObj*> first;
    for (POSITION pos = pDoc->m_wires.GetHeadPosition(); pos;)
        first.push_back(static_cast<CConnectLineObj*>(pDoc->m_wires.GetNext(pos)));
    for (CConnectLineObj* w : first) {
        // A connector's own wire is already separated; separating it again would delete its
        // pair and the partner's wire, which may still wait in this list.
        if (w->m_points.GetSize() < 2 || IsConnectorType(w->m_pEndBlock))
            continue;
        bool crosses = false;
        for (INT_PTR i = 1; i < w->m_points.GetSize() && !crosses; ++i) {
            const CRect seg = CDiagramIndex::Widened(w->m_points[i - 1], w->m_points[i]);
            crosses = index.AnyBodyMeets(seg, nullptr, 2, 2);
        }
        if (crosses) {
            // Once the connectors run out the refusal is shown once and the other wires stay.
            const bool room = pDoc->CanAddBlock(TYPE_FEMALE) && pDoc->CanAddBlock(TYPE_MALE);
            m_pCurWire = w;
            w->m_bSelected = TRUE;
            SeparateWire();
            if (!room) {
                w->m_bSelected = FALSE;
                m_pCurWire = nullptr;
                break;
            }
        }
    }
    m_pIndex = pLent;
    return 0;
}

int CTavixView::CountLinesThrough(int x, int y) const
{
    if (!m_pIndex)
        return CConnectLineObj::CountLinesAt(GetDocument(), x, y);
    // A point lies in one bucket, which lists each wire once.
    int count = 0, segment = 0, orientation = 0;
    m_pIndex->AnyWireAround(CPoint(x, y), [&](const CConnectLineObj* w) {
        count += w->HitTestTol(x, y, &segment, &orientation, 1) ? 1 : 0;
        return false;
    });
    return count;
}

void CTavixView::OnGoToPartner()
{
    CTavixDoc* pDoc = GetDocument();
    CBlockObj* pPartner = nullptr;
    if (pDoc && IsConnectorType(m_pCurBlock))
        pPartner = pDoc->FindBlockByNumber(ConnectorPartnerNumber(m_pCurBlock->m_nType, m_pCurBlock->m_nNumber));
    if (!pPartner) {
        ::MessageBeep(MB_ICONEXCLAMATION);
        return;
    }
    ClearSelection(0);
    pPartner->m_bSelected = TRUE;
    m_selBlocks.AddTail(pPartner);
    m_pCurBlock = pPartner;
    InvalidateAll();
}

void CTavixView::OnEditSeparate()
{
    CTavixDoc* pDoc = GetDocument();
    if (!pDoc || IsEditLocked())
        return;
    const CPoint pt = m_ptDown;
    CConnectLineObj* w = pDoc->HitTestWire(pt.x, pt.y);
    if (!w) {
        if (CBlockObj* b = pDoc->HitTestBlock(pt)) {
            ClearSelection(0);
            b->m_bSelected = TRUE;
            m_selBlocks.AddTail(b);
            m_pCurBlock = b;
            if (IsConnectorType(b))
                JoinConnectors();
        }
    } else {
        CBlockObj* pBus = GetPowerBus();
        ClearSelection(0);
        if (!(pBus && (w->m_pStartBlock == pBus || w->m_pEndBlock == pBus))) {
            w->m_bSelected = TRUE;
            m_selWires.AddTail(w);
            m_pCurWire = w;
            if (IsConnectorType(w->m_pEndBlock))
                JoinConnectors();
            else
                SeparateWire();
        }
    }
    InvalidateAll();
}
