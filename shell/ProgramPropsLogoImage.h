// The start-up logo of the device display: a 108 x 64 one-bit Windows bitmap turned into the
// 960-byte LCD image (8 pages of 120 columns; bit k of byte page * 120 + column is the pixel in
// row page * 8 + k, a set bit a dark pixel). The bitmap is read through its own headers, so a
// file with another header size, colour table or pixel offset converts the same; anything that
// cannot become that image is refused, never misread.
#pragma once

#include "platform/base/WinTypes.h"

#include <cstddef>

constexpr int kLogoWidth = 108;
constexpr int kLogoHeight = 64;
constexpr int kLogoImageBytes = 960;

enum class LogoResult {
    ok,           // a 108 x 64 one-bit bitmap; converted when an output was given
    notBitmap,    // no readable bitmap file
    wrongFormat,  // a bitmap, but not 108 x 64 pixels of one bit
};

// Converts bitmap file contents into the LCD image (out: 960 bytes, or null to check only).
// Columns 108-119 take the row's padding bits, as the device expects of a stored row.
LogoResult ConvertLogoBytes(const BYTE* data, size_t size, BYTE* out);
