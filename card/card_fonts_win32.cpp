#include "card/card_fonts.h"

// Windows' font mapper knows no generic names: it would answer "monospace" with a proportional
// font, and the frequencies would no longer line up. Arial and Courier New come with every
// Windows.

const char* CardSansFamily()
{
    return "Arial";
}

const char* CardMonoFamily()
{
    return "Courier New";
}
