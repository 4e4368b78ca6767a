// The fixed layout of the relay's program image: the two memory areas, the named sections of
// area 0, the J size rule, the checksums and the byte exchange that turns the image into device
// registers. Every number here is part of the device interface.
#pragma once

#include "platform/base/WinTypes.h"

// One entry of the section table as the program keeps it: area, pad byte, a name of up to three
// UTF-16 code units, offset and size (both little-endian in the stored table).
struct ImageSection {
    BYTE nArea;
    BYTE nPad;
    char16_t szName[3];
    WORD wOffset;
    WORD wSize;
};

constexpr int kArea0Size = 0x2800;        // 10240 bytes, device register 0x8C00 on
constexpr int kMaxJSize = 0x6000;         // largest instruction area
constexpr int kJSizeStep = 128;
constexpr int kMsgTextRecordSize = 1280;  // message-text memory per message-text block
constexpr int kClearImageSize = 0x2180;   // the buffer of 0xFF a clear sends as area 0
constexpr int kImageSectionCount = 29;
constexpr int kMaxNamedBlocks = 256;      // entries of sections A and B

// LC header offsets.
constexpr int kLcTotalWords = 0x000;
constexpr int kLcLogo = 0x002;
constexpr int kLcLogoBytes = 960;
constexpr int kLcMsgTextWords = 0x3F2;
constexpr int kLcMsgTextSum = 0x3F4;
constexpr int kLcChecksum = 0x3F8;
constexpr int kLcLogoFlag = 0x3FE;

// The whole table in its stored order.
const ImageSection* GetImageSections();
// The section of a name ("LC", "A", ... "J"); null when there is none.
const ImageSection* FindImageSection(const char* pszName);

// J size of a program whose function blocks need codeSize bytes: the next multiple of 128 with
// at least one spare byte, at most 0x6000; 128 for an empty program.
int ComputeJSize(int codeSize);

// Sum modulo 2^32 of `count` little-endian 32-bit words at p.
DWORD SumLittleEndianDwords(const BYTE* p, int count);
// Image checksum of LC +0x3F8: area 0 from 0x400 on, area J, and 0xFFFFFFFF for each word by
// which area J is shorter than 0x6000.
DWORD ComputeImageChecksum(const BYTE* pArea0, const BYTE* pAreaJ, int nJSize);

// Exchanges the two bytes of every 16-bit word of src into dst (size bytes; an odd last byte
// is copied as it stands). src and dst may be the same buffer.
void ExchangeWordBytes(const BYTE* src, BYTE* dst, int size);

inline void PutU16(BYTE* p, unsigned v)
{
    p[0] = BYTE(v & 0xFF);
    p[1] = BYTE((v >> 8) & 0xFF);
}
inline void PutU32(BYTE* p, unsigned long v)
{
    PutU16(p, unsigned(v & 0xFFFF));
    PutU16(p + 2, unsigned((v >> 16) & 0xFFFF));
}
inline unsigned GetU16(const BYTE* p) { return unsigned(p[0]) | (unsigned(p[1]) << 8); }
inline DWORD GetU32(const BYTE* p) { return DWORD(GetU16(p)) | (DWORD(GetU16(p + 2)) << 16); }
