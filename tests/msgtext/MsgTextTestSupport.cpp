#include "MsgTextTestSupport.h"

#include "elements/BlockFactory.h"
#include "elements/BlockObj.h"
#include "platform/ui/controls/CtlStd.h"
#include "resources/Resources.h"
#include "shell/MainFrame.h"

#include "tests/support/PngPixels.h"

#include <algorithm>
#include <cstdlib>

namespace mttest {

std::unique_ptr<CTavixDoc> NewDocument(WORD hardware, int kind)
{
    auto doc = std::make_unique<CTavixDoc>();
    doc->m_nHardwareCode = hardware;
    doc->m_nDocKind = kind;
    return doc;
}

CBlockObj* Add(CTavixDoc& doc, int nType)
{
    CBlockObj* p = NewBlockOfType(nType);
    EXPECT_NE(p, nullptr) << nType;
    if (p && !doc.AddBlock(p)) {
        ADD_FAILURE() << "no room for type " << nType;
        delete p;
        return nullptr;
    }
    return p;
}

void SetText(HWND dlg, int id, const wchar_t* text) { ::SetWindowTextW(::GetDlgItem(dlg, id), text); }

std::wstring Text(HWND dlg, int id)
{
    wchar_t buf[512] = {};
    ::GetWindowTextW(::GetDlgItem(dlg, id), buf, 511);
    return buf;
}

void Choose(HWND dlg, int id, int index)
{
    ::SendMessageW(::GetDlgItem(dlg, id), CB_SETCURSEL, WPARAM(index), 0);
    ::SendMessageW(dlg, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), LPARAM(::GetDlgItem(dlg, id)));
}

int Selected(HWND dlg, int id) { return int(::SendMessageW(::GetDlgItem(dlg, id), CB_GETCURSEL, 0, 0)); }
int Count(HWND dlg, int id) { return int(::SendMessageW(::GetDlgItem(dlg, id), CB_GETCOUNT, 0, 0)); }

std::wstring Entry(HWND dlg, int id, int index)
{
    wchar_t buf[128] = {};
    ::SendMessageW(::GetDlgItem(dlg, id), CB_GETLBTEXT, WPARAM(index), LPARAM(buf));
    return buf;
}

void Press(HWND dlg, int id)
{
    ::SendMessageW(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(::GetDlgItem(dlg, id)));
}

void Check(HWND dlg, int id, bool on)
{
    ::SendMessageW(::GetDlgItem(dlg, id), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
    Press(dlg, id);
}

bool Checked(HWND dlg, int id) { return ::SendMessageW(::GetDlgItem(dlg, id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
bool Visible(HWND dlg, int id) { return ::IsWindowVisible(::GetDlgItem(dlg, id)) != FALSE; }
bool Enabled(HWND dlg, int id) { return ::IsWindowEnabled(::GetDlgItem(dlg, id)) != FALSE; }

std::wstring Caption(HWND dlg)
{
    wchar_t buf[256] = {};
    ::GetWindowTextW(dlg, buf, 255);
    return buf;
}

void MsgTextTest::SetUp()
{
    g_nLanguage = 0;
    SetResourceLanguage(kLangIdEnglish);
}

void MsgTextTest::TearDown()
{
    SetResourceLanguage(kLangIdEnglish);
    g_nLanguage = 0;
}

void MsgTextTest::Step(std::function<void(HWND)> f)
{
    m_drv.Host().QueueIdleStep([f] { f(::GetActiveWindow()); });
}

std::wstring MsgTextTest::LastMessage()
{
    const auto& boxes = m_drv.Host().MessageBoxes();
    return boxes.empty() ? std::wstring() : boxes.back().text;
}

void Picture::Stack(const Picture& below)
{
    StackPixels(width, height, pixels, below.width, below.height, below.pixels);
}

Picture Capture(CHeadlessDriver& drv, HWND hWnd, int width, int height)
{
    Picture p;
    p.width = width;
    p.height = height;
    p.pixels.resize(size_t(width) * size_t(height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const COLORREF c = drv.Pixel(hWnd, x, y);
            p.pixels[size_t(y) * width + x] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
        }
    return p;
}

bool SavePng(const Picture& p, const std::string& path)
{
    return WritePngPixels(path, p.width, p.height, p.pixels);
}

Picture LoadPng(const std::string& path)
{
    Picture p;
    ReadPngPixels(path, p.width, p.height, p.pixels);
    return p;
}

int CountDifferences(const Picture& a, const Picture& b, size_t* pFirst)
{
    int differ = 0;
    *pFirst = 0;
    for (size_t i = 0; i < a.pixels.size() && i < b.pixels.size(); ++i)
        if (a.pixels[i] != b.pixels[i] && differ++ == 0)
            *pFirst = i;
    return differ;
}

bool UpdatingReferences()
{
    const char* v = std::getenv("TAVIX_UPDATE_MSGTEXT_REFERENCES");
    return v && *v && *v != '0';
}

} // namespace mttest
