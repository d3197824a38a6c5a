#include "clone/connection_doctor.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <utility>

#include "clone/clone_link.h"
#include "clone/clone_operations.h"
#include "clone/clone_station.h"
#include "radio/r455_radio.h"
#include "text/text_util.h"
#include "res/resource_ids.h"
#include "res/string_table.h"

using Level = CDoctorFinding::Level;

CDoctorFinding CConnectionDoctor::Finding(Level level, std::string text, std::string fix)
{
    return {level, std::move(text), std::move(fix)};
}

std::string CConnectionDoctor::Text(unsigned id, std::initializer_list<std::string> args)
{
    return FormatText(LoadResString(id), args);
}

std::string CConnectionDoctor::JoinNonEmpty(const std::vector<std::string>& parts,
                                            const char* separator)
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

const char* const CConnectionDoctor::kCableRuleName = "70-pwr455-cables.rules";

std::string CConnectionDoctor::CableRuleLine(const std::string& vendor, const std::string& product)
{
    return "SUBSYSTEM==\"tty\", ATTRS{idVendor}==\"" + vendor + "\", ATTRS{idProduct}==\"" +
           product + "\", TAG+=\"uaccess\", ENV{ID_MM_DEVICE_IGNORE}=\"1\"";
}

std::string CConnectionDoctor::CableRules()
{
    std::string text =
        "# USB serial cables for cloning the VX-R455NORD (pwr455): the person at the desktop may\n"
        "# use them without joining group dialout, and ModemManager does not probe them.\n"
        "# The number 70 puts the uaccess tag before 73-seat-late.rules, which acts on it.\n"
        "# The lines follow the program's list of cable chips (clone/cable_chips.cpp).\n";
    const char* family = "";
    for (const CCableChip& chip : CableChips()) {
        if (std::string(chip.name) != family)
            text += std::string("\n# ") + chip.name + "\n";
        family = chip.name;
        text += CableRuleLine(chip.vendor, chip.product) + "\n";
    }
    return text;
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
    const std::vector<CDoctorFinding> problems =
        JudgeProblemDevices(m_problemDevices ? *m_problemDevices : FindProblemDevices());
    // A cable that got no port explains why there is none.
    if (findings.empty() && problems.empty())
        findings.push_back(NoDevicesFound());
    findings.insert(findings.end(), problems.begin(), problems.end());
    return findings;
}

namespace {

// What the Device Manager's problem codes mean, for those a cable is seen with.
const std::pair<unsigned, unsigned> kProblemCodes[] = {
    {1, IDS_DOCTOR_CODE_1},   {10, IDS_DOCTOR_CODE_10}, {18, IDS_DOCTOR_CODE_18},
    {22, IDS_DOCTOR_CODE_22}, {28, IDS_DOCTOR_CODE_28}, {31, IDS_DOCTOR_CODE_31},
    {39, IDS_DOCTOR_CODE_39}, {43, IDS_DOCTOR_CODE_43}, {48, IDS_DOCTOR_CODE_48},
    {52, IDS_DOCTOR_CODE_52},
};
constexpr unsigned kCodeDisabled = 22;
// Not there (24) or unplugged (45): nothing to fix while the cable is away.
constexpr unsigned kCodesAbsent[] = {24, 45};

// USB serial chips by vendor id, with the maker's driver where that is the fix.
struct SChipMaker {
    const char* vendor;
    const char* chip;
    const char* site; // nullptr: the fix has words of its own
};
constexpr const char* kProlific = "067b";
const SChipMaker kChipMakers[] = {
    {kProlific, "Prolific PL2303", "prolific.com.tw"},
    {"1a86", "CH340", nullptr},
    {"0403", "FTDI", "ftdichip.com"},
    {"10c4", "CP210x", "silabs.com"},
};
// Prolific's PL2303 chips made before 2012, and their copies, all answer with this product id.
constexpr const char* kProlificOld = "2303";

const SChipMaker* FindChip(const std::string& vendor)
{
    for (const SChipMaker& maker : kChipMakers)
        if (vendor == maker.vendor)
            return &maker;
    return nullptr;
}

} // namespace

std::string CConnectionDoctor::DriverFix(const std::string& vendor, const std::string& product)
{
    const SChipMaker* chip = FindChip(vendor);
    if (!chip)
        return std::string();
    if (!chip->site)
        return Text(IDS_DOCTOR_FIX_CH340);
    if (vendor == kProlific && product == kProlificOld)
        return Text(IDS_DOCTOR_FIX_PROLIFIC_OLD);
    return Text(IDS_DOCTOR_FIX_MAKER_DRIVER, {chip->chip, chip->site});
}

std::vector<CDoctorFinding>
CConnectionDoctor::JudgeProblemDevices(const std::vector<CProblemDevice>& devices)
{
    std::vector<CDoctorFinding> findings;
    for (const CProblemDevice& d : devices) {
        const bool absent = std::find(std::begin(kCodesAbsent), std::end(kCodesAbsent), d.code) !=
                            std::end(kCodesAbsent);
        // A USB device of another kind without its driver is no concern here.
        if (d.code == 0 || absent || (!d.port && !FindChip(d.vendor)))
            continue;
        const std::string name = JoinNonEmpty(
            {d.name, d.vendor.empty() ? "" : Text(IDS_DOCTOR_USB_ID, {d.vendor, d.product})}, ", ");
        const auto meaning = std::find_if(std::begin(kProblemCodes), std::end(kProblemCodes),
                                          [&d](const auto& code) { return code.first == d.code; });
        const std::string code = std::to_string(d.code);
        const std::string fix = d.code == kCodeDisabled ? Text(IDS_DOCTOR_FIX_ENABLE)
                                                        : DriverFix(d.vendor, d.product);
        findings.push_back(Finding(Level::Problem,
                                   meaning == std::end(kProblemCodes)
                                       ? Text(IDS_DOCTOR_PROBLEM_DEVICE_CODE, {name, code})
                                       : Text(IDS_DOCTOR_PROBLEM_DEVICE,
                                              {name, code, LoadResString(meaning->second)}),
                                   fix.empty() ? Text(IDS_DOCTOR_FIX_REINSTALL) : fix));
    }
    return findings;
}

std::vector<CDoctorFinding> CConnectionDoctor::CheckAll(const std::string& port) const
{
    std::vector<CDoctorFinding> findings = CheckDevices();
    auto add = [&findings](const std::vector<CDoctorFinding>& more) {
        findings.insert(findings.end(), more.begin(), more.end());
    };
    add(CheckPort(port));
    // Nobody can hold a port that is not there; what holds /dev/null (every shell) is no matter.
    if (PortExists(port))
        add(CheckHolders(port));
    add(CheckGrabbers(port));
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

// USB ids as the system writes them.
std::string LowerHex4(unsigned value)
{
    char text[8];
    std::snprintf(text, sizeof text, "%04x", value & 0xFFFFu);
    return text;
}

} // namespace

CDoctorFinding CConnectionDoctor::RunInformation(CCloneHost& host, CCloneClock& clock,
                                                 const std::string& port, bool* answered,
                                                 const CStationPeer* peer)
{
    CProbeLink link(host, clock);
    link.SetPortDevice(1, port);
    link.SetPortNumber(1);
    if (peer)
        peer->Bind(link);
    const int result = link.CloneInfo();
    const ModelInfo& info = *link.GetInfo();
    bool matches = result == CCloneLink::kResultOk && info.modelCode == CR455Radio::kModelCode &&
                   info.revision == CR455Radio::kRevision;
    if (answered)
        *answered = matches;
    if (matches)
        return Finding(Level::Ok, Text(IDS_DOCTOR_ANSWERED,
                                       {CCloneOperations::kModelText,
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

std::string CConnectionDoctor::DescribeBrowserPort(const CBrowserView::CPort& port)
{
    if (!port.usb)
        return Text(IDS_WEB_PORT_NOT_USB);
    const std::string chip = CableChipName(port.vendor, port.product);
    const std::string ids = Text(IDS_DOCTOR_USB_ID,
                                 {LowerHex4(port.vendor), LowerHex4(port.product)});
    return (chip.empty() ? Text(IDS_WEB_CHIP_UNKNOWN) : chip) + ", " + ids;
}

namespace {

using ESystem = CBrowserView::ESystem;

// Where the chip's maker has the driver that a system lacks.
struct SMakerDriver {
    const char* chip; // CableChipName's
    const char* maker;
    const char* site;
};
const SMakerDriver kMacMakerDrivers[] = {
    {"PL2303", "Prolific PL2303", "prolific.com.tw"},
    {"CH340/CH341", "CH340", "wch-ic.com"},
    {"CH9102", "CH9102", "wch-ic.com"},
};
// The chips whose cables Chrome on Android gets no port for.
const char* const kAndroidUndriven[] = {"FTDI", "PL2303"};

const char* SystemName(ESystem system)
{
    switch (system) {
    case ESystem::Windows:
        return "Windows";
    case ESystem::MacOS:
        return "macOS";
    case ESystem::Linux:
        return "Linux";
    case ESystem::ChromeOS:
        return "ChromeOS";
    case ESystem::Android:
        return "Android";
    case ESystem::Unknown:
        break;
    }
    return "";
}

bool IsBrailleChip(const std::string& vendor, const std::string& product)
{
    for (const CCableChip& chip : CableChipList())
        if (chip.braille && vendor == chip.vendor && product == chip.product)
            return true;
    return false;
}

} // namespace

std::vector<CDoctorFinding> CConnectionDoctor::CheckBrowser(const CBrowserView& view)
{
    if (!view.webSerial)
        return {Finding(Level::Problem, Text(IDS_WEB_NO_SERIAL))};
    std::vector<CDoctorFinding> findings{Finding(Level::Ok, Text(IDS_WEB_SERIAL_OK))};
    if (view.ports.empty())
        findings.push_back(
            Finding(Level::Problem, Text(IDS_WEB_NO_PORTS), Text(IDS_WEB_NO_PORTS_FIX)));
    const std::string system = SystemName(view.system);
    for (size_t i = 0; i < view.ports.size(); ++i) {
        const CBrowserView::CPort& port = view.ports[i];
        const std::string chip = port.usb ? CableChipName(port.vendor, port.product) : "";
        findings.push_back(
            Finding(chip.empty() && port.usb ? Level::Note : Level::Ok,
                    Text(IDS_WEB_PORT, {std::to_string(i + 1), DescribeBrowserPort(port)})));
        if (chip.empty())
            continue;
        const std::string lowerVendor = LowerHex4(port.vendor);
        const std::string product = LowerHex4(port.product);
        switch (view.system) {
        case ESystem::Windows:
            findings.push_back(Finding(Level::Note, Text(IDS_WEB_WINDOWS_DRIVER, {chip}),
                                       DriverFix(lowerVendor, product)));
            break;
        case ESystem::MacOS: {
            const auto maker =
                std::find_if(std::begin(kMacMakerDrivers), std::end(kMacMakerDrivers),
                             [&chip](const SMakerDriver& d) { return chip == d.chip; });
            if (maker != std::end(kMacMakerDrivers))
                findings.push_back(
                    Finding(Level::Note, Text(IDS_WEB_MAC_MAKER_DRIVER, {chip}),
                            Text(IDS_DOCTOR_FIX_MAKER_DRIVER, {maker->maker, maker->site})));
            else
                findings.push_back(Finding(Level::Ok, Text(IDS_WEB_OWN_DRIVER, {system, chip})));
            break;
        }
        case ESystem::Linux:
            findings.push_back(Finding(Level::Note, Text(IDS_WEB_LINUX_ACCESS, {chip}),
                                       Text(IDS_WEB_LINUX_ACCESS_FIX)));
            if (IsBrailleChip(lowerVendor, product))
                findings.push_back(Finding(Level::Note, Text(IDS_WEB_LINUX_BRLTTY, {chip}),
                                           Text(IDS_WEB_LINUX_BRLTTY_FIX)));
            break;
        case ESystem::ChromeOS:
            findings.push_back(Finding(Level::Ok, Text(IDS_WEB_OWN_DRIVER, {system, chip})));
            break;
        case ESystem::Android:
            if (std::find(std::begin(kAndroidUndriven), std::end(kAndroidUndriven), chip) !=
                std::end(kAndroidUndriven))
                findings.push_back(Finding(Level::Problem, Text(IDS_WEB_ANDROID_UNDRIVEN, {chip}),
                                           Text(IDS_WEB_ANDROID_FIX)));
            break;
        case ESystem::Unknown:
            break;
        }
    }
    return findings;
}

std::string CConnectionDoctor::LevelWord(Level level)
{
    switch (level) {
    case Level::Ok:
        return LoadResString(IDS_DOCTOR_LEVEL_OK);
    case Level::Note:
        return LoadResString(IDS_DOCTOR_LEVEL_NOTE);
    case Level::Problem:
        break;
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
