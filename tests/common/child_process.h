#pragma once

// The one way the end-to-end tests run a built program, with its own input, environment and, for
// the fault tests, a file size limit (writes past it fail as on a full disk, for root too) or
// permission bits that bind root too.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

struct ProcessOptions {
    std::string input;                      // standard input, unless inputFile is given
    std::string inputFile;                  // this file as standard input (e.g. /dev/zero)
    std::string outputFile;                 // standard output to this file instead of a pipe
    std::map<std::string, std::string> env; // set in the environment (an empty value too); on
                                            // Windows under the names its programs read
    uint64_t fileSizeLimit = 0;             // 0: none
    bool unprivileged = false;              // bound by permission bits, root too
};

struct ProcessResult {
    int status = -1; // exit status; -1 after a signal or when the process did not end in time
    int signal = 0;  // the signal that ended it
    std::string out;
    std::string err;
};

class CChildProcess {
public:
    // Upper bound of every wait, reached only by a process that hangs.
    static constexpr int kPatienceMs = 30000;

    CChildProcess(const std::vector<std::string>& argv, const ProcessOptions& options = {});
    ~CChildProcess(); // kills a process still running
    CChildProcess(const CChildProcess&) = delete;
    CChildProcess& operator=(const CChildProcess&) = delete;

    // Collects output until standard output (or error) holds `text`; false when it ended first.
    bool WaitForOutput(const std::string& text, int timeoutMs = kPatienceMs, bool onError = false);
    const std::string& Out() const { return m_result.out; }
    long Pid() const;
    // On Windows every signal ends the process.
    void Signal(int sig);
    // Collects the rest of the output and waits for the end (killing a process that hangs).
    ProcessResult Finish(int timeoutMs = kPatienceMs);

private:
    struct CSystem; // the system's handles of the process and its output
    std::unique_ptr<CSystem> m_system;
    ProcessResult m_result;
};

ProcessResult RunProcess(const std::vector<std::string>& argv, const ProcessOptions& options = {});
