#include "app/card_printout.h"

#include <cairo.h>
#include <wx/dc.h>

#include "app/print_cairo.h"
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
    CPrintCairo cairo(*dc);
    if (!cairo.Get())
        return false;
    const wxRect paper = cairo.GetPaperRect();
    cairo_save(cairo.Get());
    cairo_translate(cairo.Get(), paper.x, paper.y);
    RenderCard(cairo.Get(), m_card, paper.width, paper.height);
    cairo_restore(cairo.Get());
    return true;
}
