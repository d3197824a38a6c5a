#pragma once

// The serial ports of a test: each look gives the next list of paths, the last one again and
// again once all have been given.

#include <algorithm>
#include <string>
#include <vector>

#include "clone/cable_finder.h"

class CScriptedPortList : public CPortList {
public:
    explicit CScriptedPortList(std::vector<std::vector<std::string>> looks)
        : m_looks(std::move(looks))
    {
    }
    std::vector<CSerialDevice> List() override
    {
        std::vector<CSerialDevice> devices;
        for (const std::string& path : m_looks[std::min(m_next++, m_looks.size() - 1)]) {
            devices.emplace_back();
            devices.back().path = path;
        }
        return devices;
    }

private:
    std::vector<std::vector<std::string>> m_looks;
    size_t m_next = 0;
};
