#pragma once

#include <algorithm>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "radio/r455_radio.h"

// A radio that records every command and query it sends. Those with a scripted answer get it;
// the others go to the real engine when `forward` is set and answer "" otherwise.
class CRecordingRadio : public CR455Radio {
public:
    std::string Command(const char* command) override { return Command(std::string(command)); }
    std::string Command(const std::string& command) override
    {
        const std::string* scripted = Record(command);
        return scripted ? *scripted : forward ? CR455Radio::Command(command) : std::string();
    }
    std::string Query(const std::string& command) const override
    {
        const std::string* scripted = Record(command);
        return scripted ? *scripted : forward ? CR455Radio::Query(command) : std::string();
    }
    std::vector<std::string> Changes() const // the commands with "="
    {
        std::vector<std::string> changes;
        std::copy_if(sent.begin(), sent.end(), std::back_inserter(changes),
                     [](const std::string& c) { return c.find('=') != std::string::npos; });
        return changes;
    }

    mutable std::vector<std::string> sent;
    std::map<std::string, std::string> answers;
    bool forward = false;

private:
    const std::string* Record(const std::string& command) const
    {
        sent.push_back(command);
        auto it = answers.find(command);
        return it == answers.end() ? nullptr : &it->second;
    }
};
