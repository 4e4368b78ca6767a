// The device side of the link: the relay's memory and how it answers each request frame.
// Pure logic without timing or I/O; DeviceEmulator serves it on a pseudo-terminal.
#pragma once

#include "platform/base/WinTypes.h"

#include <array>
#include <string>
#include <vector>

class DeviceModel
{
public:
    DeviceModel();

    // Identity. Register 210 (the identification) reads (machineType << 8) | idByte4.
    BYTE machineType = 0x51;
    BYTE idByte4 = 0x88;
    WORD firmware = 0xC200;
    bool memoryCard = false;      // start answers carry 0x88 0x99 and 12 data bytes
    BYTE slaveAddress = 1;        // the device answers address 0 and this one

    // Upload password in wire order (the typed characters pairwise exchanged, 0xFF filled).
    bool hasPassword = false;
    std::array<BYTE, 8> password{};
    // Sets the password as typed ("ABC"); an empty text removes it.
    void SetPassword(const std::string& typed);

    // Sizes reported by the upload start, in 16-bit words. A successful end of a download
    // (function 101 with result 1) sets them from what was written.
    WORD programWords = 0;
    WORD messageWords = 0;

    // Register spaces. Holding registers hold the program image (from 35840), the clock
    // (301..306), calibration (262, 263), WiFi (9160..9278) and the remote module (0..73).
    std::vector<WORD> holding;
    std::vector<WORD> inputs;          // function 4
    std::vector<WORD> messages;        // functions 120 / 121
    std::vector<BYTE> coils;           // function 1, one bit per entry
    std::vector<BYTE> discretes;       // function 2
    std::array<BYTE, 12> summerWinter{}; // device memory at 0x200004B8
    std::array<WORD, 74> remoteFactoryBlock{}; // what a factory reset restores to 0..73

    // What happened.
    int factoryResets = 0;
    int lastEndResult = -1;            // result byte of the last function 101 frame
    int passwordAccepted = 0;

    static constexpr WORD kAreaStart = 35840;
    static constexpr BYTE kRemoteModule = 0x32;  // machine type of the remote-control module ('2')
    static constexpr DWORD kSummerWinterAddress = 0x200004B8;
    static constexpr DWORD kSummerWinterAddress2 = 0x100013E0;

    // The whole length of a request that starts with `frame` (at least 2 bytes), or 0 when more
    // bytes are needed to tell, or -1 when the function code is unknown.
    static int RequestLength(const std::vector<BYTE>& frame);

    // The answer to one complete request frame; empty when the device stays silent (a frame
    // for another address or with a wrong CRC).
    std::vector<BYTE> Answer(const std::vector<BYTE>& request);

private:
    std::vector<BYTE> ReadBits(BYTE addr, BYTE fc, const std::vector<BYTE>& bits, WORD start,
                               WORD count);
    std::vector<BYTE> ReadWords(BYTE addr, BYTE fc, const std::vector<WORD>& words, WORD start,
                                WORD count);
    std::vector<BYTE> StartAnswer(BYTE addr, BYTE fc, bool upload);
    void FinishDownload();

    WORD m_highestProgramReg = 0;   // one past the highest register written since the start
    WORD m_highestMessageReg = 0;
};

// Builds an exception answer: address, fc | 0x80, code, CRC.
std::vector<BYTE> ExceptionAnswer(BYTE addr, BYTE fc, BYTE code);
// Appends the CRC of the bytes so far, low byte first.
void AppendCrc(std::vector<BYTE>& frame);
