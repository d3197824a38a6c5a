#pragma once

// What `pwr455 --help` and `pwr455 --version` print, shared by the desktop program and, on
// Windows, the console program pwr455.com beside it, which answers both in the console.

#include <string>
#include <vector>

// The text for the arguments after the program's name, or false when they ask for neither or
// are not a command line the program accepts; `fault` then says what is wrong with them, or
// stays empty for a command line that only starts the program.
// True for an argument that looks like an option the program does not have.
bool IsUnknownOption(const std::string& arg);

bool GetInformationText(const std::vector<std::string>& args, std::string* text,
                        std::string* fault = nullptr);
