// The page's door to safe cloning: File > Open Backup... (the backups themselves are the page's
// storage's, web/page_backups.cpp), Clone > Compare with Transceiver... and Help > Check
// Connection.... Texts cross as UTF-8; a text returned stays valid until the core hands the page
// the next one (HandToPage).

#include <sstream>
#include <string>

#include <emscripten.h>

#include "clone/clone_link.h"
#include "clone/clone_operations.h"
#include "clone/comm_port_os.h"
#include "clone/connection_doctor.h"
#include "exchange/data_differences.h"
#include "radio/backup_store.h"
#include "radio/r455_radio.h"
#include "res/resource_ids.h"
#include "res/string_table.h"
#include "text/text_util.h"
#include "web/json_text.h"
#include "web/page_backups.h"
#include "web/web_document.h"

namespace {

const char* LevelKey(CDoctorFinding::Level level)
{
    switch (level) {
    case CDoctorFinding::Level::Ok:
        return "ok";
    case CDoctorFinding::Level::Note:
        return "note";
    case CDoctorFinding::Level::Problem:
        break;
    }
    return "problem";
}

// Each finding as a row: level key, level word, text, fix line ("" for none).
std::vector<std::vector<std::string>> FindingRows(const std::vector<CDoctorFinding>& findings)
{
    std::vector<std::vector<std::string>> rows;
    for (const CDoctorFinding& f : findings)
        rows.push_back({LevelKey(f.level), CConnectionDoctor::LevelWord(f.level), f.text,
                        f.fix.empty() ? "" : FormatText(LoadResString(IDS_DOCTOR_FIX), {f.fix})});
    return rows;
}

// "VVVV:PPPP" for a USB port, anything else for one without USB ids; one a line.
CBrowserView::CPort ParsePort(const std::string& line)
{
    CBrowserView::CPort port;
    unsigned vendor = 0, product = 0;
    char colon = 0;
    std::istringstream in(line);
    if (in >> std::hex >> vendor >> colon >> product && colon == ':' && vendor <= 0xFFFF &&
        product <= 0xFFFF)
        port = {true, static_cast<uint16_t>(vendor), static_cast<uint16_t>(product)};
    return port;
}

} // namespace

extern "C" {

// The texts of File > Open Backup...'s window, and how many backups are kept.
EMSCRIPTEN_KEEPALIVE const char* pwr_backup_texts()
{
    const std::string tooltip = LoadResString(ID_FILE_OPEN_BACKUP);
    CJsonObject texts;
    texts.Add("title", tooltip.substr(tooltip.find('\n') + 1));
    texts.Add("intro", FormatText(LoadResString(IDS_WEB_BACKUPS_INTRO),
                                  {std::to_string(CBackupStore::kKeptBackups)}));
    texts.Add("none", LoadResString(IDS_WEB_BACKUPS_NONE));
    texts.Add("open", LoadResString(IDS_WEB_OPEN));
    texts.Add("download", LoadResString(IDS_WEB_DOWNLOAD));
    texts.Add("delete", LoadResString(IDS_WEB_DELETE));
    return HandToPage(texts.Text());
}

// Whether `name` is a backup's (the page's storage holds nothing else, but an old or foreign
// record is left alone).
EMSCRIPTEN_KEEPALIVE int pwr_is_backup_name(const char* name)
{
    return CBackupStore::IsBackupName(name) ? 1 : 0;
}

// "" when the backup opened as a copy, else the message to show.
EMSCRIPTEN_KEEPALIVE const char* pwr_open_backup(const char* name, const char* bytes,
                                                 unsigned length)
{
    return HandToPage(PageDocument().OpenBackup(name, std::string(bytes, length)));
}

// Compare with Transceiver: reads the transceiver into a data set of its own (its backup kept
// as every read's) and gives the clone result, then, after a read, the summary line, the
// column headings and each difference in words. The document stays as it was.
EMSCRIPTEN_KEEPALIVE const char* pwr_compare()
{
    CWebDocument& doc = PageDocument();
    CR455Radio transceiver;
    const int result = CCloneOperations::ReadCopy(transceiver, doc.Station().Link(), doc.Host(),
                                                  doc.Station().Transfer(),
                                                  PageBackupHook(doc.Host()));
    CJsonObject answer;
    answer.Add("result", static_cast<unsigned>(result < 0 ? 0xFFFF : result));
    if (result == CCloneLink::kResultOk) {
        const std::vector<CDataDifference> differences = ListDifferences(doc.Radio(), transceiver);
        answer.Add("summary", DescribeDifferenceCount(differences.size()));
        answer.AddTexts("headings", {LoadResString(IDS_COMPARE_COLUMN_KEY),
                                     LoadResString(IDS_COMPARE_COLUMN_DOCUMENT),
                                     LoadResString(IDS_COMPARE_COLUMN_TRANSCEIVER)});
        std::vector<std::vector<std::string>> rows;
        for (const CDataDifference& difference : differences) {
            const CDataDifference d = DescribeDifference(difference);
            rows.push_back({d.key, d.left, d.right});
        }
        answer.AddRows("rows", rows);
    }
    return HandToPage(answer.Text());
}

// Check Connection's findings before the run: `webSerial` 1 when the browser has it, `system`
// CBrowserView::ESystem's order, `ports` one line for each port the page may use.
EMSCRIPTEN_KEEPALIVE const char* pwr_check_browser(int webSerial, int system, const char* ports)
{
    CBrowserView view;
    view.webSerial = webSerial != 0;
    if (system > 0 && system <= static_cast<int>(CBrowserView::ESystem::Android))
        view.system = static_cast<CBrowserView::ESystem>(system);
    std::istringstream lines(ports);
    for (std::string line; std::getline(lines, line);)
        view.ports.push_back(ParsePort(line));
    CJsonObject answer;
    answer.AddRows("findings", FindingRows(CConnectionDoctor::CheckBrowser(view)));
    return HandToPage(answer.Text());
}

// The line above the findings: the port the information run goes to (`port` as ParsePort
// reads it).
EMSCRIPTEN_KEEPALIVE const char* pwr_check_port_line(const char* port)
{
    return HandToPage(FormatText(LoadResString(IDS_WEB_PORT_CHECKED),
                           {CConnectionDoctor::DescribeBrowserPort(ParsePort(port))}));
}

// The information run on the page's port `index` (the simulated transceiver while the page
// tries without a radio), with the desktop check's words for each way it ends.
EMSCRIPTEN_KEEPALIVE const char* pwr_check_run(unsigned index)
{
    CWebDocument& doc = PageDocument();
    doc.Host().SetStatusText(LoadResString(IDS_CONNECTION_CHECKING));
    const CDoctorFinding finding = CConnectionDoctor::RunInformation(
        doc.Host(), doc.Clock(), GetDefaultSerialDevice(static_cast<int>(index) + 1), nullptr,
        doc.Station().GetPeer());
    doc.Host().SetStatusText(LoadResString(IDS_IDLE_MESSAGE));
    CJsonObject answer;
    answer.AddRows("findings", FindingRows({finding}));
    return HandToPage(answer.Text());
}

} // extern "C"
