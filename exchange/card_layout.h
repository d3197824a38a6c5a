#pragma once

// Where everything of the kneeboard card goes: the paper sizes, and each text and box of the card
// laid out on an A5 page in points. Any drawing system places it so (cairo for the desktop and
// the PDF, the browser's SVG for its edition); only how wide a text is comes from the drawer.

#include <functional>
#include <string>
#include <vector>

#include "exchange/kneeboard_card.h"

// The paper sizes of the card: A5 fits a kneeboard; A4 and Letter carry the same card larger.
enum class ECardSize { kA5, kA4, kLetter };
constexpr ECardSize kCardSizes[] = {ECardSize::kA5, ECardSize::kA4, ECardSize::kLetter};

// "a5", "a4" or "letter", without regard to case; false for any other word.
bool ParseCardSize(const std::string& word, ECardSize* size);

// The paper's width and height in points (1/72 inch).
void GetCardPageSize(ECardSize size, double* width, double* height);

// The paper's name as the reader knows it.
std::string CardSizeName(ECardSize size);

enum class ECardFace { kSans, kSansBold, kMonoBold };

// A text starting at `x` on its `baseline`, in `face` at `size` (already fitted into its room),
// in a grey from 0 (black) to 1 (white).
struct CCardText {
    double x = 0;
    double baseline = 0;
    ECardFace face = ECardFace::kSans;
    double size = 0;
    double grey = 0;
    std::string text;
};

// A filled rectangle: a rule or a shaded row.
struct CCardBox {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;
    double grey = 0;
};

struct CCardLayout {
    double width = 0; // the A5 page
    double height = 0;
    std::vector<CCardBox> boxes; // beneath the texts
    std::vector<CCardText> texts;
};

// How wide `text` is in `face` at `size`, in points, as the drawing system sets it.
using CardTextWidth = std::function<double(ECardFace face, double size, const std::string& text)>;

CCardLayout LayOutCard(const CCardData& card, const CardTextWidth& width);

// The A5 layout on a page of `width` by `height` user units: scaled by `scale` to fit, its top
// left corner at (x, y), centred.
struct CCardPlacement {
    double scale = 1;
    double x = 0;
    double y = 0;
};
CCardPlacement PlaceCard(double width, double height);

// Today's date in the local time zone as the card shows it (ISO 8601).
std::string CardDateToday();
