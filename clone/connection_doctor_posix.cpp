#include "clone/connection_doctor.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include <fcntl.h>
#include <fnmatch.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include "res/resource_ids.h"
#include "text/text_util.h"

namespace fs = std::filesystem;

namespace {

using Level = CDoctorFinding::Level;

// Device name prefixes of serial ports; ttyS only where a UART is behind the name.
const char* const kSerialPrefixes[] = {"ttyUSB", "ttyACM", "ttyS"};

// Where udev reads rule files; one in a later folder replaces one of its name in an earlier.
const char* const kRuleFolders[] = {"/usr/lib/udev/rules.d", "/lib/udev/rules.d",
                                    "/usr/local/lib/udev/rules.d", "/etc/udev/rules.d"};

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

// The rule files udev reads whose names contain `part`: one in /etc/udev/rules.d replaces the
// packaged one of that name, and one there that is empty or a link to /dev/null masks it.
std::map<std::string, fs::path> ActiveRuleFiles(const std::string& root, const std::string& part)
{
    std::map<std::string, fs::path> active;
    std::error_code ec;
    for (const char* folder : kRuleFolders) {
        for (const auto& entry : fs::directory_iterator(root + folder, ec)) {
            const std::string name = entry.path().filename().string();
            if (Lower(name).find(part) == std::string::npos)
                continue;
            std::error_code linkError;
            const bool masked = fs::read_symlink(entry.path(), linkError) == "/dev/null" ||
                                fs::file_size(entry.path(), linkError) == 0;
            if (masked)
                active.erase(name);
            else
                active[name] = entry.path();
        }
    }
    return active;
}

struct SRuleJudgement {
    bool takes = false;
    std::string unjudged; // the first condition that could not be checked, "" when none
};

std::string Unquote(std::string text)
{
    text = Trim(text);
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        text = text.substr(1, text.size() - 2);
    return text;
}

// Whether udev could match `pattern` (with its | alternatives) to `value`.
bool UdevMatch(const std::string& pattern, const std::string& value)
{
    std::istringstream alternatives(pattern);
    for (std::string one; std::getline(alternatives, one, '|');)
        if (::fnmatch(one.c_str(), value.c_str(), 0) == 0)
            return true;
    return false;
}

// Judges one rule line naming the chip's ids against the cable's sysfs chain (the device and its
// parents, nearest first; empty when no such cable is plugged in). Conditions that hold for any
// USB serial cable being added are passed; ATTRS and KERNELS are looked up on the chain; anything
// else is left unjudged, so the rule may take the cable.
SRuleJudgement JudgeRuleLine(const std::string& line, const std::vector<fs::path>& chain)
{
    SRuleJudgement judged{true, ""};
    std::istringstream tokens(line);
    for (std::string token; std::getline(tokens, token, ',');) {
        token = Trim(token);
        const size_t eq = token.find("==");
        const size_t ne = token.find("!=");
        const size_t op = std::min(eq, ne);
        if (op == std::string::npos)
            continue; // an assignment
        const std::string key = Trim(token.substr(0, op));
        const std::string value = Unquote(token.substr(op + 2));
        const bool negated = op == ne;
        if (key == "env{product}" || key == "action" || key == "subsystem" || key == "subsystems" ||
            key == "env{devtype}" || key == "env{subsystem}")
            continue;
        bool known = false, holds = false;
        if (!chain.empty() && key == "kernels") {
            known = true;
            for (const fs::path& dir : chain)
                holds = holds || UdevMatch(value, Lower(dir.filename().string()));
        } else if (!chain.empty() && key.rfind("attrs{", 0) == 0 && key.back() == '}') {
            const std::string attribute = key.substr(6, key.size() - 7);
            known = true;
            for (const fs::path& dir : chain) {
                std::error_code ec;
                if (fs::exists(dir / attribute, ec))
                    holds = holds || UdevMatch(value, Lower(ReadFirstLine(dir / attribute)));
            }
        }
        if (!known) {
            if (judged.unjudged.empty())
                judged.unjudged = token;
            continue;
        }
        if (holds == negated)
            return SRuleJudgement{};
    }
    return judged;
}

// A tty device's sysfs folder and its parents up to /sys, nearest first; empty when unknown.
std::vector<fs::path> SysChain(const std::string& classDevice, const std::string& sys)
{
    std::vector<fs::path> chain;
    std::error_code ec;
    const fs::path sysDevice = fs::canonical(classDevice, ec);
    const std::string sysRoot = fs::canonical(sys, ec).string();
    if (sysDevice.empty() || sysRoot.empty())
        return chain;
    for (fs::path dir = sysDevice; dir.string().size() > sysRoot.size() && dir != dir.parent_path();
         dir = dir.parent_path())
        chain.push_back(dir);
    return chain;
}

// A chip brltty's rules may name, whether a cable with it is plugged in, and that cable's sysfs
// chain (empty when unknown).
struct SChipCable {
    const CCableChip* chip;
    bool plugged;
    std::vector<fs::path> chain;
};

struct SRuleFileJudgement {
    std::vector<std::string> taken; // "CH340/CH341 (1a86:7523)" for each chip a rule takes
    std::string unjudged;           // the first condition that could not be checked
    bool plugged = false;           // a cable a rule takes is plugged in
};

// Judges the uncommented lines of a brltty rule file that name a chip's ids.
SRuleFileJudgement JudgeRuleFile(const std::string& text, const std::vector<SChipCable>& cables)
{
    SRuleFileJudgement file;
    std::istringstream rules(Lower(text));
    for (std::string line; std::getline(rules, line);) {
        const size_t first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line[first] == '#')
            continue;
        for (const SChipCable& cable : cables) {
            const CCableChip& chip = *cable.chip;
            if (line.find(chip.vendor) == std::string::npos ||
                line.find(chip.product) == std::string::npos)
                continue;
            const SRuleJudgement judged = JudgeRuleLine(line, cable.chain);
            if (!judged.takes)
                continue;
            const std::string label = std::string(chip.name) + " (" + chip.vendor + ":" +
                                      chip.product + ")";
            if (std::find(file.taken.begin(), file.taken.end(), label) == file.taken.end())
                file.taken.push_back(label);
            if (file.unjudged.empty())
                file.unjudged = judged.unjudged;
            file.plugged = file.plugged || cable.plugged;
        }
    }
    return file;
}

bool IsDigits(const std::string& text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(),
                                        [](unsigned char c) { return std::isdigit(c) != 0; });
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

// The name a port's path leads to (ttyUSB0 for a /dev/serial/by-id link).
std::string PortName(const std::string& root, const std::string& port)
{
    std::error_code ec;
    const fs::path resolved = fs::canonical(root + port, ec);
    return (ec ? fs::path(port) : resolved).filename().string();
}

// What udev's database holds of the tty device `name` ("E:ID_MM_DEVICE_IGNORE=1", "G:uaccess"),
// found by the device number sysfs gives; empty when udev has no record of it.
std::vector<std::string> UdevRecord(const std::string& root, const std::string& name)
{
    std::vector<std::string> lines;
    const std::string number = ReadFirstLine(root + "/sys/class/tty/" + name + "/dev");
    if (number.empty())
        return lines;
    std::istringstream in(ReadRuleFile(root + "/run/udev/data/c" + number));
    for (std::string line; std::getline(in, line);)
        lines.push_back(Trim(line));
    return lines;
}

bool HasLine(const std::vector<std::string>& lines, const char* line)
{
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

bool CableRuleInstalled(const std::string& root)
{
    const std::string name = CConnectionDoctor::kCableRuleName;
    return ActiveRuleFiles(root, name).count(name) != 0;
}

// What the package's udev rule can do for the cable behind a port.
enum class ERuleState {
    NoCable, // the port has no USB ids: not a USB cable, or not there
    Unknown, // a chip the rule does not name
    Missing, // a chip it names, and the rule is not installed
    Waits,   // a chip it names, and the rule is installed: it acts at the next plug-in
};

// `line` gets the rule line for the cable's ids when it has them.
ERuleState CableRuleState(const std::string& root, const std::vector<CSerialDevice>& devices,
                          const std::string& port, std::string* line = nullptr)
{
    const std::string path = "/dev/" + PortName(root, port);
    const auto device = std::find_if(devices.begin(), devices.end(),
                                     [&](const CSerialDevice& d) { return d.path == path; });
    if (device == devices.end() || device->vendor.empty())
        return ERuleState::NoCable;
    if (line)
        *line = CConnectionDoctor::CableRuleLine(device->vendor, device->product);
    const std::vector<CCableChip>& chips = CConnectionDoctor::CableChips();
    if (std::none_of(chips.begin(), chips.end(), [&](const CCableChip& chip) {
            return device->vendor == chip.vendor && device->product == chip.product;
        }))
        return ERuleState::Unknown;
    return CableRuleInstalled(root) ? ERuleState::Waits : ERuleState::Missing;
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
        const fs::path sysDevice = fs::canonical(InRoot("/sys/class/tty/" + name + "/device"), ec);
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

CDoctorFinding CConnectionDoctor::NoDevicesFound()
{
    return Finding(Level::Problem, Text(IDS_DOCTOR_NO_DEVICES), Text(IDS_DOCTOR_NO_DEVICES_FIX));
}

// A cable whose driver fails shows in the kernel's log, not as a device state to be read here.
std::vector<CProblemDevice> CConnectionDoctor::FindProblemDevices() const
{
    return {};
}

std::vector<CDoctorFinding> CConnectionDoctor::CheckPort(const std::string& port) const
{
    struct stat st = {};
    if (port.empty() || ::stat(InRoot(port).c_str(), &st) != 0)
        return {Finding(Level::Problem, Text(IDS_DOCTOR_PORT_MISSING, {port}),
                        Text(IDS_DOCTOR_CHOOSE_PORT_FIX))};
    if (!PortExists(port))
        return {Finding(Level::Problem, Text(IDS_DOCTOR_NOT_SERIAL, {port}),
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
    // This process's own access also counts what access lists grant (udev's uaccess gives the
    // person at the desktop the port that way, leaving the mode as it was).
    const bool ownAccess = m_user.uid == ::getuid() &&
                           ::access(InRoot(port).c_str(), R_OK | W_OK) == 0;
    if ((allowed & 06) == 06 || ownAccess)
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

    // Opening the mode to the group helps only its owner and the group's members.
    const bool groupDenied = (mode & 060) != 060;
    if (st.st_uid == m_user.uid || (groupDenied && (inGroup || listed)))
        return {Finding(Level::Problem, Text(IDS_DOCTOR_PORT_DENIED, args),
                        Text(IDS_DOCTOR_PORT_DENIED_FIX, args))};
    if (groupDenied)
        return {Finding(Level::Problem, Text(IDS_DOCTOR_PORT_OWNER_ONLY, args),
                        Text(IDS_DOCTOR_PORT_OWNER_ONLY_FIX, args))};
    if (listed)
        return {Finding(Level::Problem, Text(IDS_DOCTOR_PORT_NOT_LOGGED_IN, args),
                        Text(IDS_DOCTOR_PORT_NOT_LOGGED_IN_FIX, args))};
    // A udev rule gives the port to whoever is at the desktop: this user is not there.
    const std::vector<std::string> record = UdevRecord(m_root, PortName(m_root, port));
    if (HasLine(record, "G:uaccess") || HasLine(record, "Q:uaccess"))
        return {Finding(Level::Problem, Text(IDS_DOCTOR_PORT_NOT_AT_DESKTOP, args),
                        Text(IDS_DOCTOR_PORT_NOT_AT_DESKTOP_FIX, args))};
    // The package's rule gives it only to a cable plugged in after the rule came.
    return {Finding(Level::Problem, Text(IDS_DOCTOR_PORT_NOT_MEMBER, args),
                    CableRuleState(m_root, FindSerialDevices(), port) == ERuleState::Waits
                        ? Text(IDS_DOCTOR_RULE_REPLUG_FIX, {kCableRuleName})
                        : Text(IDS_DOCTOR_PORT_NOT_MEMBER_FIX, args))};
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
                findings.push_back(Finding(Level::Problem, Text(IDS_DOCTOR_HELD, {port, name, pid}),
                                           Text(IDS_DOCTOR_HELD_FIX, {port, name, pid})));
                break;
            }
        }
    }
    if (!findings.empty())
        return findings;
    if (unseen > 0)
        return {Finding(Level::Note,
                        Text(IDS_DOCTOR_HOLDERS_UNSEEN, {port, std::to_string(unseen)}),
                        Text(IDS_DOCTOR_HOLDERS_UNSEEN_FIX, {port}))};
    return {Finding(Level::Ok, Text(IDS_DOCTOR_NOT_HELD, {port}))};
}

std::vector<CDoctorFinding> CConnectionDoctor::CheckGrabbers(const std::string& port) const
{
    std::vector<CDoctorFinding> findings;

    const std::vector<CSerialDevice> devices = FindSerialDevices();
    // The rules are judged against the cable of each chip where one is plugged in; without one,
    // their other conditions cannot be checked.
    std::vector<SChipCable> cables;
    for (const CCableChip& chip : CableChips()) {
        if (!chip.braille)
            continue;
        const auto cable = std::find_if(devices.begin(), devices.end(), [&](const auto& d) {
            return d.vendor == chip.vendor && d.product == chip.product;
        });
        SChipCable found{&chip, cable != devices.end(), {}};
        if (found.plugged)
            found.chain = SysChain(InRoot("/sys/class/tty/" +
                                          fs::path(cable->path).filename().string() + "/device"),
                                   InRoot("/sys"));
        cables.push_back(std::move(found));
    }
    for (const auto& [name, path] : ActiveRuleFiles(InRoot(""), "brltty")) {
        const SRuleFileJudgement judged = JudgeRuleFile(ReadRuleFile(path), cables);
        if (judged.taken.empty())
            continue;
        // brltty takes such a cable away right after it appears: with no serial device left,
        // or one of those chips plugged in, it is the likely cause.
        const bool affected = judged.plugged ||
                              std::none_of(devices.begin(), devices.end(),
                                           [](const auto& d) { return !d.vendor.empty(); });
        const std::string chips = JoinNonEmpty(judged.taken, ", ");
        findings.push_back(Finding(affected ? Level::Problem : Level::Note,
                                   judged.unjudged.empty() ? Text(IDS_DOCTOR_BRLTTY, {name, chips})
                                                           : Text(IDS_DOCTOR_BRLTTY_MAYBE,
                                                                  {name, chips, judged.unjudged}),
                                   Text(IDS_DOCTOR_BRLTTY_FIX, {name})));
    }
    if (findings.empty())
        findings.push_back(Finding(Level::Ok, Text(IDS_DOCTOR_NO_BRLTTY)));

    std::string modemManager;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(InRoot("/proc"), ec)) {
        const std::string pid = entry.path().filename().string();
        if (IsDigits(pid) && ReadFirstLine(entry.path() / "comm") == "ModemManager") {
            modemManager = pid;
            break;
        }
    }
    if (modemManager.empty()) {
        findings.push_back(Finding(Level::Ok, Text(IDS_DOCTOR_NO_MODEM_MANAGER)));
        return findings;
    }
    // A udev rule may tell ModemManager to leave the cable alone; without one, a rule is the fix
    // rather than stopping the service, which other devices may need.
    if (HasLine(UdevRecord(m_root, PortName(m_root, port)), "E:ID_MM_DEVICE_IGNORE=1")) {
        findings.push_back(
            Finding(Level::Ok, Text(IDS_DOCTOR_MODEM_MANAGER_IGNORES, {modemManager, port})));
        return findings;
    }
    std::string line;
    std::string fix;
    switch (CableRuleState(m_root, devices, port, &line)) {
    case ERuleState::Unknown:
        fix = Text(IDS_DOCTOR_ADD_RULE_LINE_FIX, {line});
        break;
    case ERuleState::Waits:
        fix = Text(IDS_DOCTOR_RULE_REPLUG_FIX, {kCableRuleName});
        break;
    case ERuleState::Missing:
        fix = Text(IDS_DOCTOR_INSTALL_RULE_FIX, {kCableRuleName});
        break;
    case ERuleState::NoCable: // nothing the rule could be checked on
        fix = CableRuleInstalled(m_root) ? Text(IDS_DOCTOR_MODEM_MANAGER_FIX)
                                         : Text(IDS_DOCTOR_INSTALL_RULE_FIX, {kCableRuleName});
        break;
    }
    findings.push_back(Finding(Level::Note, Text(IDS_DOCTOR_MODEM_MANAGER, {modemManager}), fix));
    return findings;
}

namespace {

// True when `path` opens as a terminal: a serial port whatever the system files it under.
bool OpensAsTerminal(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno == EBUSY; // held exclusively by another program: there all the same
    const bool terminal = ::isatty(fd) != 0;
    ::close(fd);
    return terminal;
}

} // namespace

bool CConnectionDoctor::PortExists(const std::string& port) const
{
    struct stat st = {};
    if (::stat(InRoot(port).c_str(), &st) != 0 || !S_ISCHR(st.st_mode))
        return false;
    // The system files each character device under its class; pseudo-terminals are not filed.
    const std::string number = std::to_string(major(st.st_rdev)) + ":" +
                               std::to_string(minor(st.st_rdev));
    std::error_code ec;
    const fs::path type = fs::read_symlink(InRoot("/sys/dev/char/" + number + "/subsystem"), ec);
    // A port the system files elsewhere is tried before it is called missing.
    return ec || type.filename() == "tty" || OpensAsTerminal(InRoot(port));
}
