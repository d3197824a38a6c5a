#pragma once

#include <string>

// A new, empty temporary file that lives as long as this object.
//
// The file is created exclusively (an existing file of the same name is never reused or
// overwritten) in the system temporary directory, under a name that starts with the given
// prefix, and is readable and writable by its owner only. The destructor removes it.
// Standard C++ only, so that the engine-side layers can use it.
class CTempFile {
public:
    explicit CTempFile(const std::string& prefix);
    ~CTempFile();

    CTempFile(const CTempFile&) = delete;
    CTempFile& operator=(const CTempFile&) = delete;

    // Full path of the file; empty when it could not be created.
    const std::string& GetPath() const { return m_path; }

    // False when no file could be created (no writable temporary directory).
    bool IsValid() const { return !m_path.empty(); }

    // Empties the file. Returns false when it cannot be opened for writing.
    bool Truncate() const;

private:
    std::string m_path;
};
