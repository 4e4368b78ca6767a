// Copy, Cut and Paste of diagram content through the system clipboard in the private format,
// with the checks that decide whether the content may enter the target program (diagram kind,
// device family, device limits) and the renumbering and relinking of what is pasted.
#include "view/TavixView.h"

#include "document/ClipboardFormat.h"
#include "document/NameTables.h"
#include "document/TavixDoc.h"
#include "elements/BlockAnalog.h"
#include "elements/BlockClocks.h"
#include "elements/BlockComment.h"
#include "elements/BlockCounters.h"
#include "elements/BlockIO.h"
#include "elements/BlockMSGTEXT.h"
#include "elements/BlockObj.h"
#include "elements/BlockRelays.h"
#include "elements/BlockTimers.h"
#include "elements/ConnectLineObj.h"
#include "platform/ui/core/Ole.h"
#include "resources/resource.h"
#include "view/TimeWords.h"

#include <memory>
#include <set>
#include <unordered_map>
#include <vector>

namespace {

bool In(int v, int lo, int hi) { return v >= lo && v <= hi; }
bool IsConnectorType(const CBlockObj* p) { return p && (p->m_nType == TYPE_MALE || p->m_nType == TYPE_FEMALE); }

UINT PrivateFormat()
{
    static const UINT format = ::RegisterClipboardFormatW(L"NorvettFABLogic");
    return format;
}

// What the paste checks need of the program the content was copied from. It is a copy of the
// program's settings taken at the copy, so the program may be closed since; it counts only
// while the clipboard still holds that copy.
struct CopySource {
    bool valid = false;
    DWORD sequence = 0;
    int docKind = 1;
    WORD hardware = 0;
    WORD minFirmware = 0;
    int textSet1 = 0;
    int textSet2 = 0;
    std::set<int> namedByContacts;  // numbers that copied contacts read and the source holds
};
CopySource g_copySource;

// A pasted element keeps no reference into the program it came from: each reference with its
// flag set falls back to the element's own value.
void DropPastedReference(CBlockObj* e, int k)
{
    const int t = e->m_nType;
    if (t == 800 || t == 844 || t == 848) {
        if (k == 0)
            e->m_nTime1High = 0;
        else if (k == 1)
            e->m_nTime2High = t == 800 ? 0 : 1;
    } else if (t == 801) {
        if (k == 0)
            e->m_nTime1Low = e->m_nTime1High = 0;
    } else if (t == 802) {
        if (k == 0)
            e->m_nTime2Low = e->m_nTime2High = 0;
    } else if (t == 819 || t == 400 || t == 401 || t == 403 || t == 404) {
        if (k == 0)
            ResetTime1(e);
    } else if (t == 402 || t == 405 || t == 406 || t == 407 || t == 409) {
        if (k == 0)
            ResetTime1(e);
        else if (k == 1)
            ResetTime2(e);
        else if (t == 409 && k == 2)
            e->m_nPreWarn[0] = e->m_nPreWarn[1] = 0;
        else if (t == 409 && k == 3)
            e->m_nPreWarn[2] = e->m_nPreWarn[3] = 0;
    } else if (t == 408) {
        if (k == 1)
            ResetTime2(e);
        else if (k == 2)
            e->m_nPreWarn[0] = e->m_nPreWarn[1] = 0;
        else if (k == 3)
            e->m_nPreWarn[2] = e->m_nPreWarn[3] = 0;
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
    } else if (t == 823 || t == 847) {
        if (k == 0)
            e->m_nTime1Low = e->m_nTime1High = 0;
    } else if (In(t, 834, 837) || t == 846) {
        if (k == 0)
            e->m_nTime1High = 1;
    } else if (In(t, 838, 843) || t == 845 || t == 862 || t == 863 || t == 854) {
        if (k == 0)
            e->m_nTime1High = 0;
    } else if (t == 864 || t == 871 || t == 872) {
        if (k == 0)
            e->m_nTime1Base = 0;
    } else if (t == 851 || t == 852 || t == 849 || t == 850) {
        if (k == 0)
            e->m_nPreWarn[1] = 0;
        else if (k == 1)
            e->m_nTime2High = (t == 849 || t == 850) ? 20 : 0;
    } else {
        return;  // the class keeps its words; only the link goes
    }
}

// The objects read from the clipboard until they are placed (or all freed on a refusal).
struct Pasted {
    CObList blocks, wires, comments;
    ~Pasted() { Free(); }
    void Free()
    {
        for (CObList* list : {&blocks, &wires, &comments}) {
            for (POSITION pos = list->GetHeadPosition(); pos;)
                delete list->GetNext(pos);
            list->RemoveAll();
        }
    }
};

CString LoadText(UINT id)
{
    CString s;
    s.LoadString(id);
    return s;
}

} // namespace

// ---- copy ----

void CTavixView::OnEditCopy()
{
    CTavixDoc* pDoc = GetDocument();
    if (IsEditLocked() || (m_selBlocks.IsEmpty() && m_selComments.IsEmpty()))
        return;
    // A connector pair goes along only when both far blocks go along, then with both wires.
    auto farBlocksSelected = [&](CBlockObj* c) {
        CBlockObj* partner = pDoc->FindBlockByNumber(ConnectorPartnerNumber(c->m_nType, c->m_nNumber));
        CConnectLineObj* w1 = pDoc->FindWireOnConnector(c);
        CConnectLineObj* w2 = partner ? pDoc->FindWireOnConnector(partner) : nullptr;
        return !m_selBlocks.IsEmpty() && w1 && w2 && w1->m_pStartBlock && w2->m_pStartBlock &&
               m_selBlocks.Find(w1->m_pStartBlock) && m_selBlocks.Find(w2->m_pStartBlock);
    };
    auto addPair = [&](CBlockObj* c) {
        CBlockObj* partner = pDoc->FindBlockByNumber(ConnectorPartnerNumber(c->m_nType, c->m_nNumber));
        for (CBlockObj* p : {c, partner})
            if (p && !m_selBlocks.Find(p))
                m_selBlocks.AddTail(p);
        for (CBlockObj* p : {c, partner})
            if (CConnectLineObj* w = p ? pDoc->FindWireOnConnector(p) : nullptr; w && !m_selWires.Find(w))
                m_selWires.AddTail(w);
    };
    CObList blocks;
    blocks.AddTail(&m_selBlocks);
    for (POSITION pos = blocks.GetHeadPosition(); pos;) {
        auto* b = static_cast<CBlockObj*>(blocks.GetNext(pos));
        if (!IsConnectorType(b))
            continue;
        if (farBlocksSelected(b)) {
            addPair(b);
        } else if (POSITION at = m_selBlocks.Find(b)) {
            b->m_bSelected = FALSE;
            m_selBlocks.RemoveAt(at);
        }
    }
    CObList wires;
    wires.AddTail(&m_selWires);
    for (POSITION pos = wires.GetHeadPosition(); pos;) {
        auto* w = static_cast<CConnectLineObj*>(wires.GetNext(pos));
        if (!IsConnectorType(w->m_pEndBlock))
            continue;
        if (farBlocksSelected(w->m_pEndBlock)) {
            addPair(w->m_pEndBlock);
        } else if (POSITION at = m_selWires.Find(w)) {
            w->m_bSelected = FALSE;
            m_selWires.RemoveAt(at);
        }
    }

    ::OleInitialize(nullptr);
    CSharedFile file;
    {
        CArchive ar(&file, CArchive::store);
        ar.m_pDocument = pDoc;
        clipformat::WriteLists(ar, m_selBlocks, m_selWires, m_selComments);
        ar.Close();
    }
    auto* pSource = new COleDataSource;
    pSource->CacheGlobalData(CLIPFORMAT(PrivateFormat()), file.Detach());
    pSource->SetClipboard();
    ::OleUninitialize();

    g_copySource = CopySource();
    g_copySource.valid = true;
    g_copySource.sequence = ::GetClipboardSequenceNumber();
    g_copySource.docKind = pDoc->m_nDocKind;
    g_copySource.hardware = pDoc->m_nHardwareCode;
    g_copySource.minFirmware = pDoc->m_nMinFirmware;
    g_copySource.textSet1 = pDoc->m_nTextSet1;
    g_copySource.textSet2 = pDoc->m_nTextSet2;
    for (POSITION pos = m_selBlocks.GetHeadPosition(); pos;) {
        auto* b = static_cast<CBlockObj*>(m_selBlocks.GetNext(pos));
        if (b->m_nType >= TYPE_MAKE && b->m_nType <= TYPE_ACONTACT && pDoc->FindBlockByNumber(b->m_nOperand))
            g_copySource.namedByContacts.insert(b->m_nOperand);
    }
}

void CTavixView::OnEditCut()
{
    if (IsEditLocked() || (m_selBlocks.IsEmpty() && m_selComments.IsEmpty()))
        return;
    OnEditCopy();
    OnEditDelete();
}

// ---- paste checks ----

BOOL CTavixView::CheckPasteAllowed(const CObList& blocks, const CObList& wires, CString* pMessage,
                                   BOOL* pKeepWires, BOOL* pAnswered)
{
    CTavixDoc* pDoc = GetDocument();
    const bool known = g_copySource.valid && g_copySource.sequence == ::GetClipboardSequenceNumber();
    // Content from an unknown source (another running editor): its kind is told by what it
    // holds, and it counts as a newer family whenever the target is an older one.
    bool sourceLadder = false;
    if (known) {
        sourceLadder = g_copySource.docKind == CTavixDoc::kindLadder;
    } else {
        for (POSITION pos = blocks.GetHeadPosition(); pos;) {
            const int t = static_cast<CBlockObj*>(blocks.GetNext(pos))->m_nType;
            sourceLadder = sourceLadder || (t >= TYPE_MAKE && t <= TYPE_AOUT_LAD);
        }
    }
    const bool newerSource = known ? g_copySource.minFirmware > pDoc->m_nMinFirmware : !pDoc->IsNewModel();
    const bool wifiFromOwnModel = known ? g_copySource.hardware == 0x5288 : true;
    bool busWire = false;
    for (POSITION pos = wires.GetHeadPosition(); pos;) {
        auto* w = static_cast<CConnectLineObj*>(wires.GetNext(pos));
        busWire = busWire || w->m_nStartNumber == NUM_POWERBUS || w->m_nEndNumber == NUM_POWERBUS;
    }
    std::set<int> pastedNumbers;
    for (POSITION pos = blocks.GetHeadPosition(); pos;)
        pastedNumbers.insert(static_cast<CBlockObj*>(blocks.GetNext(pos))->m_nNumber);

    CString listing, findings;
    auto listLine = [&](const CBlockObj* b) {
        CString line;
        line.Format(L"\n-%s%s", LPCTSTR(pDoc->GetBlockLabel(b)), LPCTSTR(GetBlockTypeName(b->m_nType)));
        listing += line;
    };
    auto finding = [&](const CString& text) {
        if (!findings.IsEmpty())
            findings += L"\n";
        findings += text;
    };
    auto familyRules = [&](CBlockObj* b) {
        if (!newerSource)
            return;
        const int t = b->m_nType;
        if (t == TYPE_FKEY || t == 412 || t == 413 || In(t, 815, 879) || t == TYPE_DATALOG || t == TYPE_MSGTEXT) {
            listLine(b);
            return;
        }
        const CString name = GetBlockTypeName(t);
        const int n = b->m_nNumber - NUM_FUNCTION;
        CString text;
        if (t == TYPE_SHIFT_BIT) {
            if (b->m_nNumber - NUM_SHIFT_BIT >= 16)
                text.Format(LoadText(IDS_SHIFT_NUMBER_TOO_HIGH), b->m_nOperand / 16, b->m_nOperand % 16, LPCTSTR(name));
        } else if (t == TYPE_INPUT) {
            if ((b->m_nNumber - NUM_INPUT) % 32 >= 16)
                text.Format(LoadText(IDS_IO_NUMBER_TOO_HIGH), L"I", b->m_nOperand / 32, b->m_nOperand % 32, LPCTSTR(name));
        } else if (t == TYPE_OUTPUT) {
            if ((b->m_nNumber - NUM_OUTPUT) % 16 >= 8)
                text.Format(LoadText(IDS_IO_NUMBER_TOO_HIGH), L"Q", b->m_nOperand / 16, b->m_nOperand % 16, LPCTSTR(name));
        } else if (t == 410) {
            if (b->m_nPulse)
                text.Format(LoadText(IDS_PULSE_NOT_AVAILABLE), n);
        } else if (t == 411) {
            if (b->m_nYearStart == 2000 && b->m_nYearEnd == 2099) {
                if (!b->m_nYearly)
                    text.Format(LoadText(IDS_YEARLY_MODE_REQUIRED), n);
                else if (b->m_nPulse)
                    text.Format(LoadText(IDS_PULSE_NOT_AVAILABLE), n);
            } else {
                text.Format(LoadText(IDS_YEAR_RANGE_NOT_AVAILABLE), n, 2000, 2099);
            }
        } else if (t == 800) {
            if (b->m_nStartValue != 0)
                text.Format(LoadText(IDS_START_VALUE_NOT_USABLE), n, LPCTSTR(name));
        } else if (t == 801) {
            if (b->m_nTime1Low >= 1 || b->m_nTime2Low >= 1)
                text.Format(LoadText(IDS_TIME_NOT_IN_HOURS), n, LPCTSTR(name));
        } else if (t == 806) {
            auto* a = dynamic_cast<CBlockAnalog*>(b);
            if (a && a->m_nThreshold1 != a->m_nThreshold2)
                text.Format(LoadText(IDS_THRESHOLDS_MUST_BE_EQUAL), n, LPCTSTR(name));
        } else if (t == 812) {
            if (b->m_nExtra2 != 0)
                text.Format(LoadText(IDS_ONLY_FIRST_SHIFT_REGISTER), n, LPCTSTR(name));
        }
        if (!text.IsEmpty())
            finding(text);
    };

    if (!pDoc->IsLadder()) {
        if (!wires.IsEmpty() && sourceLadder && busWire) {
            *pMessage = LoadText(IDS_PASTE_ONLY_TEXTS);
            return FALSE;
        }
        for (POSITION pos = blocks.GetHeadPosition(); pos;) {
            auto* b = static_cast<CBlockObj*>(blocks.GetNext(pos));
            const int t = b->m_nType;
            if (In(t, TYPE_MAKE, TYPE_AOUT_LAD))
                listLine(b);
            else if (In(t, 824, 827)) {
                if (wifiFromOwnModel && pDoc->m_nHardwareCode != 0x5288)
                    listLine(b);
            } else
                familyRules(b);
        }
    } else {
        if (!wires.IsEmpty()) {
            if (!sourceLadder) {
                *pAnswered = TRUE;
                if (AfxMessageBox(LoadText(IDS_PASTE_FBD_TO_LAD), MB_YESNO | MB_ICONQUESTION) != IDYES)
                    return FALSE;
                *pKeepWires = FALSE;
                *pAnswered = FALSE;
            } else if (busWire) {
                *pMessage = LoadText(IDS_PASTE_NO_BUS_WIRES);
                return FALSE;
            }
        }
        for (POSITION pos = blocks.GetHeadPosition(); pos;) {
            auto* b = static_cast<CBlockObj*>(blocks.GetNext(pos));
            const int t = b->m_nType;
            if (In(t, 600, 610) || t == 300 || t == 302 || t == 304 || t == 305 || t == 306 || t == 307) {
                listLine(b);
            } else if (In(t, TYPE_MAKE, TYPE_ACONTACT)) {
                const bool named = known ? g_copySource.namedByContacts.count(b->m_nOperand) != 0
                                         : pDoc->FindBlockByNumber(b->m_nOperand) != nullptr;
                if (named && !pastedNumbers.count(b->m_nOperand) && !pDoc->FindBlockByNumber(b->m_nOperand))
                    listLine(b);
            } else if (In(t, 824, 827)) {
                if (wifiFromOwnModel && pDoc->m_nHardwareCode != 0x5288)
                    listLine(b);
            } else {
                familyRules(b);
            }
        }
    }
    if (!listing.IsEmpty()) {
        *pMessage = LoadText(IDS_PASTE_NOT_AVAILABLE) + listing;
        return FALSE;
    }
    if (!findings.IsEmpty()) {
        *pMessage = LoadText(IDS_PASTE_NO_RESOURCES) + findings;
        return FALSE;
    }
    return TRUE;
}

// ---- paste ----

void CTavixView::OnEditPaste()
{
    CTavixDoc* pDoc = GetDocument();
    if (IsEditLocked())
        return;
    COleDataObject data;
    if (!data.AttachClipboard() || !data.IsDataAvailable(CLIPFORMAT(PrivateFormat())))
        return;
    InvalidateAll();
    Pasted pasted;
    {
        std::unique_ptr<CFile> file(data.GetFileData(CLIPFORMAT(PrivateFormat())));
        if (!file || !clipformat::ReadLists(*file, pasted.blocks, pasted.wires, pasted.comments)) {
            AfxMessageBox(LoadText(IDS_PASTE_DAMAGED), MB_OK | MB_ICONERROR);
            return;
        }
    }
    if (pasted.blocks.IsEmpty() && pasted.comments.IsEmpty())
        return;
    // Program bytes that depend on the target's device model.
    const bool newer = pDoc->m_nHardwareCode >= 0x5188;
    for (POSITION pos = pasted.blocks.GetHeadPosition(); pos;) {
        auto* b = static_cast<CBlockObj*>(pasted.blocks.GetNext(pos));
        const int size = b->m_nType == 411 ? (newer ? 14 : 8) : b->m_nType == 812 ? (newer ? 16 : 12)
                         : b->m_nType == 814 ? (newer ? 22 : 18) : 0;
        if (size != 0)
            b->m_nCodeSize = WORD(size);
    }

    BOOL keepWires = TRUE, answered = FALSE;
    CString message;
    if (!CheckPasteAllowed(pasted.blocks, pasted.wires, &message, &keepWires, &answered)) {
        if (!answered)
            AfxMessageBox(message, MB_OK | MB_ICONINFORMATION);
        return;
    }
    // Device limits.
    int functionBlocks = 0, named = 0, bytes = 0;
    std::unordered_map<int, int> ofType;
    for (POSITION pos = pasted.blocks.GetHeadPosition(); pos;) {
        auto* b = static_cast<CBlockObj*>(pasted.blocks.GetNext(pos));
        if (In(b->m_nNumber, NUM_FUNCTION, kLastFunctionNumber))
            ++functionBlocks;
        if (CTavixDoc::GetBlockKind(b->m_nType) == KIND_FUNCTION) {
            named += !b->m_strName.IsEmpty();
            bytes += b->m_nCodeSize;
        }
        ++ofType[b->m_nType];
    }
    auto refuse = [&](const CString& text) { AfxMessageBox(text, MB_OK | MB_ICONERROR); };
    if (functionBlocks + pDoc->CountFunctionBlocks() > 1024) {
        CString text;
        text.Format(LoadText(IDS_TOO_MANY_BLOCKS), 1024);
        refuse(text);
        return;
    }
    if (named + pDoc->CountNamedBlocks() > 256 || bytes + pDoc->GetProgramCodeSize() > 0x5FFF) {
        refuse(LoadText(IDS_INSUFFICIENT_RESOURCES));
        return;
    }
    static const int limited[] = {600, 601, 602, 603, 604, 605, 606, 607, 608, 609, 610, 611,
                                  701, 702, 703, 704, 705, 810, 812, 820, 911};
    for (int type : limited) {
        const int count = ofType[type];
        if (count == 0)
            continue;
        BlockCounts counts;
        counts.m_nToAdd = count;
        bool ok = pDoc->CanAddBlock(type, &counts) != FALSE;
        if (ok && (type == 703 || type == 704 || type == 705)) {
            int ranges[3] = {0, 0, 0};
            for (POSITION pos = pasted.blocks.GetHeadPosition(); pos;) {
                const int op = static_cast<CBlockObj*>(pasted.blocks.GetNext(pos))->m_nOperand;
                if (type != 705) {
                    ranges[0] += In(op, 600, 727);
                    ranges[1] += In(op, 1316, 1827);
                    ranges[2] += In(op, 4800, 4927);
                } else {
                    ranges[0] += In(op, 4230, 4261);
                    ranges[1] += In(op, 4288, 4799);
                }
            }
            ok = type != 705 ? ranges[0] + counts.m_nCount[0] <= 128 && ranges[1] + counts.m_nCount[1] <= 512 &&
                                   ranges[2] + counts.m_nCount[2] <= 128
                             : ranges[0] + counts.m_nCount[0] <= 32 && ranges[1] + counts.m_nCount[1] <= 512;
        }
        if (!ok) {
            static const std::pair<int, UINT> texts[] = {
                {600, IDS_INPUTS_IN_USE},        {601, IDS_CURSORS_IN_USE},
                {602, IDS_SHIFTS_IN_USE},        {603, IDS_STATUS_LOWS_IN_USE},
                {604, IDS_STATUS_HIGHS_IN_USE},  {605, IDS_OUTPUTS_IN_USE},
                {606, IDS_OPEN_CONNECTORS_IN_USE}, {607, IDS_FLAGS_IN_USE},
                {608, IDS_ANALOG_INPUTS_IN_USE}, {609, IDS_ANALOG_OUTPUTS_IN_USE},
                {610, IDS_ANALOG_FLAGS_IN_USE},  {611, IDS_FUNCTION_KEYS_IN_USE},
                {701, IDS_BREAK_CONTACTS_IN_USE}, {702, IDS_ANALOG_CONTACTS_IN_USE},
                {703, IDS_COILS_IN_USE},         {704, IDS_COILS_IN_USE},
                {705, IDS_LADDER_ANALOG_OUTPUTS_IN_USE}, {810, IDS_MESSAGE_TEXTS_IN_USE},
                {812, IDS_SHIFT_REGISTERS_IN_USE}, {820, IDS_ANALOG_FILTERS_IN_USE},
                {911, IDS_DATA_LOGS_IN_USE},
            };
            for (const auto& [t, id] : texts)
                if (t == type)
                    refuse(LoadText(id));
            return;
        }
    }

    // Accepted: the pasted objects become the selection.
    ClearSelection(0);
    m_pCurBlock = nullptr;
    m_pCurWire = nullptr;
    m_pCurComment = nullptr;
    const bool ladder = pDoc->IsLadder();
    std::unordered_map<CBlockObj*, CBlockObj*> contactTarget;
    auto findPasted = [&](int number) -> CBlockObj* {
        for (POSITION pos = pasted.blocks.GetHeadPosition(); pos;) {
            auto* b = static_cast<CBlockObj*>(pasted.blocks.GetNext(pos));
            if (b->m_nNumber == number)
                return b;
        }
        return nullptr;
    };
    if (ladder)
        for (POSITION pos = pasted.blocks.GetHeadPosition(); pos;) {
            auto* b = static_cast<CBlockObj*>(pasted.blocks.GetNext(pos));
            const int op = b->m_nOperand;
            if (In(b->m_nType, TYPE_MAKE, TYPE_ACONTACT) &&
                (In(op, 21000, 21767) || In(op, 22000, 22543) || In(op, NUM_FUNCTION, kLastFunctionNumber)))
                if (CBlockObj* target = findPasted(op))
                    contactTarget[b] = target;
        }
    CPoint minPt(0, 0);
    auto extendMin = [&](CPoint p) {
        if (minPt == CPoint(0, 0))
            minPt = p;
        else
            minPt = CPoint(std::min(minPt.x, p.x), std::min(minPt.y, p.y));
    };
    std::unordered_map<int, CBlockObj*> byOldNumber;  // the pasted elements by their old number
    const bool textSetsKnown = g_copySource.valid && g_copySource.sequence == ::GetClipboardSequenceNumber();
    while (!pasted.blocks.IsEmpty()) {
        auto* b = static_cast<CBlockObj*>(pasted.blocks.RemoveHead());
        extendMin(b->m_ptOrigin);
        const int oldNumber = b->m_nNumber;
        if (auto* text = dynamic_cast<CBlockMSGTEXT*>(b)) {
            // The slot is chosen now and marked taken only once the text is in the document.
            int& slot = text->Priority();
            const bool taken = slot < 0 || slot >= kMessageTextSlots || m_bMsgTextSlotUsed[slot];
            if (taken) {
                for (int k = 0; k < kMessageTextSlots; ++k)
                    if (!m_bMsgTextSlotUsed[k]) {
                        slot = k;
                        break;
                    }
            }
        } else {
            for (int k = 0; k < 4; ++k) {
                if (b->m_bRef[k])
                    DropPastedReference(b, k);
                b->m_bRef[k] = FALSE;
                b->m_pRefBlock[k] = nullptr;
                b->m_nRefNumber[k] = -1;
            }
            if (auto* reg = dynamic_cast<CBlockSREG*>(b))
                reg->ChooseRegisterIndex(pDoc);
        }
        b->m_bSelected = TRUE;
        BOOL added;
        if (CTavixDoc::GetBlockKind(b->m_nType) == KIND_IO) {
            added = pDoc->InsertBlock(b);
        } else {
            if (ladder)
                b->m_nPinKind[kOutputPin] = PIN_NONE;
            else if (b->m_nPinKind[kOutputPin] == PIN_NONE && b->m_nType != 825 && b->m_nType != 827)
                b->m_nPinKind[kOutputPin] = PIN_BIT;
            added = pDoc->AddBlock(b);
        }
        if (!added) {
            delete b;
            continue;
        }
        if (auto* text = dynamic_cast<CBlockMSGTEXT*>(b)) {
            const int slot = text->Priority();
            if (slot >= 0 && slot < kMessageTextSlots)
                m_bMsgTextSlotUsed[slot] = TRUE;
        }
        m_selBlocks.AddTail(b);
        byOldNumber.emplace(oldNumber, b);
        for (int pin = 0; pin < kFirstOutputPin; ++pin)
            if (b->m_nLink[pin] > 99)
                b->m_nLink[pin] = LINK_OPEN;
        for (int pin = kFirstOutputPin; pin < kFirstOutputPin + b->m_nOutputs && pin < kPinCount; ++pin)
            b->m_nLink[pin] = LINK_NONE;
        if (auto* text = dynamic_cast<CBlockMSGTEXT*>(b); text && pDoc->IsNewModel()) {
            const int set1 = textSetsKnown ? g_copySource.textSet1 : -1;
            const int set2 = textSetsKnown ? g_copySource.textSet2 : -1;
            for (int s = 0; s < 2; ++s) {
                if ((s == 0 ? set1 : set2) == (s == 0 ? pDoc->m_nTextSet1 : pDoc->m_nTextSet2))
                    continue;
                CString* cells = s == 0 ? text->m_astrCells1 : text->m_astrCells2;
                for (int i = 0; i < 96; ++i)
                    if (!cells[i].IsEmpty() && cells[i][0] >= 0x80)
                        cells[i].Empty();
            }
        }
    }
    if (ladder)
        for (auto& [contact, target] : contactTarget)
            if (m_selBlocks.Find(contact) && m_selBlocks.Find(target))
                contact->m_nOperand = target->m_nNumber;
    // Wires whose two ends were pasted, rebuilt between the new elements.
    auto newElement = [&](int oldNumber) -> CBlockObj* {
        const auto it = byOldNumber.find(oldNumber);
        return it == byOldNumber.end() ? nullptr : it->second;
    };
    while (!pasted.wires.IsEmpty()) {
        std::unique_ptr<CConnectLineObj> w(static_cast<CConnectLineObj*>(pasted.wires.RemoveHead()));
        if (!keepWires || byOldNumber.empty())
            continue;
        CBlockObj* a = newElement(w->m_nStartNumber);
        CBlockObj* b = newElement(w->m_nEndNumber);
        CRect ra, rb;
        if (!a || !b || !pDoc->GetPinPosition(&ra, a, w->m_nStartPin) || !pDoc->GetPinPosition(&rb, b, w->m_nEndPin))
            continue;
        w->m_pStartBlock = a;
        w->m_pEndBlock = b;
        w->m_nStartNumber = a->m_nNumber;
        w->m_nEndNumber = b->m_nNumber;
        w->m_pDoc = pDoc;
        w->m_ptStart = ra.CenterPoint();
        w->m_ptEnd = rb.CenterPoint();
        const int m = (w->m_ptStart.x + w->m_ptEnd.x) / 2;
        w->m_points.RemoveAll();
        w->m_points.Add(w->m_ptStart);
        w->m_points.Add(CPoint(m, w->m_ptStart.y));
        w->m_points.Add(CPoint(m, w->m_ptEnd.y));
        w->m_points.Add(w->m_ptEnd);
        for (INT_PTR i = 0; i < w->m_points.GetSize(); ++i)
            extendMin(w->m_points[i]);
        w->m_junctions.RemoveAll();
        for (INT_PTR i = 0; i < w->m_points.GetSize(); ++i)
            w->m_junctions.Add(CPoint(CConnectLineObj::kNoJunction, CConnectLineObj::kNoJunction));
        StoreWireLinks(w.get());
        w->m_bSelected = TRUE;
        w->m_bEndDrag = 0;
        w->m_nDragEnd = 0;
        m_selWires.AddTail(w.get());
        pDoc->AddWire(w.release());
    }
    while (!pasted.comments.IsEmpty()) {
        auto* c = static_cast<CBlockComment*>(pasted.comments.RemoveHead());
        extendMin(c->m_ptOrigin);
        c->m_bSelected = TRUE;
        m_selComments.AddTail(c);
        pDoc->AddComment(c);
    }
    // Placed with its top-left corner at the last click.
    const CPoint at = m_ptDown == CPoint(0, 0) ? minPt : m_ptDown;
    m_ptAnchor = minPt;
    MoveSelection(at.x - minPt.x, at.y - minPt.y);
    KeepSelectionInside(at.x, at.y);
    for (POSITION pos = pDoc->m_wires.GetHeadPosition(); pos;)
        static_cast<CConnectLineObj*>(pDoc->m_wires.GetNext(pos))->m_bMoved = 0;
    // The pages grow to hold what was pasted.
    int right = 0, bottom = 0;
    for (POSITION pos = m_selBlocks.GetHeadPosition(); pos;) {
        auto* b = static_cast<CBlockObj*>(m_selBlocks.GetNext(pos));
        right = std::max<int>(right, b->m_ptOrigin.x + b->m_nWidth);
        bottom = std::max<int>(bottom, b->m_ptOrigin.y + b->m_nHeight);
    }
    for (POSITION pos = m_selWires.GetHeadPosition(); pos;) {
        auto* w = static_cast<CConnectLineObj*>(m_selWires.GetNext(pos));
        for (INT_PTR i = 0; i < w->m_points.GetSize(); ++i) {
            right = std::max<int>(right, w->m_points[i].x);
            bottom = std::max<int>(bottom, w->m_points[i].y);
        }
    }
    for (POSITION pos = m_selComments.GetHeadPosition(); pos;) {
        auto* c = static_cast<CBlockComment*>(m_selComments.GetNext(pos));
        right = std::max<int>(right, c->m_ptOrigin.x + c->m_nWidth);
        bottom = std::max<int>(bottom, c->m_ptOrigin.y + c->m_nHeight);
    }
    GrowPagesToReach(right, bottom);
    TakeSnapshot();
    InvalidateAll();
}

void CTavixView::OnUpdateEditCopy(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(!(m_selBlocks.IsEmpty() && m_selComments.IsEmpty()) && !IsEditLocked());
}

void CTavixView::OnUpdateEditPaste(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(::IsClipboardFormatAvailable(PrivateFormat()) && !IsEditLocked());
}
