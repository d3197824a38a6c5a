#include "clone/connection_doctor.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include "clone/clone_link.h"
#include "clone/clone_operations.h"
#include "radio/r455_radio.h"
#include "radio/text_util.h"
#include "res/resource_ids.h"
#include "res/string_table.h"

namespace fs = std::filesystem;

namespace {

using Level = CDoctorFinding::Level;

// Device name prefixes of serial ports; ttyS only where a UART is behind the name.
const char* const kSerialPrefixes[] = {"ttyUSB", "ttyACM", "ttyS"};

// USB serial chips that brltty's rules take for Braille displays.
struct CGrabbedChip {
    const char* vendor;
    const char* product;
    const char* name;
};
const CGrabbedChip kBrailleClaimed[] = {
    {"1a86", "7523", "CH340/CH341"},
    {"10c4", "ea60", "CP210x"},
};

const char* const kRuleFolders[] = {"/usr/lib/udev/rules.d", "/lib/udev/rules.d",
                                    "/etc/udev/rules.d"};

CDoctorFinding Finding(Level level, std::string text, std::string fix = std::string())
{
    return {level, std::move(text), std::move(fix)};
}

std::string Text(unsigned id, std::initializer_list<std::string> args = {})
{
    return FormatText(LoadResString(id), args);
}

// The first line of a small file such as a sysfs attribute, trimmed; "" when unreadable.
std::string ReadFirstLine(const fs::path& path)
{
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);
    return Trim(line);
}

// Rule files are a few kilobytes; anything beyond this is not read.
constexpr std::streamsize kMaxRuleFile = 1 << 20;

std::string ReadRuleFile(const fs::path& path)
{
    std::ifstream in(path);
    std::string text(static_cast<size_t>(kMaxRuleFile), '\0');
    in.read(&text[0], kMaxRuleFile);
    text.resize(static_cast<size_t>(in.gcount()));
    return text;
}

bool IsDigits(const std::string& text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](unsigned char c) {
        return std::isdigit(c) != 0;
    });
}

// ttyS2 before ttyS10: by prefix, then by number.
bool NaturalLess(const std::string& a, const std::string& b)
{
    const size_t da = a.find_first_of("0123456789");
    const size_t db = b.find_first_of("0123456789");
    const std::string pa = a.substr(0, da), pb = b.substr(0, db);
    if (pa != pb)
        return pa < pb;
    const std::string na = da == std::string::npos ? "" : a.substr(da);
    const std::string nb = db == std::string::npos ? "" : b.substr(db);
    return na.size() != nb.size() ? na.size() < nb.size() : na < nb;
}

// "crw-rw----" as ls shows it.
std::string ModeText(unsigned mode)
{
    std::string text = S_ISCHR(mode) ? "c" : S_ISDIR(mode) ? "d" : S_ISLNK(mode) ? "l" : "-";
    const char letters[] = "rwx";
    for (int bit = 8; bit >= 0; --bit)
        text += (mode & (1u << bit)) ? letters[(8 - bit) % 3] : '-';
    return text;
}

// One line of /etc/group or /etc/passwd split at the colons.
std::vector<std::string> SplitFields(const std::string& line, char separator)
{
    std::vector<std::string> fields;
    std::string field;
    std::istringstream in(line);
    while (std::getline(in, field, separator))
        fields.push_back(field);
    if (!line.empty() && line.back() == separator)
        fields.emplace_back();
    return fields;
}

// The name and members of the group `gid` in an /etc/group file.
bool FindGroup(const fs::path& groupFile, unsigned gid, std::string& name,
               std::vector<std::string>& members)
{
    std::ifstream in(groupFile);
    for (std::string line; std::getline(in, line);) {
        const std::vector<std::string> f = SplitFields(line, ':');
        if (f.size() >= 3 && IsDigits(f[2]) && std::stoul(f[2]) == gid) {
            name = f[0];
            members = f.size() >= 4 ? SplitFields(f[3], ',') : std::vector<std::string>();
            return true;
        }
    }
    return false;
}

// The login name of `uid` and its primary group from an /etc/passwd file.
std::string FindUserName(const fs::path& passwdFile, unsigned uid, unsigned* primaryGid = nullptr)
{
    std::ifstream in(passwdFile);
    for (std::string line; std::getline(in, line);) {
        const std::vector<std::string> f = SplitFields(line, ':');
        if (f.size() >= 4 && IsDigits(f[2]) && std::stoul(f[2]) == uid) {
            if (primaryGid && IsDigits(f[3]))
                *primaryGid = static_cast<unsigned>(std::stoul(f[3]));
            return f[0];
        }
    }
    return std::string();
}

std::string JoinNonEmpty(const std::vector<std::string>& parts, const char* separator)
{
    std::string joined;
    for (const std::string& part : parts) {
        if (part.empty())
            continue;
        if (!joined.empty())
            joined += separator;
        joined += part;
    }
    return joined;
}

} // namespace

CDoctorUser CDoctorUser::Current()
{
    CDoctorUser user;
    user.uid = ::getuid();
    user.gid = ::getgid();
    user.pid = ::getpid();
    const int count = ::getgroups(0, nullptr);
    if (count > 0) {
        std::vector<gid_t> groups(static_cast<size_t>(count));
        const int got = ::getgroups(count, groups.data());
        for (int i = 0; i < got; ++i)
            user.groups.push_back(groups[static_cast<size_t>(i)]);
    }
    if (const struct passwd* entry = ::getpwuid(user.uid))
        user.name = entry->pw_name;
    return user;
}

CConnectionDoctor::CConnectionDoctor(std::string root, CDoctorUser user)
    : m_root(std::move(root)), m_user(std::move(user))
{
    while (m_root.size() > 1 && m_root.back() == '/')
        m_root.pop_back();
    if (m_root == "/")
        m_root.clear();
}

std::string CConnectionDoctor::InRoot(const std::string& path) const
{
    return m_root + path;
}

std::vector<CSerialDevice> CConnectionDoctor::FindSerialDevices() const
{
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(InRoot("/dev"), ec)) {
        const std::string name = entry.path().filename().string();
        for (const char* prefix : kSerialPrefixes) {
            if (name.rfind(prefix, 0) != 0 || !IsDigits(name.substr(std::string(prefix).size())))
                continue;
            // Most ttyS names are placeholders without a UART (type 0).
            const std::string type = ReadFirstLine(InRoot("/sys/class/tty/" + name + "/type"));
            if (std::string(prefix) != "ttyS" || (!type.empty() && type != "0"))
                names.push_back(name);
        }
    }
    std::sort(names.begin(), names.end(), NaturalLess);

    std::vector<CSerialDevice> devices;
    for (const std::string& name : names) {
        CSerialDevice device;
        device.path = "/dev/" + name;
        const fs::path sysDevice =
            fs::canonical(InRoot("/sys/class/tty/" + name + "/device"), ec);
        if (!ec) {
            const fs::path driver = fs::canonical(sysDevice / "driver", ec);
            if (!ec)
                device.driver = driver.filename().string();
            // The USB device is the nearest parent that carries the ids.
            std::error_code rootError;
            const std::string sysRoot = fs::canonical(InRoot("/sys"), rootError).string();
            for (fs::path dir = sysDevice;
                 dir.string().size() > sysRoot.size() && dir != dir.parent_path();
                 dir = dir.parent_path()) {
                if (fs::exists(dir / "idVendor", ec)) {
                    device.vendor = Lower(ReadFirstLine(dir / "idVendor"));
                    device.product = Lower(ReadFirstLine(dir / "idProduct"));
                    device.name = JoinNonEmpty(
                        {ReadFirstLine(dir / "manufacturer"), ReadFirstLine(dir / "product")}, " ");
                    break;
                }
            }
        }
        devices.push_back(device);
    }

    // Stable names: /dev/serial/by-id/... -> ../../ttyUSB0.
    for (const auto& entry : fs::directory_iterator(InRoot("/dev/serial/by-id"), ec)) {
        const std::string target = fs::read_symlink(entry.path(), ec).filename().string();
        for (CSerialDevice& device : devices) {
            if (!ec && device.byId.empty() && device.path == "/dev/" + target)
                device.byId = "/dev/serial/by-id/" + entry.path().filename().string();
        }
    }
    return devices;
}

std::vector<CDoctorFinding> CConnectionDoctor::CheckDevices() const
{
    std::vector<CDoctorFinding> findings;
    for (const CSerialDevice& d : FindSerialDevices()) {
        std::vector<std::string> details;
        if (!d.vendor.empty())
            details.push_back(Text(IDS_DOCTOR_USB_ID, {d.vendor, d.product}));
        details.push_back(d.name);
        if (!d.driver.empty())
            details.push_back(Text(IDS_DOCTOR_DRIVER, {d.driver}));
        if (!d.byId.empty())
            details.push_back(Text(IDS_DOCTOR_BY_ID, {d.byId}));
        const std::string joined = JoinNonEmpty(details, ", ");
        findings.push_back(Finding(Level::Ok, Text(IDS_DOCTOR_DEVICE, {d.path}) +
                                                  (joined.empty() ? "" : ": " + joined)));
    }
    if (findings.empty())
        findings.push_back(Finding(Level::Problem, Text(IDS_DOCTOR_NO_DEVICES),
                                   Text(IDS_DOCTOR_NO_DEVICES_FIX)));
    return findings;
}

std::vector<CDoctorFinding> CConnectionDoctor::CheckPort(const std::string& port) const
{
    struct stat st = {};
    if (port.empty() || ::stat(InRoot(port).c_str(), &st) != 0)
        return {Finding(Level::Problem, Text(IDS_DOCTOR_PORT_MISSING, {port}),
                        Text(IDS_DOCTOR_CHOOSE_PORT_FIX))};

    const unsigned mode = st.st_mode;
    const bool inGroup = st.st_gid == m_user.gid ||
                         std::find(m_user.groups.begin(), m_user.groups.end(), st.st_gid) !=
                             m_user.groups.end();
    unsigned allowed = mode & 07; // read and write bits for everyone else
    if (m_user.uid == 0)
        allowed = 07;
    else if (st.st_uid == m_user.uid)
        allowed = (mode >> 6) & 07;
    else if (inGroup)
        allowed = (mode >> 3) & 07;
    if ((allowed & 06) == 06)
        return {Finding(Level::Ok, Text(IDS_DOCTOR_PORT_OK, {port}))};

    std::string group;
    std::vector<std::string> members;
    if (!FindGroup(InRoot("/etc/group"), st.st_gid, group, members))
        group = std::to_string(st.st_gid);
    std::string owner = FindUserName(InRoot("/etc/passwd"), st.st_uid);
    if (owner.empty())
        owner = std::to_string(st.st_uid);
    const std::string user = m_user.name.empty() ? "$USER" : m_user.name;
    unsigned primary = m_user.gid;
    FindUserName(InRoot("/etc/passwd"), m_user.uid, &primary);
    const bool listed = std::find(members.begin(), members.end(), m_user.name) != members.end() ||
                        primary == st.st_gid;
    const std::initializer_list<std::string> args = {port, ModeText(mode), owner, group, user};

    if (st.st_uid == m_user.uid || (mode & 060) != 060)
        return {Finding(Level::Problem, Text(IDS_DOCTOR_PORT_DENIED, args),
                        Text(IDS_DOCTOR_PORT_DENIED_FIX, args))};
    if (listed)
        return {Finding(Level::Problem, Text(IDS_DOCTOR_PORT_NOT_LOGGED_IN, args),
                        Text(IDS_DOCTOR_PORT_NOT_LOGGED_IN_FIX, args))};
    return {Finding(Level::Problem, Text(IDS_DOCTOR_PORT_NOT_MEMBER, args),
                    Text(IDS_DOCTOR_PORT_NOT_MEMBER_FIX, args))};
}

std::vector<CDoctorFinding> CConnectionDoctor::CheckHolders(const std::string& port) const
{
    // Open files show in /proc as links to the path the system knows: a by-id name leads there.
    std::error_code ec;
    std::string device = port;
    const fs::path resolved = fs::canonical(InRoot(port), ec);
    if (!ec && resolved.string().rfind(m_root, 0) == 0)
        device = resolved.string().substr(m_root.size());

    std::vector<CDoctorFinding> findings;
    int unseen = 0;
    for (const auto& entry : fs::directory_iterator(InRoot("/proc"), ec)) {
        const std::string pid = entry.path().filename().string();
        if (!IsDigits(pid) || std::stoi(pid) == m_user.pid)
            continue;
        std::error_code fdError;
        fs::directory_iterator fds(entry.path() / "fd", fdError);
        if (fdError) {
            unseen += fdError == std::errc::permission_denied ? 1 : 0;
            continue;
        }
        for (const auto& fd : fds) {
            std::error_code linkError;
            const std::string target = fs::read_symlink(fd.path(), linkError).string();
            if (!linkError && (target == device || target == port)) {
                const std::string name = ReadFirstLine(entry.path() / "comm");
                findings.push_back(Finding(Level::Problem,
                                           Text(IDS_DOCTOR_HELD, {port, name, pid}),
                                           Text(IDS_DOCTOR_HELD_FIX, {port, name, pid})));
                break;
            }
        }
    }
    if (!findings.empty())
        return findings;
    if (unseen > 0)
        return {Finding(Level::Note, Text(IDS_DOCTOR_HOLDERS_UNSEEN, {port, std::to_string(unseen)}),
                        Text(IDS_DOCTOR_HOLDERS_UNSEEN_FIX, {port}))};
    return {Finding(Level::Ok, Text(IDS_DOCTOR_NOT_HELD, {port}))};
}

std::vector<CDoctorFinding> CConnectionDoctor::CheckGrabbers() const
{
    std::vector<CDoctorFinding> findings;

    std::vector<const CGrabbedChip*> claimed;
    std::error_code ec;
    for (const char* folder : kRuleFolders) {
        for (const auto& entry : fs::directory_iterator(InRoot(folder), ec)) {
            if (Lower(entry.path().filename().string()).find("brltty") == std::string::npos)
                continue;
            std::istringstream rules(Lower(ReadRuleFile(entry.path())));
            for (std::string line; std::getline(rules, line);) {
                if (line.find_first_not_of(" \t") != std::string::npos &&
                    line[line.find_first_not_of(" \t")] == '#')
                    continue;
                for (const CGrabbedChip& chip : kBrailleClaimed) {
                    if (line.find(chip.vendor) != std::string::npos &&
                        line.find(chip.product) != std::string::npos &&
                        std::find(claimed.begin(), claimed.end(), &chip) == claimed.end())
                        claimed.push_back(&chip);
                }
            }
        }
    }
    if (claimed.empty()) {
        findings.push_back(Finding(Level::Ok, Text(IDS_DOCTOR_NO_BRLTTY)));
    } else {
        std::vector<std::string> names;
        for (const CGrabbedChip* chip : claimed)
            names.push_back(std::string(chip->name) + " (" + chip->vendor + ":" + chip->product + ")");
        // brltty takes such a cable away right after it appears: with no serial device left,
        // or one of those chips plugged in, it is the likely cause.
        const std::vector<CSerialDevice> devices = FindSerialDevices();
        bool affected = std::none_of(devices.begin(), devices.end(), [](const CSerialDevice& d) {
            return !d.vendor.empty();
        });
        for (const CSerialDevice& d : devices)
            for (const CGrabbedChip* chip : claimed)
                affected = affected || (d.vendor == chip->vendor && d.product == chip->product);
        findings.push_back(Finding(affected ? Level::Problem : Level::Note,
                                   Text(IDS_DOCTOR_BRLTTY, {JoinNonEmpty(names, ", ")}),
                                   Text(IDS_DOCTOR_BRLTTY_FIX)));
    }

    std::string modemManager;
    for (const auto& entry : fs::directory_iterator(InRoot("/proc"), ec)) {
        const std::string pid = entry.path().filename().string();
        if (IsDigits(pid) && ReadFirstLine(entry.path() / "comm") == "ModemManager") {
            modemManager = pid;
            break;
        }
    }
    if (modemManager.empty())
        findings.push_back(Finding(Level::Ok, Text(IDS_DOCTOR_NO_MODEM_MANAGER)));
    else
        findings.push_back(Finding(Level::Note, Text(IDS_DOCTOR_MODEM_MANAGER, {modemManager}),
                                   Text(IDS_DOCTOR_MODEM_MANAGER_FIX)));
    return findings;
}

std::vector<CDoctorFinding> CConnectionDoctor::CheckAll(const std::string& port) const
{
    std::vector<CDoctorFinding> findings = CheckDevices();
    auto add = [&findings](const std::vector<CDoctorFinding>& more) {
        findings.insert(findings.end(), more.begin(), more.end());
    };
    add(CheckPort(port));
    // Nobody can hold a port that is not there.
    struct stat st = {};
    if (::stat(InRoot(port).c_str(), &st) == 0)
        add(CheckHolders(port));
    add(CheckGrabbers());
    return findings;
}

namespace {

// A link that tells which way its last run ended before the ending was folded into 77.
class CProbeLink : public CCloneLink {
public:
    using CCloneLink::CCloneLink;
    using CCloneLink::GetResult;
};

std::string Hex4(unsigned value)
{
    char text[8];
    std::snprintf(text, sizeof text, "%04X", value & 0xFFFFu);
    return text;
}

} // namespace

CDoctorFinding CConnectionDoctor::RunInformation(CCloneHost& host, CCloneClock& clock,
                                                 const std::string& port, bool* answered)
{
    CProbeLink link(host, clock);
    link.SetPortDevice(1, port);
    link.SetPortNumber(1);
    const int result = link.CloneInfo();
    const ModelInfo& info = *link.GetInfo();
    bool matches = result == CCloneLink::kResultOk && info.modelCode == CR455Radio::kModelCode &&
                   info.revision == CR455Radio::kRevision;
    if (answered)
        *answered = matches;
    if (matches)
        return Finding(Level::Ok,
                       Text(IDS_DOCTOR_ANSWERED, {CCloneOperations::kModelText,
                                                  TrimRight(CCloneOperations::CommentText(info.comment))}));
    if (result == CCloneLink::kResultOk)
        return Finding(Level::Problem,
                       Text(IDS_DOCTOR_OTHER_MODEL, {Hex4(info.modelCode), Hex4(info.revision)}),
                       Text(IDS_DOCTOR_OTHER_MODEL_FIX));
    if (result == CCloneLink::kResultPortError)
        return Finding(Level::Problem, Text(IDS_DOCTOR_RUN_PORT, {port}),
                       Text(IDS_DOCTOR_RUN_PORT_FIX));
    switch (link.GetResult()) {
    case CCloneLink::kResultTimeout:
        return Finding(Level::Problem, Text(IDS_DOCTOR_NO_ECHO), Text(IDS_DOCTOR_NO_ECHO_FIX));
    case CCloneLink::kResultNoAnswer:
        return Finding(Level::Problem, Text(IDS_DOCTOR_SILENT), Text(IDS_DOCTOR_SILENT_FIX));
    default:
        return Finding(Level::Problem, Text(IDS_DOCTOR_GARBLED), Text(IDS_DOCTOR_GARBLED_FIX));
    }
}

std::string CConnectionDoctor::LevelWord(Level level)
{
    switch (level) {
    case Level::Ok: return LoadResString(IDS_DOCTOR_LEVEL_OK);
    case Level::Note: return LoadResString(IDS_DOCTOR_LEVEL_NOTE);
    case Level::Problem: break;
    }
    return LoadResString(IDS_DOCTOR_LEVEL_PROBLEM);
}

std::string CConnectionDoctor::Format(const std::vector<CDoctorFinding>& findings)
{
    // The level words share one column; texts and fixes start after it.
    size_t width = 0;
    for (Level level : {Level::Ok, Level::Note, Level::Problem})
        width = std::max(width, LevelWord(level).size());
    std::string text;
    for (const CDoctorFinding& f : findings) {
        std::string word = LevelWord(f.level);
        word.resize(width + 2, ' ');
        text += word + f.text + '\n';
        if (!f.fix.empty())
            text += std::string(width + 2, ' ') + Text(IDS_DOCTOR_FIX, {f.fix}) + '\n';
    }
    return text;
}
