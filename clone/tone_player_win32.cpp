#include "clone/tone_player_os.h"

#include <vector>

// Before every other Windows header, which rely on its definitions.
#include <windows.h>

#include <mmsystem.h>

namespace {

// Blocks of samples the device may hold at once: each write waits until the one written this
// many writes before it has been heard.
constexpr size_t kQueuedBlocks = 4;
// A block longer than this means the device has stopped.
constexpr DWORD kStalledMs = 1000;

// A playback stream of the system's default wave output device.
class CWaveStream : public CSoundStream {
public:
    CWaveStream(HWAVEOUT device, HANDLE done) : m_device(device), m_done(done) {}
    ~CWaveStream() override
    {
        ::waveOutReset(m_device);
        for (CBlock& block : m_blocks)
            Unprepare(block);
        ::waveOutClose(m_device);
        ::CloseHandle(m_done);
    }
    CWaveStream(const CWaveStream&) = delete;
    CWaveStream& operator=(const CWaveStream&) = delete;

    bool Write(const int16_t* samples, size_t count) override
    {
        CBlock& block = m_blocks[m_next];
        m_next = (m_next + 1) % kQueuedBlocks;
        if (!WaitHeard(block))
            return false;
        Unprepare(block);
        block.samples.assign(samples, samples + count);
        block.header = WAVEHDR{};
        block.header.lpData = reinterpret_cast<LPSTR>(block.samples.data());
        block.header.dwBufferLength = static_cast<DWORD>(count * sizeof(int16_t));
        if (::waveOutPrepareHeader(m_device, &block.header, sizeof block.header) !=
            MMSYSERR_NOERROR)
            return false;
        block.prepared = true;
        return ::waveOutWrite(m_device, &block.header, sizeof block.header) == MMSYSERR_NOERROR;
    }

    bool Drain() override
    {
        for (CBlock& block : m_blocks)
            if (!WaitHeard(block))
                return false;
        return true;
    }

private:
    struct CBlock {
        WAVEHDR header = {};
        std::vector<int16_t> samples;
        bool prepared = false;
    };

    // The device signals the event each time it is done with a block.
    bool WaitHeard(const CBlock& block)
    {
        while (block.prepared && !(block.header.dwFlags & WHDR_DONE))
            if (::WaitForSingleObject(m_done, kStalledMs) != WAIT_OBJECT_0)
                return false;
        return true;
    }

    void Unprepare(CBlock& block)
    {
        if (block.prepared)
            ::waveOutUnprepareHeader(m_device, &block.header, sizeof block.header);
        block.prepared = false;
    }

    HWAVEOUT m_device;
    HANDLE m_done;
    CBlock m_blocks[kQueuedBlocks];
    size_t m_next = 0;
};

} // namespace

std::unique_ptr<CSoundStream> CSoundStream::Open(unsigned sampleRate)
{
    WAVEFORMATEX format = {};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 1;
    format.nSamplesPerSec = sampleRate;
    format.wBitsPerSample = 16;
    format.nBlockAlign = sizeof(int16_t);
    format.nAvgBytesPerSec = sampleRate * format.nBlockAlign;
    const HANDLE done = ::CreateEventW(nullptr, FALSE, FALSE, nullptr);
    HWAVEOUT device = nullptr;
    if (!done || ::waveOutOpen(&device, WAVE_MAPPER, &format, reinterpret_cast<DWORD_PTR>(done), 0,
                               CALLBACK_EVENT) != MMSYSERR_NOERROR) {
        if (done)
            ::CloseHandle(done);
        return nullptr;
    }
    return std::make_unique<CWaveStream>(device, done);
}
