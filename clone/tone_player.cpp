#include "clone/tone_player.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <thread>

#include <fcntl.h>
#include <unistd.h>

#include <pulse/error.h>
#include <pulse/simple.h>

namespace {

constexpr double kAmplitude = 0.3 * 32767.0;
constexpr unsigned kFadeMs = 5;
constexpr double kPi = 3.14159265358979323846;

void SleepFor(unsigned milliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

} // namespace

CTonePlayer::CTonePlayer() = default;

CTonePlayer::~CTonePlayer()
{
    if (m_stream)
        pa_simple_free(static_cast<pa_simple*>(m_stream));
}

std::vector<int16_t> CTonePlayer::MakeTone(unsigned frequency, unsigned milliseconds,
                                           unsigned sampleRate)
{
    const size_t count = size_t(sampleRate) * milliseconds / 1000;
    const size_t fade = std::min(count / 2, size_t(sampleRate) * kFadeMs / 1000);
    std::vector<int16_t> samples(count);
    const double step = 2.0 * kPi * frequency / sampleRate;
    for (size_t i = 0; i < count; ++i) {
        double gain = 1.0;
        if (fade > 0 && i < fade)
            gain = double(i) / fade;
        else if (fade > 0 && i >= count - fade)
            gain = double(count - 1 - i) / fade;
        samples[i] = static_cast<int16_t>(std::lround(kAmplitude * gain * std::sin(step * i)));
    }
    return samples;
}

bool CTonePlayer::Connect()
{
    if (m_triedConnect || m_disabled)
        return m_stream != nullptr;
    m_triedConnect = true;
    pa_sample_spec sampleFormat;
    sampleFormat.format = PA_SAMPLE_S16NE;
    sampleFormat.rate = kSampleRate;
    sampleFormat.channels = 1;
    // Small buffers keep the tone's end close to the time Play returns.
    pa_buffer_attr attr;
    attr.maxlength = static_cast<uint32_t>(-1);
    attr.tlength = kSampleRate * 2 / 20; // 50 ms
    attr.prebuf = static_cast<uint32_t>(-1);
    attr.minreq = static_cast<uint32_t>(-1);
    attr.fragsize = static_cast<uint32_t>(-1);
    int error = 0;
    m_stream = pa_simple_new(nullptr, "PW-R455NORD", PA_STREAM_PLAYBACK, nullptr, "Clone signal",
                             &sampleFormat, nullptr, &attr, &error);
    return m_stream != nullptr;
}

void CTonePlayer::Play(unsigned frequency, unsigned milliseconds)
{
    if (milliseconds == 0)
        return;
    if (!m_disabled && Connect()) {
        auto* stream = static_cast<pa_simple*>(m_stream);
        if (WriteTone(stream, MakeTone(frequency, milliseconds)))
            return;
        // The service went away: fall back to the bell from now on.
        pa_simple_free(stream);
        m_stream = nullptr;
        m_disabled = true;
    }
    RingBell(milliseconds);
}

// The service takes the samples only as fast as it plays them (its buffer is short), so each
// slice's write returns about when the slice before it has been heard.
bool CTonePlayer::WriteTone(void* stream, const std::vector<int16_t>& samples)
{
    auto* service = static_cast<pa_simple*>(stream);
    const size_t slice = size_t(kSampleRate) * kSliceMs / 1000;
    int error = 0;
    for (size_t done = 0; done < samples.size(); done += slice) {
        const size_t count = std::min(slice, samples.size() - done);
        if (pa_simple_write(service, samples.data() + done, count * sizeof(int16_t), &error) != 0)
            return false;
        EndSlice();
    }
    return pa_simple_drain(service, &error) == 0;
}

void CTonePlayer::EndSlice()
{
    if (m_sliceHook)
        m_sliceHook();
}

void CTonePlayer::RingBell(unsigned milliseconds)
{
    // The terminal bell when a terminal is there, otherwise the controlling terminal's.
    static const char bell = '\a';
    if (::isatty(STDERR_FILENO)) {
        (void)!::write(STDERR_FILENO, &bell, 1);
    } else {
        int fd = ::open("/dev/tty", O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (fd >= 0) {
            (void)!::write(fd, &bell, 1);
            ::close(fd);
        }
    }
    for (unsigned left = milliseconds; left > 0;) {
        const unsigned slice = std::min(left, kSliceMs);
        SleepFor(slice);
        left -= slice;
        EndSlice();
    }
}
