#include "app/main_toolbar.h"

#include <wx/frame.h>
#include <wx/toolbar.h>

#include "app/app_resources.h"
#include "app/command_ids.h"

namespace {

struct CToolButton {
    unsigned id;      // 0: a separator
    const char* icon; // res/icons/<icon>.svg
    wxItemKind kind;
};

// Left to right, as the buttons stand on the bar.
const CToolButton kButtons[] = {
    {ID_FILE_NEW, "new", wxITEM_NORMAL},
    {ID_FILE_OPEN, "open", wxITEM_NORMAL},
    {ID_FILE_SAVE, "save", wxITEM_NORMAL},
    {0, nullptr, wxITEM_SEPARATOR},
    {ID_EDIT_MEMORY, "edit_memory", wxITEM_NORMAL},
    {ID_EDIT_COPY, "copy", wxITEM_NORMAL},
    {ID_EDIT_PASTE, "paste", wxITEM_NORMAL},
    {ID_EDIT_CLEAR, "clear", wxITEM_NORMAL},
    {0, nullptr, wxITEM_SEPARATOR},
    {ID_VIEW_COMMON_SETTING, "common_setting", wxITEM_NORMAL},
    {0, nullptr, wxITEM_SEPARATOR},
    {ID_COM1, "com1", wxITEM_CHECK},
    {ID_COM2, "com2", wxITEM_CHECK},
    {ID_COM3, "com3", wxITEM_CHECK},
    {ID_COM4, "com4", wxITEM_CHECK},
    {0, nullptr, wxITEM_SEPARATOR},
    {ID_CLONE_READ, "clone_read", wxITEM_NORMAL},
    {ID_CLONE_WRITE, "clone_write", wxITEM_NORMAL},
    {ID_CLONE_INFO, "clone_info", wxITEM_NORMAL},
};

constexpr int kButtonSize = 16;

} // namespace

wxToolBar* CreateMainToolBar(wxFrame* frame)
{
    auto* toolBar = new wxToolBar(frame, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                  wxTB_HORIZONTAL | wxTB_FLAT | wxBORDER_NONE);
    toolBar->SetToolBitmapSize(wxSize(kButtonSize, kButtonSize));
    for (const CToolButton& b : kButtons) {
        if (b.kind == wxITEM_SEPARATOR) {
            toolBar->AddSeparator();
            continue;
        }
        toolBar->AddTool(CmdId(b.id), GetCommandTooltip(b.id), GetSvgBundle(b.icon, kButtonSize),
                         wxBitmapBundle(), b.kind, GetCommandTooltip(b.id), GetCommandPrompt(b.id));
    }
    toolBar->Realize();
    return toolBar;
}
