#pragma once

// A radio data object on the real engine that also records every command sent to it, and
// can answer chosen queries itself (to show what the engine never answers by default).

#include <map>
#include <string>
#include <vector>

#include "radio/r455_radio.h"

class CRecordingRadio : public CR455Radio {
public:
    CRecordingRadio()
    {
        ResetData(); // a new data set, as File New makes it
        Clear();
    }

    std::string Command(const char* command) override { return Command(std::string(command)); }
    std::string Command(const std::string& command) override
    {
        m_commands.push_back(command);
        auto it = m_answers.find(command);
        if (it != m_answers.end())
            return it->second;
        return CR455Radio::Command(command);
    }

    // The commands recorded since the last Clear.
    const std::vector<std::string>& Commands() const { return m_commands; }
    // Only the changes (commands with "=").
    std::vector<std::string> Changes() const
    {
        std::vector<std::string> changes;
        for (const std::string& c : m_commands) {
            if (c.find('=') != std::string::npos)
                changes.push_back(c);
        }
        return changes;
    }
    void Clear() { m_commands.clear(); }

    // From now on `command` is answered with `answer` instead of by the engine.
    void Answer(const std::string& command, const std::string& answer)
    {
        m_answers[command] = answer;
    }

    // Channel ch in use with the given fields, set through the engine.
    void PutChannel(unsigned ch, const std::string& frequency, const std::string& name,
                    bool txInhibit = false, bool lockout = false)
    {
        std::string f = frequency;
        SetChFrequency(ch, f);
        SetChAppear(ch, "ON");
        SetChName(ch, name);
        SetChTxInhibit(ch, txInhibit ? "ON" : "OFF");
        SetChLockout(ch, lockout ? "ON" : "OFF");
        HealCh(ch);
    }

private:
    std::vector<std::string> m_commands;
    std::map<std::string, std::string> m_answers;
};

#include <wx/textctrl.h>

// Types `text` into an edit one character at a time, as the keyboard does: an edit that has
// reached its limit takes no more.
inline void TypeInto(wxTextCtrl* edit, const std::string& text)
{
    edit->ChangeValue(wxString());
    for (char c : text)
        edit->AppendText(wxString(1, c));
}
