#include "app/card_printout.h"

#include <wx/dc.h>
#include <wx/graphics.h>

#include "card/card_renderer.h"

CCardPrintout::CCardPrintout(const CCardData& card)
    : wxPrintout(wxString::FromUTF8(card.fileName)), m_card(card)
{
}

void CCardPrintout::GetPageInfo(int* minPage, int* maxPage, int* pageFrom, int* pageTo)
{
    *minPage = *maxPage = *pageFrom = *pageTo = 1;
}

bool CCardPrintout::OnPrintPage(int)
{
    wxDC* dc = GetDC();
    if (!dc)
        return false;
    // On GTK every DC draws with cairo: the printer's DC hands out its context directly, the
    // bitmap of a print preview through its graphics context. Either way the context's units
    // are the DC's device units, which cover the whole paper.
    auto* cr = static_cast<cairo_t*>(dc->GetImpl()->GetCairoContext());
    if (!cr && dc->GetGraphicsContext())
        cr = static_cast<cairo_t*>(dc->GetGraphicsContext()->GetNativeContext());
    if (!cr)
        return false;
    int width = 0;
    int height = 0;
    dc->GetSize(&width, &height);
    RenderCard(cr, m_card, width, height);
    return true;
}
