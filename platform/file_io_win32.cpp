#include "platform/file_io.h"

#include <algorithm>
#include <cwctype>
#include <filesystem>
#include <random>

#include <windows.h>

#include "platform/temp_folder.h"
#include "platform/utf16_win32.h"

namespace {

// Links followed before a target counts as a loop.
constexpr int kMaxLinks = 40;
constexpr int kMaxAttempts = 100;
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// A handle that closes with its owner.
class CHandle {
public:
    explicit CHandle(HANDLE handle = INVALID_HANDLE_VALUE) : m_handle(handle) {}
    ~CHandle() { Close(); }
    CHandle(const CHandle&) = delete;
    CHandle& operator=(const CHandle&) = delete;
    operator HANDLE() const { return m_handle; }
    bool IsOpen() const { return m_handle != INVALID_HANDLE_VALUE; }
    bool Close()
    {
        const bool closed = !IsOpen() || ::CloseHandle(m_handle);
        m_handle = INVALID_HANDLE_VALUE;
        return closed;
    }

private:
    HANDLE m_handle;
};

// Where a save puts its file: the full folder and the name of the target in it.
struct CTarget {
    std::wstring folder;
    std::wstring name;
    bool exists = false;

    std::wstring Path() const { return folder + (folder.back() == L'\\' ? L"" : L"\\") + name; }
};

bool IsSeparator(wchar_t c)
{
    return c == L'\\' || c == L'/';
}

// Names that Windows takes for a device in every folder, whatever follows a dot: NUL.txt is NUL.
bool IsDeviceName(const std::wstring& name)
{
    std::wstring base = name.substr(0, name.find(L'.'));
    while (!base.empty() && (base.back() == L' ' || base.back() == L':'))
        base.pop_back();
    std::transform(base.begin(), base.end(), base.begin(), ::towupper);
    for (const wchar_t* device : {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$"})
        if (base == device)
            return true;
    // COM1 to COM9 and LPT1 to LPT9, also with the superscript digits 1 to 3.
    return base.size() == 4 &&
           (base.compare(0, 3, L"COM") == 0 || base.compare(0, 3, L"LPT") == 0) &&
           std::wstring(L"123456789\u00B9\u00B2\u00B3").find(base[3]) != std::wstring::npos;
}

// A path into the device namespace (\\.\COM1, \\?\GLOBALROOT\...) or a device's name.
bool IsDevicePath(const std::wstring& path)
{
    const size_t slash = path.find_last_of(L"\\/");
    const std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    const bool deviceSpace = path.size() >= 4 && IsSeparator(path[0]) && IsSeparator(path[1]) &&
                             path[2] == L'.' && IsSeparator(path[3]);
    return deviceSpace || IsDeviceName(name);
}

std::wstring FullPath(const std::wstring& path)
{
    const DWORD size = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    std::wstring full(size, L'\0');
    const DWORD length = size ? ::GetFullPathNameW(path.c_str(), size, full.data(), nullptr) : 0;
    full.resize(length < size ? length : 0);
    return full;
}

// The path a link leads to, without the \\?\ that the system puts before it.
std::wstring FinalPath(const std::wstring& link)
{
    const CHandle file(::CreateFileW(link.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                                     FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file.IsOpen())
        return std::wstring();
    wchar_t path[32768];
    const DWORD length = ::GetFinalPathNameByHandleW(file, path, 32768, FILE_NAME_NORMALIZED);
    if (length == 0 || length >= 32768)
        return std::wstring();
    const std::wstring final(path, length);
    if (final.compare(0, 8, L"\\\\?\\UNC\\") == 0)
        return L"\\" + final.substr(7);
    return final.compare(0, 4, L"\\\\?\\") == 0 ? final.substr(4) : final;
}

// Follows symbolic links to the file they lead to; devices and folders are no file to replace.
EFileError Resolve(const std::string& path, CTarget& target)
{
    std::wstring current = Utf8ToWide(path);
    for (int hop = 0; hop < kMaxLinks; ++hop) {
        if (current.empty() || IsSeparator(current.back()))
            return EFileError::NotAFileName;
        const size_t slash = current.find_last_of(L"\\/");
        const std::wstring given = slash == std::wstring::npos ? current
                                                               : current.substr(slash + 1);
        if (given == L"." || given == L"..")
            return EFileError::NotAFileName;
        if (IsDevicePath(current))
            return EFileError::NotRegular;
        const std::wstring full = FullPath(current);
        const size_t last = full.find_last_of(L'\\');
        if (last == std::wstring::npos)
            return EFileError::CannotCreate;
        target.folder = full.substr(0, last == 2 && full[1] == L':' ? 3 : last);
        target.name = full.substr(last + 1);
        const DWORD attributes = ::GetFileAttributesW(full.c_str());
        target.exists = attributes != INVALID_FILE_ATTRIBUTES;
        if (!target.exists) {
            const DWORD folder = ::GetFileAttributesW(target.folder.c_str());
            return folder != INVALID_FILE_ATTRIBUTES && (folder & FILE_ATTRIBUTE_DIRECTORY)
                       ? EFileError::None
                       : EFileError::CannotCreate;
        }
        if (attributes & FILE_ATTRIBUTE_DIRECTORY)
            return EFileError::NotRegular;
        if (!(attributes & FILE_ATTRIBUTE_REPARSE_POINT))
            return EFileError::None;
        current = FinalPath(full);
        if (current.empty() || current == full)
            return EFileError::NotRegular;
    }
    return EFileError::NotRegular;
}

// Whether the folder takes a new file: one is made there and gone when its handle closes.
bool FolderTakesFiles(const std::wstring& folder)
{
    const CHandle probe(
        ::CreateFileW((folder + L"\\.pwr455-probe.new").c_str(), GENERIC_WRITE, kShareAll, nullptr,
                      CREATE_NEW, FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    return probe.IsOpen() || ::GetLastError() == ERROR_FILE_EXISTS;
}

// Whether the file may be replaced now: a program that holds it open without leave to delete
// it (as editors and spreadsheets hold theirs) keeps ReplaceFileW and MoveFileExW from taking
// its name. CannotReplace then, with the system's reason.
EFileError CheckReplaceable(const std::wstring& path, std::string* detail)
{
    const CHandle file(::CreateFileW(path.c_str(), DELETE, kShareAll, nullptr, OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.IsOpen() || ::GetLastError() != ERROR_SHARING_VIOLATION)
        return EFileError::None;
    if (detail)
        *detail = DescribeSystemError(ERROR_SHARING_VIOLATION);
    return EFileError::CannotReplace;
}

// Resolves the target and checks that it may be replaced: the read-only attribute, or a file
// this user may not write, makes it read-only, as it would for a plain save.
EFileError Prepare(const std::string& path, CTarget& target, std::string* detail = nullptr)
{
    const EFileError error = Resolve(path, target);
    if (error != EFileError::None || !target.exists)
        return error;
    if (::GetFileAttributesW(target.Path().c_str()) & FILE_ATTRIBUTE_READONLY)
        return EFileError::ReadOnly;
    const CHandle file(::CreateFileW(target.Path().c_str(), FILE_WRITE_DATA, kShareAll, nullptr,
                                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsOpen())
        return ::GetLastError() == ERROR_ACCESS_DENIED ? EFileError::ReadOnly
                                                       : CheckReplaceable(target.Path(), detail);
    if (::GetFileType(file) != FILE_TYPE_DISK)
        return EFileError::NotRegular;
    return CheckReplaceable(target.Path(), detail);
}

// Creates a new file in the target's folder under a name nobody uses, registered for the
// clean-up of a console event that ends the process.
HANDLE CreateBeside(const CTarget& target, std::wstring& path)
{
    std::random_device seed;
    std::mt19937 random(seed());
    std::uniform_int_distribution<unsigned> pick(0, 0xFFFFFF);
    for (int attempt = 0; attempt < kMaxAttempts; ++attempt) {
        wchar_t name[32];
        ::swprintf(name, 32, L".pwr455-%06x.new", pick(random));
        path = target.folder + (target.folder.back() == L'\\' ? L"" : L"\\") + name;
        const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                          FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            RegisterTemporaryPath(WideToUtf8(path));
            return file;
        }
        if (::GetLastError() != ERROR_FILE_EXISTS)
            break;
    }
    return INVALID_HANDLE_VALUE;
}

bool WriteAll(HANDLE file, const std::string& content)
{
    for (size_t done = 0; done < content.size();) {
        const auto chunk = static_cast<DWORD>(std::min<size_t>(content.size() - done, 1 << 20));
        DWORD written = 0;
        if (!::WriteFile(file, content.data() + done, chunk, &written, nullptr) || written == 0)
            return false;
        done += written;
    }
    return true;
}

// Puts the new file in the target's place. ReplaceFileW keeps what the old file had beside its
// contents (attributes, access rights, creation time); where it cannot, a rename replaces it.
bool Replace(const CTarget& target, const std::wstring& pending, DWORD& error)
{
    const std::wstring path = target.Path();
    if (target.exists &&
        ::ReplaceFileW(path.c_str(), pending.c_str(), nullptr,
                       REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS, nullptr,
                       nullptr))
        return true;
    if (::MoveFileExW(pending.c_str(), path.c_str(),
                      MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    error = ::GetLastError();
    return false;
}

// Reads what is left of an open file, at most `limit` bytes.
EFileError ReadAll(HANDLE file, size_t limit, std::string& content)
{
    std::string text;
    char buffer[65536];
    for (;;) {
        DWORD got = 0;
        if (!::ReadFile(file, buffer, sizeof buffer, &got, nullptr))
            return ::GetLastError() == ERROR_BROKEN_PIPE ? EFileError::None
                                                         : EFileError::CannotOpen;
        if (got == 0)
            break;
        if (got > limit - text.size())
            return EFileError::TooLarge;
        text.append(buffer, got);
    }
    content.swap(text);
    return EFileError::None;
}

HANDLE OpenForReading(const std::string& path)
{
    return ::CreateFileW(Utf8ToWide(path).c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool IsMissing(DWORD error)
{
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

// A device's name or a path into the device namespace, or an existing folder.
bool IsDeviceOrFolder(const std::string& path)
{
    const std::wstring wide = Utf8ToWide(path);
    const DWORD attributes = ::GetFileAttributesW(wide.c_str());
    return IsDevicePath(wide) ||
           (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY));
}

} // namespace

EFileError CheckWritable(const std::string& path, std::string* detail)
{
    CTarget target;
    const EFileError error = Prepare(path, target, detail);
    if (error != EFileError::None)
        return error;
    return FolderTakesFiles(target.folder) ? EFileError::None : EFileError::CannotCreate;
}

namespace {

// How the written file takes its name: None, or the failure with the system's error code.
using CPlacer = EFileError (*)(const CTarget& target, const std::wstring& pending, DWORD& error);

EFileError ReplaceTarget(const CTarget& target, const std::wstring& pending, DWORD& error)
{
    return Replace(target, pending, error) ? EFileError::None : EFileError::CannotReplace;
}

// Without MOVEFILE_REPLACE_EXISTING a name taken meanwhile is left as it is.
EFileError PlaceNew(const CTarget& target, const std::wstring& pending, DWORD& error)
{
    if (::MoveFileExW(pending.c_str(), target.Path().c_str(), MOVEFILE_WRITE_THROUGH))
        return EFileError::None;
    error = ::GetLastError();
    return error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS ? EFileError::Taken
                                                                       : EFileError::CannotReplace;
}

// Writes `content` beside the target and lets `place` give it the target's name.
EFileError WriteAndPlace(const CTarget& target, const std::string& content, CPlacer place,
                         std::string* detail)
{
    std::wstring pending;
    CHandle file(CreateBeside(target, pending));
    if (!file.IsOpen())
        return EFileError::CannotCreate;
    // The program's own temporary files die with it: flushing them would only cost time.
    const bool durable = !IsPrivateTempFolder(WideToUtf8(target.folder));
    EFileError result = EFileError::None;
    DWORD error = 0;
    if (!WriteAll(file, content) || (durable && !::FlushFileBuffers(file)) || !file.Close()) {
        result = EFileError::CannotWrite;
    } else {
        result = place(target, pending, error);
        if (detail && result == EFileError::CannotReplace)
            *detail = DescribeSystemError(error);
    }
    // Should the old file be gone while the new one could not take its place, the new one is
    // all there is of the data: it stays.
    const bool targetGone = target.exists &&
                            ::GetFileAttributesW(target.Path().c_str()) == INVALID_FILE_ATTRIBUTES;
    if (result != EFileError::None && !targetGone)
        ::DeleteFileW(pending.c_str());
    UnregisterTemporaryPath(WideToUtf8(pending));
    return result;
}

} // namespace

EFileError WriteFileAtomically(const std::string& path, const std::string& content,
                               std::string* detail)
{
    CTarget target;
    const EFileError prepared = Prepare(path, target, detail);
    return prepared != EFileError::None ? prepared
                                        : WriteAndPlace(target, content, ReplaceTarget, detail);
}

EFileError WriteNewFile(const std::string& path, const std::string& content, std::string* detail)
{
    CTarget target;
    const EFileError resolved = Resolve(path, target);
    // A folder, a device or a link has the name already.
    if (resolved != EFileError::None)
        return resolved == EFileError::NotRegular ? EFileError::Taken : resolved;
    if (target.exists)
        return EFileError::Taken;
    return WriteAndPlace(target, content, PlaceNew, detail);
}

bool MakeFolders(const std::string& folder)
{
    std::error_code ec;
    const std::filesystem::path path = std::filesystem::u8path(folder);
    std::filesystem::create_directories(path, ec);
    return std::filesystem::is_directory(path, ec);
}

bool IsOwnFolder(const std::string& folder)
{
    // The folders the program writes to on Windows are under the user's own profile, whose
    // access rights keep other users out; a folder elsewhere is the user's choice.
    std::error_code ec;
    return std::filesystem::is_directory(std::filesystem::u8path(folder), ec);
}

EFileError ReadFileBounded(const std::string& path, size_t limit, std::string& content,
                           std::string* detail)
{
    // A serial port, the console or another device may never end its data: refused by its name
    // before it is opened, and by what the system says it is before the first read.
    if (IsDeviceOrFolder(path))
        return EFileError::NotRegular;
    const CHandle file(OpenForReading(path));
    if (!file.IsOpen()) {
        const DWORD error = ::GetLastError();
        if (detail)
            *detail = DescribeSystemError(error);
        return IsMissing(error) ? EFileError::Missing : EFileError::CannotOpen;
    }
    if (::GetFileType(file) != FILE_TYPE_DISK)
        return EFileError::NotRegular;
    return ReadAll(file, limit, content);
}

EFileError ReadRegularFile(const std::string& path, size_t limit, std::string& content,
                           std::string* detail)
{
    // Looked at before it is opened: opening a device may already do something to it.
    if (IsDeviceOrFolder(path))
        return EFileError::NotRegular;
    const CHandle file(OpenForReading(path));
    if (!file.IsOpen()) {
        const DWORD error = ::GetLastError();
        if (detail)
            *detail = DescribeSystemError(error);
        return IsMissing(error) ? EFileError::Missing : EFileError::CannotOpen;
    }
    LARGE_INTEGER size;
    if (::GetFileType(file) != FILE_TYPE_DISK || !::GetFileSizeEx(file, &size))
        return EFileError::NotRegular;
    if (static_cast<unsigned long long>(size.QuadPart) > limit)
        return EFileError::TooLarge;
    return ReadAll(file, limit, content);
}

bool IsSameFile(const std::string& a, const std::string& b)
{
    BY_HANDLE_FILE_INFORMATION info[2];
    const std::string* paths[] = {&a, &b};
    for (int i = 0; i < 2; ++i) {
        const std::wstring wide = Utf8ToWide(*paths[i]);
        const CHandle file(IsDevicePath(wide)
                               ? INVALID_HANDLE_VALUE
                               : ::CreateFileW(wide.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                                               FILE_FLAG_BACKUP_SEMANTICS, nullptr));
        if (!file.IsOpen() || !::GetFileInformationByHandle(file, &info[i]))
            return false;
    }
    return info[0].dwVolumeSerialNumber == info[1].dwVolumeSerialNumber &&
           info[0].nFileIndexHigh == info[1].nFileIndexHigh &&
           info[0].nFileIndexLow == info[1].nFileIndexLow;
}

std::FILE* OpenFile(const std::string& path, const char* mode)
{
    return ::_wfopen(Utf8ToWide(path).c_str(), Utf8ToWide(mode).c_str());
}
