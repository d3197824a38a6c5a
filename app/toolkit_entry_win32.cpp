#include "app/toolkit_entry.h"

#include <wx/init.h>

int EnterToolkit(int, char**)
{
    return wxEntry(::GetModuleHandleW(nullptr), nullptr, nullptr, SW_SHOWNORMAL);
}

void ToolkitStarted() {}
