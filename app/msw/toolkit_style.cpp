#include "app/toolkit_style.h"

#include <wx/window.h>

// Windows' toolbar buttons are as large as their pictures already.

void ApplyCompactToolbarStyle() {}

double TextScale(const wxWindow& window)
{
    const int dpi = window.GetDPI().y;
    return dpi > 0 ? dpi / 96.0 : 1.0;
}
