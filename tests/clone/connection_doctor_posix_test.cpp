// The connection checks on made-up /dev, /sys, /proc and /etc trees in a scratch folder.

#include <cstdlib>
#include <filesystem>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "clone/connection_doctor.h"
#include "tests/common/scratch_dir.h"
#include "tests/common/test_files.h"

namespace {

namespace fs = std::filesystem;
using Level = CDoctorFinding::Level;

class ConnectionDoctorTest : public ::testing::Test {
protected:
    void File(const std::string& path, const std::string& text = "")
    {
        fs::create_directories(fs::path(dir.In("root" + path)).parent_path());
        WriteFile(dir.In("root" + path), text);
    }
    void Link(const std::string& path, const std::string& target)
    {
        fs::create_directories(fs::path(dir.In("root" + path)).parent_path());
        fs::create_directory_symlink(target, dir.In("root" + path));
    }
    // A character device node (root may make one); false when it cannot be made.
    bool Device(const std::string& path, unsigned major, unsigned minor)
    {
        fs::create_directories(fs::path(dir.In("root" + path)).parent_path());
        return ::mknod(dir.In("root" + path).c_str(), S_IFCHR | 0600, makedev(major, minor)) == 0;
    }
    // A CH340 cable as /dev/ttyUSB0 (a file, unless a device node is there) with its sysfs
    // entries, and a stable name.
    void AddCable(const std::string& product = "7523")
    {
        const std::string usb = "/sys/devices/pci0/usb1/1-1";
        File(usb + "/idVendor", "1a86\n");
        File(usb + "/idProduct", product + "\n");
        File(usb + "/manufacturer", "QinHeng\n");
        File(usb + "/product", "USB Serial\n");
        File("/sys/bus/usb-serial/drivers/ch341-uart/bind");
        Link(usb + "/1-1:1.0/ttyUSB0/driver", "../../../../../../bus/usb-serial/drivers/ch341-uart");
        Link("/sys/class/tty/ttyUSB0/device", "../../../devices/pci0/usb1/1-1/1-1:1.0/ttyUSB0");
        File("/sys/class/tty/ttyUSB0/dev", "188:0\n");
        if (!fs::exists(dir.In("root/dev/ttyUSB0")))
            File("/dev/ttyUSB0");
        Link("/dev/serial/by-id/usb-1a86-port0", "../../ttyUSB0");
    }
    // What udev's database holds of ttyUSB0, and the package's rule installed or not.
    void Udev(const std::string& record, bool rule)
    {
        File("/run/udev/data/c188:0", record);
        const std::string path = std::string("/usr/lib/udev/rules.d/") +
                                 CConnectionDoctor::kCableRuleName;
        if (rule)
            File(path, CConnectionDoctor::CableRules());
        else
            fs::remove(dir.In("root" + path));
    }
    CConnectionDoctor Doctor() const { return CConnectionDoctor(dir.In("root"), user); }

    CScratchDir dir;
    CDoctorUser user{::getuid() + 1000, ::getgid() + 1000, {}, "ann", 4242};
};

} // namespace

TEST_F(ConnectionDoctorTest, DevicesComeFromSysAndHoldersFromProcButNeverThisProcess)
{
    EXPECT_EQ(Doctor().CheckDevices()[0].text.substr(0, 23), "No serial device found:");
    AddCable();
    for (const char* name : {"ttyACM10", "ttyACM2", "ttyS0", "ttyS1", "ttyUSBx", "tty0"})
        File(std::string("/dev/") + name);
    File("/sys/class/tty/ttyS0/type", "4\n");
    File("/sys/class/tty/ttyS1/type", "0\n"); // a placeholder without a UART
    std::vector<std::string> texts;
    for (const CDoctorFinding& f : Doctor().CheckDevices())
        texts.push_back(f.text);
    EXPECT_EQ(texts, (std::vector<std::string>{
                         "Serial device /dev/ttyACM2", "Serial device /dev/ttyACM10",
                         "Serial device /dev/ttyS0",
                         "Serial device /dev/ttyUSB0: USB 1a86:7523, QinHeng USB Serial, driver "
                         "ch341-uart, also /dev/serial/by-id/usb-1a86-port0"}));

    File("/proc/123/comm", "minicom\n");
    Link("/proc/123/fd/3", "/dev/ttyUSB0");
    Link("/proc/4242/fd/5", "/dev/ttyUSB0"); // this process itself
    for (const char* port : {"/dev/ttyUSB0", "/dev/serial/by-id/usb-1a86-port0"}) {
        const std::vector<CDoctorFinding> held = Doctor().CheckHolders(port);
        ASSERT_EQ(held.size(), 1u) << port;
        EXPECT_EQ(held[0].text + held[0].fix, std::string("Port ") + port +
                  " is held by minicom (PID 123).End minicom (kill 123), or choose another port.");
    }
}

TEST_F(ConnectionDoctorTest, PortPermissionsNameTheGroupAndWhatToDo)
{
    if (!Device("/dev/ttyUSB0", 188, 0))
        GTEST_SKIP() << "a device node needs root";
    struct stat st = {};
    ::stat(dir.In("root/dev/ttyUSB0").c_str(), &st);
    File("/etc/passwd", "root:x:" + std::to_string(st.st_uid) + ":0::/root:/bin/sh\nann:x:" +
                            std::to_string(user.uid) + ":" + std::to_string(user.gid) + "::/:\n");
    const std::string group = "dialout:x:" + std::to_string(st.st_gid) + ":";
    AddCable();
    const struct {
        unsigned mode;
        std::string members;    // of dialout in /etc/group
        bool inGroup;           // the process has the group
        std::string udev;       // udev's record of the port
        bool rule;              // the package's rule is installed
        std::string text;
    } cases[] = {
        {0660, "bob", false, "", false, "it needs group dialout, and ann is not in it.|sudo "
                                        "usermod -aG dialout ann, then log out and in again."},
        {0660, "bob,ann", false, "G:uaccess", true, "ann was added to group dialout, but has not "
         "logged in again since.|Log out and in again (or run 'newgrp dialout' in this shell)."},
        {0600, "ann", true, "", false, "(crw------- root dialout).|sudo chmod 660 /dev/ttyUSB0"},
        {0600, "bob", false, "", false, "only root may.|Have a udev rule give it a group of yours"},
        {0660, "bob", false, "E:ID_MM_DEVICE_IGNORE=1\nG:uaccess\n", true, "a udev rule gives it "
         "to the person at the desktop, and ann is not that person (logged in from elsewhere, or "
         "another user's desktop is the active one).|Use the program at ann's own desktop, or: "
         "sudo usermod -aG dialout ann, then log out and in again."},
        {0660, "bob", false, "Q:uaccess", false, "ann is not that person"},
        {0660, "bob", false, "G:seat", true, "ann is not in it.|Unplug the cable and plug it in "
         "again: the udev rule 70-pwr455-cables.rules then gives it to the person at the desktop"},
    };
    for (const auto& c : cases) {
        ::chmod(dir.In("root/dev/ttyUSB0").c_str(), c.mode);
        File("/etc/group", group + c.members + "\n");
        Udev(c.udev, c.rule);
        user.groups = c.inGroup ? std::vector<unsigned>{st.st_gid} : std::vector<unsigned>{};
        const CDoctorFinding f = Doctor().CheckPort("/dev/ttyUSB0").at(0);
        EXPECT_EQ(f.level, Level::Problem);
        EXPECT_NE((f.text + "|" + f.fix).find(c.text), std::string::npos) << f.text << f.fix;
    }
    EXPECT_EQ(Doctor().CheckPort("/dev/ttyUSB9").at(0).text, "Port /dev/ttyUSB9 does not exist.");

    // Nothing to clone through, and what holds /dev/null (every shell) does not matter.
    File("/dev/plain");
    fs::create_directories(dir.In("root/dev/folder"));
    ASSERT_EQ(::mkfifo(dir.In("root/dev/fifo").c_str(), 0600), 0);
    ASSERT_TRUE(Device("/dev/null", 1, 3));
    Link("/sys/dev/char/1:3/subsystem", "../../../class/mem");
    File("/proc/55/comm", "bash\n");
    Link("/proc/55/fd/0", "/dev/null");
    for (const std::string port : {"/dev/plain", "/dev/folder", "/dev/fifo", "/dev/null"}) {
        const std::vector<CDoctorFinding> found = Doctor().CheckAll(port);
        EXPECT_EQ(found.at(1).text, "Port " + port + " is not a serial device.");
        EXPECT_EQ(found.size(), 4u) << port; // device, port, brltty, ModemManager: no holder
    }
}

TEST_F(ConnectionDoctorTest, BrlttyRulesMatterOnlyWhereAnActiveOneTakesTheCable)
{
    const std::string packaged = "/usr/lib/udev/rules.d/85-brltty.rules";
    const std::string etc = "/etc/udev/rules.d/85-brltty.rules";
    const std::string ch340 = "ENV{PRODUCT}==\"1a86/7523/*\", ENV{BRLTTY_BRAILLE_DRIVER}=\"bm\"\n";
    const struct {
        std::string name;
        std::vector<std::pair<std::string, std::string>> files; // path, text ("@null": a mask)
        Level level;
        std::string text; // "" for the all-clear
    } cases[] = {
        {"no rule", {}, Level::Ok, ""},
        {"commented", {{packaged, "# " + ch340}}, Level::Ok, ""},
        {"active, cable's ids", {{packaged, ch340}}, Level::Problem,
         "brltty's rule file 85-brltty.rules takes CH340/CH341 (1a86:7523) cables"},
        {"active, other ids", {{packaged, "ENV{PRODUCT}==\"10c4/ea60/*\", GOTO=\"b\"\n"}},
         Level::Note, "takes CP210x (10c4:ea60) cables"},
        {"hub the cable is not on",
         {{packaged, "ENV{PRODUCT}==\"1a86/7523/*\", ATTRS{idVendor}==\"05e3\", GOTO=\"b\"\n"}},
         Level::Ok, ""},
        {"hub the cable is on",
         {{packaged, "ENV{PRODUCT}==\"1a86/7523/*\", KERNELS==\"usb1\", GOTO=\"b\"\n"}},
         Level::Problem, "takes CH340/CH341"},
        {"unknown condition",
         {{packaged, "ENV{PRODUCT}==\"1a86/7523/*\", ENV{BRLTTY_ON}==\"1\", GOTO=\"b\"\n"}},
         Level::Problem, "may take CH340/CH341 (1a86:7523) cables for Braille displays: whether its "
                         "condition env{brltty_on}==\"1\" holds"},
        {"masked by a link", {{packaged, ch340}, {etc, "@null"}}, Level::Ok, ""},
        {"masked by an empty file", {{"/lib/udev/rules.d/85-brltty.rules", ch340}, {etc, ""}},
         Level::Ok, ""},
        {"replaced in /etc", {{packaged, ch340}, {etc, "# " + ch340}}, Level::Ok, ""},
    };
    for (const auto& c : cases) {
        fs::remove_all(dir.In("root"));
        AddCable();
        for (const auto& [path, text] : c.files) {
            if (text != "@null") {
                File(path, text);
                continue;
            }
            fs::create_directories(fs::path(dir.In("root" + path)).parent_path());
            fs::create_symlink("/dev/null", dir.In("root" + path));
        }
        const CDoctorFinding f = Doctor().CheckGrabbers().at(0);
        EXPECT_EQ(f.level, c.level) << c.name;
        if (c.text.empty()) {
            EXPECT_EQ(f.text, "No active brltty rule takes this cable.") << c.name;
            continue;
        }
        EXPECT_NE(f.text.find(c.text), std::string::npos) << c.name << ": " << f.text;
        EXPECT_EQ(f.fix.find("apt remove"), std::string::npos) << c.name;
        EXPECT_NE(f.fix.find("sudo ln -s /dev/null /etc/udev/rules.d/85-brltty.rules"),
                  std::string::npos) << c.name;
    }

    // No cable plugged in: a rule for a chip is likely what took it.
    fs::remove_all(dir.In("root"));
    File(packaged, ch340);
    File("/proc/77/comm", "ModemManager\n");
    const std::vector<CDoctorFinding> found = Doctor().CheckGrabbers();
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].level, Level::Problem);
    EXPECT_EQ(found[1].text, "ModemManager is running (PID 77): it probes new serial devices and "
                             "may hold the cable for a while after it is plugged in.");
}

// ModemManager leaves alone what udev marks for it; where nothing is marked, the fix is a rule.
TEST_F(ConnectionDoctorTest, ModemManagerIsNoMatterWhereTheRuleKeepsItOffTheCable)
{
    EXPECT_EQ(ReadFile(PWR_CABLE_RULES), CConnectionDoctor::CableRules());
    const struct {
        std::string product; // of the CH340's vendor; "" for no cable
        std::string udev;
        bool rule;
        Level level;
        std::string text;
    } cases[] = {
        {"7523", "G:uaccess\nE:ID_MM_DEVICE_IGNORE=1\n", false, Level::Ok,
         "ModemManager is running (PID 77), but leaves /dev/serial/by-id/usb-1a86-port0 alone: a "
         "udev rule marks it ID_MM_DEVICE_IGNORE."},
        {"7523", "E:ID_MM_DEVICE_IGNORE=0", false, Level::Note,
         "plugged in.|Install the package's udev rule 70-pwr455-cables.rules (built from source: "
         "sudo cp packaging/70-pwr455-cables.rules /etc/udev/rules.d/), then plug the cable in"},
        {"7523", "", true, Level::Note, "|Unplug the cable and plug it in again: the udev rule "
                                        "70-pwr455-cables.rules then"},
        {"ffff", "", true, Level::Note, "|Keep ModemManager off this cable with a udev rule: put "
         "the line SUBSYSTEM==\"tty\", ATTRS{idVendor}==\"1a86\", ATTRS{idProduct}==\"ffff\", "
         "TAG+=\"uaccess\", ENV{ID_MM_DEVICE_IGNORE}=\"1\" in /etc/udev/rules.d/70-pwr455-local"},
        {"", "", true, Level::Note, "|sudo systemctl stop ModemManager"},
        {"", "", false, Level::Note, "|Install the package's udev rule"},
    };
    for (const auto& c : cases) {
        fs::remove_all(dir.In("root"));
        if (!c.product.empty())
            AddCable(c.product);
        Udev(c.udev, c.rule);
        File("/proc/77/comm", "ModemManager\n");
        const CDoctorFinding f = Doctor().CheckGrabbers("/dev/serial/by-id/usb-1a86-port0").at(1);
        EXPECT_EQ(f.level, c.level) << c.product << c.udev;
        EXPECT_NE((f.text + "|" + f.fix).find(c.text), std::string::npos) << f.text << f.fix;
    }
}

// A character device filed under another class than tty is tried before the doctor says it is
// no serial port: a terminal is one (a port whose driver files it elsewhere), /dev/null is not.
TEST_F(ConnectionDoctorTest, ADeviceThatOpensAsATerminalIsAPort)
{
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(::grantpt(master) | ::unlockpt(master), 0);
    const std::pair<std::string, bool> devices[] = {{::ptsname(master), true}, {"/dev/null", false}};
    for (const auto& [device, port] : devices) {
        struct stat st = {};
        ASSERT_EQ(::stat(device.c_str(), &st), 0);
        const std::string name = "/dev/t" + std::to_string(port);
        fs::create_directories(dir.In("root/dev"));
        fs::create_symlink(device, dir.In("root" + name));
        Link("/sys/dev/char/" + std::to_string(major(st.st_rdev)) + ":" +
                 std::to_string(minor(st.st_rdev)) + "/subsystem",
             "../../../class/misc");
        EXPECT_EQ(Doctor().PortExists(name), port) << device;
    }
    ::close(master);
}
