#pragma once

// Shared means of the fault tests: scratch folders, a per-file size limit that makes every
// write past it fail as on a full disk (the limit binds root too), and the built command-line
// tool run through the shared process runner, which can impose that limit or run the tool as an
// unprivileged user.

#include <filesystem>
#include <string>
#include <vector>

#include "tests/common/child_process.h"
#include "tests/common/file_size_limit.h"
#include "tests/common/scratch_dir.h"
#include "tests/common/test_files.h"

namespace faulttest {

using ::CScratchDir;
using ::ListFolder;
using ToolOptions = ProcessOptions;
using ToolResult = ProcessResult;

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
