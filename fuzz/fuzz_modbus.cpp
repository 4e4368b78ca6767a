// Feeds arbitrary device answers to every answer check of the frame codec. The answers come
// from a serial line, so each check must stay inside the bytes it is given.
#include "comm/ModBus.h"

#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    // The first byte chooses the function code the caller expects; the rest is the answer,
    // copied into a buffer of exactly its length so that any over-read is caught.
    const BYTE function = data[0];
    std::vector<BYTE> answer(data + 1, data + size);
    const int length = static_cast<int>(answer.size());
    const BYTE* p = answer.empty() ? nullptr : answer.data();
    std::vector<BYTE> empty(1, 0);
    if (!p)
        p = empty.data();

    CModBus bus;
    bus.CheckReadResponse(p, length, function);
    bus.CheckMemoryReadReply(p, length);
    bus.CheckDownloadStartReply(p, length, 0x5188, 0, function & 7);
    bus.CheckUploadStartReply(p, length);
    bus.CheckDownloadDataReply(p, length, function);
    bus.CheckUploadDataReply(p, length, function);
    bus.CheckFc110Reply(p, length);
    bus.CheckSettingReply(p, length, function);
    BYTE request[8] = {1, 16, 0x8C, 0x00, 0x00, 0x40, 0, 0};
    CModBus::AppendCRC(request, 6);
    bus.CheckWriteEcho(p, length, request);
    CModBus::IsCRCValid(p, length);
    if (length >= 3) {
        CString text;
        CModBus::FormatException(p, text);
    }
    return 0;
}
