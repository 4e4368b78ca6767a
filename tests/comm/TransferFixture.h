// A transfer engine on a frame whose port reaches the device emulator, with pauses skipped,
// scripted password answers, and uploaded documents kept by the test.
#pragma once

#include "comm/TransferEngine.h"
#include "document/TavixDoc.h"
#include "image/TavixCoreRule.h"
#include "resources/resource.h"
#include "tests/comm/PortFixture.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

class TransferTest : public LinkTest
{
protected:
    void SetUp() override
    {
        LinkTest::SetUp();
        engine.m_wait = [this](int ms) { waits.push_back(ms); };
        engine.m_askPassword = [this](BYTE* password) {
            ++passwordAsked;
            if (typedPassword == nullptr)
                return 2;
            for (int i = 0; typedPassword[i] && i < 8; ++i)
                password[i] = BYTE(typedPassword[i]);
            return 1;
        };
        engine.m_newDocument = [this]() {
            uploaded.push_back(std::make_unique<CTavixDoc>());
            return uploaded.back().get();
        };
        engine.m_discardDocument = [this](CTavixDoc* doc) {
            discarded.push_back(doc);
        };
        compileTime.wYear = 2026;
        compileTime.wMonth = 12;
        compileTime.wDay = 10;
        compileTime.wHour = 21;
        engine.m_pCompileTime = &compileTime;
    }

    bool Logged(const std::wstring& line) const
    {
        return std::find(frame.lines.begin(), frame.lines.end(), line) != frame.lines.end();
    }
    // The message boxes shown, as their texts.
    std::vector<std::wstring> Boxes() const
    {
        std::vector<std::wstring> texts;
        for (const auto& b : frame.boxes)
            texts.push_back(b.first);
        return texts;
    }
    static std::wstring Text(UINT id)
    {
        CString s;
        s.LoadString(id);
        return std::wstring(LPCTSTR(s));
    }
    // The registers from `first` on as the bytes that crossed the wire.
    std::vector<BYTE> DeviceBytes(const std::vector<WORD>& space, int first, int bytes)
    {
        std::vector<BYTE> out;
        for (int i = 0; i < bytes / 2; ++i) {
            const WORD w = space[std::size_t(first + i)];
            out.push_back(BYTE(w >> 8));
            out.push_back(BYTE(w & 0xFF));
        }
        return out;
    }

    CTransferEngine engine{frame};
    SYSTEMTIME compileTime{};
    std::vector<int> waits;
    const char* typedPassword = nullptr;
    int passwordAsked = 0;
    std::vector<std::unique_ptr<CTavixDoc>> uploaded;
    std::vector<CTavixDoc*> discarded;
};
