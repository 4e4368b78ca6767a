// The upload, which reads the device's program into a new document, and the clear, which writes
// an empty image over the device's program and password.
#include "comm/TransferEngine.h"

#include "comm/TransferOutcome.h"
#include "document/TavixDoc.h"
#include "elements/BlockObj.h"
#include "image/ImageLayout.h"
#include "image/TavixCoreRule.h"
#include "resources/resource.h"
#include "shell/MainFrame.h"
#include "view/DiagramLayout.h"
#include "view/TavixView.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

constexpr UINT kStopIcon = 0x10;
constexpr UINT kQuestionIcon = 0x20;
constexpr UINT kExclamationIcon = 0x30;
constexpr UINT kYesNo = 0x04;
constexpr int kIdYes = 6;
constexpr int kMessageTextBytes = 1280;
constexpr int kMaxMessageTexts = 64;

// Program sizes the upload start may report that are not a program.
constexpr int kSizeEmpty = -1;
constexpr int kSizeInvalid = -2;

void ExchangeBytes(const std::vector<BYTE>& from, std::vector<BYTE>& to, std::size_t n)
{
    to.resize(std::max(to.size(), n));
    for (std::size_t i = 0; i + 1 < n; i += 2) {
        to[i] = from[i + 1];
        to[i + 1] = from[i];
    }
}

} // namespace

int CTransferEngine::StartUpload(CTavixCoreRule& rule, UINT* pError)
{
    BYTE id[20];
    if (!ReadDeviceId(id, sizeof id, pError)) {
        // An unidentified device is not read: its program could not be told apart.
        if (*pError >= LINK_ERROR_TIMEOUT)
            *pError = LINK_ERROR_MACHINE_TYPE;
        return 0;
    }
    WORD expected = id[3] > 0x50 ? 19 : 17;
    BYTE request[CModBus::kFrameBufferSize];
    const int n = m_modbus.BuildUploadStartRequest(request);
    BYTE answer[CModBus::kFrameBufferSize] = {};
    if (!Exchange(request, n, answer, &expected, pError, 3000, L"UpLoad Starts...\n"))
        return 0;
    const int result = m_modbus.CheckUploadStartReply(answer, expected);
    if (result > 2) {
        Log(L"RTU Function Code 102->" + m_modbus.ResultText(result) + L"\n");
        // A device without a program (just cleared, or new) is not a failed line: the upload
        // ends with the device told and "program is empty", not with the cable question.
        if (result == LINK_NO_PROGRAM)
            m_nUploadProgramBytes = kSizeEmpty;
        *pError = 0;
        return 0;
    }
    m_wUploadMachineType = answer[3];
    m_nUploadProgramBytes = 2 * ((answer[13] << 8) | answer[14]);
    m_nUploadMessageBytes = (answer[3] >= 0x51 && expected == 19) ? 2 * ((answer[15] << 8) | answer[16]) : 0;
    (void)rule;
    return result;
}

int CTransferEngine::SendUploadPassword(UINT* pError)
{
    BYTE typed[8];
    std::fill(typed, typed + 8, BYTE(0xFF));
    m_nPasswordResult = m_askPassword ? m_askPassword(typed) : 2;
    if (m_nPasswordResult == 2)
        return 0;
    BYTE wire[8];
    for (int i = 0; i < 8; ++i)
        wire[i] = typed[i ^ 1];
    BYTE request[CModBus::kFrameBufferSize];
    const int n = m_modbus.BuildFc110Request(wire, request);
    BYTE answer[CModBus::kFrameBufferSize] = {};
    WORD expected = 7;
    if (!Exchange(request, n, answer, &expected, pError, 3000))
        return 0;
    if (m_modbus.CheckFc110Reply(answer, expected))
        return 1;
    m_nPasswordResult = 0;
    *pError = 0;
    return 0;
}

int CTransferEngine::ReadArea(std::vector<BYTE>& out, BYTE byFunction, WORD wFirstRegister,
                              int nBytes, int nDoneBefore, int nTotal, UINT* pError)
{
    out.assign(std::size_t(nBytes), 0);
    return ForEachFrame(wFirstRegister, nBytes, pError, [&](int at, WORD reg) {
        BYTE answer[CModBus::kFrameBufferSize];
        if (!ReadFrame(byFunction, reg, answer, pError))
            return 0;
        std::memcpy(out.data() + at, answer + 3, kFrameBytes);
        Progress(2, (nDoneBefore + at + kFrameBytes) * 100 / nTotal);
        return 1;
    });
}

int CTransferEngine::EndUpload(BYTE byResult, UINT* pError, int nProgramSize)
{
    BYTE request[CModBus::kFrameBufferSize];
    const int n = m_modbus.BuildUploadDataRequest(byResult, request);
    BYTE answer[CModBus::kFrameBufferSize] = {};
    WORD expected = 8;
    if (!Exchange(request, n, answer, &expected, pError, 3000))
        return 0;
    if (!m_modbus.CheckUploadDataReply(answer, expected, byResult)) {
        Log(L"RTU Function Code 103 Error!\n");
        *pError = 0;
        return 0;
    }
    if (byResult == 1)
        Log(L"UpLoad Succeeds\n");
    else if (nProgramSize == kSizeEmpty || nProgramSize == 0)
        Log(L"UpLoad Aborts\n");
    else
        Log(L"UpLoad Fails\n");
    return 1;
}

int CTransferEngine::ReceiveImage(CTavixCoreRule& rule)
{
    TransferOutcome run;
    bool ownMessage = false;  // the failure has a message of its own (password, sizes)
    m_nPasswordResult = 1;
    m_nUploadProgramBytes = 0;
    m_nUploadMessageBytes = 0;
    Progress(2, 0);
    const int start = StartUpload(rule, &run.error);
    if (start == 0) {
        ownMessage = m_nUploadProgramBytes == kSizeEmpty;
        if (!run.StepFailed())
            return 0;
    } else if (start == 2 && !SendUploadPassword(&run.error)) {
        ownMessage = m_nPasswordResult != 1;
        if (!run.StepFailed())
            return 0;
    }
    int& size = m_nUploadProgramBytes;
    if (!run.toEnd) {
        const int messages = m_nUploadMessageBytes;
        if (size == 0 || size == 2 * 0xFFFF) {
            Box(IDS_DEVICE_PROGRAM_EMPTY, kExclamationIcon);
            size = kSizeEmpty;
        } else if (size < kArea0Bytes || size > kArea0Bytes + kMaxJSize || size % kFrameBytes != 0
                   || messages % kMessageTextBytes != 0
                   || messages > kMaxMessageTexts * kMessageTextBytes) {
            // Sizes the device image cannot have: nothing is read.
            size = kSizeInvalid;
            run.success = 0;
            ownMessage = true;
        } else {
            rule.m_nJSize = size - kArea0Bytes;
            rule.m_nMsgTextBytes = messages;
            if (!rule.AllocImageBuffers(CTavixCoreRule::modeUpload, messages / kMessageTextBytes)) {
                size = kSizeInvalid;
                run.success = 0;
                ownMessage = true;
            } else {
                const int total = size + messages;
                std::vector<BYTE> program;
                if (!ReadArea(program, 3, kArea0Register, size, 0, total, &run.error)) {
                    Log(L"Read Data Error!\n");
                    if (!run.StepFailed())
                        return 0;
                } else {
                    std::copy(program.begin(), program.begin() + kArea0Bytes, rule.m_area0Wire.begin());
                    std::copy(program.begin() + kArea0Bytes, program.end(), rule.m_areaJWire.begin());
                    if (messages > 0
                        && !ReadArea(rule.m_msgTextWire, 121, 0, messages, size, total, &run.error)) {
                        Log(L"Read Message Texts Data Error!\n");
                        if (!run.StepFailed())
                            return 0;
                    }
                }
            }
        }
    }
    if (!EndUpload(run.success, &run.error, size) && !run.EndFailed())
        return 0;
    // A failed read is a failed upload; the password and size failures are told by Upload.
    if (!run.success && !ownMessage)
        run.result = 0;
    if (run.result && run.success)
        Progress(2, 100);
    else
        Progress(-1, 0);
    return run.result;
}

int CTransferEngine::Upload()
{
    CTavixCoreRule rule;
    CTavixDoc* pDoc = nullptr;
    m_bDataMismatch = false;
    try {
        if (!ReceiveImage(rule))
            return ReportSuspended(L"UpLoad Suspend!\n", IDS_UPLOAD_FAILED);
        if (m_nPasswordResult == 0) {
            Box(IDS_WRONG_PASSWORD_UPLOAD, kExclamationIcon);
            m_nPasswordResult = 1;
            return 0;
        }
        if (m_nUploadProgramBytes == kSizeEmpty || m_nUploadProgramBytes == 0) {
            Box(IDS_DEVICE_PROGRAM_EMPTY, kExclamationIcon);
            return 0;
        }
        if (m_nUploadProgramBytes == kSizeInvalid) {
            Box(IDS_PROJECT_SIZE_ERROR, kExclamationIcon);
            return 0;
        }
        if (m_nPasswordResult == 2)
            return 0;

        ExchangeBytes(rule.m_area0Wire, rule.m_area0, std::size_t(kArea0Bytes));
        ExchangeBytes(rule.m_areaJWire, rule.m_areaJ, std::size_t(rule.m_nJSize));
        if (rule.m_nMsgTextBytes > 0)
            ExchangeBytes(rule.m_msgTextWire, rule.m_msgText, std::size_t(rule.m_nMsgTextBytes));

        pDoc = m_newDocument ? m_newDocument() : nullptr;
        if (pDoc == nullptr) {
            Box(IDS_UPLOAD_FAILED, kStopIcon);
            return 0;
        }
        CString drawing;
        if (drawing.LoadString(IDS_DRAWING_BLOCKS))
            Log(drawing);
        rule.SetDocument(pDoc);
        CTavixCoreRule::InitOpcodeTables();
        if (!rule.DecodeSettings() || !rule.DecodeImage()) {
            // A program that cannot be decoded leaves no half-drawn document behind.
            const CString why = rule.GetLastError();
            if (!why.IsEmpty())
                Log(why + L"\n");
            Log(L"UpLoad Suspend!\n");
            if (m_discardDocument)
                m_discardDocument(pDoc);
            Box(IDS_UPLOAD_FAILED, kStopIcon);
            return 0;
        }
        LayOutUploaded(pDoc);
        g_wHardwareCode = pDoc->m_nHardwareCode;
        ShowSeriesOf(pDoc);
        CString done;
        if (done.LoadString(IDS_DRAWING_DONE))
            Log(done);
        return 1;
    } catch (...) {
        Progress(-1, 0);
        if (pDoc && m_discardDocument)
            m_discardDocument(pDoc);
        Box(IDS_UPLOAD_FAILED, kStopIcon);
        return 0;
    }
}

void CTransferEngine::LayOutUploaded(CTavixDoc* pDoc)
{
    // The program is laid out and wired in the document's own view when it has one (so that its
    // scroll sizes follow), else in a view without a window; the layout is the upload's one
    // undo step.
    CTavixView* pView = nullptr;
    for (POSITION pos = pDoc->GetFirstViewPosition(); pos && !pView;)
        pView = dynamic_cast<CTavixView*>(pDoc->GetNextView(pos));
    if (pView) {
        CDiagramLayout::LayOutDecoded(*pView);
        // The view was made before the decode put the message texts in: their priorities are
        // taken now, so a text inserted or pasted later gets a free one.
        pView->RebuildMessageTextSlots();
        return;
    }
    CTavixView view(pDoc, nullptr);
    CDiagramLayout::LayOutDecoded(view);
}

void CTransferEngine::ShowSeriesOf(CTavixDoc* pDoc)
{
    // The status bar names the series of the program just drawn, as it does for an opened file;
    // the frame makes the series label when this is the first program it shows.
    CString name = pDoc->m_strHardwareName;
    CMainFrame::GetSeriesName(pDoc->m_nHardwareCode, &name, nullptr);
    CMainFrame::SetSeriesText(name);
    m_frame.ShowSeriesOf(pDoc);
    if (CWnd* label = m_frame.m_pSeriesLabel; label && label->m_hWnd)
        label->UpdateWindow();
}

int CTransferEngine::ClearProgram(CTavixDoc* pActive)
{
    if (Box(IDS_CONFIRM_CLEAR_DEVICE, kYesNo | kQuestionIcon) != kIdYes)
        return 0;
    m_bDataMismatch = false;
    try {
        if (pActive)
            pActive->UpdateBlockSizesForHardware();
        CTavixCoreRule rule;
        rule.AllocImageBuffers(CTavixCoreRule::modeClear, 0);
        if (!ClearImage(rule))
            return ReportSuspended(L"Clear Program Suspend!\n", IDS_CLEAR_FAILED);
        return 1;
    } catch (...) {
        Progress(-1, 0);
        Box(IDS_CLEAR_FAILED, kStopIcon);
        return 0;
    }
}

int CTransferEngine::ClearImage(CTavixCoreRule& rule)
{
    const int bytes = int(rule.m_area0Wire.size());
    const int total = 145 * bytes / 128 + 141 * bytes / 128 + 41;
    int counter = 0;
    UINT error = 0;
    int result = 1;
    BYTE success = 1;
    Progress(2, 0);
    // Unlike the download, a time-out here ends the exchange without an end frame.
    auto failed = [&](LPCTSTR line) {
        if (line)
            Log(line);
        success = 0;
        return error == 0 || error > LINK_ERROR_TIMEOUT;
    };
    bool toEnd = false;
    if (!StartDownload(&error, 4, 0, 0)) {
        if (!failed(nullptr))
            return 0;
        toEnd = true;
    } else {
        counter = 25;
    }
    if (!toEnd && !WriteArea(rule.m_area0Wire.data(), kArea0Register, bytes, &counter, total, &error)) {
        if (!failed(L"Write Data Error!\n"))
            return 0;
        toEnd = true;
    }
    if (!toEnd && !VerifyArea(rule.m_area0Wire.data(), kArea0Register, bytes, &counter, total, &error)) {
        if (!failed(L"Verify Data Error!\n"))
            return 0;
    }
    if (!EndDownload(&error, success, 4)) {
        if (error != 0 && error <= LINK_ERROR_TIMEOUT)
            return 0;
        result = 0;
    }
    if (!success)
        result = 0;
    if (result)
        Progress(2, 100);
    else
        Progress(-1, 0);
    Wait(2000);
    return result;
}
