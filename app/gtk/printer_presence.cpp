#include "app/printer_presence.h"

bool HasPrinter()
{
    return true;
}
