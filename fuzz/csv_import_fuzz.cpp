// Feeds arbitrary bytes to the channel CSV import. Besides crashes and sanitizer reports it
// checks the import's promises: a refused file changes nothing and names a line; an accepted
// one exports to text that imports to the same channels again.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "exchange/channel_csv.h"
#include "radio/r455_radio.h"

namespace {

CR455Radio& Radio(int which)
{
    static CR455Radio radios[2];
    return radios[which];
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    CR455Radio& radio = Radio(0);
    radio.Command("INITIALIZE");
    const std::string before = ExportChannelsCsv(radio);

    std::string error;
    if (!ImportChannelsCsv(radio, text, &error)) {
        if (error.rfind("Line ", 0) != 0 || ExportChannelsCsv(radio) != before)
            std::abort();
        return 0;
    }

    const std::string exported = ExportChannelsCsv(radio);
    CR455Radio& again = Radio(1);
    again.Command("INITIALIZE");
    if (!ImportChannelsCsv(again, exported, &error) || ExportChannelsCsv(again) != exported)
        std::abort();
    return 0;
}
