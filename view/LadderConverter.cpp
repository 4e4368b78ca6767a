#include "view/LadderConverter.h"

#include "document/TavixDoc.h"
#include "elements/BlockDataLog.h"
#include "elements/BlockIO.h"
#include "elements/BlockMSGTEXT.h"
#include "elements/BlockObj.h"
#include "elements/BlockTypes.h"
#include "msgtext/Widget.h"
#include "platform/ui/framework/App.h"
#include "resources/resource.h"
#include "view/DiagramLayout.h"
#include "view/TavixView.h"

#include <algorithm>
#include <set>

namespace {

struct Range {
    int first, last, type;
};

// What an operand number becomes in a function block diagram.
constexpr Range kElementRanges[] = {
    {NUM_INPUT, 355, TYPE_INPUT},          {NUM_SHIFT_BIT, 1063, TYPE_SHIFT_BIT},
    {NUM_FKEY, 1304, TYPE_FKEY},           {NUM_LOW, 2869, TYPE_LOW},
    {NUM_HIGH, 3899, TYPE_HIGH},           {NUM_OUTPUT, 727, TYPE_OUTPUT},
    {NUM_FLAG, 1827, TYPE_FLAG},           {NUM_OPEN_X, 4927, TYPE_OPEN_X},
    {NUM_ANALOG_IN, 4127, TYPE_ANALOG_IN}, {NUM_ANALOG_OUT, 4261, TYPE_ANALOG_OUT},
    {NUM_ANALOG_FLAG, 4799, TYPE_ANALOG_FLAG},
};

const Range* RangeOf(int n)
{
    for (const Range& r : kElementRanges)
        if (n >= r.first && n <= r.last)
            return &r;
    return nullptr;
}

bool IsContact(const CBlockObj* p) { return p->m_nType == TYPE_MAKE || p->m_nType == TYPE_BREAK; }
bool IsCoil(const CBlockObj* p) { return p->m_nType == TYPE_COIL || p->m_nType == TYPE_INV_OUT; }
bool IsFunctionNumber(int n) { return n >= NUM_FUNCTION && n <= 10999; }
bool IsCopied(const CBlockObj* p)
{
    return CTavixDoc::GetBlockKind(p->m_nType) == KIND_FUNCTION || p->m_nType == TYPE_DATALOG;
}

CString Format(UINT id, int a, int b)
{
    CString text;
    text.Format(AfxLoadString(id), a, b);
    return text;
}

void CopyHeader(const CTavixDoc& s, CTavixDoc& d)
{
    d.m_strCreator = s.m_strCreator;
    d.m_strProject = s.m_strProject;
    d.m_strInstallation = s.m_strInstallation;
    d.m_strCustomer = s.m_strCustomer;
    d.m_strDiagramNo = s.m_strDiagramNo;
    d.m_strChecked = s.m_strChecked;
    d.m_strVersion1 = s.m_strVersion1;
    d.m_strVersion2 = s.m_strVersion2;
    d.m_strVersion3 = s.m_strVersion3;
    d.m_bShowPropertiesAtNew = s.m_bShowPropertiesAtNew;
    d.m_strComment = s.m_strComment;
    d.m_strProgramName = s.m_strProgramName;
    d.m_strPassword = s.m_strPassword;
    d.m_nRedundancy = s.m_nRedundancy;
    d.m_nSyncTime = s.m_nSyncTime;
    d.m_bCopyProtect = s.m_bCopyProtect;
    d.m_nTempHigh = s.m_nTempHigh;
    d.m_nTempLow = s.m_nTempLow;
    for (int port = 0; port < 3; ++port)
        for (int i = 0; i <= 10; ++i)
            d.m_port[port][i] = s.m_port[port][i];
    d.m_strLogoPath = s.m_strLogoPath;
    d.m_bLogoInverse = s.m_bLogoInverse;
    d.m_nDisplayLanguage = s.m_nDisplayLanguage;
    d.m_nLogoTime = s.m_nLogoTime;
    d.m_nContrast = s.m_nContrast;
    d.m_nBacklight = s.m_nBacklight;
    if (s.GetMachineType() > 0x50) {
        d.m_bKeepLastAQ = s.m_bKeepLastAQ;
        d.m_fv.Copy(s.m_fv);
        d.m_qt.Copy(s.m_qt);
        d.m_nAIRange0 = s.m_nAIRange0;
        d.m_nAIRange1 = s.m_nAIRange1;
    }
    d.m_nHardwareCode = s.m_nHardwareCode;
    d.m_nHardwareExtra = s.m_nHardwareExtra;
    d.m_nMinFirmware = s.m_nMinFirmware;
    d.m_nMinFirmwareExtra = s.m_nMinFirmwareExtra;
    d.m_strHardwareName = s.m_strHardwareName;
    d.m_nTextSet1 = s.m_nTextSet1;
    d.m_nTextSet2 = s.m_nTextSet2;
    d.m_nTextSetting = s.m_nTextSetting;
    d.m_nTextTime1 = s.m_nTextTime1;
    d.m_nTextTime2 = s.m_nTextTime2;
    d.m_nScanTime = s.m_nScanTime;
    d.m_nAnalogFilter = s.m_nAnalogFilter;
}

}  // namespace

CLadderConverter::CLadderConverter(CTavixView& target, const CTavixDoc& source)
    : m_view(target), m_doc(*target.GetDocument()), m_src(source)
{
    if (!m_src.m_powerBus.IsEmpty())
        m_pBus = static_cast<const CBlockObj*>(m_src.m_powerBus.GetHead());
    for (POSITION pos = m_src.m_blocks.GetHeadPosition(); pos;) {
        const auto* p = static_cast<const CBlockObj*>(m_src.m_blocks.GetNext(pos));
        m_srcByNumber.emplace(p->m_nNumber, p);
    }
}

// ---- what the ladder means ----

int CLadderConverter::ResolveOperand(const CBlockObj* pContact) const
{
    int n = pContact->m_nOperand;
    // A contact on a coil or a ladder analog output reads what that element drives.
    if ((n >= NUM_COIL && n < NUM_AOUT_LAD) || (n >= NUM_AOUT_LAD && n <= 22543)) {
        const auto it = m_srcByNumber.find(n);
        if (it == m_srcByNumber.end())
            return -1;
        n = it->second->m_nOperand;
    }
    return n;
}

BOOL CLadderConverter::Check(CString* pError)
{
    std::set<int> driven;
    std::vector<const CBlockObj*> elements;
    for (POSITION pos = m_src.m_blocks.GetHeadPosition(); pos;)
        elements.push_back(static_cast<const CBlockObj*>(m_src.m_blocks.GetNext(pos)));
    std::sort(elements.begin(), elements.end(),
              [](const CBlockObj* a, const CBlockObj* b) { return a->m_nNumber < b->m_nNumber; });
    for (const CBlockObj* p : elements) {
        bool ok = true;
        if (IsContact(p) || p->m_nType == TYPE_ACONTACT) {
            const int n = ResolveOperand(p);
            const Range* r = RangeOf(n);
            const bool analogRange = r && (r->type == TYPE_ANALOG_IN || r->type == TYPE_ANALOG_OUT ||
                                           r->type == TYPE_ANALOG_FLAG);
            const bool block = IsFunctionNumber(n) && m_srcByNumber.count(n) && IsCopied(m_srcByNumber.at(n));
            ok = block || (r && analogRange == (p->m_nType == TYPE_ACONTACT));
            if (!ok) {
                *pError = Format(IDS_CONVERT_BAD_OPERAND, p->m_nNumber, p->m_nOperand);
                return FALSE;
            }
        } else if (IsCoil(p) || p->m_nType == TYPE_AOUT_LAD) {
            const Range* r = RangeOf(p->m_nOperand);
            ok = r && (IsCoil(p) ? (r->type == TYPE_OUTPUT || r->type == TYPE_FLAG || r->type == TYPE_OPEN_X)
                                 : (r->type == TYPE_ANALOG_OUT || r->type == TYPE_ANALOG_FLAG));
            if (!ok) {
                *pError = Format(IDS_CONVERT_BAD_OPERAND, p->m_nNumber, p->m_nOperand);
                return FALSE;
            }
            // Two coils on one output have no single function block meaning.
            if (!driven.insert(p->m_nOperand).second) {
                *pError = Format(IDS_CONVERT_TWO_COILS, p->m_nOperand, p->m_nNumber);
                return FALSE;
            }
        }
    }
    return TRUE;
}

void CLadderConverter::CollectWires()
{
    auto isSource = [this](const CBlockObj* p, int pin) { return p == m_pBus || pin >= kFirstOutputPin; };
    for (POSITION pos = m_src.m_wires.GetHeadPosition(); pos;) {
        const auto* w = static_cast<const CConnectLineObj*>(m_src.m_wires.GetNext(pos));
        const CBlockObj* a = w->m_pStartBlock;
        const CBlockObj* b = w->m_pEndBlock;
        if (!a || !b)
            continue;
        const bool aSource = isSource(a, w->m_nStartPin), bSource = isSource(b, w->m_nEndPin);
        if (aSource && !bSource)
            m_sources[{b, w->m_nEndPin}].push_back(a);
        else if (bSource && !aSource)
            m_sources[{a, w->m_nStartPin}].push_back(b);
    }
}

void CLadderConverter::AddSources(const CBlockObj* pSource, std::vector<const CBlockObj*>& out, int depth) const
{
    // The source end of a connector pair stands for what feeds its receiving end.
    if (pSource->m_nType == TYPE_FEMALE) {
        const auto male = m_srcByNumber.find(pSource->m_nNumber - kConnectorPartnerOffset);
        if (male == m_srcByNumber.end() || depth > 64)
            return;
        const auto it = m_sources.find({male->second, 0});
        if (it != m_sources.end())
            for (const CBlockObj* s : it->second)
                AddSources(s, out, depth + 1);
        return;
    }
    out.push_back(pSource);
}

bool CLadderConverter::HasWires(const CBlockObj* pBlock, int nPin) const
{
    const auto it = m_sources.find({pBlock, nPin});
    return it != m_sources.end() && !it->second.empty();
}

CLadderConverter::Sig CLadderConverter::MakeNode(int type, std::vector<Sig> in)
{
    Sig s;
    s.kind = Sig::node;
    // Branches with the same sources share one gate.
    const auto key = std::make_pair(type, in);
    if (const auto it = m_nodeIndex.find(key); it != m_nodeIndex.end()) {
        s.value = it->second;
        return s;
    }
    m_nodeIndex[key] = int(m_nodes.size());
    Node node;
    node.type = type;
    node.in = std::move(in);
    m_nodes.push_back(std::move(node));
    s.value = int(m_nodes.size()) - 1;
    return s;
}

CLadderConverter::Sig CLadderConverter::InputSignal(const CBlockObj* pBlock, int nPin)
{
    const PinKey key{pBlock, nPin};
    if (const auto it = m_inMemo.find(key); it != m_inMemo.end())
        return it->second;
    std::vector<const CBlockObj*> sources;
    if (const auto it = m_sources.find(key); it != m_sources.end())
        for (const CBlockObj* s : it->second)
            AddSources(s, sources, 0);
    // Parallel branches: their OR, with the constants folded.
    std::vector<Sig> terms;
    bool one = false;
    for (const CBlockObj* s : sources) {
        const Sig t = OutputSignal(s);
        if (t.kind == Sig::one)
            one = true;
        else if (t.kind != Sig::zero)
            terms.push_back(t);
    }
    std::sort(terms.begin(), terms.end());
    terms.erase(std::unique(terms.begin(), terms.end()), terms.end());
    Sig result;
    if (one)
        result.kind = Sig::one;
    else if (terms.size() == 1)
        result = terms.front();
    else if (terms.size() > 1)
        result = MakeNode(TYPE_OR, terms);
    m_inMemo[key] = result;
    return result;
}

CLadderConverter::Sig CLadderConverter::OutputSignal(const CBlockObj* p)
{
    Sig result;
    if (p == m_pBus) {
        result.kind = Sig::one;
        return result;
    }
    if (const auto it = m_outMemo.find(p); it != m_outMemo.end())
        return it->second;
    if (std::find(m_busy.begin(), m_busy.end(), p) != m_busy.end())
        return result;  // a rung that feeds itself: the loop reads 0
    m_busy.push_back(p);
    if (IsContact(p)) {
        Sig lit;
        lit.kind = Sig::ref;
        lit.value = ResolveOperand(p);
        lit.negate = p->m_nType == TYPE_BREAK;
        const Sig in = InputSignal(p, 0);
        if (in.kind == Sig::one)
            result = lit;
        else if (in.kind != Sig::zero)
            result = MakeNode(TYPE_AND, {in, lit});
    } else if (p->m_nType == TYPE_ACONTACT) {
        result.kind = Sig::ref;
        result.value = ResolveOperand(p);
    } else {
        result.kind = Sig::ref;
        result.value = p->m_nNumber;
    }
    m_busy.pop_back();
    m_outMemo[p] = result;
    return result;
}

// ---- the function block diagram ----

CBlockObj* CLadderConverter::NewElement(int nType, int nNumber, int nBase)
{
    CBlockObj* p = m_view.CreateBlockByType(nType);
    if (!p)
        AfxThrowMemoryException();
    p->ResetPinKinds(&m_doc);
    p->m_nNumber = nNumber;
    p->m_nOperand = nNumber - nBase;
    m_doc.m_blocks.AddTail(p);
    m_byNumber[nNumber] = p;
    return p;
}

CBlockObj* CLadderConverter::Element(int n)
{
    if (const auto it = m_byNumber.find(n); it != m_byNumber.end())
        return it->second;
    const Range* r = RangeOf(n);
    if (!r)
        return nullptr;
    CBlockObj* p = NewElement(r->type, n, r->first);
    // An input keeps how the ladder simulated its operand.
    SimSettingRecord rec;
    if ((r->type == TYPE_INPUT || r->type == TYPE_FKEY || r->type == TYPE_ANALOG_IN) && m_src.m_simSettings.Lookup(n, rec)) {
        p->m_nSimKind = rec.m_nKind;
        p->m_bAutoRange = rec.m_bAutoRange;
        p->m_nSimValue = rec.m_nValue;
        p->m_nSimMin = rec.m_nMin;
        p->m_nSimMax = rec.m_nMax;
    }
    return p;
}

int CLadderConverter::Constant(bool high)
{
    int& number = high ? m_nHigh : m_nLow;
    if (number == 0) {
        const int base = high ? NUM_HIGH : NUM_LOW;
        int n = base;
        while (m_byNumber.count(n) || m_srcByNumber.count(n))
            ++n;
        NewElement(high ? TYPE_HIGH : TYPE_LOW, n, base);
        number = n;
    }
    return number;
}

void CLadderConverter::CountUses(const Sig& s)
{
    if (s.kind != Sig::node)
        return;
    if (++m_nodes[size_t(s.value)].uses == 1)
        for (const Sig& c : m_nodes[size_t(s.value)].in)
            CountUses(c);
}

void CLadderConverter::Flatten(int index, int type, std::vector<Sig>& out) const
{
    // A series of contacts is one AND, parallel branches of parallel branches one OR, as long
    // as nothing else uses the inner result.
    for (const Sig& c : m_nodes[size_t(index)].in) {
        if (c.kind == Sig::node && !c.negate && m_nodes[size_t(c.value)].type == type &&
            m_nodes[size_t(c.value)].uses == 1)
            Flatten(c.value, type, out);
        else
            out.push_back(c);
    }
}

int CLadderConverter::EmitGate(int type, const std::vector<Link>& in)
{
    CBlockObj* p = m_view.CreateBlockByType(type);
    if (!p)
        AfxThrowMemoryException();
    p->ResetPinKinds(&m_doc);
    if (!m_doc.AddBlock(p)) {
        // No function block number left: the conversion fails as a whole.
        delete p;
        m_bFull = true;
        return LINK_OPEN;
    }
    m_byNumber[p->m_nNumber] = p;
    for (size_t pin = 0; pin < in.size(); ++pin) {
        p->m_nLink[pin] = in[pin].link;
        p->m_bNegate[pin] = in[pin].negate ? TRUE : FALSE;
    }
    return p->m_nNumber;
}

int CLadderConverter::EmitNode(int index)
{
    if (m_nodes[size_t(index)].number)
        return m_nodes[size_t(index)].number;
    const int type = m_nodes[size_t(index)].type;
    std::vector<Sig> in;
    if (type == TYPE_NOT)
        in = m_nodes[size_t(index)].in;
    else
        Flatten(index, type, in);
    std::sort(in.begin(), in.end());
    in.erase(std::unique(in.begin(), in.end()), in.end());
    // The sources are made first, so that every gate comes after the gates it reads and the
    // whole rung settles in one cycle.
    std::vector<Link> links;
    for (const Sig& s : in)
        links.push_back(Resolve(s, true));
    // Four inputs in the first gate, then each further gate takes the previous one and three.
    const size_t first = std::min<size_t>(links.size(), 4);
    int number = EmitGate(type, std::vector<Link>(links.begin(), links.begin() + long(first)));
    for (size_t next = first; next < links.size(); next += 3) {
        std::vector<Link> part{{number, false}};
        part.insert(part.end(), links.begin() + long(next), links.begin() + long(std::min(links.size(), next + 3)));
        number = EmitGate(type, part);
    }
    m_nodes[size_t(index)].number = number;
    return number;
}

CLadderConverter::Link CLadderConverter::Resolve(const Sig& s, bool wired)
{
    switch (s.kind) {
    case Sig::zero:
        return {wired ? Constant(false) : LINK_OPEN, false};
    case Sig::one:
        return {Constant(true), false};
    case Sig::ref:
        Element(s.value);
        return {s.value, s.negate};
    case Sig::node:
        return {EmitNode(s.value), s.negate};
    }
    return {LINK_OPEN, false};
}

void CLadderConverter::LinkInput(CBlockObj* pBlock, int nPin, const Sig& s, bool wired)
{
    Link link = Resolve(s, wired);
    // Outputs and flags take their source's value as it stands, without the negation of their
    // input: a negated source reaches them through a NOT.
    if (link.negate && (CDiagramLayout::IsOutputLike(pBlock) || pBlock->m_nType == TYPE_OPEN_X))
        link = {EmitGate(TYPE_NOT, {{link.link, false}}), false};
    pBlock->m_nLink[nPin] = link.link;
    pBlock->m_bNegate[nPin] = link.negate ? TRUE : FALSE;
}

void CLadderConverter::Repoint()
{
    auto find = [this](int n) -> CBlockObj* {
        const auto it = m_byNumber.find(n);
        return it == m_byNumber.end() ? nullptr : it->second;
    };
    // A field or reference that showed a contact now shows what the contact read.
    auto numberOf = [this](const CBlockObj* p) { return IsContact(p) || p->m_nType == TYPE_ACONTACT ? ResolveOperand(p) : p->m_nNumber; };
    const bool newModel = m_doc.IsNewModel();
    for (POSITION pos = m_doc.m_blocks.GetHeadPosition(); pos;) {
        auto* p = static_cast<CBlockObj*>(m_doc.m_blocks.GetNext(pos));
        for (int k = 0; k < 4; ++k)
            if (p->m_pRefBlock[k])
                p->m_pRefBlock[k] = find(numberOf(p->m_pRefBlock[k]));
        if (auto* log = dynamic_cast<CBlockDataLog*>(p)) {
            for (INT_PTR i = 0; i < log->m_aItems.GetSize(); ++i)
                if (log->m_aItems[i].m_pBlock)
                    log->m_aItems[i].m_pBlock = find(log->m_aItems[i].m_pBlock->m_nNumber);
        } else if (auto* text = dynamic_cast<CBlockMSGTEXT*>(p)) {
            for (int line = 0; line < CBlockMSGTEXT::kLines; ++line)
                for (CObArray* fields : {&text->m_aLines1[line], &text->m_aLines2[line]})
                    for (INT_PTR i = fields->GetSize() - 1; i >= 0; --i) {
                        auto* f = static_cast<CWidget*>(fields->GetAt(i));
                        const int n = f->m_pBlock ? numberOf(f->m_pBlock) : f->m_nNumber;
                        f->m_pBlock = find(n);
                        if (f->m_pBlock)
                            f->m_nNumber = n;
                        else if (newModel && f->m_nType != widgetGraph) {
                            fields->RemoveAt(i);
                            delete f;
                        }
                    }
        }
    }
}

void CLadderConverter::Lay()
{
    std::set<int> consumed;
    std::vector<CBlockObj*> all;
    for (POSITION pos = m_doc.m_blocks.GetHeadPosition(); pos;) {
        auto* p = static_cast<CBlockObj*>(m_doc.m_blocks.GetNext(pos));
        all.push_back(p);
        for (int pin = 0; pin < p->m_nInputs && pin < kFirstOutputPin; ++pin)
            if (p->m_nLink[pin] != p->m_nNumber)
                consumed.insert(p->m_nLink[pin]);
    }
    std::vector<CBlockObj*> roots;
    for (CBlockObj* p : all)
        if (!consumed.count(p->m_nNumber) || CDiagramLayout::IsOutputLike(p) || p->m_nType == TYPE_OPEN_X)
            roots.push_back(p);
    std::sort(roots.begin(), roots.end(), [](const CBlockObj* a, const CBlockObj* b) { return a->m_nNumber < b->m_nNumber; });
    CDiagramLayout layout(m_view);
    layout.Place(roots);
    layout.Wire(roots);
}

BOOL CLadderConverter::Convert(CString* pError)
{
    CString error;
    if (!Check(&error)) {
        if (pError)
            *pError = error;
        return FALSE;
    }
    CopyHeader(m_src, m_doc);
    CollectWires();

    struct Pending {
        CBlockObj* block;
        int pin;
        Sig sig;
        bool wired;
    };
    std::vector<Pending> pending;
    std::vector<const CBlockObj*> elements;
    for (POSITION pos = m_src.m_blocks.GetHeadPosition(); pos;)
        elements.push_back(static_cast<const CBlockObj*>(m_src.m_blocks.GetNext(pos)));
    std::stable_sort(elements.begin(), elements.end(),
                     [](const CBlockObj* a, const CBlockObj* b) { return a->m_nNumber < b->m_nNumber; });

    // Function blocks keep their numbers, which contacts name; their inputs take the rungs.
    const int machine = m_src.GetMachineType();
    for (const CBlockObj* s : elements) {
        if (!IsCopied(s))
            continue;
        CBlockObj* p = m_view.CreateBlockByType(s->m_nType);
        if (!p)
            AfxThrowMemoryException();
        const_cast<CBlockObj*>(s)->CopyTo(p, TRUE, machine);
        p->m_nNumber = s->m_nNumber;
        p->ResetPinKinds(&m_doc);
        for (int pin = kFirstOutputPin; pin < kPinCount; ++pin)
            p->m_nLink[pin] = LINK_NONE;
        m_doc.m_blocks.AddTail(p);
        m_byNumber[p->m_nNumber] = p;
        for (int pin = 0; pin < p->m_nInputs && pin < kFirstOutputPin; ++pin) {
            const bool wired = HasWires(s, pin);
            if (wired || !IsLinkCode(s->m_nLink[pin]))
                pending.push_back({p, pin, InputSignal(s, pin), wired});
        }
    }
    // Coils become the outputs and flags they drive; an inverted output a NOT in front.
    for (const CBlockObj* s : elements) {
        if (!IsCoil(s) && s->m_nType != TYPE_AOUT_LAD)
            continue;
        CBlockObj* out = Element(s->m_nOperand);
        Sig in = InputSignal(s, 0);
        if (s->m_nType == TYPE_INV_OUT) {
            if (in.kind == Sig::zero || in.kind == Sig::one)
                in.kind = in.kind == Sig::zero ? Sig::one : Sig::zero;
            else
                in = MakeNode(TYPE_NOT, {in});
        }
        pending.push_back({out, 0, in, HasWires(s, 0)});
    }
    for (const Pending& p : pending)
        CountUses(p.sig);
    for (const Pending& p : pending)
        LinkInput(p.block, p.pin, p.sig, p.wired || p.sig.kind == Sig::one);
    if (m_bFull) {
        m_doc.DeleteContents();
        if (pError)
            *pError = AfxLoadString(IDS_CONVERT_TOO_LARGE);
        return FALSE;
    }
    Repoint();
    m_view.RebuildMessageTextSlots();
    Lay();
    m_doc.SetModifiedFlag(TRUE);
    return TRUE;
}
