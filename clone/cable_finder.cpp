#include "clone/cable_finder.h"

#include <algorithm>

#include "clone/clone_clock.h"
#include "res/resource_ids.h"
#include "res/string_table.h"
#include "text/text_util.h"

std::vector<CSerialDevice> CSystemPortList::List()
{
    return CConnectionDoctor("/", CDoctorUser::Current()).FindSerialDevices();
}

CCableFinder::CCableFinder(CPortList& ports, CCloneClock& clock) : m_ports(ports), m_clock(clock) {}

void CCableFinder::Start()
{
    m_counted.clear();
    for (const CSerialDevice& device : m_ports.List())
        m_counted.push_back(device.path);
    m_came.clear();
    m_stage = EStage::Unplug;
    m_deadline = m_clock.NowMs() + kWaitMs;
}

CCableFinder::EStage CCableFinder::Poll()
{
    if (IsEnd(m_stage))
        return m_stage;
    const std::vector<CSerialDevice> now = m_ports.List();
    auto listed = [&now](const std::string& path) {
        return std::any_of(now.begin(), now.end(),
                           [&path](const CSerialDevice& d) { return d.path == path; });
    };
    const auto gone = std::remove_if(m_counted.begin(), m_counted.end(),
                                     [&listed](const std::string& path) { return !listed(path); });
    if (gone != m_counted.end()) {
        m_counted.erase(gone, m_counted.end());
        // Unplugged: plugging in again gets a full wait of its own.
        m_stage = EStage::Plug;
        m_deadline = m_clock.NowMs() + kWaitMs;
    }
    std::vector<CSerialDevice> came;
    for (const CSerialDevice& device : now)
        if (std::find(m_counted.begin(), m_counted.end(), device.path) == m_counted.end())
            came.push_back(device);
    auto paths = [](const std::vector<CSerialDevice>& devices) {
        std::vector<std::string> p;
        for (const CSerialDevice& d : devices)
            p.push_back(d.path);
        return p;
    };
    // Several ports of one adapter may take a moment to come all: the same ones twice.
    const bool settled = !came.empty() && paths(came) == paths(m_came);
    m_came = came;
    if (settled)
        m_stage = came.size() == 1 ? EStage::Found : EStage::Several;
    else if (m_clock.NowMs() >= m_deadline)
        m_stage = EStage::TimedOut;
    return m_stage;
}

void CCableFinder::Cancel()
{
    if (!IsEnd(m_stage))
        m_stage = EStage::Cancelled;
}

CCableFinder::EStage CCableFinder::Run(const std::function<void(EStage)>& changed,
                                       const std::function<bool()>& cancelled)
{
    Start();
    changed(m_stage);
    while (!IsEnd(m_stage)) {
        const EStage before = m_stage;
        if (cancelled())
            Cancel();
        else {
            m_clock.Sleep(kPollMs);
            Poll();
        }
        if (m_stage != before)
            changed(m_stage);
    }
    return m_stage;
}

std::string CCableFinder::Prompt(EStage stage, const std::vector<CSerialDevice>& came)
{
    switch (stage) {
    case EStage::Unplug:
        return LoadResString(IDS_FIND_UNPLUG);
    case EStage::Plug:
        return LoadResString(IDS_FIND_PLUG);
    case EStage::Found:
        return FormatText(LoadResString(IDS_FIND_FOUND), {came.empty() ? "" : Describe(came[0])});
    case EStage::Several: {
        std::string paths;
        for (const CSerialDevice& device : came)
            paths += (paths.empty() ? "" : ", ") + device.path;
        return FormatText(LoadResString(IDS_FIND_SEVERAL), {paths});
    }
    case EStage::TimedOut:
        return FormatText(LoadResString(IDS_FIND_NONE), {std::to_string(kWaitMs / 1000)});
    case EStage::Cancelled:
        break;
    }
    return LoadResString(IDS_FIND_CANCELLED);
}

std::string CCableFinder::Describe(const CSerialDevice& device)
{
    const std::string& name = device.label.empty() ? device.name : device.label;
    return name.empty() ? device.path : device.path + " (" + name + ")";
}
