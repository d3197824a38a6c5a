#pragma once

// The desktop program's compiled-in resources: XRC dialogs and menus, SVG pictures and the
// command prompts and tooltips of the string table.

#include <wx/bmpbndl.h>
#include <wx/iconbndl.h>
#include <wx/string.h>

class wxMenuBar;

// Loads the XRC resources compiled into the binary and registers the command ids. Safe to
// call more than once.
void InitAppResources();

// The SVG picture res/icons/<name>.svg at the given default size (in pixels at 100 % scale);
// an empty bundle when there is no such picture.
wxBitmapBundle GetSvgBundle(const char* name, int size);

// The program's icon in the sizes title bars, task bars and window lists ask for: every window
// of the program carries it.
wxIconBundle GetProgramIcons();

// The text of string resource `id`.
wxString ResString(unsigned id);

// The fields of the document string IDR_MAINFRAME, in its order.
enum class EDocField {
    kWindowTitle,
    kDocName,
    kNewDocName,
    kFilterName,
    kFilterExt, // ".qrb"
    kFileTypeId,
    kFileTypeName,
};
wxString GetDocField(EDocField field);

// The status bar prompt (before the line feed) and the tooltip (after it) of command `id`.
wxString GetCommandPrompt(unsigned id);
wxString GetCommandTooltip(unsigned id);

// Gives every menu item of the bar its status bar prompt from the string table.
void ApplyMenuPrompts(wxMenuBar* menuBar);
