#include "sim/sim_transceiver.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "clone/clone_clock.h"
#include "clone/clone_link.h"
#include "clone/memory_line.h"
#include "engine/clone_image.h"
#include "engine/radio_engine.h"
#include "sim/sim_line.h"

namespace {

// !!! The transceiver's side of the clone frame protocol. !!!
constexpr uint8_t kPreamble = 0xFE;
constexpr uint8_t kEndOfFrame = 0xFD;
constexpr uint8_t kAddrProgram = 0xEE;
constexpr uint8_t kAddrRadio = 0xEF;
constexpr uint8_t kCmdInfoRequest = 0xE0;
constexpr uint8_t kCmdInfoAnswer = 0xE1;
constexpr uint8_t kCmdReadRequest = 0xE2;
constexpr uint8_t kCmdWriteRequest = 0xE3;
constexpr uint8_t kCmdData = 0xE4;
constexpr uint8_t kCmdEnd = 0xE5;
constexpr uint8_t kCmdWriteResult = 0xE6;
const char kEndText[] = "Vexa Inc.";
const char kBadEndText[] = "Vexa Inc,";

constexpr uint16_t kModelCode = 0x2270;
constexpr uint16_t kRevision = 0x0101;
constexpr uint16_t kWrongModelCode = 0x2271;
constexpr uint16_t kWrongRevision = 0x0102;

// The transceiver sends its memory from 0x0010 to 0x01FF in records of 16 bytes.
constexpr uint32_t kFirstAddress = 0x0010;
constexpr int kRecordBytes = 16;
constexpr int kRecordCount = 31;
constexpr uint32_t kCommentAddress = 0x0010;
constexpr int kCommentLength = 16;

constexpr size_t kMaxFrame = 255;
// 9600 baud with 8N1 is 960 bytes per second.
constexpr uint64_t kNsPerMs = 1000000;
constexpr uint64_t kByteNs = 1000 * kNsPerMs / 960;
// The flood of the garbage fault is topped up whenever less than this is waiting to go out.
constexpr size_t kFloodChunk = 512;
// Longest wait of the serving thread between two looks at the line.
constexpr unsigned kIdleWaitMs = 50;

const char kHexDigits[] = "0123456789ABCDEF";

std::vector<uint8_t> ToHexText(const std::vector<uint8_t>& bytes)
{
    std::vector<uint8_t> text;
    for (uint8_t b : bytes) {
        text.push_back(static_cast<uint8_t>(kHexDigits[b >> 4]));
        text.push_back(static_cast<uint8_t>(kHexDigits[b & 15]));
    }
    return text;
}

int HexValue(uint8_t c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Strict decoding: the transceiver accepts uppercase digit pairs only.
bool FromHexText(const uint8_t* text, size_t length, std::vector<uint8_t>& bytes)
{
    if (length % 2 != 0)
        return false;
    bytes.clear();
    for (size_t i = 0; i < length; i += 2) {
        int high = HexValue(text[i]);
        int low = HexValue(text[i + 1]);
        if (high < 0 || low < 0)
            return false;
        bytes.push_back(static_cast<uint8_t>(high << 4 | low));
    }
    return true;
}

bool ParseCount(const std::string& text, int& value)
{
    if (text.empty() || text.size() > 6)
        return false;
    char* end = nullptr;
    long v = std::strtol(text.c_str(), &end, 10);
    if (*end != '\0' || v < 1)
        return false;
    value = static_cast<int>(v);
    return true;
}

// The transceiver's end of a line in memory.
class CMemorySimLine : public CSimLine {
public:
    explicit CMemorySimLine(CMemoryLinePair& pair) : m_pair(pair) {}

    void Take(const std::function<void(uint8_t)>& onByte,
              const std::function<void()>& onPurge) override
    {
        std::vector<uint8_t> bytes;
        if (m_pair.Receive(bytes))
            onPurge();
        for (uint8_t b : bytes)
            onByte(b);
    }
    long Send(const uint8_t* bytes, size_t count) override
    {
        return static_cast<long>(m_pair.Send(bytes, count));
    }
    void Wait(unsigned milliseconds, bool forRoom) override
    {
        m_pair.WaitForProgram(milliseconds, forRoom);
    }
    void Wake() override { m_pair.Wake(); }

private:
    CMemoryLinePair& m_pair;
};

} // namespace

std::unique_ptr<CSimLine> MakeMemorySimLine(CMemoryLinePair& pair)
{
    return std::make_unique<CMemorySimLine>(pair);
}

bool CSimFaults::Set(const std::string& name)
{
    size_t eq = name.find('=');
    std::string key = name.substr(0, eq);
    std::string arg = eq == std::string::npos ? std::string() : name.substr(eq + 1);
    if (eq == std::string::npos) {
        if (key == "silence")
            return silence = true;
        if (key == "no-cable")
            return noCable = true;
        if (key == "wrong-model")
            return wrongModel = true;
        if (key == "wrong-revision")
            return wrongRevision = true;
        if (key == "bad-comment")
            return badComment = true;
        if (key == "bad-end")
            return badEndText = true;
        if (key == "refuse-write")
            return refuseWrite = true;
        if (key == "realtime")
            return realtime = true;
        if (key == "garbage")
            return garbage = true;
        return false;
    }
    if (key == "bad-checksum")
        return ParseCount(arg, badChecksumAt);
    if (key == "stall")
        return ParseCount(arg, stallAfter);
    if (key == "too-few")
        return ParseCount(arg, recordLimit);
    return false;
}

CSimTransceiver::CSimTransceiver()
{
    std::memcpy(m_image.data(), CCloneImage::GetDefaultImage(), kImageSize);
}

CSimTransceiver::~CSimTransceiver()
{
    Stop();
}

bool CSimTransceiver::LoadImage(const std::string& path)
{
    CRadioEngine engine;
    if (engine.Execute("FILE.LOAD.\"" + path + "\"") != "OK")
        return false;
    Image image;
    if (!engine.GetImage().ReadBlock(0, image.data(), kImageSize))
        return false;
    SetImage(image);
    return true;
}

void CSimTransceiver::SetImage(const Image& image)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_image = image;
}

CSimTransceiver::Image CSimTransceiver::GetImage() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_image;
}

int CSimTransceiver::GetWriteCount() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_writeCount;
}

std::vector<CSimTransceiver::CReceivedFrame> CSimTransceiver::GetReceivedFrames() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_frames;
}

void CSimTransceiver::ClearReceivedFrames()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_frames.clear();
}

uint64_t CSimTransceiver::GetLineBytes() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_lineBytes;
}

bool CSimTransceiver::OpenLine(ELine line)
{
    if (m_line)
        return true;
    if (line == ELine::InMemory) {
        if (!m_memoryLine)
            m_memoryLine = std::make_unique<CMemoryLinePair>();
        m_line = MakeMemorySimLine(*m_memoryLine);
    } else {
        m_line = OpenPseudoTerminal();
    }
    if (m_line)
        m_devicePath = m_line->GetDevicePath();
    return m_line != nullptr;
}

CByteLine* CSimTransceiver::GetProgramLine() const
{
    return m_line && m_memoryLine ? &m_memoryLine->ProgramEnd() : nullptr;
}

void CSimTransceiver::Bind(CCloneLink& link) const
{
    link.SetLine(GetProgramLine());
    link.Ports().SetAllDevices(m_devicePath);
}

bool CSimTransceiver::Start(ELine line)
{
    if (m_running || m_stepped)
        return m_running;
    if (!OpenLine(line))
        return false;
    m_running = true;
    m_thread = std::thread(&CSimTransceiver::ServeThread, this);
    return true;
}

bool CSimTransceiver::StartStepped(ELine line)
{
    if (m_running)
        return false;
    m_stepped = true;
    return OpenLine(line);
}

void CSimTransceiver::Stop()
{
    if (m_thread.joinable()) {
        m_running = false;
        m_line->Wake();
        m_thread.join();
    }
    m_running = false;
    m_line.reset();
}

void CSimTransceiver::ServeThread()
{
    CCloneClock& clock = CRealCloneClock::Instance();
    while (m_running) {
        const uint64_t now = clock.NowMs();
        const uint64_t due = Serve(now);
        const bool lineFull = due <= now;
        unsigned timeout = kIdleWaitMs;
        if (!lineFull && due != kNever)
            timeout = static_cast<unsigned>(std::min<uint64_t>(due - now, kIdleWaitMs));
        m_line->Wait(timeout, lineFull);
    }
}

void CSimTransceiver::TakeInput()
{
    m_line->Take([this](uint8_t byte) { OnByte(byte); }, [this] { OnPurge(); });
}

long CSimTransceiver::WriteLine(const uint8_t* bytes, size_t count)
{
    return m_line->Send(bytes, count);
}

uint64_t CSimTransceiver::Serve(uint64_t nowMs)
{
    if (!m_line)
        return kNever;
    m_nowNs = nowMs * kNsPerMs;
    TakeInput();
    if (m_flooding && m_output.size() < kFloodChunk)
        QueueGarbage();
    FlushOutput();
    return NextDueMs(nowMs);
}

uint64_t CSimTransceiver::NextDueMs(uint64_t nowMs) const
{
    if (m_output.empty())
        return kNever;
    // What is due and still waiting could not go: the program's input queue is full.
    if (!IsPaced() || m_nextByteNs <= m_nowNs)
        return nowMs;
    return (m_nextByteNs + kNsPerMs - 1) / kNsPerMs;
}

void CSimTransceiver::OnPurge()
{
    m_output.clear();
    m_receive.clear();
    m_inFrame = false;
    m_writing = false;
    m_flooding = false;
}

void CSimTransceiver::OnByte(uint8_t byte)
{
    if (!m_faults.noCable)
        Queue({byte});
    if (byte == kPreamble) {
        m_receive.clear();
        m_inFrame = true;
    } else if (byte == kEndOfFrame) {
        if (m_inFrame)
            OnFrame(m_receive);
        m_inFrame = false;
        m_receive.clear();
    } else if (m_inFrame && m_receive.size() < kMaxFrame) {
        m_receive.push_back(byte);
    }
}

void CSimTransceiver::OnFrame(const std::vector<uint8_t>& frame)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_frames.push_back({frame, m_nowNs / kNsPerMs});
    }
    if (m_faults.noCable || m_faults.silence || m_stalled)
        return;
    if (frame.size() < 3 || frame[0] != kAddrProgram || frame[1] != kAddrRadio)
        return;
    // A broken transceiver that babbles: complete frames, but none the program acts on (frames
    // for another station, commands nobody answers), with noise between them.
    if (m_faults.garbage && (frame[2] == kCmdInfoRequest || frame[2] == kCmdReadRequest ||
                             frame[2] == kCmdWriteRequest)) {
        m_flooding = true;
        return;
    }
    const std::vector<uint8_t> identity = {kModelCode >> 8, kModelCode & 0xFF, kRevision >> 8,
                                           kRevision & 0xFF};
    const bool identityOk = std::vector<uint8_t>(frame.begin() + 3, frame.end()) == identity;
    switch (frame[2]) {
    case kCmdInfoRequest:
        m_writing = false;
        SendInformation();
        break;
    case kCmdReadRequest:
        m_writing = false;
        // A request for another model or revision goes unanswered.
        if (identityOk)
            SendImage();
        break;
    case kCmdWriteRequest:
        m_writing = identityOk;
        m_writeFailed = false;
        m_recordsReceived = 0;
        m_incoming = GetImage();
        break;
    case kCmdData:
        if (m_writing)
            HandleData(frame);
        break;
    case kCmdEnd:
        if (m_writing)
            HandleEnd(frame);
        break;
    default:
        break;
    }
}

void CSimTransceiver::HandleData(const std::vector<uint8_t>& frame)
{
    std::vector<uint8_t> d;
    unsigned sum = 0;
    bool ok = FromHexText(frame.data() + 3, frame.size() - 3, d) && d.size() >= 4;
    for (uint8_t b : d)
        sum += b;
    if (ok)
        ok = (sum & 0xFF) == 0 && d[2] == d.size() - 4;
    if (ok) {
        uint32_t address = uint32_t(d[0]) << 8 | d[1];
        uint32_t count = d[2];
        ok = address + count <= kImageSize;
        if (ok)
            std::copy(d.begin() + 3, d.end() - 1, m_incoming.begin() + address);
    }
    if (!ok)
        m_writeFailed = true;
    ++m_recordsReceived;
    if (m_faults.stallAfter > 0 && m_recordsReceived >= m_faults.stallAfter)
        m_stalled = true;
}

void CSimTransceiver::HandleEnd(const std::vector<uint8_t>& frame)
{
    m_writing = false;
    const bool textOk = frame.size() == 3 + std::strlen(kEndText) &&
                        std::equal(frame.begin() + 3, frame.end(), kEndText);
    const bool accepted = textOk && !m_writeFailed && !m_faults.refuseWrite;
    if (accepted) {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_image = m_incoming;
        ++m_writeCount;
    }
    QueueFrame(kCmdWriteResult, {static_cast<uint8_t>(accepted ? 0x00 : 0x01)});
}

void CSimTransceiver::SendInformation()
{
    uint16_t model = m_faults.wrongModel ? kWrongModelCode : kModelCode;
    uint16_t revision = m_faults.wrongRevision ? kWrongRevision : kRevision;
    std::vector<uint8_t> payload = {uint8_t(model >> 8), uint8_t(model & 0xFF),
                                    uint8_t(revision >> 8), uint8_t(revision & 0xFF)};
    Image image = GetImage();
    for (int i = 0; i < kCommentLength; ++i) {
        // The frame cannot carry 0xFD and 0xFE; a real comment never holds them.
        uint8_t c = image[kCommentAddress + i];
        payload.push_back(c > 0xEF ? ' ' : c);
    }
    if (m_faults.badComment)
        payload[4] = 0xF0;
    QueueFrame(kCmdInfoAnswer, payload);
}

void CSimTransceiver::SendImage()
{
    Image image = GetImage();
    int records = kRecordCount;
    if (m_faults.recordLimit > 0 && m_faults.recordLimit < records)
        records = m_faults.recordLimit;
    for (int i = 1; i <= records; ++i) {
        uint32_t address = kFirstAddress + uint32_t(i - 1) * kRecordBytes;
        std::vector<uint8_t> record = {uint8_t(address >> 8), uint8_t(address & 0xFF),
                                       uint8_t(kRecordBytes)};
        record.insert(record.end(), image.begin() + address,
                      image.begin() + address + kRecordBytes);
        unsigned sum = 0;
        for (uint8_t b : record)
            sum += b;
        uint8_t checksum = static_cast<uint8_t>(0x100 - (sum & 0xFF));
        if (m_faults.badChecksumAt == i)
            checksum ^= 0x01;
        record.push_back(checksum);
        QueueFrame(kCmdData, ToHexText(record));
        if (m_faults.stallAfter > 0 && i >= m_faults.stallAfter) {
            m_stalled = true;
            return;
        }
    }
    const char* text = m_faults.badEndText ? kBadEndText : kEndText;
    QueueFrame(kCmdEnd, std::vector<uint8_t>(text, text + std::strlen(text)));
}

void CSimTransceiver::QueueGarbage()
{
    // A small fixed generator, so that a failing run can be repeated byte for byte.
    auto next = [this](uint32_t limit) {
        m_garbageState = m_garbageState * 1664525u + 1013904223u;
        return static_cast<uint8_t>((m_garbageState >> 16) % limit);
    };
    std::vector<uint8_t> junk;
    while (junk.size() < kFloodChunk) {
        for (int noise = next(4); noise > 0; --noise)
            junk.push_back(next(kEndOfFrame)); // below 0xFD: noise never ends or starts a frame
        junk.push_back(kPreamble);
        junk.push_back(kPreamble);
        switch (next(4)) {
        case 0: // its own frame, but a command the transceiver never sends
            junk.insert(junk.end(), {kAddrRadio, kAddrProgram, kCmdInfoRequest});
            break;
        case 1: // the echo of a frame the program never sent
            junk.insert(junk.end(), {kAddrProgram, kAddrRadio, kCmdWriteResult});
            break;
        default:                                // a frame for another station
            junk.push_back(next(kAddrProgram)); // 0x00 to 0xED
            junk.push_back(next(kAddrProgram));
            for (int n = 1 + next(40); n > 0; --n)
                junk.push_back(next(kEndOfFrame));
        }
        junk.push_back(kEndOfFrame);
    }
    Queue(junk);
}

void CSimTransceiver::QueueFrame(uint8_t command, const std::vector<uint8_t>& payload)
{
    std::vector<uint8_t> frame = {kPreamble, kPreamble, kAddrRadio, kAddrProgram, command};
    frame.insert(frame.end(), payload.begin(), payload.end());
    frame.push_back(kEndOfFrame);
    Queue(frame);
}

void CSimTransceiver::Queue(const std::vector<uint8_t>& bytes)
{
    if (m_output.empty() && m_nextByteNs < m_nowNs)
        m_nextByteNs = m_nowNs;
    m_output.insert(m_output.end(), bytes.begin(), bytes.end());
}

void CSimTransceiver::FlushOutput()
{
    while (!m_output.empty()) {
        size_t due = m_output.size();
        if (IsPaced()) {
            if (m_nextByteNs > m_nowNs)
                return;
            due = std::min<size_t>(due, 1 + (m_nowNs - m_nextByteNs) / kByteNs);
        }
        uint8_t chunk[256];
        due = std::min(due, sizeof chunk);
        std::copy(m_output.begin(), m_output.begin() + static_cast<long>(due), chunk);
        const long n = WriteLine(chunk, due);
        if (n <= 0)
            return; // the program's input queue is full or the line is down; try again later
        m_output.erase(m_output.begin(), m_output.begin() + n);
        m_nextByteNs += kByteNs * static_cast<uint64_t>(n);
        std::lock_guard<std::mutex> lock(m_mutex);
        m_lineBytes += static_cast<uint64_t>(n);
    }
}
