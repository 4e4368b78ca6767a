// Wire layouts of the device settings.
#include "comm/DeviceSettings.h"

#include <algorithm>

namespace {

void PutBigEndian(std::vector<BYTE>& out, int value)
{
    out.push_back(BYTE((value >> 8) & 0xFF));
    out.push_back(BYTE(value & 0xFF));
}

int BigEndianAt(const BYTE* p, int i)
{
    return (p[2 * i] << 8) | p[2 * i + 1];
}

void PutLittleEndian(std::vector<BYTE>& block, std::size_t at, int value)
{
    block[at] = BYTE(value & 0xFF);
    block[at + 1] = BYTE((value >> 8) & 0xFF);
}

int LittleEndianAt(const std::vector<BYTE>& block, std::size_t at)
{
    return block[at] | (block[at + 1] << 8);
}

// Device mode of a rule: 0 off, 1 freely adjustable, 2..7 the regional presets.
BYTE SummerMode(const SummerTimeSettings& s)
{
    if (!s.bActive)
        return 0;
    if (s.nPreset == SummerTimeSettings::kFreePreset)
        return 1;
    return BYTE(s.nPreset + 2);
}

// Sleep times of the remote module in tenths of a second, by list index.
constexpr int kSleepValues[6] = {0, 300, 600, 1200, 3000, 6000};

constexpr std::size_t kRemoteBlockBytes = 148;
constexpr std::size_t kRemoteKeyStart = 120;
constexpr int kRemoteKeyDigits = 6;

// Text of at most `limit` characters as bytes (low 8 bits), followed by a line feed.
void PutRemoteText(std::vector<BYTE>& block, std::size_t at, const CString& text, int limit)
{
    const int n = std::min(text.GetLength(), limit);
    for (int i = 0; i < n; ++i)
        block[at + std::size_t(i)] = BYTE(text[i] & 0xFF);
    block[at + std::size_t(n)] = 0x0A;
}

CString RemoteText(const std::vector<BYTE>& block, std::size_t at, int limit)
{
    CString text;
    for (int i = 0; i < limit; ++i) {
        const BYTE b = block[at + std::size_t(i)];
        if (b == 0x0A || b == 0)
            break;
        text += wchar_t(b);
    }
    return text;
}

} // namespace

std::vector<BYTE> EncodeClock(const ClockSettings& c, BYTE byMachineType)
{
    std::vector<BYTE> data;
    if (byMachineType < 0x11)
        return data;
    if (byMachineType >= 0x51)
        PutBigEndian(data, c.nDayOfWeek);
    for (int v : {c.nYear, c.nMonth, c.nDay, c.nHour, c.nMinute, c.nSecond})
        PutBigEndian(data, v);
    return data;
}

std::vector<BYTE> EncodeCalibration(int nCalibration)
{
    const int magnitude = nCalibration < 0 ? -nCalibration : nCalibration;
    return {0, BYTE(nCalibration < 0 ? 1 : 0), BYTE((magnitude >> 8) & 0xFF), BYTE(magnitude & 0xFF)};
}

void DecodeClock(const BYTE* pData, ClockSettings& c)
{
    c.nYear = BigEndianAt(pData, 0);
    c.nMonth = BigEndianAt(pData, 1);
    c.nDay = BigEndianAt(pData, 2);
    c.nHour = BigEndianAt(pData, 3);
    c.nMinute = BigEndianAt(pData, 4);
    c.nSecond = BigEndianAt(pData, 5);
}

int DecodeCalibration(const BYTE* pData)
{
    const int magnitude = BigEndianAt(pData, 1);
    return pData[1] != 0 ? -magnitude : magnitude;
}

std::array<BYTE, 12> EncodeSummerTime(const SummerTimeSettings& s)
{
    std::array<BYTE, 12> d{};
    d[0] = SummerMode(s);
    d[4] = BYTE(s.nEndMonth);
    d[5] = BYTE(s.nEndDay);
    d[6] = BYTE(s.nStartMonth);
    d[7] = BYTE(s.nStartDay);
    d[8] = BYTE(s.nDifference);
    return d;
}

void DecodeSummerTime(const BYTE* pData, SummerTimeSettings& s)
{
    const BYTE mode = pData[0];
    if (mode == 0) {
        s.bActive = FALSE;  // the preset stays as it was
    } else {
        s.bActive = TRUE;
        s.nPreset = mode == 1 ? SummerTimeSettings::kFreePreset : mode - 2;
    }
    s.nEndMonth = pData[2];
    s.nEndDay = pData[4];
    s.nStartMonth = pData[6];
    s.nStartDay = pData[8];
    s.nDifference = pData[10];
}

std::vector<WORD> EncodeWifi(const WifiSettings& w)
{
    std::vector<WORD> r(113, 0);  // registers 9160..9272
    r[0] = WORD(w.nDeviceMode);
    r[1] = WORD(w.bEncryption ? 1 : 0);
    for (int i = 0; i < 32 && i < w.strSsid.GetLength(); ++i)
        r[std::size_t(2 + i)] = WORD(w.strSsid[i]);
    for (int i = 0; i < 64 && i < w.strPassword.GetLength(); ++i)
        r[std::size_t(34 + i)] = WORD(w.strPassword[i]);
    r[98] = WORD(w.nChannel);
    for (int i = 0; i < 4; ++i) {
        r[std::size_t(99 + i)] = w.ip[std::size_t(i)];
        r[std::size_t(103 + i)] = w.mask[std::size_t(i)];
    }
    r[107] = WORD(w.nDeviceId);
    r[108] = WORD(w.nLocalPort);
    r[109] = WORD(w.nRemotePort);
    r[110] = WORD(w.nAddressMode);
    r[111] = 0;
    r[112] = WORD(w.nTxPower);
    return r;
}

void DecodeWifi(const std::vector<WORD>& r, WifiSettings& w)
{
    if (r.size() < 119)
        return;
    auto text = [&](std::size_t first, int limit) {
        CString s;
        for (int i = 0; i < limit; ++i) {
            const WORD c = r[first + std::size_t(i)];
            if (c == 0 || c == 0xFFFF)
                break;
            s += wchar_t(c);
        }
        return s;
    };
    w.nDeviceMode = r[0];
    w.bEncryption = r[1] != 0;
    w.strSsid = text(2, 32);
    w.strPassword = text(34, 64);
    w.nChannel = r[98];
    for (int i = 0; i < 4; ++i) {
        w.ip[std::size_t(i)] = BYTE(r[std::size_t(99 + i)] & 0xFF);
        w.mask[std::size_t(i)] = BYTE(r[std::size_t(103 + i)] & 0xFF);
    }
    w.nDeviceId = r[107];
    w.nLocalPort = r[108];
    w.nRemotePort = r[109];
    w.nAddressMode = r[110];
    w.nTxPower = r[112];
    w.strMac = FormatMacWords(&r[113]);
}

std::vector<BYTE> EncodeRemoteWifi(const RemoteWifiSettings& s)
{
    std::vector<BYTE> b(kRemoteBlockBytes, 0);
    PutRemoteText(b, 0, s.strSsid, 32);
    PutRemoteText(b, 33, s.strPassword, 64);
    b[98] = BYTE(s.nDeviceId);
    b[99] = BYTE(s.nTxPower + 1);
    for (std::size_t i = 0; i < 6; ++i)
        PutLittleEndian(b, 100 + 2 * i, s.macWords[i]);
    PutLittleEndian(b, 112, s.nMode);
    PutLittleEndian(b, 114, s.nLedOnTime);
    PutLittleEndian(b, 116, s.nLedOffTime);
    PutLittleEndian(b, 118, s.nSleepMode >= 1 && s.nSleepMode <= 5 ? kSleepValues[s.nSleepMode] : 0);
    // Each key digit d is one entry of two words: 0x8000, then the mask with bit d-1 set; the
    // words 0 and 10 close the list.
    std::size_t at = kRemoteKeyStart;
    int digits = 0;
    for (int i = 0; i < s.strKey.GetLength() && digits < kRemoteKeyDigits; ++i) {
        const int d = s.strKey[i] - L'0';
        if (d < 1 || d > 6)
            continue;
        PutLittleEndian(b, at, 0x8000);
        PutLittleEndian(b, at + 2, 1 << (d - 1));
        at += 4;
        ++digits;
    }
    PutLittleEndian(b, at, 0);
    PutLittleEndian(b, at + 2, 10);
    return b;
}

void DecodeRemoteWifi(const std::vector<BYTE>& b, RemoteWifiSettings& s)
{
    if (b.size() < kRemoteBlockBytes)
        return;
    s.strSsid = RemoteText(b, 0, 33);
    s.strPassword = RemoteText(b, 33, 65);
    s.nDeviceId = b[98];
    s.nTxPower = b[99] - 1;
    for (std::size_t i = 0; i < 6; ++i)
        s.macWords[i] = WORD(LittleEndianAt(b, 100 + 2 * i));
    s.strMac = FormatMacWords(s.macWords.data());
    s.nMode = LittleEndianAt(b, 112);
    s.nLedOnTime = LittleEndianAt(b, 114);
    s.nLedOffTime = LittleEndianAt(b, 116);
    const int q = LittleEndianAt(b, 118) / 300;
    s.nSleepMode = q >= 20 ? 5 : q >= 10 ? 4 : q >= 4 ? 3 : q;
    // Entries as the writer lays them out (0x8000, mask; closed by 0, 10). A module that keeps
    // the two words the other way round (mask first, closed by 10, 0) reads the same.
    s.strKey.Empty();
    for (std::size_t at = kRemoteKeyStart; at + 4 <= kRemoteBlockBytes; at += 4) {
        const int first = LittleEndianAt(b, at);
        const int second = LittleEndianAt(b, at + 2);
        if ((first == 0 && second == 10) || (first == 10 && second == 0))
            break;
        const int mask = (first & 0x8000) ? second : first;
        int digit = 0;
        for (int bit = 0; bit < 6; ++bit)
            if (mask & (1 << bit)) {
                digit = bit + 1;
                break;
            }
        s.strKey += wchar_t(L'0' + digit);
    }
}

CString FormatMacWords(const WORD* w)
{
    CString text;
    text.Format(L"%c%c-%c%c-%c%c-%c%c-%c%c-%c%c", w[0] & 0xFF, w[0] >> 8, w[1] & 0xFF, w[1] >> 8,
                w[2] & 0xFF, w[2] >> 8, w[3] & 0xFF, w[3] >> 8, w[4] & 0xFF, w[4] >> 8,
                w[5] & 0xFF, w[5] >> 8);
    return text;
}
