#include "card/card_renderer.h"

#include <cairo-pdf.h>
#include <cairo.h>

#include "card/card_fonts.h"
#include "radio/atomic_save.h"
#include "text/text_util.h"
#include "res/resource_ids.h"
#include "res/string_table.h"

namespace {

void SetFont(cairo_t* cr, ECardFace face, double size)
{
    cairo_select_font_face(cr, face == ECardFace::kMonoBold ? CardMonoFamily() : CardSansFamily(),
                           CAIRO_FONT_SLANT_NORMAL,
                           face == ECardFace::kSans ? CAIRO_FONT_WEIGHT_NORMAL
                                                    : CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, size);
}

void SetGrey(cairo_t* cr, double level)
{
    cairo_set_source_rgb(cr, level, level, level);
}

cairo_status_t AppendToString(void* closure, const unsigned char* data, unsigned int length)
{
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

} // namespace

void RenderCard(cairo_t* cr, const CCardData& card, double width, double height)
{
    cairo_save(cr);
    const CCardPlacement placement = PlaceCard(width, height);
    cairo_translate(cr, placement.x, placement.y);
    cairo_scale(cr, placement.scale, placement.scale);
    const CCardLayout layout =
        LayOutCard(card, [cr](ECardFace face, double size, const std::string& text) {
            SetFont(cr, face, size);
            cairo_text_extents_t extents;
            cairo_text_extents(cr, text.c_str(), &extents);
            return extents.x_advance;
        });
    for (const CCardBox& box : layout.boxes) {
        SetGrey(cr, box.grey);
        cairo_rectangle(cr, box.x, box.y, box.width, box.height);
        cairo_fill(cr);
    }
    for (const CCardText& text : layout.texts) {
        SetGrey(cr, text.grey);
        SetFont(cr, text.face, text.size);
        cairo_move_to(cr, text.x, text.baseline);
        cairo_show_text(cr, text.text.c_str());
    }
    cairo_restore(cr);
}

bool WriteCardPdf(const CCardData& card, ECardSize size, const std::string& path,
                  std::string* error)
{
    double width = 0;
    double height = 0;
    GetCardPageSize(size, &width, &height);
    std::string pdf;
    cairo_surface_t* surface = cairo_pdf_surface_create_for_stream(AppendToString, &pdf, width,
                                                                   height);
    cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_TITLE, card.fileName.c_str());
    cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_CREATOR,
                                   LoadResString(IDS_APP_TITLE).c_str());
    cairo_t* cr = cairo_create(surface);
    RenderCard(cr, card, width, height);
    cairo_show_page(cr);
    cairo_status_t status = cairo_status(cr);
    cairo_destroy(cr);
    cairo_surface_finish(surface);
    if (status == CAIRO_STATUS_SUCCESS)
        status = cairo_surface_status(surface);
    cairo_surface_destroy(surface);
    if (status != CAIRO_STATUS_SUCCESS) {
        if (error)
            *error = FormatText(LoadResString(IDS_CARD_CANNOT_RENDER),
                                {cairo_status_to_string(status)});
        return false;
    }
    return SaveAtomically(
        path, [&pdf](std::ostream& out) { out << pdf; }, error);
}
