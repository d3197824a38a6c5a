#include "radio/backup_store.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>
#include <vector>

#include "platform/file_io.h"
#include "platform/user_folders.h"
#include "radio/atomic_save.h"
#include "radio/document_io.h"
#include "radio/r455_radio.h"
#include "text/text_util.h"
#include "res/resource_ids.h"
#include "res/string_table.h"

namespace fs = std::filesystem;

namespace {

const char kExtension[] = ".qrb";
// "YYYY-MM-DD_HH-MM-SS": digits everywhere except at these positions.
const char kStampPattern[] = "0000-00-00_00-00-00";
constexpr size_t kStampLength = sizeof(kStampPattern) - 1;

bool IsFileNameChar(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '_' || c == '-';
}

bool EndsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

} // namespace

std::string CBackupStore::NumberedName(const std::string& name, int number)
{
    if (number < 2)
        return name;
    const std::string stem = name.substr(0, name.size() - (sizeof(kExtension) - 1));
    return stem + "_" + std::to_string(number) + kExtension;
}

std::vector<std::string> CBackupStore::ChooseToRemove(std::vector<CEntry> entries, size_t keep,
                                                      const std::string& kept)
{
    entries.erase(std::remove_if(entries.begin(), entries.end(),
                                 [&kept](const CEntry& e) {
                                     return e.name == kept || !IsBackupName(e.name);
                                 }),
                  entries.end());
    const size_t others = kept.empty() ? keep : keep - std::min<size_t>(keep, 1);
    std::vector<std::string> names;
    if (entries.size() <= others)
        return names;
    std::sort(entries.begin(), entries.end(), [](const CEntry& a, const CEntry& b) {
        return a.written != b.written ? a.written < b.written : a.name < b.name;
    });
    for (size_t i = 0; i + others < entries.size(); ++i)
        names.push_back(entries[i].name);
    return names;
}

std::string CBackupStore::GetDefaultFolder()
{
    const std::string base = GetUserDataFolder();
    return base.empty() ? std::string() : (fs::u8path(base) / "PW-R455NORD" / "backups").u8string();
}

CBackupStore::CBackupStore(std::string folder) : m_folder(std::move(folder)) {}

std::string CBackupStore::MakeFileName(const std::tm& local, const std::string& comment)
{
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d_%H-%M-%S", &local);
    std::string name = stamp;
    const std::string trimmed = TrimRight(comment);
    if (!trimmed.empty()) {
        name += '_';
        for (char c : trimmed)
            name += IsFileNameChar(c) ? c : '-';
    }
    return name + kExtension;
}

bool CBackupStore::IsBackupName(const std::string& name)
{
    if (name.size() < kStampLength + sizeof(kExtension) - 1 || !EndsWith(name, kExtension))
        return false;
    for (size_t i = 0; i < kStampLength; ++i) {
        const bool digit = std::isdigit(static_cast<unsigned char>(name[i])) != 0;
        if (kStampPattern[i] == '0' ? !digit : name[i] != kStampPattern[i])
            return false;
    }
    const char next = name[kStampLength];
    return next == '.' || next == '_';
}

bool CBackupStore::Save(CR455Radio& radio, std::time_t when, std::string* savedPath,
                        std::string* error)
{
    std::string reason;
    std::string text;
    if (m_folder.empty()) {
        reason = LoadResString(IDS_BACKUP_NO_FOLDER);
    } else if (!MakeFolders(m_folder)) {
        reason = FormatText(LoadResString(IDS_BACKUP_CANNOT_MAKE_FOLDER), {m_folder});
    } else if (!IsOwnFolder(m_folder)) {
        // Whoever owns the folder could plant links in it for a process run by another user.
        reason = FormatText(LoadResString(IDS_BACKUP_NOT_OWN_FOLDER), {m_folder});
    } else if (FormatDocument(radio, text, reason)) {
        const std::tm* local = std::localtime(&when);
        const std::string name = MakeFileName(local ? *local : std::tm(), radio.GetCloneComment());
        // A name taken by anything, a link that leads nowhere included, gets the next suffix.
        for (int n = 1; n <= kMaxNumber && reason.empty(); ++n) {
            const std::string path = (fs::u8path(m_folder) / NumberedName(name, n)).u8string();
            std::string detail;
            const EFileError written = WriteNewFile(path, text, &detail);
            if (written == EFileError::None) {
                if (savedPath)
                    *savedPath = path;
                Prune(kKeptBackups, path);
                return true;
            }
            if (written != EFileError::Taken)
                reason = FormatText(LoadResString(IDS_BACKUP_CANNOT_SAVE),
                                    {path, DescribeSaveError(written, detail)});
        }
        if (reason.empty())
            reason = FormatText(LoadResString(IDS_BACKUP_CANNOT_SAVE), {name, ""});
    }
    if (error)
        *error = reason;
    return false;
}

void CBackupStore::Prune(size_t keep, const std::string& kept)
{
    std::vector<CEntry> backups;
    std::error_code ec;
    const fs::path folder = fs::u8path(m_folder);
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        if (entry.is_regular_file(ec))
            backups.push_back(
                {entry.path().filename().u8string(),
                 static_cast<long long>(entry.last_write_time(ec).time_since_epoch().count())});
    }
    const std::string keptName = kept.empty() ? kept : fs::u8path(kept).filename().u8string();
    for (const std::string& name : ChooseToRemove(std::move(backups), keep, keptName))
        fs::remove(folder / fs::u8path(name), ec);
}
