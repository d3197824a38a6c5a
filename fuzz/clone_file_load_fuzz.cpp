// Feeds arbitrary bytes to the clone data file reader. Every input must give one of the load
// result words; a failed load must leave the image exactly as it was, and a successful one must
// survive being written and read again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "engine/clone_data_file.h"
#include "engine/clone_image.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CCloneImage image(CCloneImage::kImageSize);
    for (uint32_t a = 0; a < CCloneImage::kImageSize; ++a) {
        image.WriteByte(a, static_cast<uint8_t>(a * 7 + 3));
    }
    CCloneImage before;
    before.CopyFrom(image);

    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    const std::string result = CCloneDataFile::Load(in, image);
    if (result == "OK") {
        CCloneImage again;
        again.CopyFrom(before);
        std::istringstream saved(CCloneDataFile::Format(image, "fuzz"));
        if (CCloneDataFile::Load(saved, again) != "OK") {
            std::abort();
        }
        for (uint32_t a = 0x10; a < CCloneImage::kImageSize; ++a) {
            if (again.ReadByte(a) != image.ReadByte(a)) {
                std::abort();
            }
        }
        return 0;
    }
    if (result != "FORMAT_ERROR" && result != "MISMATCH_MODEL" && result != "MISMATCH_REVISION" &&
        result != "DATA_OVERFLOW" && result != "NOT_ENOUGH_DATA" && result != "CANNOT_OPEN_FILE") {
        std::abort();
    }
    if (!image.Equals(before)) {
        std::abort();
    }
    return 0;
}
