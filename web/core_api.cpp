// The page's door to the core: plain C functions the page calls through the module's ccall
// (the clone commands asynchronously: they wait with the browser's event loop running). Texts
// cross as UTF-8; a text returned stays valid until the next call that returns one.

#include <cstdlib>
#include <string>

#include <emscripten.h>

#include "radio/channel_row.h"
#include "radio/r455_radio.h"
#include "radio/undo_history.h"
#include "res/resource_ids.h"
#include "res/string_table.h"
#include "web/json_text.h"
#include "web/web_document.h"

namespace {

// Whether the last pwr_format gave a failure's reason.
bool g_formatFailed = false;

CWebDocument& Document()
{
    static CWebDocument document;
    return document;
}

const char* Keep(std::string text)
{
    static std::string kept;
    kept = std::move(text);
    return kept.c_str();
}

// The channel list's column headings, as the desktop list shows them.
const unsigned kColumnHeadings[kChannelRowCells] = {
    IDS_CLI_COLUMN_CH,         IDS_CLI_COLUMN_PRIO,    IDS_CLI_COLUMN_FREQUENCY,
    IDS_CLI_COLUMN_NAME,       IDS_CLI_COLUMN_TX_INHIBIT, IDS_CLI_COLUMN_LOCKOUT,
    IDS_LIST_COLUMN_SPARE};

// clang-format off
// The chosen language's text for `english` (a new UTF-8 text the caller frees), or none.
EM_JS(char*, PageTranslate, (const char* english), {
    const text = Module.translate(UTF8ToString(english));
    return text ? allocateUTF8(text) : 0;
});
// clang-format on

std::string TranslateForPage(const char* english)
{
    char* text = PageTranslate(english);
    if (!text)
        return english;
    std::string translated(text);
    std::free(text);
    return translated;
}

} // namespace

extern "C" {

// From now on the core's texts are the page's chosen language's (Module.translate).
EMSCRIPTEN_KEEPALIVE void pwr_use_page_language()
{
    SetResTranslator(TranslateForPage);
}

EMSCRIPTEN_KEEPALIVE const char* pwr_text(unsigned id)
{
    return Keep(LoadResString(id));
}

EMSCRIPTEN_KEEPALIVE void pwr_new()
{
    Document().New();
}

// "" when opened, else the message to show.
EMSCRIPTEN_KEEPALIVE const char* pwr_open(const char* name, const char* bytes, unsigned length)
{
    return Keep(Document().Open(name, std::string(bytes, length)));
}

// The file's bytes; pwr_format_failed() tells whether they are the reason of a failure instead.
EMSCRIPTEN_KEEPALIVE const char* pwr_format(unsigned* length)
{
    std::string bytes;
    std::string error;
    const bool failed = !Document().Format(bytes, error);
    g_formatFailed = failed;
    const std::string& result = failed ? error : bytes;
    *length = static_cast<unsigned>(result.size());
    return Keep(result);
}

EMSCRIPTEN_KEEPALIVE int pwr_format_failed()
{
    return g_formatFailed ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE void pwr_saved(const char* name)
{
    Document().Saved(name);
}

// What the page draws: the title, the edit state, undo and redo, the headings and every row.
EMSCRIPTEN_KEEPALIVE const char* pwr_state()
{
    CWebDocument& doc = Document();
    CJsonObject state;
    state.Add("title", doc.Title());
    state.Add("name", doc.Name());
    state.Add("edited", doc.IsEdited());
    state.Add("simulating", doc.IsSimulating());
    state.Add("undo", doc.History().CanUndo() ? doc.History().GetUndoName() : "");
    state.Add("redo", doc.History().CanRedo() ? doc.History().GetRedoName() : "");
    std::vector<std::string> headings;
    for (unsigned id : kColumnHeadings)
        headings.push_back(LoadResString(id));
    state.AddTexts("headings", headings);
    std::vector<std::vector<std::string>> rows;
    for (unsigned ch = 1; ch <= CR455Radio::kChannelCount; ++ch) {
        const auto row = BuildChannelRow(doc.Radio(), ch);
        rows.emplace_back(row.begin(), row.end());
    }
    state.AddRows("rows", rows);
    return Keep(state.Text());
}

// A channel as Edit Memory shows it.
EMSCRIPTEN_KEEPALIVE const char* pwr_channel(unsigned ch)
{
    CR455Radio& radio = Document().Radio();
    CJsonObject channel;
    channel.Add("inUse", radio.GetChAppear(ch) == "ON");
    channel.Add("frequency", radio.GetChFrequency(ch));
    channel.Add("name", radio.GetChName(ch));
    channel.Add("txInhibit", radio.GetChTxInhibit(ch) == "ON");
    channel.Add("lockout", radio.GetChLockout(ch) == "ON");
    return Keep(channel.Text());
}

// Edit Memory's OK: the notes on what was stored ("" when stored as typed).
EMSCRIPTEN_KEEPALIVE const char* pwr_edit_channel(unsigned ch, const char* name,
                                                  const char* frequency, int txInhibit,
                                                  int lockout)
{
    return Keep(Document().EditChannel(ch, name, frequency, txInhibit != 0, lockout != 0));
}

EMSCRIPTEN_KEEPALIVE int pwr_undo()
{
    return Document().History().Undo() ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE int pwr_redo()
{
    return Document().History().Redo() ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE int pwr_simulate()
{
    return Document().Simulate() ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE int pwr_read()
{
    return Document().Read();
}

EMSCRIPTEN_KEEPALIVE int pwr_write()
{
    return Document().Write();
}

EMSCRIPTEN_KEEPALIVE int pwr_information()
{
    return Document().Information();
}

} // extern "C"
