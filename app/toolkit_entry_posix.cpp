#include "app/toolkit_entry.h"

#include <wx/init.h>

int EnterToolkit(int argc, char** argv)
{
    return wxEntry(argc, argv);
}
