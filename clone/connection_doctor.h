#pragma once

// Why does the cable not work? The checks behind Help > Check Connection and `pwr455-cli doctor`,
// in the order a user would go through them: the serial devices the system has, the chosen port
// (there, and readable and writable by this user), another program holding it, packages known to
// grab USB serial cables, and finally an information run with the transceiver.
//
// Every check reads the system through a root folder ("/" in the program), so that tests can
// put a made-up /dev, /sys, /proc and /etc in a temporary folder. Each finding says what was
// found and, where something is wrong, the one-line fix.
//
// The order of the checks and the texts are here (connection_doctor.cpp); how the system is read
// (the user, the devices, the port, its holders and grabbers) is in a file of its own for each
// system.

#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "clone/cable_chips.h"

class CCloneClock;
class CCloneHost;
class CStationPeer;

struct CDoctorFinding {
    enum class Level { Ok, Note, Problem };
    Level level = Level::Ok;
    std::string text;
    std::string fix; // empty when there is nothing to do
};

// The identity that decides what the port allows this process.
struct CDoctorUser {
    unsigned uid = 0;
    unsigned gid = 0;             // the process's group
    std::vector<unsigned> groups; // its supplementary groups
    std::string name;             // login name ("" when unknown)
    int pid = 0;                  // this process: never counted as holding the port

    // The running process.
    static CDoctorUser Current();
};

// One serial device as the system describes it.
struct CSerialDevice {
    std::string path;   // e.g. /dev/ttyUSB0
    std::string vendor; // USB vendor and product ids, 4 hex digits each ("" when not USB)
    std::string product;
    std::string name;   // maker and product text of the USB device
    std::string driver; // e.g. ch341-uart
    std::string byId;   // its stable name under /dev/serial/by-id ("" when none)
    std::string label;  // the name the system lists the port by beside its path (Windows:
                        // the device manager's, such as "USB-SERIAL CH340"; "" when none)
};

// A USB serial cable the system has but cannot use, so that it gets no port (Windows: a device
// the Device Manager shows with a problem code).
struct CProblemDevice {
    std::string name;    // the Device Manager's name for it
    std::string vendor;  // USB vendor and product ids, 4 hex digits each, lower case ("" when
    std::string product; // unknown)
    unsigned code = 0;   // the problem code: 10 for "Code 10"
    bool port = false;   // filed under Ports (COM & LPT); otherwise a USB device with no driver
};

// What a browser lets a page see: whether it has Web Serial, the system it runs on (as the
// browser names it) and the ports the user has let the page use.
struct CBrowserView {
    enum class ESystem { Unknown, Windows, MacOS, Linux, ChromeOS, Android };
    struct CPort {
        bool usb = false;
        uint16_t vendor = 0;
        uint16_t product = 0;
    };
    bool webSerial = false;
    ESystem system = ESystem::Unknown;
    std::vector<CPort> ports;
};

class CConnectionDoctor {
public:
    static const std::vector<CCableChip>& CableChips() { return CableChipList(); }
    // The udev rule file of the package, which gives a cable of each of those chips to the
    // person at the desktop and keeps ModemManager off it: its name, the line for one chip, and
    // its whole text (as packaging/ holds it).
    static const char* const kCableRuleName;
    static std::string CableRuleLine(const std::string& vendor, const std::string& product);
    static std::string CableRules();

    CConnectionDoctor(std::string root, CDoctorUser user);

    // /dev/ttyUSB*, /dev/ttyACM* and the /dev/ttyS* that have a serial port behind them, in
    // natural order, with what /sys knows of each.
    std::vector<CSerialDevice> FindSerialDevices() const;

    // The cables the system has but cannot use; none where the system does not tell.
    std::vector<CProblemDevice> FindProblemDevices() const;
    // `devices` stand for what FindProblemDevices would find (tests).
    void UseProblemDevices(std::vector<CProblemDevice> devices) { m_problemDevices = devices; }

    // The serial devices, then the cables that got no port with their fixes.
    std::vector<CDoctorFinding> CheckDevices() const;
    std::vector<CDoctorFinding> CheckPort(const std::string& port) const;
    std::vector<CDoctorFinding> CheckHolders(const std::string& port) const;
    // brltty's rules; ModemManager, and whether udev marks `port` to be left alone by it.
    std::vector<CDoctorFinding> CheckGrabbers(const std::string& port = std::string()) const;

    // The four checks above, in order.
    std::vector<CDoctorFinding> CheckAll(const std::string& port) const;
    // True when a serial device is there: not a folder, a plain file, a FIFO or a device of
    // another kind (/dev/null), which nobody can clone through and whose holders do not matter.
    bool PortExists(const std::string& port) const;

    // The information run on `port`: the transceiver's answer, or which failure it was.
    // `answered` is set when a VX-R455NORD answered.
    // With a `peer`, the port leads to that transceiver (the simulated one).
    static CDoctorFinding RunInformation(CCloneHost& host, CCloneClock& clock,
                                         const std::string& port, bool* answered,
                                         const CStationPeer* peer = nullptr);

    // The browser edition's checks before its information run: Web Serial, then each port the
    // page may use with its chip, and the known driver problems of that chip on the system.
    static std::vector<CDoctorFinding> CheckBrowser(const CBrowserView& view);
    // A port of the page as the checks and the port menu name it: chip and USB ids.
    static std::string DescribeBrowserPort(const CBrowserView::CPort& port);

    // A finding for each device that is a serial cable with a problem: what is wrong and, by
    // its chip, what fixes it.
    static std::vector<CDoctorFinding>
    JudgeProblemDevices(const std::vector<CProblemDevice>& devices);
    // What makes a cable of this chip work when its driver fails (the maker's driver, or the
    // version known to work), by its USB ids; "" for a chip not known here.
    static std::string DriverFix(const std::string& vendor, const std::string& product);

    // Findings as text, one line each with its level, the fix on the next line.
    static std::string Format(const std::vector<CDoctorFinding>& findings);
    static std::string LevelWord(CDoctorFinding::Level level);

private:
    std::string InRoot(const std::string& path) const;
    // What CheckDevices says when the system has no serial device, in the system's own terms.
    static CDoctorFinding NoDevicesFound();

    static CDoctorFinding Finding(CDoctorFinding::Level level, std::string text,
                                  std::string fix = std::string());
    static std::string Text(unsigned id, std::initializer_list<std::string> args = {});
    static std::string JoinNonEmpty(const std::vector<std::string>& parts, const char* separator);

    std::string m_root;
    CDoctorUser m_user;
    std::optional<std::vector<CProblemDevice>> m_problemDevices;
};
