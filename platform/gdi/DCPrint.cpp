// Documents of printer DCs: pages written to a PDF file (through the safe replacement of the
// file, once the document is complete), or drawn into an image for preview.
#include "platform/gdi/DC.h"

#include "platform/base/Exceptions.h"
#include "platform/base/SafeReplace.h"
#include "platform/gdi/detail/DcImpl.h"

#include <cairo-pdf.h>
#include <cairo.h>

#include <algorithm>
#include <string>

#include <unistd.h>

using gdi::DcImpl;
using gdi::DcType;

namespace {

DcImpl* I(const CDC* dc)
{
    return gdi::Impl(dc->m_hDC);
}

cairo_status_t CollectBytes(void* closure, const unsigned char* data, unsigned int length)
{
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

// A document may only go to an absolute path in a folder the user can write: the pages are
// collected first and the file is written when the document ends.
bool CanWriteTo(const std::string& path)
{
    if (path.empty() || path[0] != '/' || path.back() == '/')
        return false;
    const std::string folder = path.substr(0, std::max<size_t>(1, path.find_last_of('/')));
    return ::access(folder.c_str(), W_OK | X_OK) == 0;
}

}  // namespace

int CDC::StartDoc(LPCWSTR docName)
{
    DOCINFO di{sizeof(DOCINFO), docName, nullptr, nullptr, 0};
    return StartDoc(&di);
}

int CDC::StartDoc(const DOCINFO* info)
{
    DcImpl* dc = I(this);
    if (!dc || dc->type != DcType::Printer || dc->inDoc)
        return -1;
    if (dc->pageImage) {
        dc->inDoc = true;
        dc->inPage = false;
        dc->pages = 0;
        return 1;
    }
    std::wstring path = info && info->lpszOutput && *info->lpszOutput ? std::wstring(info->lpszOutput) : dc->outputPath;
    if (path.empty())
        return -1;
    if (path.empty() || !CanWriteTo(ToUtf8(path.c_str(), path.size())))
        return -1;
    dc->pdfBytes.clear();
    cairo_surface_t* pdf = cairo_pdf_surface_create_for_stream(CollectBytes, &dc->pdfBytes, dc->page.cx * 72.0 / dc->dpi,
                                                               dc->page.cy * 72.0 / dc->dpi);
    if (cairo_surface_status(pdf) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(pdf);
        return -1;
    }
    dc->pdf = pdf;
    dc->docPath = path;
    dc->inDoc = true;
    dc->inPage = false;
    dc->pages = 0;
    return 1;
}

int CDC::StartPage()
{
    DcImpl* dc = I(this);
    if (!dc || !dc->inDoc || dc->inPage)
        return -1;
    dc->inPage = true;
    dc->TargetChanged();
    if (gdi::Surface* img = dc->pageImage.get()) {
        img->BeginAccess();
        for (int y = 0; y < img->Height(); ++y)
            std::fill(img->Row(y), img->Row(y) + img->Width(), 0xFFFFFFu);
        img->EndAccess();
    }
    return 1;
}

int CDC::EndPage()
{
    DcImpl* dc = I(this);
    if (!dc || !dc->inPage)
        return -1;
    dc->TargetChanged();
    if (dc->pdf)
        cairo_surface_show_page(static_cast<cairo_surface_t*>(dc->pdf));
    dc->inPage = false;
    dc->TargetChanged();
    ++dc->pages;
    return 1;
}

int CDC::EndDoc()
{
    DcImpl* dc = I(this);
    if (!dc || !dc->inDoc)
        return -1;
    if (dc->inPage)
        EndPage();
    if (dc->pageImage) {
        dc->inDoc = false;
        return 1;
    }
    auto* pdf = static_cast<cairo_surface_t*>(dc->pdf);
    cairo_surface_finish(pdf);
    bool ok = cairo_surface_status(pdf) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(pdf);
    dc->pdf = nullptr;
    dc->inDoc = false;
    // The finished document replaces the file in one step; a failure leaves the old file as it was.
    if (ok) {
        try {
            const std::string& bytes = dc->pdfBytes;
            AfxWriteFileReplacing(dc->docPath.c_str(), [&bytes](CFile& file) {
                for (size_t at = 0; at < bytes.size();) {
                    const UINT chunk = UINT(std::min<size_t>(bytes.size() - at, 1u << 30));
                    file.Write(bytes.data() + at, chunk);
                    at += chunk;
                }
            });
        } catch (CException* e) {
            e->Delete();
            ok = false;
        }
    }
    dc->pdfBytes.clear();
    dc->pdfBytes.shrink_to_fit();
    return ok ? 1 : -1;
}

int CDC::AbortDoc()
{
    DcImpl* dc = I(this);
    if (!dc || !dc->inDoc)
        return -1;
    dc->TargetChanged();
    if (dc->pdf)
        cairo_surface_destroy(static_cast<cairo_surface_t*>(dc->pdf));
    dc->pdf = nullptr;
    dc->pdfBytes.clear();
    dc->inDoc = dc->inPage = false;
    dc->TargetChanged();
    return 1;
}

int CDC::GetPrintedPageCount() const
{
    DcImpl* dc = I(this);
    return dc ? dc->pages : 0;
}
