#pragma once

#include <algorithm>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "radio/r455_radio.h"

// A radio that records every command it sends. Commands with a scripted answer get it; the
// others go to the real engine when `forward` is set and answer "" otherwise.
class CRecordingRadio : public CR455Radio {
public:
    std::string Command(const char* command) override { return Command(std::string(command)); }
    std::string Command(const std::string& command) override
    {
        sent.push_back(command);
        auto it = answers.find(command);
        if (it != answers.end())
            return it->second;
        return forward ? CR455Radio::Command(command) : std::string();
    }
    std::vector<std::string> Changes() const // the commands with "="
    {
        std::vector<std::string> changes;
        std::copy_if(sent.begin(), sent.end(), std::back_inserter(changes),
                     [](const std::string& c) { return c.find('=') != std::string::npos; });
        return changes;
    }

    std::vector<std::string> sent;
    std::map<std::string, std::string> answers;
    bool forward = false;
};
