#include "clone/tone_player_os.h"

#include <pulse/error.h>
#include <pulse/simple.h>

namespace {

// A playback stream of the desktop's PulseAudio service.
class CPulseStream : public CSoundStream {
public:
    explicit CPulseStream(pa_simple* stream) : m_stream(stream) {}
    ~CPulseStream() override { pa_simple_free(m_stream); }
    CPulseStream(const CPulseStream&) = delete;
    CPulseStream& operator=(const CPulseStream&) = delete;

    bool Write(const int16_t* samples, size_t count) override
    {
        int error = 0;
        return pa_simple_write(m_stream, samples, count * sizeof(int16_t), &error) == 0;
    }
    bool Drain() override
    {
        int error = 0;
        return pa_simple_drain(m_stream, &error) == 0;
    }

private:
    pa_simple* m_stream;
};

} // namespace

std::unique_ptr<CSoundStream> CSoundStream::Open(unsigned sampleRate)
{
    pa_sample_spec sampleFormat;
    sampleFormat.format = PA_SAMPLE_S16NE;
    sampleFormat.rate = sampleRate;
    sampleFormat.channels = 1;
    // Small buffers keep the tone's end close to the time Play returns.
    pa_buffer_attr attr;
    attr.maxlength = static_cast<uint32_t>(-1);
    attr.tlength = sampleRate * 2 / 20; // 50 ms
    attr.prebuf = static_cast<uint32_t>(-1);
    attr.minreq = static_cast<uint32_t>(-1);
    attr.fragsize = static_cast<uint32_t>(-1);
    int error = 0;
    pa_simple* stream = pa_simple_new(nullptr, "PW-R455NORD", PA_STREAM_PLAYBACK, nullptr,
                                      "Clone signal", &sampleFormat, nullptr, &attr, &error);
    return stream ? std::make_unique<CPulseStream>(stream) : nullptr;
}
