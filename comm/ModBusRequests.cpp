// Request frames of the device link.
#include "comm/ModBus.h"

#include <cstring>

namespace {

void PutWord(BYTE* p, WORD w)
{
    p[0] = BYTE(w >> 8);
    p[1] = BYTE(w & 0xFF);
}

} // namespace

int CModBus::Finish(BYTE* buffer, int n)
{
    return AppendCRC(buffer, n) == 0 ? n + 2 : -1;
}

int CModBus::BuildReadRequest(WORD wRegister, WORD wCount, BYTE* buffer, BYTE byFunction)
{
    buffer[0] = m_byAddress;
    buffer[1] = byFunction;
    PutWord(buffer + 2, wRegister);
    PutWord(buffer + 4, wCount);
    return Finish(buffer, 6);
}

int CModBus::BuildMemoryReadRequest(DWORD dwAddress, BYTE byCount, BYTE* buffer)
{
    buffer[0] = m_byAddress;
    buffer[1] = 249;
    PutWord(buffer + 2, WORD(dwAddress >> 16));
    PutWord(buffer + 4, WORD(dwAddress & 0xFFFF));
    buffer[6] = byCount;
    return Finish(buffer, 7);
}

int CModBus::BuildWriteMultipleRequest(WORD wRegister, WORD wCount, const BYTE* data,
                                       BYTE* buffer, BYTE byFunction)
{
    // 7 header bytes, the data and the CRC must fit the frame buffer: at most 76 registers.
    if (7 + 2 * int(wCount) + 2 > kFrameBufferSize)
        return -1;
    buffer[0] = m_byAddress;
    buffer[1] = byFunction;
    PutWord(buffer + 2, wRegister);
    PutWord(buffer + 4, wCount);
    buffer[6] = BYTE(2 * wCount);
    std::memcpy(buffer + 7, data, 2 * std::size_t(wCount));
    return Finish(buffer, 7 + 2 * wCount);
}

int CModBus::BuildWriteSingleRequest(WORD wRegister, const BYTE* data, BYTE* buffer,
                                     BYTE byFunction)
{
    buffer[0] = m_byAddress;
    buffer[1] = byFunction;
    PutWord(buffer + 2, wRegister);
    buffer[4] = data[0];
    buffer[5] = data[1];
    return Finish(buffer, 6);
}

namespace {

// The 6-byte private frames: address, function, 0, 0, 0, one value byte.
int BuildShortFrame(CModBus& codec, BYTE function, BYTE value, BYTE* buffer)
{
    buffer[0] = codec.m_byAddress;
    buffer[1] = function;
    buffer[2] = 0;
    buffer[3] = 0;
    buffer[4] = 0;
    buffer[5] = value;
    return CModBus::AppendCRC(buffer, 6) == 0 ? 8 : -1;
}

} // namespace

int CModBus::BuildDownloadStartRequest(BYTE* buffer)
{
    return BuildShortFrame(*this, 100, 1, buffer);
}

int CModBus::BuildDownloadDataRequest(BYTE byResult, BYTE* buffer)
{
    return BuildShortFrame(*this, 101, byResult, buffer);
}

int CModBus::BuildUploadStartRequest(BYTE* buffer)
{
    return BuildShortFrame(*this, 102, 1, buffer);
}

int CModBus::BuildUploadDataRequest(BYTE byResult, BYTE* buffer)
{
    return BuildShortFrame(*this, 103, byResult, buffer);
}

int CModBus::BuildFc110Request(const BYTE* password, BYTE* buffer)
{
    buffer[0] = m_byAddress;
    buffer[1] = 110;
    buffer[2] = 0;
    buffer[3] = 0;
    buffer[4] = 0;
    buffer[5] = 4;
    buffer[6] = 8;
    std::memcpy(buffer + 7, password, 8);
    return Finish(buffer, 15);
}

int CModBus::BuildSettingRequest(const BYTE* data, int n, BYTE* buffer, BYTE byFunction,
                                 WORD wRegister)
{
    if (byFunction == 220) {
        // The byte count travels in one byte, and the frame must fit the buffer.
        if (n < 0 || n > 255 || 7 + n + 2 > kFrameBufferSize)
            return -1;
        buffer[0] = m_byAddress;
        buffer[1] = byFunction;
        PutWord(buffer + 2, wRegister);
        buffer[4] = 0;
        buffer[5] = BYTE(n / 2);
        buffer[6] = BYTE(n);
        if (n)
            std::memcpy(buffer + 7, data, std::size_t(n));
        return Finish(buffer, 7 + n);
    }
    if (byFunction == 233 || byFunction == 234) {
        if (n < 0 || 2 + n + 2 > kFrameBufferSize)
            return -1;
        buffer[0] = m_byAddress;
        buffer[1] = byFunction;
        if (n)
            std::memcpy(buffer + 2, data, std::size_t(n));
        return Finish(buffer, 2 + n);
    }
    return 0;
}
