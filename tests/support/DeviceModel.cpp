#include "tests/support/DeviceModel.h"

#include "comm/ModBus.h"

#include <algorithm>

namespace {

WORD Word(const std::vector<BYTE>& f, std::size_t at)
{
    return WORD((f[at] << 8) | f[at + 1]);
}

void PutWord(std::vector<BYTE>& f, WORD w)
{
    f.push_back(BYTE(w >> 8));
    f.push_back(BYTE(w & 0xFF));
}

bool CrcOk(const std::vector<BYTE>& f)
{
    return f.size() >= 4 && CModBus::CRC16(f.data(), int(f.size())) == 0;
}

} // namespace

void AppendCrc(std::vector<BYTE>& frame)
{
    const int crc = CModBus::CRC16(frame.data(), int(frame.size()));
    frame.push_back(BYTE(crc >> 8));
    frame.push_back(BYTE(crc & 0xFF));
}

std::vector<BYTE> ExceptionAnswer(BYTE addr, BYTE fc, BYTE code)
{
    std::vector<BYTE> a = {addr, BYTE(fc | 0x80), code};
    AppendCrc(a);
    return a;
}

DeviceModel::DeviceModel()
    : holding(65536, 0), inputs(65536, 0), messages(65536, 0), coils(65536, 0),
      discretes(65536, 0)
{
    // A read-only MAC of 12 characters, two per register, low byte first.
    const char mac[] = "A1B2C3D4E5F6";
    for (int i = 0; i < 6; ++i)
        holding[std::size_t(9273 + i)] = WORD(BYTE(mac[2 * i]) | (BYTE(mac[2 * i + 1]) << 8));
    remoteFactoryBlock.fill(0);
}

void DeviceModel::SetPassword(const std::string& typed)
{
    password.fill(0xFF);
    for (std::size_t i = 0; i < typed.size() && i < 8; ++i)
        password[i ^ 1] = BYTE(typed[i]);
    hasPassword = !typed.empty();
}

int DeviceModel::RequestLength(const std::vector<BYTE>& frame)
{
    if (frame.size() < 2)
        return 0;
    switch (frame[1]) {
    case 1: case 2: case 3: case 4: case 5: case 6:
    case 100: case 101: case 102: case 103: case 121: case 234:
        return 8;
    case 249:
        return 9;
    case 233:
        return 16;
    case 15: case 16: case 110: case 120: case 220:
        return frame.size() < 7 ? 0 : 9 + frame[6];
    default:
        return -1;
    }
}

std::vector<BYTE> DeviceModel::ReadBits(BYTE addr, BYTE fc, const std::vector<BYTE>& bits,
                                        WORD start, WORD count)
{
    if (count < 1 || count > 2000)
        return ExceptionAnswer(addr, fc, 3);
    if (DWORD(start) + count > bits.size())
        return ExceptionAnswer(addr, fc, 2);
    std::vector<BYTE> a = {addr, fc, BYTE((count + 7) / 8)};
    for (int i = 0; i < count; i += 8) {
        BYTE b = 0;
        for (int k = 0; k < 8 && i + k < count; ++k)
            if (bits[std::size_t(start + i + k)])
                b |= BYTE(1 << k);
        a.push_back(b);
    }
    AppendCrc(a);
    return a;
}

std::vector<BYTE> DeviceModel::ReadWords(BYTE addr, BYTE fc, const std::vector<WORD>& words,
                                         WORD start, WORD count)
{
    if (count < 1 || count > 125)
        return ExceptionAnswer(addr, fc, 3);
    if (DWORD(start) + count > words.size())
        return ExceptionAnswer(addr, fc, 2);
    std::vector<BYTE> a = {addr, fc, BYTE(2 * count)};
    for (WORD i = 0; i < count; ++i)
        PutWord(a, words[std::size_t(start + i)]);
    AppendCrc(a);
    return a;
}

std::vector<BYTE> DeviceModel::StartAnswer(BYTE addr, BYTE fc, bool upload)
{
    const bool longAnswer = machineType > 0x50 && !memoryCard;
    const BYTE count = longAnswer ? 14 : 12;
    std::vector<BYTE> a(3 + count, 0);
    a[0] = addr;
    a[1] = fc;
    a[2] = count;
    a[3] = memoryCard ? 0x88 : machineType;
    a[4] = memoryCard ? 0x99 : idByte4;
    a[7] = BYTE(firmware >> 8);
    a[8] = BYTE(firmware & 0xFF);
    if (upload) {
        const WORD passwordField = hasPassword ? 0x0001 : 0x0000;
        a[11] = BYTE(passwordField >> 8);
        a[12] = BYTE(passwordField & 0xFF);
        a[13] = BYTE(programWords >> 8);
        a[14] = BYTE(programWords & 0xFF);
        if (longAnswer) {
            a[15] = BYTE(messageWords >> 8);
            a[16] = BYTE(messageWords & 0xFF);
        }
    }
    AppendCrc(a);
    return a;
}

void DeviceModel::FinishDownload()
{
    if (m_highestProgramReg > kAreaStart) {
        const auto first = holding.begin() + kAreaStart;
        const auto last = holding.begin() + m_highestProgramReg;
        const bool cleared = std::all_of(first, last, [](WORD w) { return w == 0xFFFF; });
        programWords = cleared ? WORD(0xFFFF) : WORD(m_highestProgramReg - kAreaStart);
    }
    if (m_highestMessageReg > 0)
        messageWords = m_highestMessageReg;
    m_highestProgramReg = 0;
    m_highestMessageReg = 0;
}

std::vector<BYTE> DeviceModel::Answer(const std::vector<BYTE>& r)
{
    if (r.size() < 4 || !CrcOk(r))
        return {};
    const BYTE addr = r[0];
    if (addr != 0 && addr != slaveAddress)
        return {};
    const BYTE fc = r[1];
    const std::size_t n = r.size();
    std::vector<BYTE> echo(r.begin(), r.end());

    switch (fc) {
    case 1:
        return ReadBits(addr, fc, coils, Word(r, 2), Word(r, 4));
    case 2:
        return ReadBits(addr, fc, discretes, Word(r, 2), Word(r, 4));
    case 3: {
        const WORD start = Word(r, 2);
        const WORD count = Word(r, 4);
        holding[210] = WORD((machineType << 8) | idByte4);
        if (machineType == kRemoteModule && start == 666 && count == 1) {
            // The remote module restores its factory settings when asked for register 666
            // alone; a wider read covering it (as a monitor's poll) is an ordinary read.
            std::copy(remoteFactoryBlock.begin(), remoteFactoryBlock.end(), holding.begin());
            ++factoryResets;
        }
        return ReadWords(addr, fc, holding, start, count);
    }
    case 4:
        return ReadWords(addr, fc, inputs, Word(r, 2), Word(r, 4));
    case 121:
        return ReadWords(addr, fc, messages, Word(r, 2), Word(r, 4));
    case 6: {
        const WORD reg = Word(r, 2);
        if (reg >= 9273 && reg <= 9278)
            return ExceptionAnswer(addr, fc, 2);  // the MAC is read-only
        holding[reg] = Word(r, 4);
        return echo;
    }
    case 16:
    case 120: {
        const WORD start = Word(r, 2);
        const WORD count = Word(r, 4);
        if (count < 1 || count > 123 || r[6] != 2 * count || n != 9u + r[6])
            return ExceptionAnswer(addr, fc, 3);
        if (DWORD(start) + count > 65536)
            return ExceptionAnswer(addr, fc, 2);
        std::vector<WORD>& space = fc == 16 ? holding : messages;
        for (WORD i = 0; i < count; ++i)
            space[std::size_t(start + i)] = Word(r, 7 + 2u * i);
        const WORD end = WORD(std::min<DWORD>(DWORD(start) + count, 0xFFFF));
        if (fc == 16 && start >= kAreaStart)
            m_highestProgramReg = std::max(m_highestProgramReg, end);
        if (fc == 120)
            m_highestMessageReg = std::max(m_highestMessageReg, end);
        std::vector<BYTE> a(r.begin(), r.begin() + 6);
        AppendCrc(a);
        return a;
    }
    case 100:
        m_highestProgramReg = 0;
        m_highestMessageReg = 0;
        return StartAnswer(addr, fc, false);
    case 102:
        return StartAnswer(addr, fc, true);
    case 101:
        lastEndResult = r[5];
        if (r[5] == 1)
            FinishDownload();
        return echo;
    case 103:
        lastEndResult = r[5];
        return echo;
    case 110: {
        const bool ok = !hasPassword || std::equal(password.begin(), password.end(), r.begin() + 7);
        passwordAccepted += ok ? 1 : 0;
        std::vector<BYTE> a = {addr, fc, BYTE(ok ? 2 : 1), 0, 0};
        AppendCrc(a);
        return a;
    }
    case 220: {
        // Clock: [day of week,] year, month, day, hour, minute, second as big-endian words.
        const int bytes = r[6];
        const int words = bytes / 2;
        const int skip = words >= 7 ? 1 : 0;
        for (int i = 0; i + skip < words && i < 6; ++i)
            holding[std::size_t(301 + i)] = Word(r, 7 + 2u * std::size_t(i + skip));
        std::vector<BYTE> a = {addr, fc, machineType, idByte4, 0, BYTE(words)};
        AppendCrc(a);
        return a;
    }
    case 233: {
        // Written as [mode, 0, 0, 0, end month, end day, start month, start day, difference,
        // 0, 0, 0]; kept in memory as mode, end month, end day, start month, start day and
        // difference at the even offsets.
        const BYTE* d = &r[2];
        summerWinter.fill(0);
        summerWinter[0] = d[0];
        summerWinter[2] = d[4];
        summerWinter[4] = d[5];
        summerWinter[6] = d[6];
        summerWinter[8] = d[7];
        summerWinter[10] = d[8];
        return echo;
    }
    case 234:
        holding[262] = r[3];
        holding[263] = Word(r, 4);
        return echo;
    case 249: {
        const DWORD address = (DWORD(r[2]) << 24) | (DWORD(r[3]) << 16) | (DWORD(r[4]) << 8) | r[5];
        const BYTE count = r[6];
        if (address != kSummerWinterAddress && address != kSummerWinterAddress2)
            return ExceptionAnswer(addr, fc, 2);
        std::vector<BYTE> a(r.begin(), r.begin() + 7);
        for (BYTE i = 0; i < count; ++i)
            a.push_back(i < summerWinter.size() ? summerWinter[i] : 0);
        AppendCrc(a);
        return a;
    }
    default:
        return ExceptionAnswer(addr, fc, 1);
    }
}
