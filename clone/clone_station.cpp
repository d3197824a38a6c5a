#include "clone/clone_station.h"

#include "radio/r455_radio.h"

CCloneStation::CCloneStation(CR455Radio& radio, CCloneHost& host, CCloneClock& clock)
    : m_transfer("cl"), m_link(host, clock), m_operations(radio, m_link, host, m_transfer)
{
    m_link.SetTransferFile(m_transfer.GetPath());
}

CCloneStation::~CCloneStation() = default;

void CCloneStation::Simulate(std::unique_ptr<CStationPeer> peer)
{
    m_peer = std::move(peer);
    if (m_peer)
        m_peer->Bind(m_link);
}
