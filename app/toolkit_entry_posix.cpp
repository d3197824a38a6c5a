#include "app/toolkit_entry.h"

#include <cstdlib>

#include <wx/init.h>

namespace {

// GTK would probe the display's OpenGL visuals at its start, which loads Mesa and its compiler
// (about 50 MB and a tenth of a second) for a program that draws nothing with OpenGL. A
// GDK_GL of the user's own is left alone.
const char kGlVariable[] = "GDK_GL";
bool g_glSetHere = false;

} // namespace

int EnterToolkit(int argc, char** argv)
{
    if (!std::getenv(kGlVariable))
        g_glSetHere = ::setenv(kGlVariable, "disable", 0) == 0;
    return wxEntry(argc, argv);
}

void ToolkitStarted()
{
    if (g_glSetHere)
        ::unsetenv(kGlVariable);
    g_glSetHere = false;
}
