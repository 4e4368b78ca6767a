// Bounded cursors over one instruction of area J: the writer the parameter encoders fill and
// the reader the program decoder takes apart. Neither touches a byte outside its instruction;
// an access beyond it is remembered and turns the whole step into a failure.
#pragma once

#include "image/ImageLayout.h"

#include <cstdint>

// Writes the bytes behind an opcode word, from `pos` up to `end` (the instruction's end).
struct InstrWriter {
    BYTE* p = nullptr;
    int pos = 0;
    int end = 0;
    bool overflow = false;

    bool Room(int n)
    {
        if (pos + n > end) {
            overflow = true;
            return false;
        }
        return true;
    }
    void Byte(unsigned v)
    {
        if (Room(1))
            p[pos++] = BYTE(v & 0xFF);
    }
    void U16(unsigned v)
    {
        if (Room(2)) {
            PutU16(p + pos, v);
            pos += 2;
        }
    }
    // A 16-bit word stored high byte first (the index-map words of some layouts).
    void U16HighFirst(unsigned v)
    {
        Byte(v >> 8);
        Byte(v);
    }
    void U32(unsigned long v)
    {
        U16(unsigned(v & 0xFFFF));
        U16(unsigned((v >> 16) & 0xFFFF));
    }
    void Zero(int n)
    {
        for (int i = 0; i < n; ++i)
            Byte(0);
    }
    // Leaves n bytes at the download fill.
    void Keep(int n)
    {
        if (Room(n))
            pos += n;
    }
};

// Reads the bytes behind an opcode word; offsets count from the first byte after it.
struct InstrReader {
    const BYTE* p = nullptr;
    int start = 0;  // first byte after the opcode word
    int end = 0;    // the instruction's end
    bool bad = false;

    BYTE B(int off)
    {
        if (off < 0 || start + off >= end) {
            bad = true;
            return 0xFF;
        }
        return p[start + off];
    }
    unsigned W(int off) { return unsigned(B(off)) | (unsigned(B(off + 1)) << 8); }
    int S(int off) { return int(short(W(off))); }
    unsigned long L(int off) { return (unsigned long)W(off) | ((unsigned long)W(off + 2) << 16); }
    int SL(int off) { return int(static_cast<int32_t>(L(off))); }
    // The low three bytes of a four-byte item.
    int I24(int off) { return int(W(off)) | (int(B(off + 2)) << 16); }
};
