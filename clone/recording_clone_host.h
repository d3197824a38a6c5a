#pragma once

// A clone host for tests: records every call in order as a line of text, answers questions and
// presses Cancel as told, and can run its clock faster than real time.

#include <string>
#include <vector>

#include "clone/clone_host.h"

class CRecordingCloneHost : public CCloneHost {
public:
    // Recorded lines, e.g. "status: Now reading", "progress 30", "beep 1000 50", "sleep 200",
    // "box!: text" (exclamation), "box: text" (no icon), "ask: text", "info: model|comment",
    // "progress-create: Cloning", "progress-destroy", "wait+", "wait-".
    std::vector<std::string> events;

    // Answer to AskOkCancel.
    bool answerOk = true;
    // CheckCancel answers true on this call (1 = the first); 0 never.
    int cancelOnCheck = 0;
    // Sleep really waits (the protocol's waits); off for tests that do not care.
    bool realSleep = true;
    // GetTickMs runs this many times faster than real time, so time-outs come sooner.
    unsigned clockScale = 1;

    int checkCount = 0;
    int waitDepth = 0;

    void SetStatusText(const std::string& text) override;
    void CreateProgress(const std::string& caption) override;
    void SetProgressPos(int percent) override;
    bool CheckCancel() override;
    void DestroyProgress() override;
    void MessageBox(const std::string& text, Icon icon) override;
    bool AskOkCancel(const std::string& text) override;
    void ShowInformation(const std::string& model, const std::string& comment) override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;
    void Beep(unsigned frequency, unsigned milliseconds) override;
    void Sleep(unsigned milliseconds) override;
    uint64_t GetTickMs() override;

    // The recorded lines that start with `prefix`.
    std::vector<std::string> Find(const std::string& prefix) const;
    // Progress positions in the order shown, repeats collapsed.
    std::vector<int> ProgressSteps() const;

private:
    int m_lastProgress = -1;
};
