// Documents of printer DCs: pages written to a PDF file, or drawn into an image for preview.
#include "platform/gdi/DC.h"

#include "platform/gdi/detail/DcImpl.h"

#include <cairo-pdf.h>
#include <cairo.h>

#include <algorithm>

using gdi::DcImpl;
using gdi::DcType;

namespace {

DcImpl* I(const CDC* dc)
{
    return gdi::Impl(dc->m_hDC);
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
    std::string utf8 = ToUtf8(path.c_str(), path.size());
    cairo_surface_t* pdf =
        cairo_pdf_surface_create(utf8.c_str(), dc->page.cx * 72.0 / dc->dpi, dc->page.cy * 72.0 / dc->dpi);
    if (cairo_surface_status(pdf) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(pdf);
        return -1;
    }
    dc->pdf = pdf;
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
    dc->inDoc = dc->inPage = false;
    dc->TargetChanged();
    return 1;
}

int CDC::GetPrintedPageCount() const
{
    DcImpl* dc = I(this);
    return dc ? dc->pages : 0;
}
