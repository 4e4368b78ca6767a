// The download: checks, compilation into the device image, and the exchange that writes the
// image into the device, verifies it and closes with the end frame.
#include "comm/TransferEngine.h"

#include "comm/TransferOutcome.h"
#include "document/TavixDoc.h"
#include "elements/BlockConnectors.h"
#include "elements/BlockDataLog.h"
#include "elements/BlockIO.h"
#include "elements/BlockLadder.h"
#include "elements/BlockModbus.h"
#include "elements/BlockObj.h"
#include "elements/BlockTypes.h"
#include "elements/BlockWifi.h"
#include "image/TavixCoreRule.h"
#include "resources/resource.h"
#include "shell/MainFrame.h"
#include "shell/ProgramPropsLogoImage.h"
#include "shell/SettingsFile.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

constexpr UINT kStopIcon = 0x10;
constexpr int kLogoBytes = 960;

bool IsOutputType(const CBlockObj* p)
{
    return dynamic_cast<const CBlockOut*>(p) || dynamic_cast<const CBlockOpenX*>(p)
           || dynamic_cast<const CBlockFlag*>(p) || dynamic_cast<const CBlockAnalogOut*>(p)
           || dynamic_cast<const CBlockAnalogFlag*>(p) || dynamic_cast<const CBlockDataLog*>(p)
           || dynamic_cast<const CBlockWIFIOut*>(p) || dynamic_cast<const CBlockWIFIAOut*>(p);
}

// An input pin that exists carries a link: a block number, or one of the link codes (an open
// input, 52, is the device's "x" and is taken as it is). Only a pin holding nothing at all is
// unconnected.
bool IsWiredInput(const CBlockObj* p, int pin)
{
    const int kind = p->m_nPinKind[pin];
    return kind == PIN_NONE || kind == PIN_PARAM || p->m_nLink[pin] != LINK_NONE;
}

bool AllInputsWired(const CBlockObj* p)
{
    for (int pin = kFirstInputPin; pin < kFirstOutputPin; ++pin)
        if (!IsWiredInput(p, pin))
            return false;
    return true;
}

template <typename F>
void ForEachBlock(CTavixDoc* pDoc, F f)
{
    for (POSITION pos = pDoc->m_blocks.GetHeadPosition(); pos != nullptr;)
        f(static_cast<CBlockObj*>(pDoc->m_blocks.GetNext(pos)));
}

bool FunctionBlockDiagramComplete(CTavixDoc* pDoc)
{
    bool haveOutput = false;
    bool complete = true;
    ForEachBlock(pDoc, [&](CBlockObj* p) {
        if (IsOutputType(p))
            haveOutput = true;
        else if (!AllInputsWired(p))
            complete = false;
    });
    return haveOutput && complete;
}

bool IsSystemOperand(int n)
{
    return (n >= 21000 && n <= 21767) || (n >= 22000 && n <= 22543);
}

bool IsFunctionNumber(int n)
{
    return n >= 9000 && n <= kLastFunctionNumber;
}

bool LadderDiagramComplete(CTavixDoc* pDoc)
{
    bool haveCoil = false;
    bool complete = true;
    ForEachBlock(pDoc, [&](CBlockObj* p) {
        if (dynamic_cast<CBlockFemale*>(p) || dynamic_cast<CBlockMale*>(p))
            return;
        if (dynamic_cast<CBlockRelayCoil*>(p) || dynamic_cast<CBlockAOutLAD*>(p)
            || dynamic_cast<CBlockDataLog*>(p))
            haveCoil = true;
        const bool contact = dynamic_cast<CBlockMake*>(p) || dynamic_cast<CBlockAContact*>(p);
        if (!contact || IsSystemOperand(p->m_nOperand))
            return;
        if (IsFunctionNumber(p->m_nOperand)) {
            if (p->m_nLink[0] == LINK_OPEN)
                complete = false;
        } else if (!AllInputsWired(p)) {
            complete = false;
        }
    });
    // Every function block must be used by a contact whose first input is wired (or by an
    // analog contact).
    ForEachBlock(pDoc, [&](CBlockObj* fb) {
        if (CTavixDoc::GetBlockKind(fb->m_nType) != KIND_FUNCTION)
            return;
        bool used = false;
        ForEachBlock(pDoc, [&](CBlockObj* c) {
            if (c->m_nOperand != fb->m_nNumber)
                return;
            if (dynamic_cast<CBlockAContact*>(c)
                || (dynamic_cast<CBlockMake*>(c) && c->m_nLink[0] != LINK_OPEN))
                used = true;
        });
        if (!used)
            complete = false;
    });
    return haveCoil && complete;
}

} // namespace

int CTransferEngine::CheckTransferable(CTavixDoc* pDoc)
{
    if (pDoc == nullptr || pDoc->CountBlocks() == 0) {
        Box(IDS_NO_BLOCKS_TO_DOWNLOAD, kStopIcon);
        return 0;
    }
    const bool ok = pDoc->IsLadder() ? LadderDiagramComplete(pDoc)
                                     : (pDoc->m_nDocKind == CTavixDoc::kindFbd
                                        && FunctionBlockDiagramComplete(pDoc));
    if (!ok) {
        Box(IDS_UNCONNECTED_BLOCKS, kStopIcon);
        return 0;
    }
    return 1;
}

void CTransferEngine::CountOptionBits(CTavixDoc* pDoc)
{
    // The device image records how many function blocks carry each of the option bits 2, 1
    // and 0; they are counted here, just before the compilation that writes them.
    for (int& n : pDoc->m_nOptionCount)
        n = 0;
    ForEachBlock(pDoc, [&](CBlockObj* p) {
        if (CTavixDoc::GetBlockKind(p->m_nType) != KIND_FUNCTION)
            return;
        pDoc->m_nOptionCount[0] += (p->m_byOptions >> 2) & 1;
        pDoc->m_nOptionCount[1] += (p->m_byOptions >> 1) & 1;
        pDoc->m_nOptionCount[2] += p->m_byOptions & 1;
    });
}

void CTransferEngine::PlaceDisplayImage(CTavixCoreRule& rule, CTavixDoc* pDoc)
{
    // The start-up display image goes into the header at bytes 2..961, marked by byte 0x3FE:
    // converted from the program's logo file, else the image the program carries when it names
    // no file.
    if (rule.m_area0.size() < 0x400)
        return;
    BYTE image[kLogoBytes];
    bool placed = false;
    std::vector<std::uint8_t> file;
    if (!pDoc->m_strLogoPath.IsEmpty() && ReadWholeFile(pDoc->m_strLogoPath, file)
        && ConvertLogoBytes(file.data(), file.size(), image) == LogoResult::ok) {
        if (pDoc->m_bLogoInverse)
            for (BYTE& b : image)
                b = BYTE(~b);
        placed = true;
    } else if (pDoc->m_bLogoPresent && pDoc->m_pLogo != nullptr && pDoc->m_strLogoPath.IsEmpty()) {
        std::memcpy(image, pDoc->m_pLogo, kLogoBytes);
        placed = true;
    }
    if (!placed)
        return;
    std::memcpy(rule.m_area0.data() + 2, image, kLogoBytes);
    rule.m_area0[0x3FE] = 1;
}

int CTransferEngine::Download(CTavixDoc* pDoc)
{
    if (pDoc == nullptr)
        return 0;
    try {
        m_bDataMismatch = false;
        CountOptionBits(pDoc);
        int messageTexts = 0;
        int refused = 0;
        ForEachBlock(pDoc, [&](CBlockObj* p) {
            if (refused)
                return;
            if (auto* mr = dynamic_cast<CBlockMR*>(p)) {
                const int port = mr->m_nPort;
                if (port < 0 || port > 2 || pDoc->m_port[port][0] != 1) {
                    CString text;
                    text.Format(L"Error!, Modbus Block B%d's Port Setting Should be Master, Please Check!",
                                p->m_nNumber - 9000);
                    m_frame.PortMessageBox(text, kStopIcon);
                    refused = 1;
                }
            }
            if (pDoc->IsNewModel() && p->m_nType == 810)
                ++messageTexts;
        });
        if (refused)
            return 0;

        pDoc->UpdateBlockSizesForHardware();
        CTavixCoreRule rule;
        rule.SetDocument(pDoc);
        if (m_pCompileTime)
            rule.SetCompileTime(*m_pCompileTime);
        BOOL compiled = rule.AllocImageBuffers(CTavixCoreRule::modeDownload, messageTexts);
        if (compiled) {
            PlaceDisplayImage(rule, pDoc);
            compiled = rule.CompileProgram();
        }
        if (!compiled) {
            // What the compiler could not place goes to the log, so the program can be mended.
            if (!rule.GetLastError().IsEmpty())
                Log(rule.GetLastError() + L"\n");
            Box(IDS_INTERNAL_ERROR, kStopIcon);
            return 0;
        }
        rule.FinishImage();
        if (!TransferImage(rule, pDoc))
            return ReportSuspended(L"DownLoad Suspend!\n", IDS_DOWNLOAD_FAILED);
        return 1;
    } catch (...) {
        Progress(-1, 0);
        Box(IDS_DOWNLOAD_FAILED, kStopIcon);
        return 0;
    }
}

int CTransferEngine::TransferImage(CTavixCoreRule& rule, CTavixDoc* pDoc)
{
    const int jBytes = rule.m_nJSize;
    const int areaBytes = kArea0Bytes + jBytes;
    const int messageBytes = pDoc->IsNewModel() ? int(rule.m_msgTextWire.size()) : 0;
    const int total = 286 * messageBytes / 128 + 145 * areaBytes / 128 + 141 * areaBytes / 128 + 41;
    int counter = 0;
    TransferOutcome run;
    Progress(2, 0);
    if (!StartDownload(&run.error, 1, pDoc->m_nHardwareCode, pDoc->m_nMinFirmware)) {
        if (!run.StepFailed())
            return 0;
    } else {
        counter = 25;
    }
    struct Step {
        const BYTE* data;
        WORD first;
        int bytes;
        BYTE function;
        bool verify;
        LPCTSTR line;
    };
    const Step writes[] = {
        {rule.m_area0Wire.data(), kArea0Register, kArea0Bytes, 16, false, L"Write Data Error!\n"},
        {rule.m_areaJWire.data(), kAreaJRegister, jBytes, 16, false, L"Write Data Error!\n"},
        {rule.m_msgTextWire.data(), 0, messageBytes, 120, false, L"Write Data Error!\n"},
    };
    const Step verifies[] = {
        {rule.m_area0Wire.data(), kArea0Register, kArea0Bytes, 3, true, L"Verify Data Error!\n"},
        {rule.m_areaJWire.data(), kAreaJRegister, jBytes, 3, true, L"Verify Data Error!\n"},
        {rule.m_msgTextWire.data(), 0, messageBytes, 121, true, L"Verify Message Texts Data Error!\n"},
    };
    auto step = [&](const Step& s) {
        if (run.toEnd || s.bytes == 0)
            return true;
        const int ok = s.verify
            ? VerifyArea(s.data, s.first, s.bytes, &counter, total, &run.error, s.function)
            : WriteArea(s.data, s.first, s.bytes, &counter, total, &run.error, s.function);
        if (ok)
            return true;
        Log(s.line);
        return run.StepFailed();
    };
    for (const Step& s : writes)
        if (!step(s))
            return 0;
    if (!run.toEnd)
        Wait(5000);
    for (const Step& s : verifies)
        if (!step(s))
            return 0;

    if (!EndDownload(&run.error, run.success, 1)) {
        m_bDataMismatch = false;  // the line itself failed after all
        if (!run.EndFailed())
            return 0;
    }
    // A download the device did not take whole is a failed download, even when the device
    // answered every frame.
    if (!run.success)
        run.result = 0;
    if (run.result)
        Progress(2, 100);
    else
        Progress(-1, 0);
    return run.result;
}

int CTransferEngine::StartDownload(UINT* pError, int nMode, WORD wHardwareCode, WORD wMinFirmware)
{
    BYTE id[20];
    if (!ReadDeviceId(id, sizeof id, pError)) {
        // Without an identification the device's model is unknown, so nothing is written.
        if (*pError > LINK_ERROR_TIMEOUT && *pError != LINK_ERROR_EXCEPTION)
            LogResult(int(*pError - LINK_ERROR_TIMEOUT));
        if (*pError >= LINK_ERROR_TIMEOUT)
            *pError = LINK_ERROR_MACHINE_TYPE;
        return 0;
    }
    const BYTE machineType = id[3];
    if (nMode == 1 && machineType != BYTE(wHardwareCode >> 8)) {
        LogResult(LINK_MACHINE_TYPE_ERROR);
        *pError = LINK_ERROR_MACHINE_TYPE;
        return 0;
    }
    WORD expected = machineType > 0x50 ? 19 : 17;
    BYTE request[CModBus::kFrameBufferSize];
    const int n = m_modbus.BuildDownloadStartRequest(request);
    BYTE answer[CModBus::kFrameBufferSize] = {};
    if (!Exchange(request, n, answer, &expected, pError, 3000,
                  nMode == 4 ? L"Clear Program and Password Starts...\n" : L"DownLoad Starts...\n"))
        return 0;
    const int result = m_modbus.CheckDownloadStartReply(answer, expected, wHardwareCode,
                                                         wMinFirmware, nMode);
    if (result == LINK_OK)
        return 1;
    Log(L"RTU Function Code 100(0x64) Error->" + m_modbus.ResultText(result) + L"\n");
    *pError = 0;
    return 0;
}

int CTransferEngine::WriteArea(const BYTE* pData, WORD wFirstRegister, int nBytes, int* pCounter,
                               int nTotal, UINT* pError, BYTE byFunction)
{
    return ForEachFrame(wFirstRegister, nBytes, pError, [&](int at, WORD reg) {
        BYTE request[CModBus::kFrameBufferSize];
        const int n = m_modbus.BuildWriteMultipleRequest(reg, kFrameBytes / 2, pData + at, request,
                                                         byFunction);
        const int deadline = (at == 0 && byFunction == 16) ? 6000 : 3000;
        if (!ExchangeWrite(request, n, pError, deadline, pCounter))
            return 0;
        Progress(2, *pCounter * 100 / nTotal);
        return 1;
    });
}

int CTransferEngine::VerifyArea(const BYTE* pData, WORD wFirstRegister, int nBytes, int* pCounter,
                                int nTotal, UINT* pError, BYTE byFunction)
{
    return ForEachFrame(wFirstRegister, nBytes, pError, [&](int at, WORD reg) {
        BYTE answer[CModBus::kFrameBufferSize];
        if (!ReadFrame(byFunction, reg, answer, pError, pCounter))
            return 0;
        const BYTE* device = answer + 3;
        const BYTE* pc = pData + at;
        if (std::memcmp(device, pc, std::size_t(answer[2])) != 0) {
            if (byFunction == 121) {
                if (at == 0) {
                    const int i = int(std::mismatch(pc, pc + answer[2], device).first - pc);
                    CString line;
                    line.Format(L"Data mismatch! The Block data's [%d]th byte not match,PC=>[0x%02X%2X],Controller=>[0x%02X%2X]\n",
                                i, pc[i], i + 1 < kFrameBytes ? pc[i + 1] : 0, device[i],
                                i + 1 < kFrameBytes ? device[i + 1] : 0);
                    Log(line);
                }
                Log(L"Message Text : PC and Device Data Mismatch!\n");
            } else {
                Log(L"PC and Device Data Mismatch!\n");
            }
            m_bDataMismatch = true;
            *pError = 0;
            return 0;
        }
        Progress(2, *pCounter * 100 / nTotal);
        return 1;
    });
}

int CTransferEngine::EndDownload(UINT* pError, BYTE byResult, int nMode)
{
    BYTE request[CModBus::kFrameBufferSize];
    const int n = m_modbus.BuildDownloadDataRequest(byResult, request);
    BYTE answer[CModBus::kFrameBufferSize] = {};
    WORD expected = 8;
    if (!Exchange(request, n, answer, &expected, pError, 3000)) {
        Log(L"RTU Function Code 101(0x65) Receive Error!\n");
        return 0;
    }
    if (!m_modbus.CheckDownloadDataReply(answer, expected, byResult)) {
        Log(L"RTU Function Code 101(0x65) Error!\n");
        *pError = 0;
        return 0;
    }
    if (nMode == 4)
        Log(byResult == 1 ? L"Clear Program and Password Succeeds\n" : L"Clear Program and Password Fails\n");
    else
        Log(byResult == 1 ? L"DownLoad Succeeds\n" : L"DownLoad Fails\n");
    return 1;
}
