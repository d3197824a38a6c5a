#include "app/command_ids.h"

#include <wx/xrc/xmlres.h>

namespace {

struct CCommandName {
    const char* name;
    unsigned id;
};

// Every command name the XRC files use.
const CCommandName kCommandNames[] = {
    {"ID_FILE_NEW", ID_FILE_NEW},
    {"ID_FILE_OPEN", ID_FILE_OPEN},
    {"ID_FILE_SAVE", ID_FILE_SAVE},
    {"ID_FILE_SAVE_AS", ID_FILE_SAVE_AS},
    {"ID_FILE_IMPORT_CHANNELS", ID_FILE_IMPORT_CHANNELS},
    {"ID_FILE_EXPORT_CHANNELS", ID_FILE_EXPORT_CHANNELS},
    {"ID_FILE_IMPORT_AIRPORTS", ID_FILE_IMPORT_AIRPORTS},
    {"ID_FILE_PRINT", ID_FILE_PRINT},
    {"ID_FILE_PRINT_PREVIEW", ID_FILE_PRINT_PREVIEW},
    {"ID_FILE_MRU_FILE1", ID_FILE_MRU_FILE1},
    {"ID_APP_EXIT", ID_APP_EXIT},
    {"ID_EDIT_UNDO", ID_EDIT_UNDO},
    {"ID_EDIT_REDO", ID_EDIT_REDO},
    {"ID_EDIT_MEMORY", ID_EDIT_MEMORY},
    {"ID_EDIT_COPY", ID_EDIT_COPY},
    {"ID_EDIT_PASTE", ID_EDIT_PASTE},
    {"ID_EDIT_CLEAR", ID_EDIT_CLEAR},
    {"ID_EDIT_DELETE_CH", ID_EDIT_DELETE_CH},
    {"ID_EDIT_INSERT_CH", ID_EDIT_INSERT_CH},
    {"ID_EDIT_PASTE_ROWS", ID_EDIT_PASTE_ROWS},
    {"ID_EDIT_MOVE_UP", ID_EDIT_MOVE_UP},
    {"ID_EDIT_MOVE_DOWN", ID_EDIT_MOVE_DOWN},
    {"ID_EDIT_SORT_FREQUENCY", ID_EDIT_SORT_FREQUENCY},
    {"ID_EDIT_SORT_NAME", ID_EDIT_SORT_NAME},
    {"IDM_SORT_CHANNELS", IDM_SORT_CHANNELS},
    {"ID_VIEW_COMMON_SETTING", ID_VIEW_COMMON_SETTING},
    {"ID_VIEW_TOOLBAR", ID_VIEW_TOOLBAR},
    {"ID_VIEW_STATUS_BAR", ID_VIEW_STATUS_BAR},
    {"ID_COM1", ID_COM1},
    {"ID_COM2", ID_COM2},
    {"ID_COM3", ID_COM3},
    {"ID_COM4", ID_COM4},
    {"ID_PORT_SETTINGS", ID_PORT_SETTINGS},
    {"ID_CLONE_READ", ID_CLONE_READ},
    {"ID_CLONE_WRITE", ID_CLONE_WRITE},
    {"ID_CLONE_INFO", ID_CLONE_INFO},
    {"ID_HELP_INDEX", ID_HELP_INDEX},
    {"ID_HELP_FINDER", ID_HELP_FINDER},
    {"ID_APP_ABOUT", ID_APP_ABOUT},
    {"ID_FILE_OPEN_BACKUP", ID_FILE_OPEN_BACKUP},
    {"ID_CLONE_COMPARE", ID_CLONE_COMPARE},
    {"ID_HELP_CHECK_CONNECTION", ID_HELP_CHECK_CONNECTION},
};

} // namespace

void RegisterCommandIds()
{
    for (const CCommandName& c : kCommandNames) {
        const int id = wxXmlResource::GetXRCID(c.name, CmdId(c.id));
        wxASSERT_MSG(id == CmdId(c.id), c.name);
        (void)id;
    }
}
