#pragma once

// Backup copies of every data set read from a transceiver, so that a radio's contents are never
// lost to a later write: each is a normal clone data file in
// ${XDG_DATA_HOME:-~/.local/share}/PW-R455NORD/backups/ (user_folders.h says which home), named by
// the local date and time of the read and the transceiver's clone comment
// (2026-12-07_14-03-22_MY-RADIO.qrb). The newest kKeptBackups are kept. Standard C++ only.

#include <cstddef>
#include <ctime>
#include <string>
#include <vector>

class CR455Radio;

class CBackupStore {
public:
    // !!! Users rely on finding their older backups: do not lower this. !!!
    static constexpr size_t kKeptBackups = 200;

    // The folder of the current user's backups, or empty when the system names no folder for
    // the user's data.
    static std::string GetDefaultFolder();

    // A store in `folder`; the folder is made when the first backup is saved.
    explicit CBackupStore(std::string folder = GetDefaultFolder());


    // The file name of a backup taken at `local` time of a transceiver with `comment`:
    // trailing blanks are dropped and every character that a file name should not carry (all
    // but letters, digits, '.', '_' and '-') becomes '-'. An empty comment leaves only the time.
    static std::string MakeFileName(const std::tm& local, const std::string& comment);

    // True for the names MakeFileName gives (with or without a "_N" suffix); only such files
    // are ever removed from the folder.
    static bool IsBackupName(const std::string& name);

    // `name` as the `number`-th backup of its second: "_2", "_3", ... before the extension (the
    // first keeps its name). Past kMaxNumber a name is not tried: so many reads in one second
    // are not real.
    static constexpr int kMaxNumber = 100;
    static std::string NumberedName(const std::string& name, int number);

    // A backup where it is kept (a file, a record of the browser's storage) and when it was
    // written, in any unit that grows with time.
    struct CEntry {
        std::string name;
        long long written = 0;
    };
    // The names to remove so that at most `keep` backups are left: the oldest by the time they
    // were written (names tell the local time, which a flight west or a change of the clocks
    // turns back), never `kept` (the one just written, whatever its time says: the clock may
    // have been set back), and only names IsBackupName accepts.
    static std::vector<std::string> ChooseToRemove(std::vector<CEntry> entries, size_t keep,
                                                   const std::string& kept = std::string());

    // Saves `radio` atomically as a new regular file taken at `when` (a name already taken by
    // anything gets "_2", "_3", ...), then removes the oldest backups beyond kKeptBackups. The
    // folder is made if missing; one that belongs to another user is not written to. Returns
    // false, with the reason in `error`, when the copy could not be saved; the data are
    // untouched either way.
    bool Save(CR455Radio& radio, std::time_t when, std::string* savedPath, std::string* error);

    // Removes the oldest backups by the time they were written until at most `keep` are left;
    // the backup `kept` (the one just written) is never removed.
    void Prune(size_t keep, const std::string& kept = std::string());

private:
    std::string m_folder;
};
