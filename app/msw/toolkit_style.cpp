#include "app/toolkit_style.h"

// Windows' toolbar buttons are as large as their pictures already.

void ApplyCompactToolbarStyle() {}
