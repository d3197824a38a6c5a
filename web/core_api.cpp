// The page's door to the core: plain C functions the page calls through the module's ccall
// (the clone commands asynchronously: they wait with the browser's event loop running). Texts
// cross as UTF-8; a text returned stays valid until the next call that returns one.

#include <cstdlib>
#include <string>

#include <emscripten.h>

#include "clone/cable_chips.h"
#include "clone/comm_port_os.h"
#include "exchange/channel_csv.h"
#include "radio/air_channel.h"
#include "radio/channel_commands.h"
#include "radio/channel_row.h"
#include "radio/radio_settings.h"
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
    return PageDocument();
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
    return HandToPage(LoadResString(id));
}

// The chip of a cable by its USB ids ("" for none the program knows).
EMSCRIPTEN_KEEPALIVE const char* pwr_chip_name(unsigned vendor, unsigned product)
{
    return HandToPage(CableChipName(static_cast<uint16_t>(vendor), static_cast<uint16_t>(product)));
}

// The clone commands from now on use the `index`-th port the page may use (COM Port menu).
EMSCRIPTEN_KEEPALIVE void pwr_use_port(unsigned index)
{
    Document().Station().Link().Ports().SetAllDevices(
        GetDefaultSerialDevice(static_cast<int>(index) + 1));
}

EMSCRIPTEN_KEEPALIVE void pwr_new()
{
    Document().New();
}

// "" when opened, else the message to show.
EMSCRIPTEN_KEEPALIVE const char* pwr_open(const char* name, const char* bytes, unsigned length)
{
    return HandToPage(Document().Open(name, std::string(bytes, length)));
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
    return HandToPage(result);
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
    state.Add("undoLabel", UndoMenuLabel(doc.History(), false));
    state.Add("redoLabel", UndoMenuLabel(doc.History(), true));
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
    return HandToPage(state.Text());
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
    return HandToPage(channel.Text());
}

// Edit Memory's OK: the notes on what was stored ("" when stored as typed).
EMSCRIPTEN_KEEPALIVE const char* pwr_edit_channel(unsigned ch, const char* name,
                                                  const char* frequency, int txInhibit,
                                                  int lockout)
{
    return HandToPage(Document().EditChannel(ch, name, frequency, txInhibit != 0, lockout != 0));
}

// Undo (`redo` 0) or Redo: the status bar's text, "" when there was nothing to do.
EMSCRIPTEN_KEEPALIVE const char* pwr_undo_or_redo(int redo)
{
    return HandToPage(UndoOrRedoStep(Document().History(), redo != 0).value_or(""));
}

// The note under Edit Memory's frequency as the user types it.
EMSCRIPTEN_KEEPALIVE const char* pwr_describe_frequency(const char* typed)
{
    CR455Radio& radio = Document().Radio();
    return HandToPage(DescribeTypedFrequency(EngineFrequencyText(typed), GetChannelGrid(radio)));
}

// Whether an editing command (EListCommand's order) is offered on channel `ch`, and the
// question to ask or the refusal to show first.
EMSCRIPTEN_KEEPALIVE const char* pwr_plan(int command, unsigned ch)
{
    const CListCommandPlan plan =
        PlanListCommand(Document().Radio(), static_cast<EListCommand>(command), ch);
    CJsonObject answer;
    answer.Add("enabled", plan.enabled);
    answer.Add("question", plan.question ? LoadResString(plan.question) : "");
    answer.Add("refusal", plan.refusal ? LoadResString(plan.refusal) : "");
    return HandToPage(answer.Text());
}

// Runs an editing command on channel `ch` as one undo step: where the cursor goes, the status
// text (absent: it stays) and, for Copy, the row for the system clipboard.
EMSCRIPTEN_KEEPALIVE const char* pwr_run(int command, unsigned ch)
{
    CWebDocument& doc = Document();
    const auto which = static_cast<EListCommand>(command);
    const CListCommandOutcome outcome = RunListCommand(doc.Radio(), doc.History(), which, ch);
    CJsonObject answer;
    answer.Add("selected", outcome.selected);
    if (outcome.status)
        answer.Add("status", *outcome.status);
    if (which == EListCommand::kCopy)
        answer.Add("clipboard", ChannelRowTsv(doc.Radio(), ch));
    return HandToPage(answer.Text());
}

// The settings sheet: its captions, labels, list entries and the values it opens with.
EMSCRIPTEN_KEEPALIVE const char* pwr_settings()
{
    CR455Radio& radio = Document().Radio();
    const CRadioSettings s = CRadioSettings::Load(radio);
    CJsonObject sheet;
    const std::pair<const char*, unsigned> texts[] = {
        {"caption", IDS_SETTING_CAPTION},  {"common", IDS_PAGE_COMMON},
        {"advanced", IDS_PAGE_ADVANCED},   {"beep", IDS_OPERATION_BEEP},
        {"beepUpDownKey", IDS_UPDN_KEY_BEEP}, {"sideTone", IDS_SIDE_TONE},
        {"indicateModeLabel", IDS_INDICATION_MODE}, {"backlightLabel", IDS_LCD_BACKLIGHT},
        {"scanFunction", IDS_SCAN_FUNCTION}, {"scanHanger", IDS_HANGER_SCAN},
        {"scanModeLabel", IDS_SCAN_MODE},  {"priorityLabel", IDS_PRIORITY_CH},
        {"openingTextLabel", IDS_OPENING_TEXT}, {"adjustModeEnable", IDS_ADJUST_MODE_ENABLE},
        {"vfoModeEnable", IDS_VFO_MODE_ENABLE}, {"vfoTxEnable", IDS_VFO_TX_ENABLE},
        {"memoryWriteEnable", IDS_MEMORY_WRITE_ENABLE}};
    for (const auto& [key, id] : texts)
        sheet.Add(key, LoadResString(id));
    auto entries = [](std::initializer_list<unsigned> ids) {
        std::vector<std::string> list;
        for (unsigned id : ids)
            list.push_back(LoadResString(id));
        return list;
    };
    sheet.AddTexts("indicateModes", entries({IDS_INDICATE_FREQ, IDS_INDICATE_TEXT}));
    sheet.AddTexts("backlights", entries({IDS_LEVEL_OFF, IDS_LEVEL_LOW, IDS_LEVEL_HIGH}));
    sheet.AddTexts("scanModes", entries({IDS_SCAN_MODE_NORMAL, IDS_SCAN_MODE_PRIO}));
    sheet.AddTexts("spacings", entries({IDS_SPACING_8_33K, IDS_SPACING_25K, IDS_SPACING_BOTH}));
    std::vector<std::string> priorities{LoadResString(IDS_LEVEL_OFF)};
    for (unsigned ch : PriorityChannelChoices(radio))
        priorities.push_back(std::to_string(ch));
    sheet.AddTexts("priorities", priorities);

    const std::pair<const char*, bool> boxes[] = {
        {"beepOn", s.beep}, {"beepUpDownKeyOn", s.beepUpDownKey}, {"sideToneOn", s.sideTone},
        {"scanFunctionOn", s.scanFunction}, {"scanHangerOn", s.scanHanger},
        {"adjustModeEnableOn", s.adjustModeEnable}, {"vfoModeEnableOn", s.vfoModeEnable},
        {"vfoTxEnableOn", s.vfoTxEnable}, {"memoryWriteEnableOn", s.memoryWriteEnable}};
    for (const auto& [key, on] : boxes)
        sheet.Add(key, on);
    sheet.Add("indicateMode", static_cast<unsigned>(s.indicateMode));
    sheet.Add("backlight", static_cast<unsigned>(s.backlight));
    sheet.Add("scanMode", static_cast<unsigned>(s.scanMode));
    sheet.Add("priority", s.priorityChannel);
    sheet.Add("spacing", static_cast<unsigned>(s.spacing));
    sheet.Add("openingText", s.openingText);
    sheet.Add("cloneComment", s.cloneComment);
    sheet.Add("openingTextLimit", CRadioSettings::kOpeningTextLimit);
    sheet.Add("cloneCommentLimit", CRadioSettings::kCloneCommentLimit);
    return HandToPage(sheet.Text());
}

// The settings sheet's OK (`ok` 1) or Cancel. `boxes` holds the check boxes as bits in the order
// of pwr_settings (beep first); the lists are the entries' positions, `priority` a channel (0:
// off). Returns the note on the opening text stored.
EMSCRIPTEN_KEEPALIVE const char* pwr_apply_settings(int ok, unsigned boxes, unsigned indicateMode,
                                                    unsigned backlight, unsigned scanMode,
                                                    unsigned priority, unsigned spacing,
                                                    const char* openingText,
                                                    const char* cloneComment)
{
    CRadioSettings s;
    bool* const flags[] = {&s.beep, &s.beepUpDownKey, &s.sideTone, &s.scanFunction,
                           &s.scanHanger, &s.adjustModeEnable, &s.vfoModeEnable,
                           &s.vfoTxEnable, &s.memoryWriteEnable};
    for (size_t bit = 0; bit < sizeof flags / sizeof flags[0]; ++bit)
        *flags[bit] = (boxes >> bit) & 1u;
    s.indicateMode = indicateMode == 1 ? EIndicateMode::kText : EIndicateMode::kFrequency;
    s.backlight = backlight == 1 ? EBacklight::kLow
                  : backlight == 2 ? EBacklight::kHigh : EBacklight::kOff;
    s.scanMode = scanMode == 1 ? EScanMode::kPriority : EScanMode::kNormal;
    s.priorityChannel = priority <= CR455Radio::kChannelCount ? priority : 0;
    s.spacing = spacing == 0   ? EChannelSpacing::k8_33kHz
                : spacing == 1 ? EChannelSpacing::k25kHz : EChannelSpacing::kBoth;
    s.openingText = openingText;
    s.cloneComment = cloneComment;
    return HandToPage(Document().ApplySettings(s, ok != 0));
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
