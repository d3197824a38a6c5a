// The desktop program pwr455.
#include "app/pwr455_app.h"

wxIMPLEMENT_APP(CPWR455App);
