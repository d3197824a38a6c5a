#include "exchange/card_layout.h"

#include <algorithm>
#include <ctime>

#include "res/resource_ids.h"
#include "res/string_table.h"
#include "text/text_util.h"

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

constexpr double kBlack = 0.0;
constexpr double kLabelGrey = 0.35;
constexpr double kShadeGrey = 0.90;

// The right edge of what column c may fill.
double ColumnRight(size_t c)
{
    return c + 1 < CCardData::kColumns ? kColumnX[c + 1] - kColumnGap : kRightEdge;
}

class CLayout {
public:
    explicit CLayout(const CardTextWidth& width) : m_width(width)
    {
        m_layout.width = kA5Width;
        m_layout.height = kA5Height;
    }

    CCardLayout& Result() { return m_layout; }

    double Width(ECardFace face, double size, const std::string& text) const
    {
        return m_width(face, size, text);
    }

    void Text(double x, double baseline, ECardFace face, double size, double grey,
              const std::string& text)
    {
        m_layout.texts.push_back({x, baseline, face, size, grey, text});
    }

    // `text` between `x` and `right` at the largest size from `size` down to kSmallestScale of
    // it at which it fits; where even that is too wide, it ends in "...".
    void FittedText(double x, double right, double baseline, ECardFace face, double size,
                    double grey, const std::string& text)
    {
        static constexpr double kSmallestScale = 0.75;
        const double room = right - x;
        for (double s = size; s >= size * kSmallestScale; s -= size / 20) {
            if (Width(face, s, text) <= room) {
                Text(x, baseline, face, s, grey, text);
                return;
            }
        }
        const double smallest = size * kSmallestScale;
        std::string cut = text;
        while (!cut.empty() && Width(face, smallest, cut + "...") > room) {
            // One whole UTF-8 character at a time.
            size_t end = cut.size() - 1;
            while (end > 0 && (static_cast<unsigned char>(cut[end]) & 0xC0) == 0x80)
                --end;
            cut.erase(end);
        }
        Text(x, baseline, face, smallest, grey, cut + "...");
    }

    void Rule(double y)
    {
        static constexpr double kRuleWidth = 1.0;
        m_layout.boxes.push_back(
            {kMargin, y - kRuleWidth / 2, kRightEdge - kMargin, kRuleWidth, kBlack});
    }

    void Shade(double top)
    {
        m_layout.boxes.push_back(
            {kMargin - 3, top, kRightEdge - kMargin + 6, kRowHeight, kShadeGrey});
    }

private:
    const CardTextWidth& m_width;
    CCardLayout m_layout;
};

void LayOutTitle(CLayout& l, const CCardData& card)
{
    const double dateLeft = kRightEdge - l.Width(ECardFace::kSans, 11, card.date);
    l.Text(dateLeft, 40, ECardFace::kSans, 11, kBlack, card.date);
    l.FittedText(kMargin, dateLeft - 12, 40, ECardFace::kSansBold, 16, kBlack, card.fileName);
    l.Text(kMargin, 55, ECardFace::kSans, 9, kLabelGrey, card.subtitle);
    l.Rule(kTableTop - 4);
}

void LayOutChannels(CLayout& l, const CCardData& card)
{
    for (size_t c = 0; c < CCardData::kColumns; ++c)
        l.FittedText(kColumnX[c], ColumnRight(c), kTableTop + 11, ECardFace::kSansBold, 8.5,
                     kLabelGrey, card.headings[c]);
    double top = kTableTop + kHeadingHeight;
    for (size_t r = 0; r < card.rows.size(); ++r, top += kRowHeight) {
        // Every other row shaded, so that a line is easy to follow in a bumpy cockpit.
        if (r % 2 == 1)
            l.Shade(top);
        for (size_t c = 0; c < CCardData::kColumns; ++c) {
            const bool large = c == 1 || c == 2; // frequency and name
            l.FittedText(kColumnX[c], ColumnRight(c), top + 14.5,
                         large ? ECardFace::kMonoBold : ECardFace::kSans, large ? 13 : 10, kBlack,
                         card.rows[r][c]);
        }
    }
    l.Rule(top + 2);
}

void LayOutSettings(CLayout& l, const CCardData& card)
{
    const double first = kTableTop + kHeadingHeight + kRowHeight * card.rows.size() + 20;
    const size_t perColumn = (card.settings.size() + 1) / 2;
    for (size_t i = 0; i < card.settings.size(); ++i) {
        const double x = kMargin + (i < perColumn ? 0 : kSettingsColumnWidth);
        const double y = first + kSettingsLineHeight * static_cast<double>(i % perColumn);
        const double valueX = x + kSettingsValueOffset;
        l.FittedText(x, valueX - kColumnGap, y, ECardFace::kSans, 8.5, kLabelGrey,
                     card.settings[i].first);
        l.FittedText(valueX, x + kSettingsColumnWidth - kColumnGap, y, ECardFace::kSansBold, 10,
                     kBlack, card.settings[i].second);
    }
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

std::string CardSizeName(ECardSize size)
{
    switch (size) {
    case ECardSize::kA5:
        return "A5";
    case ECardSize::kA4:
        return "A4";
    case ECardSize::kLetter:
        break;
    }
    return LoadResString(IDS_CARD_PAPER_LETTER);
}

CCardLayout LayOutCard(const CCardData& card, const CardTextWidth& width)
{
    CLayout layout(width);
    LayOutTitle(layout, card);
    LayOutChannels(layout, card);
    LayOutSettings(layout, card);
    return std::move(layout.Result());
}

CCardPlacement PlaceCard(double width, double height)
{
    CCardPlacement placement;
    placement.scale = std::min(width / kA5Width, height / kA5Height);
    placement.x = (width - kA5Width * placement.scale) / 2;
    placement.y = (height - kA5Height * placement.scale) / 2;
    return placement;
}

std::string CardDateToday()
{
    const std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now);
    char text[16] = "";
    if (local)
        std::strftime(text, sizeof text, "%Y-%m-%d", local);
    return text;
}
