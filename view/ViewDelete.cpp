// Deleting the selection with everything that cannot stay without it: the wires at deleted
// elements, the other end of a connector pair, the ladder contacts that read a deleted coil or
// block, parameter references, logged items and message-text fields that name deleted
// elements; the remaining function blocks are numbered again without gaps.
#include "view/TavixView.h"

#include "document/NameTables.h"
#include "document/TavixDoc.h"
#include "elements/BlockAnalog.h"
#include "elements/BlockComment.h"
#include "elements/BlockDataLog.h"
#include "elements/BlockLadder.h"
#include "elements/BlockMSGTEXT.h"
#include "elements/BlockObj.h"
#include "elements/ConnectLineObj.h"
#include "msgtext/Widget.h"
#include "view/TimeWords.h"

#include <set>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace {

bool In(int v, int lo, int hi) { return v >= lo && v <= hi; }
bool IsConnectorType(int t) { return t == TYPE_MALE || t == TYPE_FEMALE; }
bool IsContactType(int t) { return t >= TYPE_MAKE && t <= TYPE_ACONTACT; }

// The words an element falls back to when its reference k (0-based) to a deleted element goes.
void ResetReferencedWords(CBlockObj* e, int k, bool newModel)
{
    const int t = e->m_nType;
    if (!newModel) {
        if ((t == 400 || t == 401 || t == 403) && k == 0)
            ResetTime1(e);
        else if (t == 800 && k == 0)
            e->m_nTime1High = 0;
        else if (t == 800 && k == 1)
            e->m_nTime2High = 0;
        return;
    }
    if (t == 800 || t == 844 || t == 848) {
        if (k == 0)
            e->m_nTime1High = 0;
        else if (k == 1)
            e->m_nTime2High = 0;
    } else if (t == 801) {
        if (k == 0)
            e->m_nTime1Low = e->m_nTime1High = 0;
    } else if (t == 802) {
        if (k == 0)
            e->m_nTime2Low = e->m_nTime2High = 0;
    } else if (t == 819) {
        if (k == 0)
            ResetTime1(e);
    } else if (IsAnalogFamilyType(t)) {
        const bool muxOrMath = t == 815 || t == 816;
        auto* a = dynamic_cast<CBlockAnalog*>(e);
        if (k == 0) {
            if (muxOrMath || t == 821)
                e->m_nTime1High = 0;
            else if (a)
                a->m_nThreshold1 = 0;
        } else if (k == 1) {
            if (muxOrMath)
                e->m_nTime2High = 0;
            else if (a)
                a->m_nThreshold2 = 0;
        } else if (k == 2) {
            e->m_nPreWarn[1] = 0;
        } else {
            e->m_nPreWarn[3] = 0;
        }
    } else if (t == 823 || In(t, 838, 843) || t == 845 || t == 864 || t == 854) {
        if (k == 0)
            e->m_nTime1High = 0;
    } else if (t == 847) {
        if (k == 0)
            e->m_nTime1Low = e->m_nTime1High = 0;
    } else if (In(t, 834, 837) || t == 846) {
        if (k == 0)
            e->m_nTime1High = 1;
    } else if (t == 862 || t == 863) {
        if (k == 0)
            e->m_nTime1High = 10;
    } else if (t == 871 || t == 872) {
        if (k == 0)
            e->m_nTime1Base = 0;
    } else if (t == 851 || t == 852 || t == 849 || t == 850) {
        if (k == 0)
            e->m_nPreWarn[1] = 0;
        else if (k == 1)
            e->m_nTime2High = (t == 849 || t == 850) ? 250 : 0;
    } else if (In(t, 400, 409)) {
        if (k == 0)
            ResetTime1(e);
        else if (k == 1)
            ResetTime2(e);
        else if (k == 2)
            e->m_nPreWarn[0] = e->m_nPreWarn[1] = 0;
        else
            e->m_nPreWarn[2] = e->m_nPreWarn[3] = 0;
    }
}

// Removes (and frees) the fields of every line of both text sets that match, last first.
template <class Match>
void RemoveFields(CBlockMSGTEXT* text, Match match)
{
    for (CObArray* lines : {text->m_aLines1, text->m_aLines2})
        for (int i = 0; i < CBlockMSGTEXT::kLines; ++i)
            for (INT_PTR j = lines[i].GetSize() - 1; j >= 0; --j) {
                auto* f = static_cast<CWidget*>(lines[i][j]);
                if (f && match(f)) {
                    lines[i].RemoveAt(j);
                    delete f;
                }
            }
}

} // namespace

void CTavixView::UnlinkReferencesTo(CBlockObj* pDeleted)
{
    if (pDeleted)
        UnlinkReferencesToAny({pDeleted});
}

void CTavixView::UnlinkReferencesToAny(const std::unordered_set<const CBlockObj*>& deleted)
{
    CTavixDoc* pDoc = GetDocument();
    if (!pDoc || deleted.empty())
        return;
    const bool newModel = pDoc->IsNewModel();
    for (POSITION pos = pDoc->m_blocks.GetHeadPosition(); pos;) {
        auto* e = static_cast<CBlockObj*>(pDoc->m_blocks.GetNext(pos));
        if (deleted.count(e))
            continue;
        for (int k = 0; k < 4; ++k) {
            if (!e->m_pRefBlock[k] || !deleted.count(e->m_pRefBlock[k]))
                continue;
            if (e->m_bRef[k])
                ResetReferencedWords(e, k, newModel);
            e->m_bRef[k] = FALSE;
            e->m_pRefBlock[k] = nullptr;
            e->m_nRefNumber[k] = -1;
        }
        if (auto* log = dynamic_cast<CBlockDataLog*>(e)) {
            for (INT_PTR i = log->m_aItems.GetSize() - 1; i >= 0; --i)
                if (log->m_aItems[i].m_pBlock && deleted.count(log->m_aItems[i].m_pBlock))
                    log->m_aItems.RemoveAt(i);
            log->m_nTime1High = int(log->m_aItems.GetSize());
        }
    }
}

void CTavixView::RemoveBlockFields(CBlockObj* pBlock)
{
    CTavixDoc* pDoc = GetDocument();
    for (POSITION pos = pDoc->m_blocks.GetHeadPosition(); pos;)
        if (auto* text = dynamic_cast<CBlockMSGTEXT*>(pDoc->m_blocks.GetNext(pos)))
            if (text != pBlock)
                RemoveFields(text, [&](const CWidget* f) { return f->m_pBlock == pBlock; });
}

void CTavixView::RemoveFieldsOfAny(const std::unordered_set<const CBlockObj*>& blocks, const std::set<int>& operands)
{
    CTavixDoc* pDoc = GetDocument();
    if (blocks.empty() && operands.empty())
        return;
    for (POSITION pos = pDoc->m_blocks.GetHeadPosition(); pos;)
        if (auto* text = dynamic_cast<CBlockMSGTEXT*>(pDoc->m_blocks.GetNext(pos)))
            RemoveFields(text, [&](const CWidget* f) {
                return (f->m_pBlock && f->m_pBlock != text && blocks.count(f->m_pBlock)) ||
                       (!f->m_pBlock && operands.count(f->m_nNumber));
            });
}

void CTavixView::RemoveOperandFields(int nOperand)
{
    CTavixDoc* pDoc = GetDocument();
    for (POSITION pos = pDoc->m_blocks.GetHeadPosition(); pos;)
        if (auto* text = dynamic_cast<CBlockMSGTEXT*>(pDoc->m_blocks.GetNext(pos)))
            RemoveFields(text, [&](const CWidget* f) { return !f->m_pBlock && f->m_nNumber == nOperand; });
}

void CTavixView::RefreshFieldNumbers()
{
    CTavixDoc* pDoc = GetDocument();
    std::unordered_set<const CBlockObj*> present;
    for (POSITION pos = pDoc->m_blocks.GetHeadPosition(); pos;)
        present.insert(static_cast<CBlockObj*>(pDoc->m_blocks.GetNext(pos)));
    for (POSITION pos = pDoc->m_blocks.GetHeadPosition(); pos;)
        if (auto* text = dynamic_cast<CBlockMSGTEXT*>(pDoc->m_blocks.GetNext(pos)))
            for (CObArray* lines : {text->m_aLines1, text->m_aLines2})
                for (int i = 0; i < CBlockMSGTEXT::kLines; ++i)
                    for (INT_PTR j = 0; j < lines[i].GetSize(); ++j) {
                        auto* f = static_cast<CWidget*>(lines[i][j]);
                        if (f && f->m_pBlock && present.count(f->m_pBlock))
                            f->m_nNumber = f->m_pBlock->m_nNumber;
                    }
}

void CTavixView::RefreshWireLinks()
{
    CTavixDoc* pDoc = GetDocument();
    for (POSITION pos = pDoc->m_wires.GetHeadPosition(); pos;) {
        auto* w = static_cast<CConnectLineObj*>(pDoc->m_wires.GetNext(pos));
        if (!w->m_pStartBlock || !w->m_pEndBlock)
            continue;
        w->m_nStartNumber = w->m_pStartBlock->m_nNumber;
        w->m_nEndNumber = w->m_pEndBlock->m_nNumber;
        StoreWireLinks(w);
    }
}

void CTavixView::RenumberFunctionBlocks()
{
    CTavixDoc* pDoc = GetDocument();
    int next = NUM_FUNCTION;
    for (POSITION pos = pDoc->m_blocks.GetHeadPosition(); pos;) {
        auto* b = static_cast<CBlockObj*>(pDoc->m_blocks.GetNext(pos));
        if (CTavixDoc::GetBlockKind(b->m_nType) == KIND_FUNCTION)
            b->m_nNumber = next++;
    }
    RefreshWireLinks();
    // Referenced block numbers follow their blocks.
    for (POSITION pos = pDoc->m_blocks.GetHeadPosition(); pos;) {
        auto* b = static_cast<CBlockObj*>(pDoc->m_blocks.GetNext(pos));
        for (int k = 0; k < 4; ++k)
            if (b->m_pRefBlock[k])
                b->m_nRefNumber[k] = b->m_pRefBlock[k]->m_nNumber;
        if (auto* log = dynamic_cast<CBlockDataLog*>(b))
            for (INT_PTR i = 0; i < log->m_aItems.GetSize(); ++i) {
                CDataLogItem& item = log->m_aItems[i];
                if (item.m_pBlock && item.m_nOperand != item.m_pBlock->m_nNumber) {
                    item.m_nOperand = item.m_pBlock->m_nNumber;
                    const CString name = GetBlockTypeName(item.m_pBlock->m_nType);
                    item.m_strOperand.Format(L"B%d%s", item.m_nOperand - NUM_FUNCTION, LPCTSTR(name));
                }
            }
    }
    pDoc->SetModifiedFlag();
}

void CTavixView::DeleteSelection()
{
    CTavixDoc* pDoc = GetDocument();
    if (!pDoc)
        return;
    const bool ladder = pDoc->IsLadder();
    // 1. The selected elements, with the partner of every connector.
    std::unordered_set<CBlockObj*> marked;
    for (POSITION pos = pDoc->m_blocks.GetHeadPosition(); pos;) {
        auto* b = static_cast<CBlockObj*>(pDoc->m_blocks.GetNext(pos));
        if (b->m_bSelected)
            marked.insert(b);
    }
    auto markPartner = [&](CBlockObj* b) {
        if (!IsConnectorType(b->m_nType))
            return;
        CBlockObj* p = pDoc->FindBlockByNumber(ConnectorPartnerNumber(b->m_nType, b->m_nNumber));
        if (p && p != GetPowerBus())
            marked.insert(p);
    };
    for (CBlockObj* b : std::vector<CBlockObj*>(marked.begin(), marked.end()))
        markPartner(b);
    // 2. Ladder contacts that read a deleted coil or block.
    if (ladder) {
        std::unordered_set<int> numbers;
        for (CBlockObj* b : marked)
            if (!IsConnectorType(b->m_nType) && !IsContactType(b->m_nType))
                numbers.insert(b->m_nNumber);
        for (POSITION pos = pDoc->m_blocks.GetHeadPosition(); pos;) {
            auto* b = static_cast<CBlockObj*>(pDoc->m_blocks.GetNext(pos));
            if (IsContactType(b->m_nType) && numbers.count(b->m_nOperand))
                marked.insert(b);
        }
    }
    // 3. The wires: selected ones and those at marked elements; a wire into an unselected
    //    connector takes the pair and the partner's wire along.
    std::unordered_set<CConnectLineObj*> wires;
    bool grew = true;
    while (grew) {
        grew = false;
        for (POSITION pos = pDoc->m_wires.GetHeadPosition(); pos;) {
            auto* w = static_cast<CConnectLineObj*>(pDoc->m_wires.GetNext(pos));
            if (wires.count(w))
                continue;
            if (!(w->m_bSelected || marked.count(w->m_pStartBlock) || marked.count(w->m_pEndBlock)))
                continue;
            wires.insert(w);
            grew = true;
            if (CBlockObj* c = w->m_pEndBlock; c && IsConnectorType(c->m_nType) && !marked.count(c)) {
                marked.insert(c);
                markPartner(c);
            }
        }
    }
    // 4. Each marked wire: pins it leaves alone are unlinked; wires sharing a pin keep its link.
    CPtrArray sharing;
    std::unordered_set<CConnectLineObj*> shared;
    // The wires that stay, by the pin they end at.
    std::unordered_map<const CBlockObj*, std::vector<std::pair<int, CConnectLineObj*>>> staying;
    for (POSITION pos = pDoc->m_wires.GetHeadPosition(); pos;) {
        auto* w = static_cast<CConnectLineObj*>(pDoc->m_wires.GetNext(pos));
        if (wires.count(w))
            continue;
        staying[w->m_pStartBlock].emplace_back(w->m_nStartPin, w);
        staying[w->m_pEndBlock].emplace_back(w->m_nEndPin, w);
    }
    CBlockObj* pBus = GetPowerBus();
    auto releaseEnd = [&](CBlockObj* b, int pin) {
        if (!b || pin < 0 || pin >= kPinCount)
            return;
        bool isShared = false;
        if (const auto it = staying.find(b); it != staying.end())
            for (const auto& [p, o] : it->second)
                if (p == pin) {
                    isShared = true;
                    if (shared.insert(o).second)
                        sharing.Add(o);
                }
        if (!isShared && b != pBus)
            b->m_nLink[pin] = pin < kFirstOutputPin ? LINK_OPEN : LINK_NONE;
    };
    for (POSITION pos = pDoc->m_wires.GetHeadPosition(); pos;) {
        POSITION at = pos;
        auto* w = static_cast<CConnectLineObj*>(pDoc->m_wires.GetNext(pos));
        if (!wires.count(w))
            continue;
        releaseEnd(w->m_pStartBlock, w->m_nStartPin);
        releaseEnd(w->m_pEndBlock, w->m_nEndPin);
        pDoc->m_wires.RemoveAt(at);
        delete w;
    }
    if (!wires.empty())
        pDoc->SetModifiedFlag();
    // 5. Junction dots where a deleted wire met others.
    ValidateJunctions(sharing);
    // 6. The elements: references, logged items and message-text fields that name them go
    //    first, in one pass over the program for all of them.
    bool functionBlockWent = false;
    const bool newModel = pDoc->IsNewModel();
    std::unordered_set<const CBlockObj*> gone(marked.begin(), marked.end());
    std::unordered_set<const CBlockObj*> fieldBlocks;
    std::set<int> fieldOperands;
    std::unordered_map<int, int> operandUsers;
    for (POSITION pos = pDoc->m_blocks.GetHeadPosition(); pos;)
        ++operandUsers[static_cast<CBlockObj*>(pDoc->m_blocks.GetNext(pos))->m_nOperand];
    for (CBlockObj* b : marked) {
        const int t = b->m_nType;
        if (CTavixDoc::GetBlockKind(t) == KIND_FUNCTION) {
            fieldBlocks.insert(b);
            functionBlockWent = true;
        } else if (newModel) {
            if (t == TYPE_INPUT || t == TYPE_ANALOG_IN || t == TYPE_OUTPUT || t == TYPE_FLAG || t == TYPE_FKEY ||
                t == TYPE_SHIFT_BIT || t == TYPE_ANALOG_FLAG) {
                fieldBlocks.insert(b);
            } else {
                const int op = b->m_nOperand;
                if ((In(op, 4288, 4799) || In(op, 4000, 4127) || In(op, 1316, 1827) || In(op, 1300, 1304) ||
                     In(op, 1000, 1063) || In(op, 600, 727) || In(op, 100, 355)) &&
                    operandUsers[op] == 1)
                    fieldOperands.insert(op);
            }
        }
    }
    UnlinkReferencesToAny(gone);
    RemoveFieldsOfAny(fieldBlocks, fieldOperands);
    for (POSITION pos = pDoc->m_blocks.GetHeadPosition(); pos;) {
        POSITION at = pos;
        auto* b = static_cast<CBlockObj*>(pDoc->m_blocks.GetNext(pos));
        if (!marked.count(b))
            continue;
        const int t = b->m_nType;
        if (t == TYPE_MSGTEXT && b->m_nCount >= 0 && b->m_nCount < kMessageTextSlots)
            m_bMsgTextSlotUsed[b->m_nCount] = FALSE;
        if (b == m_pPopupBlock)
            m_pPopupBlock = nullptr;
        pDoc->m_blocks.RemoveAt(at);
        if (IsContactType(t) || (t >= TYPE_COIL && t <= TYPE_AOUT_LAD))
            ReleaseLadderOperandComment(pDoc, b);
        delete b;
        pDoc->SetModifiedFlag();
    }
    // 7. Function blocks are numbered again; ladder contacts follow their blocks.
    if (functionBlockWent) {
        std::vector<std::pair<CBlockObj*, CBlockObj*>> targets;
        if (ladder)
            for (POSITION pos = pDoc->m_blocks.GetHeadPosition(); pos;) {
                auto* b = static_cast<CBlockObj*>(pDoc->m_blocks.GetNext(pos));
                const bool reads = b->m_nType == TYPE_MAKE || b->m_nType == TYPE_BREAK ||
                                   (b->m_nType == TYPE_ACONTACT && In(b->m_nOperand, NUM_FUNCTION, kLastFunctionNumber));
                if (reads)
                    if (CBlockObj* target = pDoc->FindBlockByNumber(b->m_nOperand))
                        targets.emplace_back(b, target);
            }
        RenumberFunctionBlocks();
        for (auto& [contact, target] : targets)
            contact->m_nOperand = target->m_nNumber;
        RefreshFieldNumbers();
        pDoc->SetModifiedFlag();
    }
    // 8. Comments.
    for (POSITION pos = m_selComments.GetHeadPosition(); pos;) {
        auto* c = static_cast<CBlockComment*>(m_selComments.GetNext(pos));
        if (POSITION at = pDoc->m_comments.Find(c)) {
            pDoc->m_comments.RemoveAt(at);
            delete c;
            pDoc->SetModifiedFlag();
        }
    }
    // 9. Nothing stays selected.
    ForgetSelection();
}

void CTavixView::OnEditDelete()
{
    if (IsEditLocked() || (m_selBlocks.IsEmpty() && m_selWires.IsEmpty() && m_selComments.IsEmpty()))
        return;
    DeleteSelection();
    TakeSnapshot();
}
