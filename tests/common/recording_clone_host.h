#pragma once

// A clone host for tests: records every call in order as a line of text, answers questions and
// presses Cancel as told.

#include <functional>
#include <string>
#include <vector>

#include "clone/clone_host.h"

class CRecordingCloneHost : public CCloneHost {
public:
    // "status: text", "progress-create: Cloning", "progress 30" (changes only), "cancel",
    // "progress-destroy", "box!: text" (exclamation), "box: text" (no icon), "ask: text",
    // "info: model|comment", "beep 1000 50"; a fake clock adds its "sleep 200" here.
    std::vector<std::string> events;
    bool answerOk = true;                 // the answer to AskOkCancel
    int cancelAtPercent = -1;             // Cancel is pressed once the progress reaches this
    std::function<void(int)> onProgress;  // called with every new percentage
    int waitDepth = 0;

    void SetStatusText(const std::string& text) override { events.push_back("status:" + text); }
    void CreateProgress(const std::string& caption) override
    {
        m_percent = -1;
        events.push_back("progress-create: " + caption);
    }
    void SetProgressPos(int percent) override
    {
        if (percent == m_percent)
            return;
        m_percent = percent;
        events.push_back("progress " + std::to_string(percent));
        if (onProgress)
            onProgress(percent);
    }
    bool CheckCancel() override
    {
        if (cancelAtPercent < 0 || m_percent < cancelAtPercent)
            return false;
        cancelAtPercent = -1;
        events.push_back("cancel");
        return true;
    }
    void DestroyProgress() override { events.push_back("progress-destroy"); }
    void MessageBox(const std::string& text, Icon icon) override
    {
        events.push_back((icon == Icon::Exclamation ? "box!:" : "box:") + text);
    }
    bool AskOkCancel(const std::string& text) override
    {
        events.push_back("ask:" + text);
        return answerOk;
    }
    void ShowInformation(const std::string& model, const std::string& comment) override
    {
        events.push_back("info: " + model + "|" + comment);
    }
    void BeginWaitCursor() override { ++waitDepth; }
    void EndWaitCursor() override { --waitDepth; }
    void Beep(unsigned frequency, unsigned ms) override
    {
        events.push_back("beep " + std::to_string(frequency) + " " + std::to_string(ms));
    }

    // The recorded lines that start with `prefix`.
    std::vector<std::string> Find(const std::string& prefix) const
    {
        std::vector<std::string> found;
        for (const std::string& e : events)
            if (e.compare(0, prefix.size(), prefix) == 0)
                found.push_back(e);
        return found;
    }

private:
    int m_percent = -1;
};
