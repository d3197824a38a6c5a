#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CCloneImage;

// One hex record of a clone data file ("AAAANN" then NN data bytes, all as hex digits), the
// working object of the file writer and reader. While bound to an image it keeps a bitmap of
// the addresses that committed records have loaded: address a is bit 7 - (a mod 8) of byte a / 8.
class CHexRecord {
public:
    // !!! Limits of a record line: 4 address digits, 2 count digits, up to 255 data bytes. !!!
    static constexpr size_t kMinimumLine = 8;
    static constexpr size_t kMaximumLine = 6 + 2 * 255;

    CHexRecord();
    virtual ~CHexRecord();

    CHexRecord(const CHexRecord&) = delete;
    CHexRecord& operator=(const CHexRecord&) = delete;

    // Binding a different image starts a new bitmap with nothing loaded; binding the same image
    // again keeps it.
    void Bind(CCloneImage& image);
    void SetUp(CCloneImage& image, uint32_t address, uint32_t length);
    void ReadFromImage();
    // The record line without its line end, in uppercase hex.
    std::string Format() const;
    // "OK", "FORMAT_ERROR" or "DATA_OVERFLOW"; on "OK" the record holds the line's address and
    // bytes. Needs a bound image, whose size decides the overflow.
    std::string Parse(const std::string& line);
    // Writes the bytes into the bound image and marks their addresses as loaded.
    void Commit();
    // True when every bitmap byte from firstByte on is full, i.e. every address from
    // 8 * firstByte to the end of the image has been loaded.
    bool IsLoadedFrom(uint32_t firstByte) const;


private:
    std::vector<uint8_t> m_data;
    uint32_t m_address = 0;
    uint32_t m_length = 0;
    CCloneImage* m_image = nullptr;
    std::unique_ptr<CCloneImage> m_loaded;
};
