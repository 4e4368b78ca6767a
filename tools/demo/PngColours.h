// Counts the distinct colours of a PNG file: the demo programs' check that a screenshot shows
// more than a blank window. Returns -1 when the file cannot be read.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <cstdio>
#include <set>

inline int CountColours(const char* path)
{
    cairo_surface_t* s = cairo_image_surface_create_from_png(path);
    if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
        std::fprintf(stderr, "cannot read %s\n", path);
        cairo_surface_destroy(s);
        return -1;
    }
    cairo_surface_flush(s);
    std::set<std::uint32_t> colours;
    const int w = cairo_image_surface_get_width(s);
    const int h = cairo_image_surface_get_height(s);
    const int stride = cairo_image_surface_get_stride(s);
    const unsigned char* data = cairo_image_surface_get_data(s);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            colours.insert(reinterpret_cast<const std::uint32_t*>(data + y * stride)[x] & 0xFFFFFF);
    cairo_surface_destroy(s);
    return int(colours.size());
}
