#pragma once

// Plays the clone link's signal tones: a generated sine wave through the desktop's sound
// service, or the terminal bell when there is none. A missing sound device never fails and never
// makes a tone last longer than asked.

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class CSoundStream;

class CTonePlayer {
public:
    static constexpr unsigned kSampleRate = 44100;

    CTonePlayer();
    ~CTonePlayer();

    CTonePlayer(const CTonePlayer&) = delete;
    CTonePlayer& operator=(const CTonePlayer&) = delete;

    // A tone is played in slices of this length, with the slice hook run after each.
    static constexpr unsigned kSliceMs = 10;

    // Plays `frequency` hertz for `milliseconds` and returns when the tone has finished.
    void Play(unsigned frequency, unsigned milliseconds);

    // Runs `hook` after every slice of a tone: a caller on a window thread keeps its windows
    // painted while the tone lasts, without making it any longer.
    void SetSliceHook(std::function<void()> hook) { m_sliceHook = std::move(hook); }

    // True when tones go to the sound service (known after the first Play).
    bool HasSoundService() const { return m_stream != nullptr; }

    // Turns the sound service off (tests, or a user who wants silence): tones become the bell.
    void DisableSoundService() { m_disabled = true; }

    // Mono 16-bit samples of a sine tone with short fades at both ends, so that it does not click.
    static std::vector<int16_t> MakeTone(unsigned frequency, unsigned milliseconds,
                                         unsigned sampleRate = kSampleRate);

private:
    bool Connect();
    bool WriteTone(const std::vector<int16_t>& samples);
    void RingBell(unsigned milliseconds);
    void EndSlice();

    std::unique_ptr<CSoundStream> m_stream; // the sound service's stream, when connected
    bool m_triedConnect = false;
    bool m_disabled = false;
    std::function<void()> m_sliceHook;
};
