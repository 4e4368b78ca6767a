// Reading, writing and stacking the reference pictures tests compare against: rows of 0xRRGGBB
// pixels, width x height, kept in a PNG.
#pragma once

#include <cairo.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

inline bool WritePngPixels(const std::string& path, int width, int height, const std::vector<uint32_t>& pixels)
{
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    cairo_surface_flush(s);
    unsigned char* data = cairo_image_surface_get_data(s);
    const int stride = cairo_image_surface_get_stride(s);
    for (int y = 0; y < height; ++y)
        std::copy_n(&pixels[size_t(y) * size_t(width)], width, reinterpret_cast<uint32_t*>(data + y * stride));
    cairo_surface_mark_dirty(s);
    const bool ok = cairo_surface_write_to_png(s, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(s);
    return ok;
}

// False (and nothing read) when the file is missing or not a PNG.
inline bool ReadPngPixels(const std::string& path, int& width, int& height, std::vector<uint32_t>& pixels)
{
    cairo_surface_t* s = cairo_image_surface_create_from_png(path.c_str());
    const bool ok = cairo_surface_status(s) == CAIRO_STATUS_SUCCESS;
    if (ok) {
        width = cairo_image_surface_get_width(s);
        height = cairo_image_surface_get_height(s);
        cairo_surface_flush(s);
        const unsigned char* data = cairo_image_surface_get_data(s);
        const int stride = cairo_image_surface_get_stride(s);
        pixels.resize(size_t(width) * size_t(height));
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                pixels[size_t(y) * size_t(width) + size_t(x)] =
                    reinterpret_cast<const uint32_t*>(data + y * stride)[x] & 0xFFFFFF;
    }
    cairo_surface_destroy(s);
    return ok;
}

// Puts the picture `below` under the one given by width, height and pixels, on white where it is
// the narrower.
inline void StackPixels(int& width, int& height, std::vector<uint32_t>& pixels, int belowWidth, int belowHeight,
                        const std::vector<uint32_t>& below)
{
    const int w = std::max(width, belowWidth);
    std::vector<uint32_t> out(size_t(w) * size_t(height + belowHeight), 0xFFFFFF);
    for (int y = 0; y < height; ++y)
        std::copy_n(&pixels[size_t(y) * size_t(width)], width, &out[size_t(y) * size_t(w)]);
    for (int y = 0; y < belowHeight; ++y)
        std::copy_n(&below[size_t(y) * size_t(belowWidth)], belowWidth, &out[size_t(y + height) * size_t(w)]);
    width = w;
    height += belowHeight;
    pixels.swap(out);
}
