// Windows bitmap (.bmp) files: reading, writing and conversion to and from bitmaps.
#pragma once

#include "platform/gdi/GdiTypes.h"

#include <string>
#include <vector>

// A packed device-independent bitmap: header, colour table and the stored rows (DWORD aligned,
// bottom-up unless the height is negative).
struct DibImage {
    BITMAPINFOHEADER header{};
    std::vector<RGBQUAD> colors;
    DWORD masks[3] = {0, 0, 0};  // BI_BITFIELDS only
    std::vector<BYTE> bits;

    int Width() const { return header.biWidth; }
    int Height() const { return header.biHeight < 0 ? -header.biHeight : header.biHeight; }
    // Pixel at (x, y) counted from the top-left, as COLORREF.
    COLORREF GetPixel(int x, int y) const;
};

// Parses .bmp file contents: 1, 4, 8, 16, 24 and 32 bits per pixel, uncompressed (BI_RGB or
// BI_BITFIELDS), bottom-up or top-down, any header version from 40 bytes. Damaged or
// unsupported files give false and a reason.
bool ReadBmp(const BYTE* data, size_t size, DibImage& out, std::string* error = nullptr);
bool ReadBmpFile(const std::wstring& path, DibImage& out, std::string* error = nullptr);
// A packed DIB as resources hold bitmaps: header, colour table and rows, no file header.
bool ReadPackedDib(const BYTE* data, size_t size, DibImage& out, std::string* error = nullptr);
// A bitmap from .bmp file contents or a packed DIB (told apart by the "BM" mark).
HBITMAP CreateBitmapFromBytes(const BYTE* data, size_t size, std::string* error = nullptr);

// Bitmap resources: the resource layer installs a function giving the bytes (a .bmp file or a
// packed DIB) of bitmap `id`; CBitmap::LoadBitmap goes through it.
using BitmapResourceLoader = bool (*)(UINT id, std::vector<BYTE>& bytes);
void SetBitmapResourceLoader(BitmapResourceLoader loader);
HBITMAP LoadBitmapResource(UINT id);
// File contents for a DIB (BITMAPFILEHEADER + 40-byte header + colour table + rows).
std::vector<BYTE> WriteBmp(const DibImage& img);
// Writes a .bmp file (replacing an old one safely); false when it cannot be written.
bool WriteBmpFile(const std::wstring& path, const DibImage& img);

// A colour bitmap holding the DIB's pixels (null for an invalid image).
HBITMAP CreateBitmapFromDib(const DibImage& img);
// The pixels of a bitmap as a DIB of bitCount 1, 4, 8, 24 or 32 bits, with the standard colour
// tables for palette depths.
bool DibFromBitmap(HBITMAP bmp, int bitCount, bool topDown, DibImage& out);
