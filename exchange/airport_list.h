#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

// An airport frequency list in the CSV format of the public OurAirports data: a header row,
// then one row per frequency with (among others) the columns airport_ident, type, description
// and frequency_mhz, found by their names so that newer downloads with more columns still load.

struct CAirportFrequency {
    std::string ident;       // as listed: "EGLL", "0C2", "US-0123"
    std::string type;        // the service: "TWR", "ATIS", "A/D"
    std::string description; // UTF-8
    std::string frequency;   // MHz as listed: "120.82", "123"
};

class CAirportList {
public:
    // A list file larger than this is not one: the snapshot shipped, every airport of the world,
    // is about 1.3 MB. The limit keeps a list of the shortest rows within 256 MB of memory.
    static constexpr uintmax_t kMaxFileBytes = 4u << 20;

    // Replaces the list by the rows of `text`. A text that is not such a list (no header naming
    // the four columns, a malformed or short row) leaves the list as it was and returns false
    // with a message in `error` naming the line.
    bool Load(const std::string& text, std::string* error);
    // The same with the content of a file; a file that cannot be read, or is too large, is
    // reported with its name.
    bool LoadFile(const std::string& path, std::string* error);
    // The same with a file's content `text` handed over by a front end that reads it itself,
    // reported under the file's `name`.
    bool LoadNamed(const std::string& name, const std::string& text, std::string* error);

    size_t GetSize() const { return m_rows.size(); }
    const CAirportFrequency& GetRow(size_t index) const { return m_rows[index]; }

    // The rows of one airport in list order; the ident is matched without regard to case.
    const std::vector<uint32_t>& Find(const std::string& ident) const;

private:
    std::vector<CAirportFrequency> m_rows;
    std::unordered_map<std::string, std::vector<uint32_t>> m_byIdent; // upper-case ident
};

// The airports typed: idents separated by blanks, commas or semicolons, upper-cased, each once,
// in the order typed.
std::vector<std::string> SplitIdents(const std::string& text);

// The rows of the airports typed, airport by airport in the order typed, and the idents that
// the list does not know.
struct CAirportLookup {
    std::vector<uint32_t> rows;
    std::vector<std::string> unknown;
};
CAirportLookup FindAirports(const CAirportList& list, const std::vector<std::string>& idents);

// The list shipped with the program: $PWR455_DATA_DIR when set, else
// <prefix>/share/pwr455/data beside the installed program, else the source tree's copy.
std::string GetDefaultAirportListPath();
