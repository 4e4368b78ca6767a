// The frame codec of the device link: Modbus RTU request frames, answer checks and the CRC-16.
#pragma once

#include "platform/base/WinTypes.h"

class CModBus
{
public:
    CModBus();
    virtual ~CModBus();

    // CRC-16/MODBUS (initial value 0xFFFF, reflected polynomial 0xA001) over the low 16 bits of
    // `length` bytes. The byte sent first (the CRC's low byte) is returned in bits 8-15, the byte
    // sent second in bits 0-7; no bytes give 0xFFFF.
    static int CRC16(const BYTE* data, int length);

    // Writes the CRC behind the first n bytes of the frame, low byte first. Returns -1 and writes
    // nothing when n > 159 (a frame buffer holds 161 bytes), else 0.
    static int AppendCRC(BYTE* buffer, int n);

    static constexpr int kFrameBufferSize = 161;
};
