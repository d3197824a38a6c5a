#pragma once

// Shared means of the fault tests: scratch folders, a per-file size limit that makes every
// write past it fail as on a full disk (the limit binds root too), and a runner for the built
// command-line tool that can impose that limit or run the tool as an unprivileged user.

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "tests/common/file_size_limit.h"
#include "tests/common/test_files.h"

namespace faulttest {

// Names of the entries of a folder, sorted.
std::vector<std::string> ListFolder(const std::filesystem::path& dir);

// A fresh folder in /tmp, removed (whatever its permissions by then) at the end of the test.
class CScratchDir {
public:
    CScratchDir();
    ~CScratchDir();
    CScratchDir(const CScratchDir&) = delete;
    CScratchDir& operator=(const CScratchDir&) = delete;
    const std::filesystem::path& Path() const { return m_path; }
    std::string In(const std::string& name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};

struct ToolResult {
    int status = -1; // exit status; -1 when the tool did not exit normally
    std::string out;
    std::string err;
};

struct ToolOptions {
    std::map<std::string, std::string> env; // set in the tool's environment
    uint64_t fileSizeLimit = 0;             // 0: none
    bool unprivileged = false;              // run as user and group "nobody" when started as root
};

// True when the tool was built beside the tests.
bool HaveTool();
// True when a test can run code without root's power over permissions (not root, or root
// able to switch to "nobody").
bool CanRunUnprivileged();
ToolResult RunTool(const std::vector<std::string>& args, const ToolOptions& options = {});

// Sets an environment variable for the life of the object.
class CEnvOverride {
public:
    CEnvOverride(const char* name, const std::string& value);
    ~CEnvOverride();
    CEnvOverride(const CEnvOverride&) = delete;
    CEnvOverride& operator=(const CEnvOverride&) = delete;

private:
    std::string m_name;
    bool m_had = false;
    std::string m_old;
};

} // namespace faulttest
