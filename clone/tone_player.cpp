#include "clone/tone_player.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <thread>

#include "clone/tone_player_os.h"
#include "platform/console.h"

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

CTonePlayer::~CTonePlayer() = default;

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
    m_stream = CSoundStream::Open(kSampleRate);
    return m_stream != nullptr;
}

void CTonePlayer::Play(unsigned frequency, unsigned milliseconds)
{
    if (milliseconds == 0)
        return;
    if (!m_disabled && Connect()) {
        if (WriteTone(MakeTone(frequency, milliseconds)))
            return;
        // The service went away: fall back to the bell from now on.
        m_stream.reset();
        m_disabled = true;
    }
    RingBell(milliseconds);
}

// The service takes the samples only as fast as it plays them (its buffer is short), so each
// slice's write returns about when the slice before it has been heard.
bool CTonePlayer::WriteTone(const std::vector<int16_t>& samples)
{
    const size_t slice = size_t(kSampleRate) * kSliceMs / 1000;
    for (size_t done = 0; done < samples.size(); done += slice) {
        if (!m_stream->Write(samples.data() + done, std::min(slice, samples.size() - done)))
            return false;
        EndSlice();
    }
    return m_stream->Drain();
}

void CTonePlayer::EndSlice()
{
    if (m_sliceHook)
        m_sliceHook();
}

void CTonePlayer::RingBell(unsigned milliseconds)
{
    RingTerminalBell();
    for (unsigned left = milliseconds; left > 0;) {
        const unsigned slice = std::min(left, kSliceMs);
        SleepFor(slice);
        left -= slice;
        EndSlice();
    }
}
