#include "clone/connection_doctor.h"

#include "res/resource_ids.h"

// A page sees none of the system: no devices, users, holders or grabbers, only the ports the
// browser lets it use (CheckBrowser) and what an information run on one of them brings.

CDoctorUser CDoctorUser::Current()
{
    return {};
}

std::vector<CSerialDevice> CConnectionDoctor::FindSerialDevices() const
{
    return {};
}

std::vector<CProblemDevice> CConnectionDoctor::FindProblemDevices() const
{
    return {};
}

CDoctorFinding CConnectionDoctor::NoDevicesFound()
{
    return Finding(CDoctorFinding::Level::Problem, Text(IDS_WEB_NO_PORTS),
                   Text(IDS_WEB_NO_PORTS_FIX));
}

std::vector<CDoctorFinding> CConnectionDoctor::CheckPort(const std::string&) const
{
    return {};
}

std::vector<CDoctorFinding> CConnectionDoctor::CheckHolders(const std::string&) const
{
    return {};
}

std::vector<CDoctorFinding> CConnectionDoctor::CheckGrabbers(const std::string&) const
{
    return {};
}

bool CConnectionDoctor::PortExists(const std::string&) const
{
    return true;
}
