// What only Windows has: a target that another program holds open.

#include <windows.h>

#include "platform/utf16_win32.h"
#include "tests/common/cli_tool.h"

namespace {

using CliWin32Test = CToolTest;

} // namespace

// A file open in another program (an editor, a spreadsheet) that may not be replaced is refused
// before the transceiver is touched (the port here does not exist), as the help promises.
TEST_F(CliWin32Test, ReadRefusesATargetThatAnotherProgramHoldsBeforeReading)
{
    WriteFile(m_dir.In("held.qrb"), "old");
    const HANDLE held = ::CreateFileW(Utf8ToWide(m_dir.In("held.qrb")).c_str(), GENERIC_READ,
                                      FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    RunSteps({{{"read", "@held.qrb", "--port", "COM9"}, 2, "",
               "pwr455-cli: cannot save '@held.qrb': cannot replace the file: " +
                   DescribeSystemError(ERROR_SHARING_VIOLATION) + "\n"}});
    ::CloseHandle(held);
    EXPECT_EQ(ReadFile(m_dir.In("held.qrb")), "old");
}
