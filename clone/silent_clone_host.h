#pragma once

#include <string>

#include "clone/clone_host.h"

// A host with no window, no boxes and no sound that never cancels and confirms every question:
// for programs that measure or exercise the link alone.
class CSilentCloneHost : public CCloneHost {
public:
    void SetStatusText(const std::string&) override {}
    void CreateProgress(const std::string&) override {}
    void SetProgressPos(int) override {}
    bool CheckCancel() override { return false; }
    void DestroyProgress() override {}
    void ShowNotice(const std::string&, EIcon) override {}
    bool AskOkCancel(const std::string&) override { return true; }
    void ShowInformation(const std::string&, const std::string&) override {}
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}
    void Beep(unsigned, unsigned) override {}
};
