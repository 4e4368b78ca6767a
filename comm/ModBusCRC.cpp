// The CRC-16 of the Modbus RTU frames.
#include "comm/ModBus.h"

#include <array>

namespace {

// The two 256-entry tables of the Modbus RTU check, split as the Modbus documents publish them:
// kTable[i] is the reflected 0xA001 CRC of the single byte i, whose low byte updates the running
// "first to send" byte and whose high byte becomes the "second to send" byte.
constexpr std::array<WORD, 256> MakeTable()
{
    std::array<WORD, 256> table{};
    for (int i = 0; i < 256; ++i) {
        WORD crc = WORD(i);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? WORD((crc >> 1) ^ 0xA001) : WORD(crc >> 1);
        table[std::size_t(i)] = crc;
    }
    return table;
}

constexpr std::array<WORD, 256> kTable = MakeTable();

} // namespace

int CModBus::CRC16(const BYTE* data, int length)
{
    const int n = length & 0xFFFF;
    BYTE first = 0xFF;   // the CRC's low byte, sent first
    BYTE second = 0xFF;  // the CRC's high byte, sent second
    for (int i = 0; i < n; ++i) {
        const WORD entry = kTable[BYTE(first ^ data[i])];
        first = BYTE(second ^ (entry & 0xFF));
        second = BYTE(entry >> 8);
    }
    return (int(first) << 8) | second;
}

int CModBus::AppendCRC(BYTE* buffer, int n)
{
    if (n < 0 || n > kFrameBufferSize - 2)
        return -1;
    const int crc = CRC16(buffer, n);
    buffer[n] = BYTE(crc >> 8);
    buffer[n + 1] = BYTE(crc & 0xFF);
    return 0;
}

bool CModBus::IsCRCValid(const BYTE* frame, int length)
{
    if (length < 2)
        return false;
    const int crc = CRC16(frame, length - 2);
    return frame[length - 2] == BYTE(crc >> 8) && frame[length - 1] == BYTE(crc & 0xFF);
}
