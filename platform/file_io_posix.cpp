#include "platform/file_io.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <random>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/rename_no_replace_posix.h"
#include "platform/signals_held_posix.h"
#include "platform/temp_folder.h"

namespace {

// Symbolic links followed before a target counts as a loop.
constexpr int kMaxLinks = 40;
constexpr int kMaxAttempts = 100;

// A file descriptor that closes with its owner.
class CFd {
public:
    explicit CFd(int fd = -1) : m_fd(fd) {}
    ~CFd() { Close(); }
    CFd(const CFd&) = delete;
    CFd& operator=(const CFd&) = delete;
    operator int() const { return m_fd; }
    bool IsOpen() const { return m_fd >= 0; }
    int Close()
    {
        const int result = m_fd >= 0 ? ::close(m_fd) : 0;
        m_fd = -1;
        return result;
    }

private:
    int m_fd;
};

// Where a save puts its file: the real folder and the name of the target in it.
struct CTarget {
    std::string folder;
    std::string name;
    bool exists = false;
    struct stat status = {};
};

// Gives the file `from` in the folder the name `to`.
using PlaceFile = EFileError (*)(int folder, const std::string& from, const std::string& to,
                                 std::string* detail);

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

// Follows symbolic links to the file they lead to. A link that leads through /proc ends at
// whatever some process has open (/dev/stdout, /proc/self/fd/1): that is no file to replace.
// The real folder of `path` and the name in it, without following a link that the name is.
EFileError Split(const std::string& path, CTarget& target)
{
    if (path.empty() || path.back() == '/')
        return EFileError::NotAFileName;
    char folder[PATH_MAX];
    if (!::realpath(FolderOf(path).c_str(), folder))
        return EFileError::CannotCreate;
    target.folder = folder;
    target.name = path.substr(path.rfind('/') + 1);
    if (target.name == "." || target.name == "..")
        return EFileError::NotAFileName;
    if (target.folder == "/proc" || target.folder.rfind("/proc/", 0) == 0)
        return EFileError::NotRegular;
    return EFileError::None;
}

std::string FullPath(const CTarget& target)
{
    return (target.folder == "/" ? "" : target.folder) + "/" + target.name;
}

EFileError Resolve(const std::string& path, CTarget& target)
{
    std::string current = path;
    for (int hop = 0; hop < kMaxLinks; ++hop) {
        if (const EFileError error = Split(current, target); error != EFileError::None)
            return error;
        const std::string full = FullPath(target);
        target.exists = ::lstat(full.c_str(), &target.status) == 0;
        if (!target.exists)
            return errno == ENOENT ? EFileError::None : EFileError::CannotCreate;
        if (!S_ISLNK(target.status.st_mode))
            return S_ISREG(target.status.st_mode) ? EFileError::None : EFileError::NotRegular;
        char link[PATH_MAX];
        const ssize_t length = ::readlink(full.c_str(), link, sizeof link - 1);
        if (length <= 0)
            return EFileError::NotRegular;
        current.assign(link, static_cast<size_t>(length));
        if (current[0] != '/')
            current = target.folder + "/" + current;
    }
    return EFileError::NotRegular;
}

// Resolves the target and checks that it may be replaced: a rename would replace even a file
// its owner made read-only, so an existing target must be writable as a plain save needs it.
EFileError Prepare(const std::string& path, CTarget& target)
{
    const EFileError error = Resolve(path, target);
    if (error != EFileError::None)
        return error;
    if (target.exists && ::access((target.folder + "/" + target.name).c_str(), W_OK) != 0)
        return EFileError::ReadOnly;
    if (::access(target.folder.c_str(), W_OK | X_OK) != 0)
        return EFileError::CannotCreate;
    return EFileError::None;
}

// Creates a new file in the folder under a name nobody uses, registered for the clean-up of a
// signal; returns its descriptor and name.
int CreateBeside(int folder, const CTarget& target, mode_t mode, std::string& name)
{
    std::random_device seed;
    std::mt19937 random(seed());
    std::uniform_int_distribution<unsigned> pick(0, 0xFFFFFF);
    for (int attempt = 0; attempt < kMaxAttempts; ++attempt) {
        char candidate[32];
        std::snprintf(candidate, sizeof candidate, ".pwr455-%06x.new", pick(random));
        CSignalsHeld held;
        const int fd = ::openat(folder, candidate,
                                O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (fd >= 0) {
            name = candidate;
            RegisterTemporaryPath(target.folder + "/" + name);
            return fd;
        }
        if (errno != EEXIST)
            break;
    }
    return -1;
}

// The replaced file's owner and group where this process may set them (root may; others may
// keep a group they belong to), then its mode; setting the owner first keeps set-id bits.
void TakeOwnerAndMode(int fd, const struct stat& old)
{
    if (::fchown(fd, old.st_uid, old.st_gid) != 0)
        (void)::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
    (void)::fchmod(fd, old.st_mode & 07777);
}

bool WriteAll(int fd, const std::string& content)
{
    size_t done = 0;
    while (done < content.size()) {
        const ssize_t n = ::write(fd, content.data() + done, content.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

// Reads what is left of an open file, at most `limit` bytes, with blocking reads.
EFileError ReadAll(int fd, size_t limit, std::string& content)
{
    if (::fcntl(fd, F_SETFL, 0) != 0)
        return EFileError::CannotOpen;
    std::string text;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return EFileError::CannotOpen;
        if (n == 0)
            break;
        if (static_cast<size_t>(n) > limit - text.size())
            return EFileError::TooLarge;
        text.append(buffer, static_cast<size_t>(n));
    }
    content.swap(text);
    return EFileError::None;
}

// Writes `content` into a new file beside the target and gives it the target's name with
// `place`; nothing is left behind on failure.
EFileError WriteAndPlace(const CTarget& target, const std::string& content, PlaceFile place,
                         std::string* detail)
{
    const CFd folder(::open(target.folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    std::string name;
    // A new file gets the mode the process's umask gives; a replacement is private until it
    // has the old file's mode, so that nobody can open it in between.
    CFd file(folder.IsOpen() ? CreateBeside(folder, target, target.exists ? 0600 : 0666, name)
                             : -1);
    if (!file.IsOpen())
        return EFileError::CannotCreate;
    const std::string pending = target.folder + "/" + name;
    if (target.exists)
        TakeOwnerAndMode(file, target.status);
    // The program's own temporary files die with it: syncing them would only cost time.
    const bool durable = !IsPrivateTempFolder(target.folder);
    EFileError result = EFileError::None;
    if (!WriteAll(file, content) || (durable && ::fsync(file) != 0) || file.Close() != 0)
        result = EFileError::CannotWrite;
    else
        result = place(folder, name, target.name, detail);
    if (result != EFileError::None)
        ::unlinkat(folder, name.c_str(), 0);
    UnregisterTemporaryPath(pending);
    // The rename reaches the disk with the folder; a folder that cannot be synced has still
    // been changed, so its failure is no failure of the save.
    if (result == EFileError::None && durable)
        (void)::fsync(folder);
    return result;
}

EFileError Replace(int folder, const std::string& from, const std::string& to, std::string* detail)
{
    if (::renameat(folder, from.c_str(), folder, to.c_str()) == 0)
        return EFileError::None;
    if (detail)
        *detail = std::strerror(errno);
    return EFileError::CannotReplace;
}

// The rename that never replaces; on a file system that has none, a hard link does the same.
EFileError PlaceNew(int folder, const std::string& from, const std::string& to, std::string* detail)
{
    if (RenameNoReplace(folder, from.c_str(), to.c_str()) == 0)
        return EFileError::None;
    if ((errno == EINVAL || errno == ENOSYS) &&
        ::linkat(folder, from.c_str(), folder, to.c_str(), 0) == 0) {
        ::unlinkat(folder, from.c_str(), 0);
        return EFileError::None;
    }
    if (errno == EEXIST)
        return EFileError::Taken;
    if (detail)
        *detail = std::strerror(errno);
    return EFileError::CannotReplace;
}

} // namespace

EFileError CheckWritable(const std::string& path, std::string* detail)
{
    (void)detail; // every reason here is told by the error itself
    CTarget target;
    return Prepare(path, target);
}

EFileError WriteFileAtomically(const std::string& path, const std::string& content,
                               std::string* detail)
{
    CTarget target;
    const EFileError prepared = Prepare(path, target);
    return prepared != EFileError::None ? prepared
                                        : WriteAndPlace(target, content, Replace, detail);
}

EFileError WriteNewFile(const std::string& path, const std::string& content, std::string* detail)
{
    CTarget target;
    if (const EFileError error = Split(path, target); error != EFileError::None)
        return error;
    struct stat status;
    if (::lstat(FullPath(target).c_str(), &status) == 0)
        return EFileError::Taken;
    if (errno != ENOENT || ::access(target.folder.c_str(), W_OK | X_OK) != 0)
        return EFileError::CannotCreate;
    return WriteAndPlace(target, content, PlaceNew, detail);
}

bool MakeFolders(const std::string& folder)
{
    std::string path = folder;
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    struct stat status;
    if (::stat(path.c_str(), &status) == 0)
        return S_ISDIR(status.st_mode);
    const std::string parent = FolderOf(path);
    struct stat above;
    if (errno != ENOENT || parent == path || !MakeFolders(parent) ||
        ::stat(parent.c_str(), &above) != 0)
        return false;
    if (::mkdir(path.c_str(), 0777) == 0)
        (void)::lchown(path.c_str(), above.st_uid, above.st_gid); // root may; others keep theirs
    return ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

bool IsOwnFolder(const std::string& folder)
{
    // Every folder on the way must be this user's or root's, or its owner could swap what
    // lies below it for a link.
    char real[PATH_MAX];
    if (!::realpath(folder.c_str(), real))
        return false;
    const uid_t self = ::geteuid();
    struct stat status;
    if (::stat(real, &status) != 0 || !S_ISDIR(status.st_mode) || status.st_uid != self)
        return false;
    for (std::string above = FolderOf(real); above != "/"; above = FolderOf(above))
        if (::stat(above.c_str(), &status) != 0 || (status.st_uid != self && status.st_uid != 0))
            return false;
    return true;
}

namespace {

// Only a file or a pipe a user gives on purpose is read: a terminal, a serial port or another
// device may never end its data, and a folder has none.
bool IsReadableKind(mode_t mode)
{
    return S_ISREG(mode) || S_ISFIFO(mode);
}

} // namespace

EFileError ReadFileBounded(const std::string& path, size_t limit, std::string& content,
                           std::string* detail)
{
    // Looked at before it is opened: opening a serial port already changes its control lines.
    struct stat status;
    if (::stat(path.c_str(), &status) == 0 && !IsReadableKind(status.st_mode))
        return EFileError::NotRegular;
    // Opened without blocking, so that a FIFO without a writer cannot hang the open, then looked
    // at again (the name may have been given to something else meanwhile) and read with
    // blocking reads.
    const CFd fd(::open(path.c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
    int error = fd.IsOpen() ? 0 : errno;
    if (!error && ::fstat(fd, &status) != 0)
        error = errno;
    if (!error && !IsReadableKind(status.st_mode))
        return EFileError::NotRegular;
    if (!error)
        return ReadAll(fd, limit, content);
    if (detail)
        *detail = std::strerror(error);
    return error == ENOENT ? EFileError::Missing : EFileError::CannotOpen;
}

EFileError ReadRegularFile(const std::string& path, size_t limit, std::string& content,
                           std::string* detail)
{
    // Looked at before it is opened: opening a device may already do something to it.
    struct stat status;
    if (::stat(path.c_str(), &status) == 0 && !S_ISREG(status.st_mode))
        return EFileError::NotRegular;
    const CFd fd(::open(path.c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
    if (!fd.IsOpen()) {
        const int error = errno;
        if (detail)
            *detail = std::strerror(error);
        return error == ENOENT ? EFileError::Missing : EFileError::CannotOpen;
    }
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode))
        return EFileError::NotRegular;
    if (static_cast<unsigned long long>(status.st_size) > limit)
        return EFileError::TooLarge;
    return ReadAll(fd, limit, content);
}

bool IsSameFile(const std::string& a, const std::string& b)
{
    struct stat first;
    struct stat second;
    return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 &&
           first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

std::FILE* OpenFile(const std::string& path, const char* mode)
{
    return std::fopen(path.c_str(), mode);
}
