// What the connection check makes of the cables a system has but cannot use, fed to it as the
// Windows Device Manager would list them.

#include <algorithm>
#include <tuple>

#include <gtest/gtest.h>

#include "clone/connection_doctor.h"

namespace {

const CProblemDevice kProlificCode10{"Prolific USB-to-Serial Comm Port", "067b", "2303", 10, true};

TEST(ConnectionDoctorProblemDevicesTest, EachCableIsNamedWithWhatFixesItsChip)
{
    const struct {
        CProblemDevice device;
        const char* text; // nullptr: not reported
        const char* fixStart;
    } cases[] = {
        {kProlificCode10,
         "The Device Manager shows Prolific USB-to-Serial Comm Port, USB 067b:2303 with Code 10 (the "
         "device cannot start): it gets no COM port.",
         "Windows' current Prolific driver refuses PL2303 chips made before 2012"},
        {{"USB-SERIAL CH340", "1a86", "7523", 28, true},
         "The Device Manager shows USB-SERIAL CH340, USB 1a86:7523 with Code 28 (no driver is "
         "installed for it): it gets no COM port.",
         "Install version 3.5.2019.1 of the CH340 driver"},
        // A chip of another maker's without its driver is filed as a USB device, not a port.
        {{"FT232R USB UART", "0403", "6001", 28, false}, "",
         "Install the FTDI chip's own driver from ftdichip.com"},
        {{"CP2102 USB to UART Bridge", "10c4", "ea60", 43, true}, "",
         "Install the CP210x chip's own driver from silabs.com"},
        {{"Prolific PL2303GT", "067b", "23c3", 31, true}, "",
         "Install the Prolific PL2303 chip's own driver from prolific.com.tw"},
        {{"USB-SERIAL CH340", "1a86", "7523", 22, true}, "", "In the Device Manager, right-click"},
        {{"Standard Serial over Bluetooth link", "", "", 99, true},
         "The Device Manager shows Standard Serial over Bluetooth link with Code 99: it gets no "
         "COM port.",
         "In the Device Manager, uninstall the device"},
        {{"USB Video Device", "046d", "0825", 28, false}, nullptr, ""},
        {{"USB-SERIAL CH340", "1a86", "7523", 45, true}, nullptr, ""}, // unplugged
        {{"USB-SERIAL CH340", "1a86", "7523", 0, true}, nullptr, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.device.name + " code " + std::to_string(c.device.code));
        const auto found = CConnectionDoctor::JudgeProblemDevices({c.device});
        ASSERT_EQ(found.size(), c.text ? 1u : 0u);
        if (!c.text)
            continue;
        EXPECT_EQ(found[0].level, CDoctorFinding::Level::Problem);
        if (*c.text) {
            EXPECT_EQ(found[0].text, c.text);
        }
        EXPECT_EQ(found[0].fix.rfind(c.fixStart, 0), 0u) << found[0].fix;
    }
}

TEST(ConnectionDoctorProblemDevicesTest, ACableWithoutAPortIsWhatTheDeviceCheckEndsWith)
{
    CConnectionDoctor doctor("/nowhere-at-all", CDoctorUser{});
    doctor.UseProblemDevices({kProlificCode10});
    const std::vector<CDoctorFinding> found = doctor.CheckDevices();
    EXPECT_EQ(found.back().text, CConnectionDoctor::JudgeProblemDevices({kProlificCode10})[0].text);
    // It stands in for "no port found": it tells why.
    EXPECT_TRUE(std::none_of(found.begin(), found.end(),
                             [](const auto& f) { return f.text.rfind("No ", 0) == 0; }));
}

} // namespace

TEST(CableChips, AChipIsNamedByItsIdsOrItsMakersFamily)
{
    const std::tuple<uint16_t, uint16_t, const char*> cases[] = {
        {0x0403, 0x6001, "FTDI"},     {0x067b, 0x23a3, "PL2303"},
        {0x1a86, 0x55d4, "CH9102"},   {0x1a86, 0x7599, "CH340/CH341"},
        {0x10c4, 0xea60, "CP210x"},   {0x2341, 0x0043, ""},
    };
    for (const auto& [vendor, product, name] : cases)
        EXPECT_EQ(CableChipName(vendor, product), name) << vendor << ":" << product;
}

TEST(ConnectionDoctorBrowserTest, EachChipGetsTheKnownDriverProblemsOfItsSystem)
{
    using ESystem = CBrowserView::ESystem;
    using Level = CDoctorFinding::Level;
    const CBrowserView::CPort ftdi{true, 0x0403, 0x6001}, oldProlific{true, 0x067b, 0x2303},
        ch340{true, 0x1a86, 0x7523}, cp210x{true, 0x10c4, 0xea60}, other{true, 0x2341, 0x0043};
    const struct {
        ESystem system;
        CBrowserView::CPort port;
        Level level;      // of the last finding
        const char* text; // its start
        const char* fix;  // its fix's start ("" for none)
    } cases[] = {
        {ESystem::Windows, oldProlific, Level::Note, "Windows needs a working driver for PL2303",
         "Windows' current Prolific driver refuses PL2303 chips made before 2012"},
        {ESystem::Windows, ch340, Level::Note, "Windows needs", "Install version 3.5.2019.1"},
        {ESystem::MacOS, oldProlific, Level::Note, "macOS has no driver of its own for PL2303",
         "Install the Prolific PL2303 chip's own driver from prolific.com.tw"},
        {ESystem::MacOS, ch340, Level::Note, "macOS has no driver of its own for CH340/CH341",
         "Install the CH340 chip's own driver from wch-ic.com"},
        {ESystem::MacOS, cp210x, Level::Ok, "macOS drives CP210x cables itself.", ""},
        {ESystem::ChromeOS, ch340, Level::Ok, "ChromeOS drives CH340/CH341 cables itself.", ""},
        {ESystem::Linux, ftdi, Level::Note, "The browser opens this FTDI cable only", "Install the"},
        {ESystem::Linux, cp210x, Level::Note, "brltty may take CP210x cables", "Unless a Braille"},
        {ESystem::Android, oldProlific, Level::Problem, "Chrome on Android has no driver for PL2303",
         "Use a computer"},
        {ESystem::Android, ch340, Level::Ok, "Port 1 of this page: CH340/CH341, USB 1a86:7523", ""},
        {ESystem::Windows, other, Level::Note, "Port 1 of this page: a chip this program does not "
                                               "know, USB 2341:0043", ""},
        {ESystem::Unknown, {}, Level::Ok, "Port 1 of this page: a serial port without USB ids", ""},
    };
    for (const auto& c : cases) {
        const auto found = CConnectionDoctor::CheckBrowser({true, c.system, {c.port}});
        ASSERT_GE(found.size(), 2u);
        EXPECT_EQ(found[0].text, "This browser can reach serial ports (Web Serial).");
        EXPECT_EQ(found.back().level, c.level) << c.text;
        EXPECT_EQ(found.back().text.rfind(c.text, 0), 0u) << found.back().text;
        EXPECT_EQ(found.back().fix.rfind(c.fix, 0), 0u) << found.back().fix;
    }
    // Without Web Serial nothing else can be told; without a port, how to give the page one.
    EXPECT_EQ(CConnectionDoctor::CheckBrowser({}).size(), 1u);
    EXPECT_EQ(CConnectionDoctor::CheckBrowser({true, ESystem::Linux, {}}).back().text,
              "This page may use no serial port yet.");
}
