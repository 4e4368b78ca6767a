#include "platform/gdi/detail/GdiSurface.h"

#include "platform/base/Exceptions.h"
#include "platform/base/SafeReplace.h"

#include <cairo.h>

#include <cstring>
#include <vector>

namespace gdi {

std::shared_ptr<Surface> Surface::Create(int width, int height)
{
    if (width <= 0 || height <= 0 || std::int64_t(width) * height > kMaxPixels)
        return nullptr;
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(s);
        return nullptr;
    }
    std::shared_ptr<Surface> out(new Surface);
    out->m_surface = s;
    out->m_data = cairo_image_surface_get_data(s);
    out->m_width = width;
    out->m_height = height;
    out->m_stride = cairo_image_surface_get_stride(s);
    std::memset(out->m_data, 0, size_t(out->m_stride) * height);
    cairo_surface_mark_dirty(s);
    return out;
}

std::shared_ptr<Surface> Surface::CreateForData(void* data, int width, int height, int stride)
{
    if (!data || width <= 0 || height <= 0 || std::int64_t(width) * height > kMaxPixels)
        return nullptr;
    cairo_surface_t* s = cairo_image_surface_create_for_data(static_cast<unsigned char*>(data),
                                                             CAIRO_FORMAT_RGB24, width, height, stride);
    if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(s);
        return nullptr;
    }
    std::shared_ptr<Surface> out(new Surface);
    out->m_surface = s;
    out->m_data = static_cast<unsigned char*>(data);
    out->m_width = width;
    out->m_height = height;
    out->m_stride = stride;
    return out;
}

Surface::~Surface()
{
    if (m_surface)
        cairo_surface_destroy(m_surface);
}

void Surface::BeginAccess()
{
    cairo_surface_flush(m_surface);
}

void Surface::EndAccess()
{
    cairo_surface_mark_dirty(m_surface);
}

bool Surface::WritePng(const std::string& path)
{
    // The picture is encoded in memory first and written like every other file of the program,
    // so that a failed write leaves an older picture as it was.
    cairo_surface_flush(m_surface);
    std::vector<unsigned char> png;
    auto append = [](void* closure, const unsigned char* data, unsigned int length) {
        auto* out = static_cast<std::vector<unsigned char>*>(closure);
        out->insert(out->end(), data, data + length);
        return CAIRO_STATUS_SUCCESS;
    };
    if (cairo_surface_write_to_png_stream(m_surface, append, &png) != CAIRO_STATUS_SUCCESS)
        return false;
    try {
        AfxWriteFileReplacing(FromUtf8(path), [&png](CFile& file) { file.Write(png.data(), UINT(png.size())); });
    } catch (CException* e) {
        e->Delete();
        return false;
    }
    return true;
}

}  // namespace gdi
