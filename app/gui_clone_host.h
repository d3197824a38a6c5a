#pragma once

// The clone link's outside world in the desktop program: the main window's message pane,
// message boxes, a progress window with Cancel, the wait cursor and the signal tones.

#include <memory>

#include "clone/clone_host.h"

class wxProgressDialog;
class CTonePlayer;

class CGuiCloneHost : public CCloneHost {
public:
    CGuiCloneHost();
    ~CGuiCloneHost() override;

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

private:
    wxProgressDialog* m_progress = nullptr;
    std::unique_ptr<CTonePlayer> m_tones;
};
