#pragma once

// Shared set-up of the clone tests: the clone link to a simulated transceiver over a line in
// memory (or, where a case needs the serial code, a pseudo-terminal), both on a fake clock, a
// recording host, and the clone operations of a document with a new data set.

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "clone/clone_link.h"
#include "clone/clone_operations.h"
#include "radio/r455_radio.h"
#include "radio/temp_file.h"
#include "sim/sim_transceiver.h"
#include "tests/common/fake_clone_clock.h"
#include "tests/common/recording_clone_host.h"
#include "tests/common/test_files.h"

namespace clonetest {

using Bytes = std::vector<uint8_t>;
using Lines = std::vector<std::string>;

inline Lines ReadLines(const std::string& path)
{
    Lines lines;
    std::istringstream text(ReadFile(path));
    for (std::string line; std::getline(text, line);)
        lines.push_back(line.substr(0, line.find('\r')));
    return lines;
}

// The record lines (after the header and the comment line) of a data set as saved.
inline Lines Records(CR455Radio& radio)
{
    CTempFile file("qrb");
    EXPECT_TRUE(radio.SaveToFile(file.GetPath()));
    Lines lines = ReadLines(file.GetPath());
    return Lines(lines.begin() + std::min<size_t>(2, lines.size()), lines.end());
}

inline std::string Hex(unsigned byte)
{
    static const char digits[] = "0123456789ABCDEF";
    return {digits[(byte >> 4) & 15], digits[byte & 15]};
}

// The record line (no checksum) of the 16 bytes of `image` at `address`.
inline std::string RecordLine(const CSimTransceiver::Image& image, unsigned address)
{
    std::string line = Hex(address >> 8) + Hex(address & 0xFF) + Hex(16);
    for (unsigned i = 0; i < 16; ++i)
        line += Hex(image[address + i]);
    return line;
}

// The 31 record lines of a transceiver's memory, as a data set saves them.
inline Lines Records(const CSimTransceiver::Image& image)
{
    Lines records;
    for (unsigned address = 0x10; address < 0x200; address += 16)
        records.push_back(RecordLine(image, address));
    return records;
}

// The command bytes of the frames the simulator received, e.g. "E0 E2 ".
inline std::string FrameCommands(const CSimTransceiver& sim)
{
    std::string commands;
    for (const auto& f : sim.GetReceivedFrames())
        commands += Hex(f.bytes.size() > 2 ? f.bytes[2] : 0) + " ";
    return commands;
}

// A frame from address a1 to a2; from the program to the transceiver (as its echo comes back)
// and from the transceiver.
inline Bytes Frame(uint8_t a1, uint8_t a2, const Bytes& body, const std::string& text = "")
{
    Bytes f = {0xFE, 0xFE, a1, a2};
    for (uint8_t b : body) // not insert(): g++ 12 warns wrongly on a range insert here
        f.push_back(b);
    for (char c : text)
        f.push_back(static_cast<uint8_t>(c));
    f.push_back(0xFD);
    return f;
}
inline Bytes Echo(const Bytes& body, const std::string& text = "")
{
    return Frame(0xEE, 0xEF, body, text);
}
inline Bytes Radio(const Bytes& body, const std::string& text = "")
{
    return Frame(0xEF, 0xEE, body, text);
}
inline Bytes operator+(Bytes a, const Bytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

template <class Link = CCloneLink>
class CCloneFixture : public ::testing::Test {
protected:
    CCloneFixture()
    {
        link.SetModelCode(0x2270);
        link.SetRevision(0x0101);
        link.SetExpectedFrames(31);
        link.SetTransferFile(transfer.GetPath());
        radio.ResetData();
    }

    void StartSim(const CSimFaults& faults = CSimFaults(),
                  CSimTransceiver::ELine line = CSimTransceiver::ELine::InMemory)
    {
        sim.SetFaults(faults);
        ASSERT_TRUE(clock.Drive(sim, line));
        sim.Bind(link);
    }

    unsigned Slept() const
    {
        unsigned ms = 0;
        for (const std::string& e : host.Find("sleep "))
            ms += std::stoul(e.substr(6));
        return ms;
    }

    // Starts the simulator and makes the clone operations, on the transfer file as it is then.
    void Start(const CSimFaults& faults = CSimFaults())
    {
        StartSim(faults);
        operations = std::make_unique<CCloneOperations>(radio, link, host, *transferFile);
        operations->SetDataReplacedHandler([this] { ++replaced; });
        operations->SetBackupHook([this](CR455Radio&, std::string&, std::string&) { return ++backups > 0; });
    }

    CRecordingCloneHost host;
    CFakeCloneClock clock{&host.events};
    CSimTransceiver sim;
    CTempFile transfer{"cl"}; // the link's own, for the runs the tests start themselves
    Link link{host, clock};
    CR455Radio radio;
    std::unique_ptr<CTempFile> transferFile = std::make_unique<CTempFile>("cl"); // the document's
    std::unique_ptr<CCloneOperations> operations;
    int replaced = 0;
    int backups = 0; // copies the backup hook was asked to keep
};

} // namespace clonetest
