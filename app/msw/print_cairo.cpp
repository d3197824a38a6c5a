#include "app/print_cairo.h"

#include <algorithm>
#include <cmath>

#include <cairo-win32.h>
#include <wx/dc.h>

namespace {

// A print preview's page drawn as a picture has this many dots per inch at most: sharp at the
// preview's zoom levels, and a fraction of the memory at a printer's resolution.
constexpr double kPictureDpi = 150;

// A picture of PAPER, which is in the DC's units.
cairo_surface_t* CreatePicture(HDC hdc, const wxRect& paper)
{
    const double scaleX = std::min(1.0, kPictureDpi / ::GetDeviceCaps(hdc, LOGPIXELSX));
    const double scaleY = std::min(1.0, kPictureDpi / ::GetDeviceCaps(hdc, LOGPIXELSY));
    return cairo_image_surface_create(CAIRO_FORMAT_RGB24,
                                      static_cast<int>(std::lround(paper.width * scaleX)),
                                      static_cast<int>(std::lround(paper.height * scaleY)));
}

// The picture stretched over PAPER.
void DrawPicture(HDC hdc, cairo_surface_t* picture, const wxRect& paper)
{
    cairo_surface_flush(picture);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = cairo_image_surface_get_width(picture);
    info.bmiHeader.biHeight = -cairo_image_surface_get_height(picture); // rows top down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    ::StretchDIBits(hdc, paper.x, paper.y, paper.width, paper.height, 0, 0, info.bmiHeader.biWidth,
                    -info.bmiHeader.biHeight, cairo_image_surface_get_data(picture), &info,
                    DIB_RGB_COLORS, SRCCOPY);
}

} // namespace

CPrintCairo::CPrintCairo(wxDC& dc)
{
    const HDC hdc = static_cast<HDC>(dc.GetHDC());
    if (!hdc)
        return;
    cairo_surface_t* surface = nullptr;
    if (::GetDeviceCaps(hdc, TECHNOLOGY) == DT_RASPRINTER) {
        // The printer gets lines and text, not a picture of the page. Its device context starts
        // at the printable area's corner, inside the paper's edges.
        m_paper = wxRect(-::GetDeviceCaps(hdc, PHYSICALOFFSETX),
                         -::GetDeviceCaps(hdc, PHYSICALOFFSETY),
                         ::GetDeviceCaps(hdc, PHYSICALWIDTH), ::GetDeviceCaps(hdc, PHYSICALHEIGHT));
        if (::GetObjectType(hdc) == OBJ_ENHMETADC) {
            // A print preview records the page in a metafile made for the printer. What cairo's
            // printing surface records there plays back as a blank page under Wine; a picture
            // plays back everywhere.
            surface = CreatePicture(hdc, m_paper);
            m_pictureDc = &dc;
        } else {
            surface = cairo_win32_printing_surface_create(hdc);
        }
    } else {
        // A print preview's bitmap, which shows the whole paper.
        surface = cairo_win32_surface_create(hdc);
        m_paper = wxRect(dc.GetSize());
    }
    m_cr = cairo_create(surface);
    m_owned = true;
    if (m_pictureDc) {
        // White paper, drawn on in the DC's units.
        cairo_set_source_rgb(m_cr, 1, 1, 1);
        cairo_paint(m_cr);
        cairo_scale(m_cr, cairo_image_surface_get_width(surface) / double(m_paper.width),
                    cairo_image_surface_get_height(surface) / double(m_paper.height));
        cairo_translate(m_cr, -m_paper.x, -m_paper.y);
    }
    cairo_surface_destroy(surface); // the context keeps it
}

CPrintCairo::~CPrintCairo()
{
    if (!m_owned)
        return;
    if (m_pictureDc) {
        DrawPicture(static_cast<HDC>(m_pictureDc->GetHDC()), cairo_get_target(m_cr), m_paper);
    } else {
        cairo_show_page(m_cr);
        cairo_surface_finish(cairo_get_target(m_cr));
    }
    cairo_destroy(m_cr);
}
