// Opens arbitrary bytes as a document, the way File Open does: through the archive, the radio
// data object's temporary file, the engine's loader and the heal. Every input must either open
// or be refused with the archive error; a refused document must leave the data exactly as they
// were, and an opened one must save and open again to the very same file (the heal is stable).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "radio/archive.h"
#include "radio/r455_radio.h"

namespace {

std::string Store(CR455Radio& radio)
{
    std::ostringstream out;
    CArchive ar(out);
    radio.Serialize(ar);
    return out.str();
}

// Opens `text`; false when the archive error was raised.
bool Open(CR455Radio& radio, const std::string& text)
{
    std::istringstream in(text);
    CArchive ar(in);
    try {
        radio.Serialize(ar);
    } catch (const CArchiveException&) {
        return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Two radios for the whole run, their temporary files reused as the program reuses its
    // own; as statics they are destroyed at exit, which removes those files.
    static CR455Radio radio;
    static CR455Radio again;
    radio.ResetData();
    const std::string before = Store(radio);

    if (!Open(radio, std::string(reinterpret_cast<const char*>(data), size))) {
        if (Store(radio) != before)
            std::abort(); // a refused document changed the data
        return 0;
    }
    const std::string saved = Store(radio);
    again.ResetData();
    if (!Open(again, saved) || Store(again) != saved)
        std::abort(); // what was saved does not open to the same data
    return 0;
}
