#pragma once

// A clone host for tests: records every call in order as a line of text, answers questions and
// presses Cancel as told.

#include <algorithm>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "clone/clone_host.h"

class CRecordingCloneHost : public CCloneHost {
public:
    // "status: text", "progress-create: Cloning", "progress 30" (changes only), "cancel",
    // "progress-destroy", "box!: text" (exclamation), "box: text", "ask: text",
    // "info: model|comment", "beep 1000 50"; a fake clock adds its "sleep 200" here.
    std::vector<std::string> events;
    bool answerOk = true;                // the answer to AskOkCancel
    int cancelAtPercent = -1; // Cancel is pressed once the progress reaches this
    int waitDepth = 0;

    void SetStatusText(const std::string& text) override { Add("status:" + text); }
    void CreateProgress(const std::string& caption) override { Add("progress-create: " + caption); }
    void SetProgressPos(int percent) override
    {
        if (std::exchange(m_percent, percent) != percent)
            Add("progress " + std::to_string(percent));
    }
    bool CheckCancel() override
    {
        if (cancelAtPercent < 0 || m_percent < cancelAtPercent)
            return false;
        cancelAtPercent = -1;
        Add("cancel");
        return true;
    }
    void DestroyProgress() override
    {
        m_percent = -1;
        Add("progress-destroy");
    }
    void ShowNotice(const std::string& text, EIcon icon) override
    {
        Add((icon == EIcon::Exclamation ? "box!:" : "box:") + text);
    }
    bool AskOkCancel(const std::string& text) override
    {
        Add("ask:" + text);
        return answerOk;
    }
    void ShowInformation(const std::string& model, const std::string& text) override
    {
        Add("info: " + model + "|" + text);
    }
    void BeginWaitCursor() override { ++waitDepth; }
    void EndWaitCursor() override { --waitDepth; }
    void Beep(unsigned hz, unsigned ms) override
    {
        Add("beep " + std::to_string(hz) + " " + std::to_string(ms));
    }

    std::vector<std::string> Find(const std::string& prefix) const
    {
        std::vector<std::string> found;
        std::copy_if(events.begin(), events.end(), std::back_inserter(found),
                     [&](const std::string& e) { return e.rfind(prefix, 0) == 0; });
        return found;
    }

private:
    void Add(const std::string& event) { events.push_back(event); }
    int m_percent = -1;
};
