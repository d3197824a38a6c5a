#pragma once

// Everything that reaches the transceiver for one data set, built once for the desktop program's
// document and for each clone command of the tool: the clone link with its COM port table, the
// clone transfer file ("cl" temporary file), the clone operations on the data set, and, when
// asked for, a simulated transceiver that every COM port then leads to.

#include <memory>

#include "clone/clone_link.h"
#include "clone/clone_operations.h"
#include "radio/temp_file.h"

class CCloneClock;
class CCloneHost;
class CR455Radio;

// A transceiver that serves the station's own process (the simulator, which lives above this
// layer).
class CStationPeer {
public:
    virtual ~CStationPeer() = default;
    // Makes every COM port of `link` lead to this transceiver.
    virtual void Bind(CCloneLink& link) const = 0;
};

class CCloneStation {
public:
    // The data set is read into and written from `radio`; `host` and `clock` serve the link.
    // All three are borrowed and must outlive the station.
    CCloneStation(CR455Radio& radio, CCloneHost& host, CCloneClock& clock);
    ~CCloneStation();

    CCloneStation(const CCloneStation&) = delete;
    CCloneStation& operator=(const CCloneStation&) = delete;

    CCloneLink& Link() { return m_link; }
    const CCloneLink& Link() const { return m_link; }
    CCloneOperations& Operations() { return m_operations; }
    const CTempFile& Transfer() const { return m_transfer; }

    // From now on every COM port leads to `peer`, which the station keeps.
    void Simulate(std::unique_ptr<CStationPeer> peer);
    bool IsSimulating() const { return m_peer != nullptr; }
    CStationPeer* GetPeer() const { return m_peer.get(); }

private:
    // Declared first, so that it goes last: the link has closed its line by then.
    std::unique_ptr<CStationPeer> m_peer;
    CTempFile m_transfer;
    CCloneLink m_link;
    CCloneOperations m_operations;
};
