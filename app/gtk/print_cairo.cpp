#include "app/print_cairo.h"

#include <cairo.h>
#include <wx/dc.h>
#include <wx/graphics.h>

CPrintCairo::CPrintCairo(wxDC& dc)
{
    // On GTK every DC draws with cairo: the printer's DC hands out its context directly, the
    // bitmap of a print preview through its graphics context. Either way the context's units
    // are the DC's device units, which cover the whole paper.
    m_cr = static_cast<cairo_t*>(dc.GetImpl()->GetCairoContext());
    if (!m_cr && dc.GetGraphicsContext())
        m_cr = static_cast<cairo_t*>(dc.GetGraphicsContext()->GetNativeContext());
    m_paper = wxRect(dc.GetSize());
}

CPrintCairo::~CPrintCairo() = default;
