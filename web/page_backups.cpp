#include "web/page_backups.h"

#include <cstdlib>
#include <ctime>
#include <set>
#include <sstream>
#include <vector>

#include <emscripten.h>

#include "radio/backup_store.h"
#include "radio/document_io.h"
#include "radio/r455_radio.h"
#include "res/resource_ids.h"
#include "res/string_table.h"
#include "text/text_util.h"

namespace {

// clang-format off
// Every backup kept: "name\twritten\n" lines, written in milliseconds (a new UTF-8 text the
// caller frees).
EM_ASYNC_JS(char*, PageListBackups, (), {
    return allocateUTF8(await Module.backups.list());
});
// "" when kept, else "full USED QUOTA" (megabytes, "" where the browser does not tell), "none"
// (no storage) or "refused MESSAGE".
EM_ASYNC_JS(char*, PageKeepBackup, (const char* name, const char* data, size_t length), {
    return allocateUTF8(await Module.backups.keep(UTF8ToString(name), HEAPU8.slice(data, data + length)));
});
EM_ASYNC_JS(void, PageRemoveBackups, (const char* names), {
    await Module.backups.remove(UTF8ToString(names).split('\n').filter(n => n));
});
// clang-format on

std::string Taken(char* text)
{
    std::string kept(text ? text : "");
    std::free(text);
    return kept;
}

std::vector<CBackupStore::CEntry> ListBackups()
{
    std::vector<CBackupStore::CEntry> entries;
    std::istringstream lines(Taken(PageListBackups()));
    for (std::string line; std::getline(lines, line);) {
        const size_t tab = line.find('\t');
        if (tab != std::string::npos)
            entries.push_back({line.substr(0, tab), std::atoll(line.c_str() + tab + 1)});
    }
    return entries;
}

// The reason for the status text, and for a full storage the box that says what it means.
std::string DescribeFailure(const std::string& answer, CCloneHost& host)
{
    if (answer == "none")
        return LoadResString(IDS_WEB_NO_STORAGE);
    if (answer.rfind("full", 0) == 0) {
        std::istringstream numbers(answer.substr(4));
        std::string used, quota;
        numbers >> used >> quota;
        std::string box = LoadResString(IDS_WEB_STORAGE_FULL_BOX);
        if (!quota.empty())
            box += "\n\n" + FormatText(LoadResString(IDS_WEB_STORAGE_USED), {used, quota});
        host.ShowNotice(box, CCloneHost::EIcon::Exclamation);
        return LoadResString(IDS_WEB_STORAGE_FULL);
    }
    return FormatText(LoadResString(IDS_WEB_STORAGE_REFUSED),
                      {answer.substr(answer.find(' ') + 1)});
}

} // namespace

CCloneOperations::BackupHook PageBackupHook(CCloneHost& host)
{
    return [&host](CR455Radio& data, std::string& path, std::string& error) {
        std::string bytes;
        if (!FormatDocument(data, bytes, error))
            return false;
        std::vector<CBackupStore::CEntry> entries = ListBackups();
        std::set<std::string> taken;
        for (const auto& entry : entries)
            taken.insert(entry.name);
        const std::time_t now = std::time(nullptr);
        const std::tm* local = std::localtime(&now);
        const std::string stem = CBackupStore::MakeFileName(local ? *local : std::tm(),
                                                            data.GetCloneComment());
        std::string name;
        for (int n = 1; n <= CBackupStore::kMaxNumber && name.empty(); ++n)
            if (!taken.count(CBackupStore::NumberedName(stem, n)))
                name = CBackupStore::NumberedName(stem, n);
        if (name.empty()) {
            error = FormatText(LoadResString(IDS_BACKUP_CANNOT_SAVE), {stem, ""});
            return false;
        }
        const std::string answer = Taken(PageKeepBackup(name.c_str(), bytes.data(), bytes.size()));
        if (!answer.empty()) {
            error = DescribeFailure(answer, host);
            return false;
        }
        path = name;
        entries.push_back({name, static_cast<long long>(now) * 1000});
        std::string removed;
        for (const std::string& old :
             CBackupStore::ChooseToRemove(entries, CBackupStore::kKeptBackups, name))
            removed += old + '\n';
        if (!removed.empty())
            PageRemoveBackups(removed.c_str());
        return true;
    };
}
