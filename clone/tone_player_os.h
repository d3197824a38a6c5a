#pragma once

// The system's sound service as the tone player uses it: mono 16-bit samples at a fixed rate.

#include <cstddef>
#include <cstdint>
#include <memory>

class CSoundStream {
public:
    virtual ~CSoundStream() = default;

    // Plays `count` samples. The service takes them only about as fast as it plays them, so a
    // write returns about when the samples before it have been heard. False when the service
    // has gone.
    virtual bool Write(const int16_t* samples, size_t count) = 0;
    // Returns when everything written has been heard.
    virtual bool Drain() = 0;

    // A stream to the system's sound service at `sampleRate`, or nullptr when none answers.
    static std::unique_ptr<CSoundStream> Open(unsigned sampleRate);
};
