#include "clone/clone_link.h"

#include <cstring>

#include "clone/clone_clock.h"
#include "clone/clone_host.h"
#include "platform/file_io.h"
#include "text/text_util.h"
#include "res/resource_ids.h"
#include "res/string_table.h"

namespace {

// !!! Wire constants of the clone frame protocol: the transceiver depends on them. !!!
constexpr uint8_t kPreamble = 0xFE; // restarts a frame on reception
constexpr uint8_t kEndOfFrame = 0xFD;
constexpr uint8_t kAddrProgram = 0xEE; // program to transceiver: 0xEE, 0xEF
constexpr uint8_t kAddrRadio = 0xEF;   // transceiver to program: 0xEF, 0xEE
constexpr uint8_t kCmdInfoRequest = 0xE0;
constexpr uint8_t kCmdInfoAnswer = 0xE1;
constexpr uint8_t kCmdReadRequest = 0xE2;
constexpr uint8_t kCmdWriteRequest = 0xE3;
constexpr uint8_t kCmdData = 0xE4;
constexpr uint8_t kCmdEnd = 0xE5;
constexpr uint8_t kCmdWriteResult = 0xE6;
constexpr uint8_t kMaxCommentByte = 0xEF;
const char kEndText[] = "Vexa Inc.";

constexpr unsigned kBaudRate = 9600;
constexpr unsigned kSettleMs = 200;         // after opening, after a request, after the write echo
constexpr unsigned kProgressLingerMs = 500; // the progress window stays this long after a run
constexpr size_t kMaxLineLength = 255;


// Reads one line without its line end; false at the end of the file with nothing read.
bool ReadLine(FILE* file, std::string& line)
{
    line.clear();
    int c;
    bool any = false;
    while ((c = std::fgetc(file)) != EOF) {
        any = true;
        if (c == '\n')
            return true;
        line.push_back(static_cast<char>(c));
    }
    return any;
}

CByteString HexOf(const std::string& text)
{
    CByteString s;
    s = text.c_str();
    s.FromHex();
    return s;
}

} // namespace

CCloneLink::CCloneLink(CCloneHost& host) : CCloneLink(host, CRealCloneClock::Instance()) {}

CCloneLink::CCloneLink(CCloneHost& host, CCloneClock& clock) : m_host(host), m_clock(&clock)
{
    m_zeroPair << uint8_t(0x00) << uint8_t(0x00);
}

CCloneLink::~CCloneLink()
{
    CloseTransferFile();
    // A line of someone else's is closed by every run; only the own port is closed here.
    m_port.Close();
}

void CCloneLink::SetModelCode(uint16_t code)
{
    m_modelBytes.Clear();
    m_modelBytes << uint8_t(code >> 8) << uint8_t(code & 0xFF);
}

void CCloneLink::SetRevision(uint16_t revision)
{
    m_revisionBytes.Clear();
    m_revisionBytes << uint8_t(revision >> 8) << uint8_t(revision & 0xFF);
}

void CCloneLink::CloseTransferFile()
{
    if (m_transfer) {
        std::fclose(m_transfer);
        m_transfer = nullptr;
    }
}

int CCloneLink::CloneInfo()
{
    m_writing = false;
    return Run(kRunInfo);
}

int CCloneLink::PrepareRead()
{
    CloseTransferFile();
    m_transferFailed = false;
    // Create (or empty) the transfer file; without it nothing is sent to the transceiver.
    m_transfer = m_transferPath.empty() ? nullptr : OpenFile(m_transferPath, "w+");
    if (!m_transfer) {
        m_transferFailed = true;
        return kResultFailed;
    }
    CByteString header;
    header << m_modelBytes << m_revisionBytes;
    header.ToHex();
    std::fwrite(header.GetData(), 1, header.GetLength(), m_transfer);
    std::fputs("\n#\n", m_transfer);
    return kResultOk;
}

int CCloneLink::CloneIn()
{
    m_host.SetStatusText(LoadResString(IDS_CLONE_NOW_READING));
    int prepared = PrepareRead();
    if (prepared != kResultOk)
        return prepared;
    m_writing = false;
    int result = Run(kRunRead);
    if (std::fflush(m_transfer) != 0 || std::ferror(m_transfer)) {
        // The records did not all reach the disk: the data read are not usable.
        if (result == kResultOk) {
            m_transferFailed = true;
            result = kResultFailed;
        }
    }
    CloseTransferFile();
    return result;
}

uint32_t CCloneLink::CountTransferLines()
{
    uint32_t count = 0;
    FILE* file = OpenFile(m_transferPath, "r");
    if (!file)
        return 0;
    std::string line;
    while (ReadLine(file, line)) {
        std::string trimmed = Trim(line);
        if (trimmed.empty())
            break;
        if (trimmed[0] != '#')
            ++count;
    }
    std::fclose(file);
    return count;
}

int CCloneLink::PrepareWrite()
{
    CloseTransferFile();
    m_transferFailed = false;
    m_transfer = m_transferPath.empty() ? nullptr : OpenFile(m_transferPath, "r");
    if (!m_transfer) {
        m_transferFailed = true;
        return kResultFailed;
    }
    m_totalLines = CountTransferLines();
    std::string header;
    if (!ReadLine(m_transfer, header) || header.size() < 8)
        return kResultWrongFrame;
    return kResultOk;
}

int CCloneLink::CloneOut()
{
    m_host.SetStatusText(LoadResString(IDS_CLONE_NOW_WRITING));
    int prepared = PrepareWrite();
    if (prepared != kResultOk)
        return prepared; // the file stays open until the next run closes it
    m_writing = true;
    int result = Run(kRunWrite);
    CloseTransferFile();
    return result;
}

void CCloneLink::BeginRun(uint16_t type)
{
    m_runType = type;
    m_writing = type == kRunWrite;
    m_result = 0;
    m_frameReady = false;
    m_endEchoed = false;
    m_timeoutResult = kResultTimeout;
    m_frameCount = 0;
    m_receive.Clear();
    m_frame.Clear();
}

int CCloneLink::Run(uint16_t type)
{
    BeginRun(type);
    const bool withProgress = type == kRunRead || type == kRunWrite;
    if (withProgress) {
        m_host.CreateProgress(LoadResString(IDS_CLONE_CAPTION));
        m_progressShown = true;
    }

    // Port failures reach the user as clone results only: the port's report is not shown.
    if (!m_line->Open(m_ports.GetChosenDevice(), kBaudRate)) {
        if (m_progressShown) {
            m_host.DestroyProgress();
            m_progressShown = false;
        }
        return kResultPortError;
    }
    m_clock->Sleep(kSettleMs);

    SendRequest(type);
    m_clock->Sleep(kSettleMs);

    BeginRun(type);
    uint64_t last = m_clock->NowMs();
    while (m_result == 0) {
        uint8_t byte;
        size_t count = 0;
        if (m_line->Read(&byte, 1, &count) && count == 1) {
            if (ReceiveByte(byte)) {
                // Only a frame the run acts on is a sign of life: a line that carries nothing
                // but frames for others, or commands nobody answers, must still time out.
                if (DispatchFrame())
                    last = m_clock->NowMs();
                m_frameReady = false;
            }
        } else {
            // Nothing waiting: sleep on the port briefly instead of spinning.
            m_clock->WaitReadable(*m_line, kPollWaitMs);
        }
        if (withProgress && m_result == 0) {
            m_host.SetProgressPos(GetPercentage());
            if (m_host.CheckCancel())
                m_result = kResultCancelled;
        }
        if (m_result == 0 && m_clock->NowMs() - last > kSilenceLimitMs)
            m_result = m_timeoutResult;
    }
    int result = MapResult(m_result);
    m_frameReady = false;
    m_line->Close();
    if (m_progressShown) {
        m_clock->Sleep(kProgressLingerMs);
        m_host.DestroyProgress();
        m_progressShown = false;
    }
    return result;
}

void CCloneLink::SendRequest(uint16_t type)
{
    m_request.Clear();
    m_request << kPreamble << kPreamble << kAddrProgram << kAddrRadio;
    if (type == kRunInfo)
        m_request << kCmdInfoRequest << m_zeroPair << m_zeroPair;
    else
        m_request << (type == kRunRead ? kCmdReadRequest : kCmdWriteRequest) << m_modelBytes
                  << m_revisionBytes;
    m_request << kEndOfFrame;
    SendFrame(m_request);
}

int CCloneLink::MapResult(int result)
{
    if (result == kResultComplete)
        return kResultOk;
    if (result < 0 || result > kResultComplete)
        return kResultFailed;
    return result;
}

int CCloneLink::GetPercentage() const
{
    uint32_t total = m_runType == kRunWrite ? m_totalLines : m_expectedFrames;
    if (m_frameCount == 0 || total == 0)
        return 0;
    uint32_t percent = uint32_t(m_frameCount) * 100 / total;
    percent -= percent % 10;
    return percent > 100 ? 100 : static_cast<int>(percent);
}

void CCloneLink::SendFrame(const CByteString& frame)
{
    m_expectedEcho = frame;
    m_expectedEcho.SubRange(2, frame.GetLength() > 3 ? frame.GetLength() - 3 : 0);
    // A lost frame shows as a time-out, so the outcome is not examined.
    m_line->Write(frame.GetData(), frame.GetLength());
}

bool CCloneLink::ReceiveByte(uint8_t byte)
{
    if (byte == kPreamble) {
        m_receive.Clear();
        return false;
    }
    if (byte == kEndOfFrame) {
        m_frame = m_receive;
        m_frameReady = true;
        return true;
    }
    m_receive.Append(byte);
    return false;
}

bool CCloneLink::CheckEcho()
{
    if (m_receive.Differs(m_expectedEcho)) {
        m_result = kResultWrongFrame;
        return false;
    }
    return true;
}

bool CCloneLink::DispatchFrame()
{
    const uint8_t first = m_frame[0];
    const uint8_t second = m_frame[1];
    const uint8_t command = m_frame[2];
    if (m_frame.GetLength() > 0 && first == kAddrProgram && second == kAddrRadio) {
        switch (command) {
        case kCmdInfoRequest:
            CheckEcho();
            m_timeoutResult = kResultNoAnswer;
            return true;
        case kCmdReadRequest:
            CheckEcho();
            m_frameCount = 0;
            m_timeoutResult = kResultNoAnswer;
            return true;
        case kCmdWriteRequest:
            m_clock->Sleep(kSettleMs);
            m_frameCount = 0;
            SendNextData();
            return true;
        case kCmdData:
            SendNextData();
            return true;
        case kCmdEnd:
            if (CheckEcho()) {
                if (m_writing)
                    m_endEchoed = true;
                else
                    m_result = kResultComplete;
            }
            return true;
        default:
            return false;
        }
    }
    if (m_frame.GetLength() > 0 && (first == kAddrRadio || second == kAddrProgram)) {
        switch (command) {
        case kCmdInfoAnswer:
            TakeInformation();
            return true;
        case kCmdData:
            TakeDataRecord();
            return true;
        case kCmdEnd:
            TakeEnd();
            return true;
        case kCmdWriteResult:
            TakeWriteResult();
            return true;
        default:
            return false;
        }
    }
    return false;
}

bool CCloneLink::ReadTransferLine(std::string& line)
{
    std::string raw;
    while (m_transfer && ReadLine(m_transfer, raw)) {
        line = Trim(raw).substr(0, kMaxLineLength);
        if (!line.empty() && line[0] == '#')
            continue;
        return true;
    }
    line.clear();
    return false;
}

void CCloneLink::SendNextData()
{
    if (!CheckEcho())
        return;
    std::string line;
    ReadTransferLine(line);
    CByteString frame;
    frame << kPreamble << kPreamble << kAddrProgram << kAddrRadio;
    if (!line.empty()) {
        CByteString address = HexOf(line.substr(0, 4));
        CByteString count = HexOf(line.substr(4 < line.size() ? 4 : line.size(), 2));
        CByteString data = HexOf(line.size() > 6 ? line.substr(6) : std::string());
        // A line too short for its fields contributes what the byte strings yield: they answer
        // the last byte for an index past their end.
        unsigned sum = address[0] + address[1] + count[0];
        for (uint16_t i = 0; i < data.GetLength(); ++i)
            sum += data[i];
        CByteString checksum;
        checksum.ToHex((0x100 - (sum & 0xFF)) & 0xFF);
        std::string digits = line.substr(0, 6 + 2 * size_t(data.GetLength()));
        frame << kCmdData << digits.c_str() << checksum << kEndOfFrame;
        ++m_frameCount;
    } else {
        frame << kCmdEnd << kEndText << kEndOfFrame;
        m_frameCount = static_cast<uint16_t>(m_totalLines);
    }
    SendFrame(frame);
    m_timeoutResult = kResultTimeout;
}

void CCloneLink::TakeInformation()
{
    const uint16_t length = m_frame.GetLength();
    bool valid = m_runType == kRunInfo && length >= 7;
    for (uint16_t i = 7; valid && i < length; ++i)
        valid = m_frame[i] <= kMaxCommentByte;
    if (!valid) {
        m_result = kResultWrongFrame;
        return;
    }
    m_info.modelCode = static_cast<uint16_t>(m_frame[3] << 8 | m_frame[4]);
    m_info.revision = static_cast<uint16_t>(m_frame[5] << 8 | m_frame[6]);
    std::memset(m_info.comment, 0, sizeof m_info.comment);
    uint16_t commentLength = static_cast<uint16_t>(length - 7);
    for (uint16_t i = 0; i < commentLength && i < sizeof m_info.comment; ++i)
        m_info.comment[i] = m_frame[static_cast<uint16_t>(7 + i)];
    m_info.commentLength = commentLength;
    m_result = kResultComplete;
}

void CCloneLink::TakeDataRecord()
{
    CByteString d = m_frame;
    d.SubRange(3, d.GetLength() > 3 ? d.GetLength() - 3 : 0);
    d.FromHex();
    const uint16_t n = d.GetLength();
    unsigned sum = 0;
    for (uint16_t i = 0; i < n; ++i)
        sum += d[i];
    bool valid = n > 0 && (sum & 0xFF) == 0 && m_runType == kRunRead && m_transfer;
    // Address (2), count (1), the data and the checksum (1): count must match the data.
    valid = valid && n >= 4 && d[2] == n - 4;
    if (!valid) {
        m_result = kResultWrongFrame;
        return;
    }
    CByteString line;
    for (uint16_t i = 0; i + 1 < n; ++i)
        line << d[i];
    line.ToHex();
    std::fwrite(line.GetData(), 1, line.GetLength(), m_transfer);
    std::fputc('\n', m_transfer);
    ++m_frameCount;
}

void CCloneLink::TakeEnd()
{
    CByteString payload = m_frame;
    payload.SubRange(3, 9);
    CByteString text;
    text = kEndText;
    if (m_runType == kRunRead && m_frame.GetLength() == 12 && !payload.Differs(text)) {
        m_result = kResultComplete;
        m_frameCount = static_cast<uint16_t>(m_expectedFrames);
    } else {
        m_result = kResultWrongFrame;
    }
}

void CCloneLink::TakeWriteResult()
{
    if (m_runType == kRunWrite && m_endEchoed && m_frame.GetLength() > 3)
        m_result = m_frame[3] == 0x00 ? kResultComplete : kResultWrongFrame;
    else
        m_result = kResultWrongFrame;
}

void CCloneLink::SignalResult(bool ok)
{
    if (ok) {
        m_host.Beep(1000, 50);
        m_clock->Sleep(50);
        m_host.Beep(1000, 50);
    } else {
        for (int i = 0; i < 4; ++i) {
            if (i > 0)
                m_clock->Sleep(100);
            m_host.Beep(500, 400);
        }
    }
    m_clock->Sleep(500);
}
