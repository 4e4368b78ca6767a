#include "EditTestSupport.h"

#include "platform/ui/core/WinUser.h"

namespace viewtest {
namespace {

// Records what an update handler decides.
class ProbeCmdUI : public CCmdUI {
public:
    void Enable(BOOL on) override { enabled = on != FALSE; }
    void SetCheck(int) override {}
    bool enabled = false;
};

}  // namespace

void EditTest::SetUp()
{
    ViewTest::SetUp();
}

POINT EditTest::Screen(CPoint diagram)
{
    const CPoint scroll = view->GetDeviceScrollPosition();
    const float zoom = view->GetZoom();
    const CPoint client(int(float(diagram.x) * zoom) - scroll.x, int(float(diagram.y) * zoom) - scroll.y);
    return CHeadlessDriver::At(view->GetSafeHwnd(), client);
}

void EditTest::Press(CPoint at, bool ctrl)
{
    if (ctrl)
        drv.KeyDown(VK_CONTROL);
    drv.MouseMove(Screen(at));
    drv.MouseDown(Screen(at));
    if (ctrl)
        drv.KeyUp(VK_CONTROL);
    Pump();
}

void EditTest::Release(CPoint at)
{
    drv.MouseUp(Screen(at));
    Pump();
}

void EditTest::MoveTo(CPoint at)
{
    drv.MouseMove(Screen(at));
    Pump();
}

void EditTest::Click(CPoint at, bool ctrl)
{
    Press(at, ctrl);
    Release(at);
}

void EditTest::RightClick(CPoint at)
{
    drv.MouseMove(Screen(at));
    drv.MouseDown(Screen(at), 1);
    Pump();
    drv.MouseUp(Screen(at), 1);
    Pump();
}

void EditTest::DoubleClick(CPoint at)
{
    drv.DoubleClick(Screen(at));
    Pump();
}

void EditTest::Drag(CPoint from, CPoint to)
{
    Press(from);
    CPoint p = from;
    while (p != to) {
        p.x += std::max(-5, std::min(5, int(to.x - p.x)));
        p.y += std::max(-5, std::min(5, int(to.y - p.y)));
        MoveTo(p);
    }
    Release(to);
}

void EditTest::Key(UINT vk, bool ctrl)
{
    view->SetFocus();
    if (ctrl)
        drv.KeyDown(VK_CONTROL);
    drv.Key(vk);
    if (ctrl)
        drv.KeyUp(VK_CONTROL);
    Pump();
}

void EditTest::Command(UINT id)
{
    view->SendMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0);
    Pump();
}

bool EditTest::Enabled(UINT id)
{
    ProbeCmdUI ui;
    ui.m_nID = id;
    view->OnCmdMsg(id, CN_UPDATE_COMMAND_UI, &ui, nullptr);
    return ui.enabled;
}

CBlockObj* EditTest::Insert(int type, CPoint at)
{
    const int before = Count(document->m_blocks);
    view->SelectPaletteTool(CTavixView::modeInsert, type);
    Click(at);
    view->SendMessage(WM_COMMAND, MAKEWPARAM(ID_MODE_SELECT, 0), 0);
    Pump();
    if (Count(document->m_blocks) == before)
        return nullptr;
    return static_cast<CBlockObj*>(document->m_blocks.GetTail());
}

CPoint EditTest::Pin(CBlockObj* block, int pin)
{
    CRect rc;
    EXPECT_TRUE(document->GetPinPosition(&rc, block, pin)) << block->m_nType << " pin " << pin;
    return rc.CenterPoint();
}

CConnectLineObj* EditTest::Wire(CBlockObj* from, int fromPin, CBlockObj* to, int toPin)
{
    const int before = Count(document->m_wires);
    Command(ID_MODE_CONNECT);
    Click(Pin(from, fromPin));
    Click(Pin(to, toPin));
    if (view->m_nEditMode == CTavixView::modeConnect)
        Command(ID_MODE_CONNECT);
    if (Count(document->m_wires) == before)
        return nullptr;
    return static_cast<CConnectLineObj*>(document->m_wires.GetTail());
}

std::string EditTest::FileBytes()
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ar.m_pDocument = document.get();
        document->Serialize(ar);
        ar.Close();
    }
    std::string bytes(size_t(file.GetLength()), '\0');
    file.SeekToBegin();
    file.Read(bytes.data(), UINT(bytes.size()));
    return bytes;
}

CBlockObj* EditTest::Block(int index) const
{
    POSITION pos = document->m_blocks.FindIndex(index);
    return pos ? static_cast<CBlockObj*>(document->m_blocks.GetAt(pos)) : nullptr;
}

CConnectLineObj* EditTest::WireAt(int index) const
{
    POSITION pos = document->m_wires.FindIndex(index);
    return pos ? static_cast<CConnectLineObj*>(document->m_wires.GetAt(pos)) : nullptr;
}

std::vector<std::wstring> EditTest::Boxes()
{
    std::vector<std::wstring> texts;
    for (const auto& box : drv.Host().MessageBoxes())
        texts.push_back(box.text);
    drv.Host().ClearMessageBoxes();
    return texts;
}

}  // namespace viewtest
