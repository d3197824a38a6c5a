#pragma once

#include <string>

#include "exchange/card_layout.h"
#include "exchange/kneeboard_card.h"

typedef struct _cairo cairo_t;

// Draws the card as exchange/card_layout.h lays it out on `cr`, fitted into a page of `width` by
// `height` in the context's user units (points for a PDF, device units of a printer or of a print
// preview), centred. The context's state is restored afterwards.
void RenderCard(cairo_t* cr, const CCardData& card, double width, double height);

// Writes the card as a one-page PDF of the given paper size, replacing `path` as a whole or
// not at all. False with a reason in `error` when it cannot.
bool WriteCardPdf(const CCardData& card, ECardSize size, const std::string& path,
                  std::string* error);
