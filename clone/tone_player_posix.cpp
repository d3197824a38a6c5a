#include "clone/tone_player_os.h"

#include <dlfcn.h>

#include <pulse/error.h>
#include <pulse/simple.h>

namespace {

// The desktop's PulseAudio client library, loaded at the first tone rather than at every start:
// it and the codec libraries it needs are a tenth of what the programs load, for a sound that
// most runs never play. Without it there is no sound device, as without the service.
class CPulseLibrary {
public:
    static const CPulseLibrary* Get()
    {
        static const CPulseLibrary library;
        return library.m_handle ? &library : nullptr;
    }

    decltype(&pa_simple_new) New = nullptr;
    decltype(&pa_simple_write) Write = nullptr;
    decltype(&pa_simple_drain) Drain = nullptr;
    decltype(&pa_simple_free) Free = nullptr;

private:
    CPulseLibrary()
    {
        // Never unloaded: the library keeps threads and handlers of its own.
        void* handle = ::dlopen("libpulse-simple.so.0", RTLD_NOW | RTLD_LOCAL);
        if (!handle)
            return;
        New = reinterpret_cast<decltype(New)>(::dlsym(handle, "pa_simple_new"));
        Write = reinterpret_cast<decltype(Write)>(::dlsym(handle, "pa_simple_write"));
        Drain = reinterpret_cast<decltype(Drain)>(::dlsym(handle, "pa_simple_drain"));
        Free = reinterpret_cast<decltype(Free)>(::dlsym(handle, "pa_simple_free"));
        if (New && Write && Drain && Free)
            m_handle = handle;
    }

    void* m_handle = nullptr;
};

// A playback stream of the desktop's PulseAudio service.
class CPulseStream : public CSoundStream {
public:
    CPulseStream(const CPulseLibrary& pulse, pa_simple* stream) : m_pulse(pulse), m_stream(stream)
    {
    }
    ~CPulseStream() override { m_pulse.Free(m_stream); }
    CPulseStream(const CPulseStream&) = delete;
    CPulseStream& operator=(const CPulseStream&) = delete;

    bool Write(const int16_t* samples, size_t count) override
    {
        int error = 0;
        return m_pulse.Write(m_stream, samples, count * sizeof(int16_t), &error) == 0;
    }
    bool Drain() override
    {
        int error = 0;
        return m_pulse.Drain(m_stream, &error) == 0;
    }

private:
    const CPulseLibrary& m_pulse;
    pa_simple* m_stream;
};

} // namespace

std::unique_ptr<CSoundStream> CSoundStream::Open(unsigned sampleRate)
{
    const CPulseLibrary* pulse = CPulseLibrary::Get();
    if (!pulse)
        return nullptr;
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
    pa_simple* stream = pulse->New(nullptr, "PW-R455NORD", PA_STREAM_PLAYBACK, nullptr,
                                   "Clone signal", &sampleFormat, nullptr, &attr, &error);
    return stream ? std::make_unique<CPulseStream>(*pulse, stream) : nullptr;
}
