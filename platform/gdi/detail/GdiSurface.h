// Pixel surfaces behind bitmaps and window device contexts: 32-bit xRGB image buffers (Cairo
// RGB24 layout, 0x00RRGGBB per pixel, native endian). The window layer creates one per top-level
// window and draws child windows into it through device contexts with an origin and a clip.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

typedef struct _cairo_surface cairo_surface_t;

namespace gdi {

class Surface {
public:
    // A width x height surface filled with black; nullptr when the size is not positive or too
    // large to allocate.
    static std::shared_ptr<Surface> Create(int width, int height);
    // Wraps caller-owned 32-bit top-down rows (a DIB section); the memory must outlive the surface.
    static std::shared_ptr<Surface> CreateForData(void* data, int width, int height, int stride);
    ~Surface();
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    int Stride() const { return m_stride; }
    // Direct pixel access; call BeginAccess before and EndAccess after touching the pixels so Cairo
    // does not keep stale copies.
    std::uint32_t* Row(int y) { return reinterpret_cast<std::uint32_t*>(m_data + std::ptrdiff_t(y) * m_stride); }
    const std::uint32_t* Row(int y) const { return reinterpret_cast<const std::uint32_t*>(m_data + std::ptrdiff_t(y) * m_stride); }
    void BeginAccess();
    void EndAccess();
    cairo_surface_t* Cairo() const { return m_surface; }
    bool WritePng(const std::string& path);

    // Maximum pixel count of one surface, 64 M pixels (256 MB): bad sizes fail instead of
    // allocating without bound.
    static constexpr std::int64_t kMaxPixels = std::int64_t(1) << 26;

private:
    Surface() = default;
    cairo_surface_t* m_surface = nullptr;
    unsigned char* m_data = nullptr;
    int m_width = 0;
    int m_height = 0;
    int m_stride = 0;
};

// Pixel value <-> COLORREF (0x00BBGGRR)
inline std::uint32_t PixelFromColor(std::uint32_t c)
{
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}
inline std::uint32_t ColorFromPixel(std::uint32_t p)
{
    return ((p >> 16) & 0xFF) | (p & 0xFF00) | ((p & 0xFF) << 16);
}

}  // namespace gdi
