#include "app/printer_presence.h"

#include <windows.h>
#include <winspool.h>

bool HasPrinter()
{
    // Asked for no data, the list of local and connected printers still says how many bytes
    // it needs: none when there is no printer.
    DWORD needed = 0;
    DWORD count = 0;
    ::EnumPrintersW(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 4, nullptr, 0, &needed,
                    &count);
    return needed > 0;
}
