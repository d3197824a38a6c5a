#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Reads CSV text record by record: fields separated by a separator (a comma unless given),
// quoted fields with "" for a quote and line ends inside quotes, CR LF, LF or a lone CR (as
// older Mac spreadsheets write it) ending a line, an optional UTF-8 byte order mark.

struct CCsvRecord {
    unsigned line = 0; // line on which the record starts, counted from 1
    std::vector<std::string> fields;
};

// Why a record could not be read: a string resource taking %1 the line and %2 the field's
// name, the line, and the index of the field (from 0).
struct CCsvError {
    unsigned messageId = 0;
    unsigned line = 0;
    size_t field = 0;
};

class CCsvReader {
public:
    // `text` must outlive the reader. A field longer than `maxFieldLength` is an error, which
    // bounds what one record can hold.
    explicit CCsvReader(const std::string& text, char separator = ',', size_t maxFieldLength = 256);

    bool AtEnd() const { return m_pos >= m_text.size(); }
    // Reads the next record; false with `error` set when it is malformed.
    bool Next(CCsvRecord& record, CCsvError& error);

private:
    char Peek() const { return AtEnd() ? '\0' : m_text[m_pos]; }
    bool AtLineEnd() const;
    void SkipLineEnd();
    bool ReadUnquoted(std::string& field, const CCsvRecord& record, CCsvError& error);
    bool ReadQuoted(std::string& field, const CCsvRecord& record, CCsvError& error);
    bool CheckLength(const std::string& field, const CCsvRecord& record, CCsvError& error) const;

    const std::string& m_text;
    char m_separator;
    size_t m_maxFieldLength;
    size_t m_pos = 0;
    unsigned m_line = 1;
};

// True for an empty line (one field holding only white space).
bool IsBlankCsvRecord(const CCsvRecord& record);
