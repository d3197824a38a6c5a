#pragma once

// The clone host of the page: status texts, the progress window, message boxes, questions, the
// Information dialog and tones are the page's (its `host` object, page/src/clone_host.ts). A box
// or a question waits for the user's answer, and a tone for its end, with the browser's event
// loop running (Asyncify).

#include <string>

#include "clone/clone_host.h"

class CPageCloneHost : public CCloneHost {
public:
    void SetStatusText(const std::string& text) override;
    void CreateProgress(const std::string& caption) override;
    void SetProgressPos(int percent) override;
    bool CheckCancel() override;
    void DestroyProgress() override;
    void ShowNotice(const std::string& text, EIcon icon) override;
    bool AskOkCancel(const std::string& text) override;
    void ShowInformation(const std::string& model, const std::string& comment) override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;
    void Beep(unsigned frequency, unsigned milliseconds) override;
    void WarnBackupNotSaved(const std::string& reason) override;
};
