#pragma once

#include <exception>
#include <iosfwd>
#include <string>

// Raised when a document cannot be loaded or stored through a CArchive.
class CArchiveException : public std::exception {
public:
    enum ECause {
        badClass,    // the data are not a clone data file: "Unexpected file format."
        badPath,     // a file name that the file commands cannot carry
        writeFailed, // the document could not be written (disk full, closed stream)
        noTempFile,  // no temporary file to pass the data through (temporary folder unusable)
    };

    explicit CArchiveException(ECause cause = badClass);

    ECause GetCause() const { return m_cause; }
    const char* what() const noexcept override { return m_message.c_str(); }

private:
    ECause m_cause;
    std::string m_message;
};

// The document's file seen as lines of text, over a standard stream: an archive made on an
// input stream loads, one made on an output stream stores. The streams are not owned.
class CArchive {
public:
    // Longest line accepted while loading; a longer one cannot belong to a clone data file and
    // is refused instead of being held in memory.
    static constexpr size_t kMaxLineLength = 1 << 20;

    explicit CArchive(std::istream& in);
    explicit CArchive(std::ostream& out);

    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    bool IsStoring() const { return m_out != nullptr; }
    bool IsLoading() const { return m_in != nullptr; }

    // Reads the next line without its line end (a line feed, and one carriage return before
    // it). Returns false at the end of the data; a last line without line end still counts.
    // Throws CArchiveException on a read error, an over-long line or a storing archive.
    bool ReadLine(std::string& line);

    // Writes the text followed by CR LF. Throws CArchiveException(writeFailed) on failure.
    void WriteLine(const std::string& line);

private:
    std::istream* m_in = nullptr;
    std::ostream* m_out = nullptr;
};
