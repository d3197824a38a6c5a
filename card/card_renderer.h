#pragma once

#include <string>

#include "exchange/kneeboard_card.h"

typedef struct _cairo cairo_t;

// The paper sizes of the card: A5 fits a kneeboard; A4 and Letter carry the same card larger.
enum class ECardSize { kA5, kA4, kLetter };

// "a5", "a4" or "letter", without regard to case; false for any other word.
bool ParseCardSize(const std::string& word, ECardSize* size);

// The paper's width and height in points (1/72 inch).
void GetCardPageSize(ECardSize size, double* width, double* height);

// Draws the card on `cr`, fitted into a page of `width` by `height` in the context's user units
// (points for a PDF, device units of a printer or of a print preview), centred. The context's
// state is restored afterwards.
void RenderCard(cairo_t* cr, const CCardData& card, double width, double height);

// Writes the card as a one-page PDF of the given paper size, replacing `path` as a whole or
// not at all. False with a reason in `error` when it cannot.
bool WriteCardPdf(const CCardData& card, ECardSize size, const std::string& path,
                  std::string* error);
