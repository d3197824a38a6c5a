#pragma once

#include <string>

// A new, empty temporary file that lives as long as this object.
//
// The file lives in a private directory of its own: a directory with a random name is made in
// the system temporary directory (a name that already exists is never reused), narrowed to its
// owner before anything goes into it, and the file is then created inside it exclusively under
// a name that starts with the given prefix, readable and writable by its owner only. Other
// users can therefore neither see, replace nor redirect the file at any moment. The destructor
// removes the file and its directory. Standard C++ only, so that the engine-side layers can
// use it.
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
    std::string m_directory;
    std::string m_path;
};
