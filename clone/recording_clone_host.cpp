#include "clone/recording_clone_host.h"

#include <chrono>
#include <thread>

void CRecordingCloneHost::SetStatusText(const std::string& text)
{
    events.push_back("status:" + text);
}

void CRecordingCloneHost::CreateProgress(const std::string& caption)
{
    m_lastProgress = -1;
    events.push_back("progress-create: " + caption);
}

void CRecordingCloneHost::SetProgressPos(int percent)
{
    // Only changes are recorded: the link sets the position on every poll.
    if (percent != m_lastProgress)
        events.push_back("progress " + std::to_string(percent));
    m_lastProgress = percent;
}

bool CRecordingCloneHost::CheckCancel()
{
    ++checkCount;
    if (cancelOnCheck > 0 && checkCount == cancelOnCheck) {
        events.push_back("cancel");
        return true;
    }
    return false;
}

void CRecordingCloneHost::DestroyProgress()
{
    events.push_back("progress-destroy");
}

void CRecordingCloneHost::MessageBox(const std::string& text, Icon icon)
{
    events.push_back((icon == Icon::Exclamation ? "box!:" : "box:") + text);
}

bool CRecordingCloneHost::AskOkCancel(const std::string& text)
{
    events.push_back("ask:" + text);
    return answerOk;
}

void CRecordingCloneHost::ShowInformation(const std::string& model, const std::string& comment)
{
    events.push_back("info: " + model + "|" + comment);
}

void CRecordingCloneHost::BeginWaitCursor()
{
    ++waitDepth;
    events.push_back("wait+");
}

void CRecordingCloneHost::EndWaitCursor()
{
    --waitDepth;
    events.push_back("wait-");
}

void CRecordingCloneHost::Beep(unsigned frequency, unsigned milliseconds)
{
    events.push_back("beep " + std::to_string(frequency) + " " + std::to_string(milliseconds));
}

void CRecordingCloneHost::Sleep(unsigned milliseconds)
{
    events.push_back("sleep " + std::to_string(milliseconds));
    if (realSleep)
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

uint64_t CRecordingCloneHost::GetTickMs()
{
    return CCloneHost::GetTickMs() * clockScale;
}

std::vector<std::string> CRecordingCloneHost::Find(const std::string& prefix) const
{
    std::vector<std::string> found;
    for (const std::string& e : events)
        if (e.compare(0, prefix.size(), prefix) == 0)
            found.push_back(e);
    return found;
}

std::vector<int> CRecordingCloneHost::ProgressSteps() const
{
    std::vector<int> steps;
    for (const std::string& e : Find("progress "))
        steps.push_back(std::stoi(e.substr(9)));
    return steps;
}
