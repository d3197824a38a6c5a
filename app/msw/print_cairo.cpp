#include "app/print_cairo.h"

#include <cairo-win32.h>
#include <wx/dc.h>

CPrintCairo::CPrintCairo(wxDC& dc)
{
    const HDC hdc = static_cast<HDC>(dc.GetHDC());
    if (!hdc)
        return;
    cairo_surface_t* surface = nullptr;
    if (::GetDeviceCaps(hdc, TECHNOLOGY) == DT_RASPRINTER) {
        // The printer gets lines and text, not a picture of the page. Its device context starts
        // at the printable area's corner, inside the paper's edges.
        surface = cairo_win32_printing_surface_create(hdc);
        m_paper = wxRect(-::GetDeviceCaps(hdc, PHYSICALOFFSETX),
                         -::GetDeviceCaps(hdc, PHYSICALOFFSETY),
                         ::GetDeviceCaps(hdc, PHYSICALWIDTH), ::GetDeviceCaps(hdc, PHYSICALHEIGHT));
    } else {
        // A print preview's bitmap, which shows the whole paper.
        surface = cairo_win32_surface_create(hdc);
        m_paper = wxRect(dc.GetSize());
    }
    m_cr = cairo_create(surface);
    cairo_surface_destroy(surface); // the context keeps it
    m_owned = true;
}

CPrintCairo::~CPrintCairo()
{
    if (!m_owned)
        return;
    cairo_show_page(m_cr);
    cairo_surface_finish(cairo_get_target(m_cr));
    cairo_destroy(m_cr);
}
