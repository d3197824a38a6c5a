#include "card/card_fonts.h"

// fontconfig resolves the generic names to the system's chosen fonts.

const char* CardSansFamily()
{
    return "sans-serif";
}

const char* CardMonoFamily()
{
    return "monospace";
}
