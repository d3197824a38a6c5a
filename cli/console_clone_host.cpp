#include "cli/console_clone_host.h"

#include <ostream>

#include "cli/interrupt.h"
#include "text/text_util.h"
#include "res/resource_ids.h"
#include "res/string_table.h"

namespace {

constexpr int kBarWidth = 30;

} // namespace

CConsoleCloneHost::CConsoleCloneHost(std::ostream& out, std::ostream& err, bool showProgress)
    : m_out(out), m_err(err), m_showProgress(showProgress)
{
}

std::string CConsoleCloneHost::TrimMessage(const std::string& text)
{
    std::string lines;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        std::string line = text.substr(start,
                                       end == std::string::npos ? std::string::npos : end - start);
        std::string kept;
        for (char c : line)
            if (c != '\r')
                kept.push_back(c);
        size_t first = kept.find_first_not_of(" \t");
        size_t last = kept.find_last_not_of(" \t");
        lines += first == std::string::npos ? std::string() : kept.substr(first, last - first + 1);
        if (end == std::string::npos)
            break;
        lines.push_back('\n');
        start = end + 1;
    }
    size_t first = lines.find_first_not_of('\n');
    size_t last = lines.find_last_not_of('\n');
    return first == std::string::npos ? std::string() : lines.substr(first, last - first + 1);
}

void CConsoleCloneHost::SetStatusText(const std::string& text)
{
    if (m_progressDrawn) {
        m_err << '\n';
        m_progressDrawn = false;
    }
    m_out << TrimMessage(text) << std::endl;
}

void CConsoleCloneHost::CreateProgress(const std::string& caption)
{
    m_caption = caption;
    m_lastPercent = -1;
    CInterrupt::ArmCancel(true);
    SetProgressPos(0);
}

void CConsoleCloneHost::SetProgressPos(int percent)
{
    if (!m_showProgress || percent == m_lastPercent)
        return;
    m_lastPercent = percent;
    int filled = percent * kBarWidth / 100;
    m_err << '\r' << m_caption << " [" << std::string(static_cast<size_t>(filled), '#')
          << std::string(static_cast<size_t>(kBarWidth - filled), ' ') << "] " << percent << " %"
          << std::flush;
    m_progressDrawn = true;
}

bool CConsoleCloneHost::CheckCancel()
{
    return CInterrupt::IsCancelRequested();
}

void CConsoleCloneHost::DestroyProgress()
{
    CInterrupt::ArmCancel(false);
    if (m_progressDrawn)
        m_err << '\n' << std::flush;
    m_progressDrawn = false;
}

void CConsoleCloneHost::ShowNotice(const std::string& text, EIcon)
{
    m_out << TrimMessage(text) << std::endl;
}

bool CConsoleCloneHost::AskOkCancel(const std::string&)
{
    // The command line is the user's confirmation.
    return true;
}

void CConsoleCloneHost::ShowInformation(const std::string& model, const std::string& comment)
{
    m_out << "Model: " << model << '\n' << "Comment: " << comment << std::endl;
}

void CConsoleCloneHost::Beep(unsigned frequency, unsigned milliseconds)
{
    // After Ctrl-C the command ends without its tones.
    if (!m_quiet && !CInterrupt::IsCancelRequested())
        m_tones.Play(frequency, milliseconds);
}

void CConsoleCloneHost::WarnBackupNotSaved(const std::string& reason)
{
    m_err << FormatText(LoadResString(IDS_CLI_BACKUP_NOT_SAVED), {reason}) << std::endl;
}

void CConsoleCloneClock::Sleep(unsigned milliseconds)
{
    CInterrupt::Wait(milliseconds);
}
