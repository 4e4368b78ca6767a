// The common dialogs shown with GTK's own dialogs.
#include "platform/host/DlgGtk.h"

#include "platform/host/GtkHost.h"

#include "platform/ui/dialogs/CommonDlg.h"

#include <gtk/gtk.h>

#include <cmath>

namespace {

std::string Utf8(const std::wstring& w)
{
    gchar* s = g_ucs4_to_utf8(reinterpret_cast<const gunichar*>(w.c_str()), glong(w.size()), nullptr, nullptr, nullptr);
    std::string r = s ? s : "";
    g_free(s);
    return r;
}

std::wstring Wide(const char* utf8)
{
    if (!utf8)
        return {};
    glong n = 0;
    gunichar* u = g_utf8_to_ucs4(utf8, -1, nullptr, &n, nullptr);
    std::wstring r = u ? std::wstring(reinterpret_cast<const wchar_t*>(u), size_t(n)) : std::wstring();
    g_free(u);
    return r;
}

// The window the dialog stays in front of: the one that asks.
GtkWindow* ParentOf(const CommonDlgQuery& q)
{
    auto* host = dynamic_cast<CGtkHost*>(AfxGetHost());
    GtkWidget* parent = host ? host->ParentFor(q.owner) : nullptr;
    return parent ? GTK_WINDOW(parent) : nullptr;
}

void Settle()
{
    while (gtk_events_pending())
        gtk_main_iteration();
}

bool FileDialog(CommonDlgQuery& q)
{
    bool open = q.kind == CommonDlgQuery::FileOpen;
    std::string title = q.title.empty() ? (open ? "Open" : "Save As") : Utf8(q.title);
    GtkWidget* d = gtk_file_chooser_dialog_new(title.c_str(), ParentOf(q),
                                               open ? GTK_FILE_CHOOSER_ACTION_OPEN : GTK_FILE_CHOOSER_ACTION_SAVE,
                                               "_Cancel", GTK_RESPONSE_CANCEL, open ? "_Open" : "_Save",
                                               GTK_RESPONSE_ACCEPT, nullptr);
    GtkFileChooser* fc = GTK_FILE_CHOOSER(d);
    if (open && (q.flags & OFN_ALLOWMULTISELECT))
        gtk_file_chooser_set_select_multiple(fc, TRUE);
    if (!open && (q.flags & OFN_OVERWRITEPROMPT)) {
        gtk_file_chooser_set_do_overwrite_confirmation(fc, TRUE);
        q.overwriteConfirmed = true;
    }
    if (!q.initialDir.empty())
        gtk_file_chooser_set_current_folder(fc, Utf8(q.initialDir).c_str());
    if (!q.fileName.empty()) {
        if (open)
            gtk_file_chooser_set_filename(fc, Utf8(q.fileName).c_str());
        else
            gtk_file_chooser_set_current_name(fc, Utf8(q.fileName).c_str());
    }
    std::vector<GtkFileFilter*> filters;
    for (auto& f : q.filters) {
        GtkFileFilter* ff = gtk_file_filter_new();
        gtk_file_filter_set_name(ff, Utf8(f.first).c_str());
        std::wstring pats = f.second;
        size_t start = 0;
        while (start <= pats.size()) {
            size_t semi = pats.find(L';', start);
            std::wstring p = pats.substr(start, semi == std::wstring::npos ? std::wstring::npos : semi - start);
            // "*.yfb; *.yld": the blanks around a pattern are no part of it.
            const size_t first = p.find_first_not_of(L" \t");
            p = first == std::wstring::npos ? std::wstring() : p.substr(first, p.find_last_not_of(L" \t") - first + 1);
            if (!p.empty())
                gtk_file_filter_add_pattern(ff, Utf8(p).c_str());
            if (semi == std::wstring::npos)
                break;
            start = semi + 1;
        }
        gtk_file_chooser_add_filter(fc, ff);
        filters.push_back(ff);
    }
    if (q.filterIndex >= 1 && size_t(q.filterIndex) <= filters.size())
        gtk_file_chooser_set_filter(fc, filters[size_t(q.filterIndex - 1)]);
    bool ok = gtk_dialog_run(GTK_DIALOG(d)) == GTK_RESPONSE_ACCEPT;
    if (ok) {
        GSList* names = gtk_file_chooser_get_filenames(fc);
        for (GSList* n = names; n; n = n->next) {
            gchar* u = g_filename_to_utf8(static_cast<const gchar*>(n->data), -1, nullptr, nullptr, nullptr);
            q.paths.push_back(Wide(u));
            g_free(u);
        }
        g_slist_free_full(names, g_free);
        GtkFileFilter* cur = gtk_file_chooser_get_filter(fc);
        for (size_t i = 0; i < filters.size(); ++i)
            if (filters[i] == cur)
                q.filterIndex = int(i + 1);
    }
    gtk_widget_destroy(d);
    Settle();
    return ok && !q.paths.empty();
}

bool ColorDialog(CommonDlgQuery& q)
{
    GtkWidget* d = gtk_color_chooser_dialog_new(q.title.empty() ? "Color" : Utf8(q.title).c_str(), ParentOf(q));
    GdkRGBA c{GetRValue(q.color) / 255.0, GetGValue(q.color) / 255.0, GetBValue(q.color) / 255.0, 1.0};
    gtk_color_chooser_set_use_alpha(GTK_COLOR_CHOOSER(d), FALSE);
    gtk_color_chooser_set_rgba(GTK_COLOR_CHOOSER(d), &c);
    bool ok = gtk_dialog_run(GTK_DIALOG(d)) == GTK_RESPONSE_OK;
    if (ok) {
        gtk_color_chooser_get_rgba(GTK_COLOR_CHOOSER(d), &c);
        q.color = RGB(BYTE(std::lround(c.red * 255)), BYTE(std::lround(c.green * 255)), BYTE(std::lround(c.blue * 255)));
    }
    gtk_widget_destroy(d);
    Settle();
    return ok;
}

bool FontDialog(CommonDlgQuery& q)
{
    GtkWidget* d = gtk_font_chooser_dialog_new(q.title.empty() ? "Font" : Utf8(q.title).c_str(), ParentOf(q));
    PangoFontDescription* in = pango_font_description_new();
    if (q.font.lfFaceName[0])
        pango_font_description_set_family(in, Utf8(q.font.lfFaceName).c_str());
    pango_font_description_set_size(in, (q.pointSize > 0 ? q.pointSize : 100) * PANGO_SCALE / 10);
    pango_font_description_set_weight(in, PangoWeight(q.font.lfWeight ? q.font.lfWeight : 400));
    pango_font_description_set_style(in, q.font.lfItalic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
    gtk_font_chooser_set_font_desc(GTK_FONT_CHOOSER(d), in);
    pango_font_description_free(in);
    bool ok = gtk_dialog_run(GTK_DIALOG(d)) == GTK_RESPONSE_OK;
    if (ok) {
        PangoFontDescription* out = gtk_font_chooser_get_font_desc(GTK_FONT_CHOOSER(d));
        if (out) {
            std::wstring face = Wide(pango_font_description_get_family(out));
            wcsncpy(q.font.lfFaceName, face.c_str(), LF_FACESIZE - 1);
            q.font.lfFaceName[LF_FACESIZE - 1] = 0;
            q.pointSize = pango_font_description_get_size(out) * 10 / PANGO_SCALE;
            q.font.lfWeight = LONG(pango_font_description_get_weight(out));
            q.font.lfItalic = pango_font_description_get_style(out) != PANGO_STYLE_NORMAL ? 1 : 0;
            pango_font_description_free(out);
        }
    }
    gtk_widget_destroy(d);
    Settle();
    return ok;
}

bool PageSetupDialog(CommonDlgQuery& q)
{
    // Margins travel in hundredths of a millimetre or thousandths of an inch.
    bool mm = (q.flags & PSD_INHUNDREDTHSOFMILLIMETERS) != 0;
    auto toMm = [mm](LONG v) { return mm ? v / 100.0 : v * 25.4 / 1000.0; };
    auto fromMm = [mm](double v) { return LONG(std::lround(mm ? v * 100.0 : v * 1000.0 / 25.4)); };
    GtkPageSetup* in = gtk_page_setup_new();
    gtk_page_setup_set_orientation(in, q.orientation == 2 ? GTK_PAGE_ORIENTATION_LANDSCAPE : GTK_PAGE_ORIENTATION_PORTRAIT);
    GtkPaperSize* paper = gtk_paper_size_new(q.paperSize == 1 ? GTK_PAPER_NAME_LETTER : q.paperSize == 8 ? GTK_PAPER_NAME_A3 : GTK_PAPER_NAME_A4);
    gtk_page_setup_set_paper_size(in, paper);
    gtk_paper_size_free(paper);
    gtk_page_setup_set_left_margin(in, toMm(q.margins.left), GTK_UNIT_MM);
    gtk_page_setup_set_top_margin(in, toMm(q.margins.top), GTK_UNIT_MM);
    gtk_page_setup_set_right_margin(in, toMm(q.margins.right), GTK_UNIT_MM);
    gtk_page_setup_set_bottom_margin(in, toMm(q.margins.bottom), GTK_UNIT_MM);
    GtkPrintSettings* settings = gtk_print_settings_new();
    GtkPageSetup* out = gtk_print_run_page_setup_dialog(ParentOf(q), in, settings);
    if (out) {
        q.orientation = gtk_page_setup_get_orientation(out) == GTK_PAGE_ORIENTATION_LANDSCAPE ? 2 : 1;
        const gchar* name = gtk_paper_size_get_name(gtk_page_setup_get_paper_size(out));
        q.paperSize = g_strcmp0(name, GTK_PAPER_NAME_LETTER) == 0 ? 1 : g_strcmp0(name, GTK_PAPER_NAME_A3) == 0 ? 8 : 9;
        q.paper = SIZE{fromMm(gtk_page_setup_get_paper_width(out, GTK_UNIT_MM)), fromMm(gtk_page_setup_get_paper_height(out, GTK_UNIT_MM))};
        q.margins = RECT{fromMm(gtk_page_setup_get_left_margin(out, GTK_UNIT_MM)), fromMm(gtk_page_setup_get_top_margin(out, GTK_UNIT_MM)),
                         fromMm(gtk_page_setup_get_right_margin(out, GTK_UNIT_MM)), fromMm(gtk_page_setup_get_bottom_margin(out, GTK_UNIT_MM))};
        g_object_unref(out);
    }
    g_object_unref(settings);
    g_object_unref(in);
    Settle();
    return out != nullptr;
}

// The printer of this system writes PDF files: printing asks for the file. Whether an existing
// file may be replaced is asked by the print job itself.
bool PdfFileDialog(CommonDlgQuery& q)
{
    CommonDlgQuery file;
    file.kind = CommonDlgQuery::FileSave;
    file.owner = q.owner;
    file.title = q.title;
    file.fileName = q.outputFile.empty() ? L"print.pdf" : q.outputFile;
    file.filters = {{L"PDF (*.pdf)", L"*.pdf"}};
    if (!FileDialog(file))
        return false;
    q.printToFile = true;
    q.outputFile = file.paths.front();
    return true;
}

bool Answer(CommonDlgQuery& q)
{
    switch (q.kind) {
    case CommonDlgQuery::FileOpen:
    case CommonDlgQuery::FileSave: return FileDialog(q);
    case CommonDlgQuery::Color: return ColorDialog(q);
    case CommonDlgQuery::Font: return FontDialog(q);
    case CommonDlgQuery::PageSetup: return PageSetupDialog(q);
    case CommonDlgQuery::Print:
        // Pages go to PDF files; printer setup is the page setup.
        if (q.flags & PD_PRINTSETUP) {
            CommonDlgQuery setup = q;
            setup.flags = 0;
            bool ok = PageSetupDialog(setup);
            q.orientation = setup.orientation;
            q.paperSize = setup.paperSize;
            return ok;
        }
        return PdfFileDialog(q);
    }
    return false;
}

}  // namespace

void AfxInstallGtkCommonDialogs() { AfxSetCommonDlgHandler(Answer); }

void AfxInstallGtkDialogs()
{
    AfxInstallGtkCommonDialogs();
    AfxInstallGtkClipboard();
}
