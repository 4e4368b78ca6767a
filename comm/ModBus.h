// The frame codec of the device link: Modbus RTU request frames, answer checks and the CRC-16.
// Frames start with the device address byte; 16-bit header fields and register values go
// big-endian, the CRC low byte first. A frame buffer holds kFrameBufferSize bytes.
#pragma once

#include "platform/base/CString.h"
#include "platform/base/Object.h"
#include "platform/base/WinTypes.h"

#include <map>

// Result codes of the answer checks; ResultText gives their texts.
enum LinkResult {
    LINK_OK = 0,
    LINK_LENGTH_ERROR = 1,
    LINK_DEVICE_ID_ERROR = 2,
    LINK_FUNCTION_ERROR = 3,
    LINK_ADDRESS_ERROR = 4,
    LINK_REGISTER_COUNT_ERROR = 5,
    LINK_CHECKSUM_ERROR = 6,
    LINK_MACHINE_TYPE_ERROR = 7,
    LINK_MACHINE_VERSION_ERROR = 8,
    LINK_NO_PROGRAM = 9,
    LINK_INVALID_PASSWORD = 10,
    LINK_EXCEPTION_ERROR = 11,
    LINK_CARD_VERSION_ERROR = 12,
};

class CModBus : public CObject
{
public:
    CModBus();
    ~CModBus() override;

    static constexpr int kFrameBufferSize = 161;

    // The device address every frame starts with and every answer must start with.
    BYTE m_byAddress = 0;
    // Result code -> text, filled by InitResultTexts.
    std::map<int, CString> m_mapResultText;

    void InitResultTexts();
    // The text of a result code ("OK!", "Receive Length Error!", ...); empty for other codes.
    CString ResultText(int code) const;

    // CRC-16/MODBUS (initial value 0xFFFF, reflected polynomial 0xA001) over the low 16 bits of
    // `length` bytes. The byte sent first (the CRC's low byte) is returned in bits 8-15, the byte
    // sent second in bits 0-7; no bytes give 0xFFFF.
    static int CRC16(const BYTE* data, int length);
    // Writes the CRC behind the first n bytes of the frame, low byte first. Returns -1 and writes
    // nothing when n > 159 (the CRC would not fit the frame buffer), else 0.
    static int AppendCRC(BYTE* buffer, int n);
    // True when the last two of `length` bytes are the CRC of the bytes before them.
    static bool IsCRCValid(const BYTE* frame, int length);

    // Request builders: each writes one frame into the caller's buffer (kFrameBufferSize bytes)
    // and returns its length including the CRC, or -1 when the request cannot be built.
    int BuildReadRequest(WORD wRegister, WORD wCount, BYTE* buffer, BYTE byFunction = 3);
    int BuildMemoryReadRequest(DWORD dwAddress, BYTE byCount, BYTE* buffer);
    // Function 16 (or 120); `data` holds 2 x wCount bytes in wire order. At most 76 registers.
    int BuildWriteMultipleRequest(WORD wRegister, WORD wCount, const BYTE* data, BYTE* buffer,
                                  BYTE byFunction = 16);
    // Function 6: the two data bytes go out as given.
    int BuildWriteSingleRequest(WORD wRegister, const BYTE* data, BYTE* buffer,
                                BYTE byFunction = 6);
    int BuildDownloadStartRequest(BYTE* buffer);
    int BuildDownloadDataRequest(BYTE byResult, BYTE* buffer);
    int BuildUploadStartRequest(BYTE* buffer);
    int BuildUploadDataRequest(BYTE byResult, BYTE* buffer);
    int BuildFc110Request(const BYTE* password, BYTE* buffer);
    // Functions 220 (clock, with a register field), 234 (calibration) and 233 (summer/winter
    // time); returns 0 for any other function code.
    int BuildSettingRequest(const BYTE* data, int n, BYTE* buffer, BYTE byFunction,
                            WORD wRegister);

    // Answer checks. They return a LinkResult (or a truth value) and show nothing.
    // Function 3, 4, 1, 2 or 121 answers: address, function, byte count, data, CRC.
    int CheckReadResponse(const BYTE* answer, int length, BYTE byFunction);
    // Function 249 answers.
    int CheckMemoryReadReply(const BYTE* answer, int length);
    // Function 100 answers. wHardwareCode's high byte is the expected machine type; mode 1 is a
    // download, mode 4 a clear (which takes any machine type and firmware).
    int CheckDownloadStartReply(const BYTE* answer, int length, WORD wHardwareCode,
                                WORD wMinFirmware, int nMode);
    // Function 102 answers: 1 (no password) and 2 (password set) are the good results.
    int CheckUploadStartReply(const BYTE* answer, int length);
    BOOL CheckDownloadDataReply(const BYTE* answer, int length, BYTE byResult);
    BOOL CheckUploadDataReply(const BYTE* answer, int length, BYTE byResult);
    BOOL CheckFc110Reply(const BYTE* answer, int length);
    BOOL CheckSettingReply(const BYTE* answer, int length, BYTE byFunction);
    // The 8-byte echo of a function 6, 16 or 120 request: address, function, register and
    // count (or value) as sent, and the CRC.
    int CheckWriteEcho(const BYTE* answer, int length, const BYTE* request);

    // For an exception answer (function byte with its top bit set) sets text to "No=%d->" and
    // the exception's name, and returns the exception code; returns 0 for other answers.
    static int FormatException(const BYTE* answer, CString& text);

private:
    int Finish(BYTE* buffer, int n);
    bool StartAnswerShapeOk(const BYTE* answer, int length) const;
};
