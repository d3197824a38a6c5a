#include "card/card_renderer.h"

#include <algorithm>

#include <cairo-pdf.h>
#include <cairo.h>

#include "card/card_fonts.h"
#include "radio/atomic_save.h"
#include "text/text_util.h"
#include "res/resource_ids.h"
#include "res/string_table.h"

namespace {

// The card is laid out on an A5 page, in points; other pages get it scaled to fit.
constexpr double kA5Width = 419.53;
constexpr double kA5Height = 595.28;
constexpr double kMargin = 22.0;
constexpr double kRightEdge = kA5Width - kMargin;

// Left edges of the table's columns: CH, Frequency, Name, Tx Inhibit, Lockout, Prio.
const double kColumnX[CCardData::kColumns] = {kMargin, 54, 136, 226, 290, 356};
// Space left free before the next column.
constexpr double kColumnGap = 6.0;
constexpr double kTableTop = 68.0;
constexpr double kHeadingHeight = 16.0;
constexpr double kRowHeight = 20.0;

constexpr double kSettingsLineHeight = 15.0;
constexpr double kSettingsColumnWidth = (kRightEdge - kMargin) / 2;
constexpr double kSettingsValueOffset = 96.0;

// The right edge of what column c may fill.
double ColumnRight(size_t c)
{
    return c + 1 < CCardData::kColumns ? kColumnX[c + 1] - kColumnGap : kRightEdge;
}

enum class EFace { kSans, kSansBold, kMonoBold };
enum class EAlign { kLeft, kRight };

void SetFont(cairo_t* cr, EFace face, double size)
{
    cairo_select_font_face(cr, face == EFace::kMonoBold ? CardMonoFamily() : CardSansFamily(),
                           CAIRO_FONT_SLANT_NORMAL,
                           face == EFace::kSans ? CAIRO_FONT_WEIGHT_NORMAL
                                                : CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, size);
}

void SetGrey(cairo_t* cr, double level)
{
    cairo_set_source_rgb(cr, level, level, level);
}

void Text(cairo_t* cr, double x, double baseline, const std::string& text,
          EAlign align = EAlign::kLeft)
{
    if (align == EAlign::kRight) {
        cairo_text_extents_t extents;
        cairo_text_extents(cr, text.c_str(), &extents);
        x -= extents.x_advance;
    }
    cairo_move_to(cr, x, baseline);
    cairo_show_text(cr, text.c_str());
}

double TextWidth(cairo_t* cr, const std::string& text)
{
    cairo_text_extents_t extents;
    cairo_text_extents(cr, text.c_str(), &extents);
    return extents.x_advance;
}

// Sets the largest font size from `size` down to kSmallestScale of it at which `text` fits
// into `width` and returns the text; where even that is too wide, the text ends in "...".
constexpr double kSmallestScale = 0.75;
std::string FitText(cairo_t* cr, const std::string& text, double size, double width)
{
    for (double s = size; s >= size * kSmallestScale; s -= size / 20) {
        cairo_set_font_size(cr, s);
        if (TextWidth(cr, text) <= width)
            return text;
    }
    cairo_set_font_size(cr, size * kSmallestScale);
    std::string cut = text;
    while (!cut.empty() && TextWidth(cr, cut + "...") > width) {
        // One whole UTF-8 character at a time.
        size_t end = cut.size() - 1;
        while (end > 0 && (static_cast<unsigned char>(cut[end]) & 0xC0) == 0x80)
            --end;
        cut.erase(end);
    }
    return cut + "...";
}

// `text` in the current face at `size`, fitted between `x` and `right`.
void FittedText(cairo_t* cr, double x, double right, double baseline, const std::string& text,
                double size)
{
    Text(cr, x, baseline, FitText(cr, text, size, right - x));
}

void Rule(cairo_t* cr, double y, double width)
{
    SetGrey(cr, 0.0);
    cairo_set_line_width(cr, width);
    cairo_move_to(cr, kMargin, y);
    cairo_line_to(cr, kRightEdge, y);
    cairo_stroke(cr);
}

void DrawTitle(cairo_t* cr, const CCardData& card)
{
    SetGrey(cr, 0.0);
    SetFont(cr, EFace::kSans, 11);
    Text(cr, kRightEdge, 40, card.date, EAlign::kRight);
    const double dateLeft = kRightEdge - TextWidth(cr, card.date);
    SetFont(cr, EFace::kSansBold, 16);
    FittedText(cr, kMargin, dateLeft - 12, 40, card.fileName, 16);
    SetGrey(cr, 0.35);
    SetFont(cr, EFace::kSans, 9);
    Text(cr, kMargin, 55, card.subtitle);
    Rule(cr, kTableTop - 4, 1.0);
}

void DrawChannels(cairo_t* cr, const CCardData& card)
{
    SetGrey(cr, 0.35);
    SetFont(cr, EFace::kSansBold, 8.5);
    for (size_t c = 0; c < CCardData::kColumns; ++c)
        FittedText(cr, kColumnX[c], ColumnRight(c), kTableTop + 11, card.headings[c], 8.5);
    double top = kTableTop + kHeadingHeight;
    for (size_t r = 0; r < card.rows.size(); ++r, top += kRowHeight) {
        // Every other row shaded, so that a line is easy to follow in a bumpy cockpit.
        if (r % 2 == 1) {
            SetGrey(cr, 0.90);
            cairo_rectangle(cr, kMargin - 3, top, kRightEdge - kMargin + 6, kRowHeight);
            cairo_fill(cr);
        }
        SetGrey(cr, 0.0);
        const auto& row = card.rows[r];
        for (size_t c = 0; c < CCardData::kColumns; ++c) {
            const bool large = c == 1 || c == 2; // frequency and name
            const double size = large ? 13 : 10;
            SetFont(cr, large ? EFace::kMonoBold : EFace::kSans, size);
            FittedText(cr, kColumnX[c], ColumnRight(c), top + 14.5, row[c], size);
        }
    }
    Rule(cr, top + 2, 1.0);
}

void DrawSettings(cairo_t* cr, const CCardData& card)
{
    const double first = kTableTop + kHeadingHeight + kRowHeight * card.rows.size() + 20;
    const size_t perColumn = (card.settings.size() + 1) / 2;
    for (size_t i = 0; i < card.settings.size(); ++i) {
        const double x = kMargin + (i < perColumn ? 0 : kSettingsColumnWidth);
        const double y = first + kSettingsLineHeight * static_cast<double>(i % perColumn);
        const double valueX = x + kSettingsValueOffset;
        SetGrey(cr, 0.35);
        SetFont(cr, EFace::kSans, 8.5);
        FittedText(cr, x, valueX - kColumnGap, y, card.settings[i].first, 8.5);
        SetGrey(cr, 0.0);
        SetFont(cr, EFace::kSansBold, 10);
        FittedText(cr, valueX, x + kSettingsColumnWidth - kColumnGap, y, card.settings[i].second,
                   10);
    }
}

cairo_status_t AppendToString(void* closure, const unsigned char* data, unsigned int length)
{
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

} // namespace

bool ParseCardSize(const std::string& word, ECardSize* size)
{
    const std::string lower = Lower(word);
    if (lower == "a5")
        *size = ECardSize::kA5;
    else if (lower == "a4")
        *size = ECardSize::kA4;
    else if (lower == "letter")
        *size = ECardSize::kLetter;
    else
        return false;
    return true;
}

void GetCardPageSize(ECardSize size, double* width, double* height)
{
    switch (size) {
    case ECardSize::kA5:
        *width = kA5Width;
        *height = kA5Height;
        break;
    case ECardSize::kA4:
        *width = 595.28;
        *height = 841.89;
        break;
    case ECardSize::kLetter:
        *width = 612.0;
        *height = 792.0;
        break;
    }
}

void RenderCard(cairo_t* cr, const CCardData& card, double width, double height)
{
    cairo_save(cr);
    const double scale = std::min(width / kA5Width, height / kA5Height);
    cairo_translate(cr, (width - kA5Width * scale) / 2, (height - kA5Height * scale) / 2);
    cairo_scale(cr, scale, scale);
    DrawTitle(cr, card);
    DrawChannels(cr, card);
    DrawSettings(cr, card);
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
