// Checks of the answers that come back from the device.
#include "comm/ModBus.h"

namespace {

WORD WordAt(const BYTE* p)
{
    return WORD((p[0] << 8) | p[1]);
}

bool IsMemoryCard(const BYTE* answer)
{
    return answer[3] == 0x88 && answer[4] == 0x99;
}

} // namespace

int CModBus::CheckReadResponse(const BYTE* answer, int length, BYTE byFunction)
{
    if (length < 5 || length != answer[2] + 5)
        return LINK_LENGTH_ERROR;
    if (answer[0] != m_byAddress)
        return LINK_DEVICE_ID_ERROR;
    if (answer[1] != byFunction)
        return LINK_FUNCTION_ERROR;
    if (!IsCRCValid(answer, length))
        return LINK_CHECKSUM_ERROR;
    return LINK_OK;
}

int CModBus::CheckMemoryReadReply(const BYTE* answer, int length)
{
    // Address (4), byte count, the data and the CRC follow the function code.
    if (length < 9 || length != answer[6] + 9)
        return LINK_LENGTH_ERROR;
    if (answer[0] != m_byAddress)
        return LINK_DEVICE_ID_ERROR;
    if (answer[1] != 249)
        return LINK_FUNCTION_ERROR;
    const DWORD address = (DWORD(WordAt(answer + 2)) << 16) | WordAt(answer + 4);
    if (address != 0x200004B8u && address != 0x100013E0u)
        return LINK_ADDRESS_ERROR;
    if (!IsCRCValid(answer, length))
        return LINK_CHECKSUM_ERROR;
    return LINK_OK;
}

bool CModBus::StartAnswerShapeOk(const BYTE* answer, int length) const
{
    // Start answers carry 12 or 14 data bytes; anything else cannot be read safely.
    return length >= 5 && (answer[2] == 12 || answer[2] == 14) && length == answer[2] + 5;
}

int CModBus::CheckDownloadStartReply(const BYTE* answer, int length, WORD wHardwareCode,
                                     WORD wMinFirmware, int nMode)
{
    if (!StartAnswerShapeOk(answer, length))
        return LINK_LENGTH_ERROR;
    if (answer[0] != m_byAddress)
        return LINK_DEVICE_ID_ERROR;
    if (answer[1] != 100)
        return LINK_FUNCTION_ERROR;
    if (IsMemoryCard(answer)) {
        // A memory card takes a clear whatever its version; its answer must still be intact.
        if (nMode != 4 && answer[2] == 12 && wMinFirmware >= 0xC100)
            return LINK_CARD_VERSION_ERROR;
    } else if (nMode != 4) {
        if (answer[3] != BYTE(wHardwareCode >> 8))
            return LINK_MACHINE_TYPE_ERROR;
        if (WordAt(answer + 7) < wMinFirmware)
            return LINK_MACHINE_VERSION_ERROR;
    }
    if (!IsCRCValid(answer, length))
        return LINK_CHECKSUM_ERROR;
    return LINK_OK;
}

int CModBus::CheckUploadStartReply(const BYTE* answer, int length)
{
    // 1 and 2 are the good results here, so a malformed answer reports the register count and
    // a foreign address reports the address error, both of which fail the upload.
    if (!StartAnswerShapeOk(answer, length))
        return LINK_REGISTER_COUNT_ERROR;
    if (!IsCRCValid(answer, length))
        return LINK_CHECKSUM_ERROR;
    if (answer[0] != m_byAddress)
        return LINK_ADDRESS_ERROR;
    if (answer[1] != 102)
        return LINK_FUNCTION_ERROR;
    if (!IsMemoryCard(answer)) {
        const BYTE type = answer[3];
        const WORD firmware = WordAt(answer + 7);
        if (type >= 0x51 && firmware < 0xC100)
            return LINK_MACHINE_VERSION_ERROR;
        if (type < 0x11)
            return LINK_MACHINE_TYPE_ERROR;
        if (type <= 0x50 && firmware < 0xB100)
            return LINK_MACHINE_VERSION_ERROR;
    }
    const WORD program = WordAt(answer + 13);
    if (program == 0 || program == 0xFFFF)
        return LINK_NO_PROGRAM;
    if (program % 64 != 0)
        return LINK_REGISTER_COUNT_ERROR;
    const WORD password = WordAt(answer + 11);
    return (password == 0 || password == 0xFFFF) ? 1 : 2;
}

namespace {

BOOL CheckShortEcho(const CModBus& codec, const BYTE* answer, int length, BYTE function,
                    BYTE result)
{
    return length == 8 && answer[0] == codec.m_byAddress && answer[1] == function
           && answer[2] == 0 && answer[3] == 0 && answer[4] == 0 && answer[5] == result
           && CModBus::IsCRCValid(answer, length);
}

} // namespace

BOOL CModBus::CheckDownloadDataReply(const BYTE* answer, int length, BYTE byResult)
{
    return CheckShortEcho(*this, answer, length, 101, byResult);
}

BOOL CModBus::CheckUploadDataReply(const BYTE* answer, int length, BYTE byResult)
{
    return CheckShortEcho(*this, answer, length, 103, byResult);
}

BOOL CModBus::CheckFc110Reply(const BYTE* answer, int length)
{
    return length == 7 && answer[0] == m_byAddress && answer[1] == 110 && answer[2] == 2
           && answer[3] == 0 && answer[4] == 0 && IsCRCValid(answer, length);
}

BOOL CModBus::CheckSettingReply(const BYTE* answer, int length, BYTE byFunction)
{
    switch (byFunction) {
    case 220: {
        if (length != 8 || answer[0] != m_byAddress || answer[1] != 220 || answer[4] != 0)
            return FALSE;
        const BYTE type = answer[2];
        if (type >= 0x51 && answer[5] != 7)
            return FALSE;
        if (type >= 0x11 && type <= 0x50 && answer[5] != 6)
            return FALSE;
        break;
    }
    case 234:
        if (length != 8 || answer[0] != m_byAddress || answer[1] != 234)
            return FALSE;
        break;
    case 233:
        if (length != 16 || answer[0] != m_byAddress || answer[1] != 233)
            return FALSE;
        break;
    default:
        return FALSE;
    }
    return IsCRCValid(answer, length);
}

int CModBus::CheckWriteEcho(const BYTE* answer, int length, const BYTE* request)
{
    if (length != 8)
        return LINK_LENGTH_ERROR;
    if (answer[0] != m_byAddress)
        return LINK_DEVICE_ID_ERROR;
    if (answer[1] != request[1])
        return LINK_FUNCTION_ERROR;
    if (answer[2] != request[2] || answer[3] != request[3])
        return LINK_ADDRESS_ERROR;
    if (answer[4] != request[4] || answer[5] != request[5])
        return LINK_REGISTER_COUNT_ERROR;
    if (!IsCRCValid(answer, length))
        return LINK_CHECKSUM_ERROR;
    return LINK_OK;
}
