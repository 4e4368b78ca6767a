#include "platform/gdi/detail/GdiSurface.h"

#include "platform/base/Exceptions.h"
#include "platform/base/SafeReplace.h"

#include <cairo.h>
#include <sys/mman.h>

#include <cstring>
#include <vector>

namespace gdi {

namespace {

// Window-sized pixel buffers get a mapping of their own: it reads as zeros without being
// written, so a buffer that is replaced before it is drawn into costs nothing, and its whole
// 2 MB stretches are made present in huge pages where the system offers them (a few faults
// instead of one per 4 KB page, which is most of the cost of a new window surface). Smaller
// buffers, and every buffer under the address sanitizer (which watches the ordinary
// allocator's), come from the ordinary allocator.
constexpr std::size_t kHugePage = std::size_t(2) << 20;
constexpr std::size_t kSmallPage = 4096;
constexpr std::size_t kMappedFrom = std::size_t(256) << 10;

bool MapsOwnBuffers()
{
#if defined(__SANITIZE_ADDRESS__)
    return false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
    return false;
#else
    return true;
#endif
#else
    return true;
#endif
}

struct Mapping {
    void* base;
    std::size_t size;
};

const cairo_user_data_key_t kMappingKey{};

void Unmap(void* data)
{
    auto* m = static_cast<Mapping*>(data);
    ::munmap(m->base, m->size);
    delete m;
}

// A zero-filled image surface on a mapping of its own that starts on a huge page boundary;
// nullptr when the mapping fails (the caller then allocates the ordinary way).
cairo_surface_t* CreateMapped(int width, int height, int stride)
{
    const std::size_t bytes = std::size_t(stride) * std::size_t(height);
    const std::size_t size = (bytes + kSmallPage - 1) / kSmallPage * kSmallPage;
    void* raw = ::mmap(nullptr, size + kHugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED)
        return nullptr;
    auto* start = static_cast<unsigned char*>(raw);
    const std::size_t lead = (kHugePage - reinterpret_cast<std::uintptr_t>(start) % kHugePage) % kHugePage;
    if (lead)
        ::munmap(start, lead);
    if (kHugePage - lead)
        ::munmap(start + lead + size, kHugePage - lead);
    unsigned char* base = start + lead;
#ifdef MADV_HUGEPAGE
    if (bytes >= kHugePage)
        ::madvise(base, bytes / kHugePage * kHugePage, MADV_HUGEPAGE);
#endif
    auto* mapping = new Mapping{base, size};
    cairo_surface_t* s = cairo_image_surface_create_for_data(base, CAIRO_FORMAT_RGB24, width, height, stride);
    if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS ||
        cairo_surface_set_user_data(s, &kMappingKey, mapping, Unmap) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(s);
        Unmap(mapping);
        return nullptr;
    }
    return s;
}

}  // namespace

std::shared_ptr<Surface> Surface::Create(int width, int height)
{
    if (width <= 0 || height <= 0 || std::int64_t(width) * height > kMaxPixels)
        return nullptr;
    const int stride = cairo_format_stride_for_width(CAIRO_FORMAT_RGB24, width);
    if (MapsOwnBuffers() && stride > 0 && std::size_t(stride) * std::size_t(height) >= kMappedFrom) {
        if (cairo_surface_t* mapped = CreateMapped(width, height, stride)) {
            std::shared_ptr<Surface> out(new Surface);
            out->m_surface = mapped;
            out->m_data = cairo_image_surface_get_data(mapped);
            out->m_width = width;
            out->m_height = height;
            out->m_stride = stride;
            return out;  // a fresh mapping reads as zeros
        }
    }
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
