#pragma once

#include <string>

// A new, empty temporary file that lives as long as this object.
//
// The file lives in a private folder of its own, made in the temporary folder ($TMPDIR, or
// /tmp when TMPDIR is unset or empty) by MakePrivateTempFolder: only its owner may use it from
// the first moment. The file is created inside it exclusively under a name that starts with the
// given prefix, readable and writable by its owner only, so other users can neither see,
// replace nor redirect it. Folder and file are registered for the clean-up of a signal that
// ends the process; the destructor removes them.
class CTempFile {
public:
    explicit CTempFile(const std::string& prefix);
    ~CTempFile();

    CTempFile(const CTempFile&) = delete;
    CTempFile& operator=(const CTempFile&) = delete;

    // Full path of the file; empty when it could not be created.
    const std::string& GetPath() const { return m_path; }

    // False when no file could be created (no writable temporary folder).
    bool IsValid() const { return !m_path.empty(); }

    // Empties the file. Returns false when it cannot be opened for writing.
    bool Truncate() const;

private:
    std::string m_directory;
    std::string m_path;
};
