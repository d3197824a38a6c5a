#pragma once

#include <cstddef>
#include <iosfwd>
#include <string>

class CCloneImage;

// The clone data file (".qrb"): the identification line "22700101", a "#" comment line and 31
// hex records of 16 bytes for addresses 0x0010 to 0x01FF, every line ended by CR LF.
//
// Result words (the engine answers them unchanged): "OK", "CANNOT_OPEN_FILE", "WRITE_ERROR"
// (save only), "FORMAT_ERROR", "MISMATCH_MODEL", "MISMATCH_REVISION", "DATA_OVERFLOW" and
// "NOT_ENOUGH_DATA" (load only).
class CCloneDataFile {
public:
    // !!! The identity written into and required from every file. DO NOT CHANGE. !!!
    static constexpr int kModelCode = 2270;
    static constexpr int kRevision = 101;

    // Largest file Load reads. A clone data file has about 1.3 kB; anything this large is no
    // clone data file (FORMAT_ERROR), however it goes on, and is not read to its end.
    static constexpr size_t kMaxFileSize = 1u << 20;

    // Writes the image atomically (WriteFileAtomically), so a failed save leaves any earlier
    // file as it was: "CANNOT_OPEN_FILE" when the target cannot be written at all (no regular
    // file, read-only, no new file possible in its folder), "WRITE_ERROR" when the writing
    // failed. The comment is informative only; line breaks in it are written as spaces so that
    // they cannot break the line structure.
    static std::string Save(const std::string& path, const CCloneImage& image,
                            const std::string& comment);
    // The complete file text as Save writes it.
    static std::string Format(const CCloneImage& image, const std::string& comment);

    // Reads a file into the image. On any result but "OK" the image is left exactly as it was.
    // Lines may end in CR LF or a bare LF, and the last line end may be missing. A folder or a
    // file that cannot be read gives "CANNOT_OPEN_FILE", one longer than kMaxFileSize
    // "FORMAT_ERROR".
    static std::string Load(const std::string& path, CCloneImage& image);
    static std::string Load(std::istream& in, CCloneImage& image);

private:
    static std::string CheckIdentification(const std::string& line);
};
