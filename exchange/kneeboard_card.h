#pragma once

#include <array>
#include <string>
#include <utility>
#include <vector>

class CR455Radio;

// What the kneeboard card shows: the 20 memory channels (number, frequency, name, Tx inhibit,
// lockout, priority mark) and the main settings, under the data file's name and a date. The
// desktop program prints it and pwr455-cli writes it as PDF, through one renderer.
struct CCardData {
    static constexpr size_t kColumns = 6;

    std::string fileName; // the data file's name without its folder
    std::string date;
    std::string subtitle;
    std::array<std::string, kColumns> headings;
    std::vector<std::array<std::string, kColumns>> rows; // one per channel; blank: number only
    std::vector<std::pair<std::string, std::string>> settings; // label, value
};

CCardData BuildCardData(const CR455Radio& radio, const std::string& fileName,
                        const std::string& date);
