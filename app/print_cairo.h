#pragma once

// A cairo context on a printout's device context, for the card renderer: the printer's page or
// the bitmap of a print preview, in the device context's units.

#include <wx/gdicmn.h>

class wxDC;
typedef struct _cairo cairo_t;

class CPrintCairo {
public:
    explicit CPrintCairo(wxDC& dc);
    // Ends the drawing: what was drawn reaches the device context by then.
    ~CPrintCairo();

    CPrintCairo(const CPrintCairo&) = delete;
    CPrintCairo& operator=(const CPrintCairo&) = delete;

    // Null when the device context offers no way to draw with cairo.
    cairo_t* Get() const { return m_cr; }
    // The whole paper in the context's units (a printer may not print up to its edges).
    wxRect GetPaperRect() const { return m_paper; }

private:
    cairo_t* m_cr = nullptr;
    bool m_owned = false;
    wxRect m_paper;
    // Where the page is drawn as a picture first: the device context the picture goes to.
    wxDC* m_pictureDc = nullptr;
};
