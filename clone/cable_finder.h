#pragma once

// Find Cable: which of the serial ports is the cloning cable? The user unplugs the cable and
// plugs it in again; the port that comes is the cable. The desktop program's Check Connection
// window and `pwr455-cli ports --find` both go by this rule:
//
// - The ports there at the start do not count. A port that goes from the list is taken out of
//   them, so that the cable counts when it comes back (unplugged, then plugged in again).
// - A port not counted that is there in two looks one after the other has come: one such port
//   is the cable, more than one cannot be told apart. A cable already unplugged at the start
//   is simply plugged in.
// - Each of the two steps (unplugging, plugging in) is waited for at most kWaitMs; the list is
//   looked at every kPollMs, through the clock (tests bring a fake one).

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "clone/connection_doctor.h"

class CCloneClock;

// The serial ports there now.
class CPortList {
public:
    virtual ~CPortList() = default;
    virtual std::vector<CSerialDevice> List() = 0;
};

// The system's ports as the connection check lists them (/dev and /sys, Windows' port list).
class CSystemPortList : public CPortList {
public:
    std::vector<CSerialDevice> List() override;
};

class CCableFinder {
public:
    // Unplug and Plug wait for the user; the others are the end of the search.
    enum class EStage { Unplug, Plug, Found, Several, TimedOut, Cancelled };

    static constexpr unsigned kPollMs = 250;
    static constexpr unsigned kWaitMs = 60000;

    CCableFinder(CPortList& ports, CCloneClock& clock);

    // Takes the ports there now as those that do not count; the stage is Unplug.
    void Start();
    // One look at the list; returns the stage after it. An end stays.
    EStage Poll();
    void Cancel();

    // Start, then Poll every kPollMs until the end. `changed` hears each stage, the first
    // (Unplug) too; `cancelled` is asked before each wait.
    EStage Run(const std::function<void(EStage)>& changed, const std::function<bool()>& cancelled);

    EStage GetStage() const { return m_stage; }
    static bool IsEnd(EStage stage) { return stage != EStage::Unplug && stage != EStage::Plug; }
    // The ports that came (one when Found, more when Several), in the list's order.
    const std::vector<CSerialDevice>& GetCame() const { return m_came; }

    // What the user is told at `stage`: what to do while the search waits, what it found at
    // its end (`came` as GetCame gives it).
    static std::string Prompt(EStage stage, const std::vector<CSerialDevice>& came = {});
    // The port's path, with the system's name for it in brackets where it has one.
    static std::string Describe(const CSerialDevice& device);

private:
    CPortList& m_ports;
    CCloneClock& m_clock;
    EStage m_stage = EStage::Unplug;
    std::vector<std::string> m_counted; // paths of the ports that do not count
    std::vector<CSerialDevice> m_came;  // what came at the last look
    uint64_t m_deadline = 0;
};
