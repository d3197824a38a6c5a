// Runs arbitrary command text through the engine: one command per line. Every command must be
// answered without a crash, first as a query, which must leave the image alone, and the heal must
// be stable: right after EDIT_FLAG=OFF the flag answers OFF whatever the commands did.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "engine/clone_image.h"
#include "engine/command_string.h"
#include "engine/radio_engine.h"

namespace {

// File commands would write and read arbitrary paths of the machine running the fuzzer.
bool IsFileCommand(const std::string& command)
{
    const CCommandString text(command);
    const CCommandString key(text.Field('=', 0));
    return EqualsNoCase(key.Field('.', 0), "FILE");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CRadioEngine engine;
    const std::string input(reinterpret_cast<const char*>(data), size);
    size_t start = 0;
    while (start <= input.size()) {
        size_t end = input.find('\n', start);
        if (end == std::string::npos) {
            end = input.size();
        }
        const std::string command = input.substr(start, end - start);
        if (!IsFileCommand(command)) {
            CCloneImage before;
            before.CopyFrom(engine.GetImage());
            engine.Query(command);
            if (engine.GetImage().Differs(before)) {
                std::abort();
            }
            engine.Execute(command);
        }
        start = end + 1;
    }
    const std::string flag = engine.Execute("EDIT_FLAG");
    if (flag != "ON" && flag != "OFF") {
        std::abort();
    }
    if (engine.Execute("EDIT_FLAG=OFF") != "OFF" || engine.Execute("EDIT_FLAG") != "OFF") {
        std::abort();
    }
    return 0;
}
