#pragma once

// Commands and the answers they must get, run in order on one target (a value, a channel, the
// setting table or the engine), so that each step sees what the steps before it left.

#include <gtest/gtest.h>

#include <cstdio>
#include <initializer_list>
#include <string>

#include "engine/clone_image.h"

struct Step { std::string command; const char* answer; };

template <class Target>
void ExpectAnswers(Target& target, std::initializer_list<Step> steps)
{
    for (const Step& s : steps)
        EXPECT_EQ(target.Execute(s.command), s.answer) << s.command;
}

// The ALL answer of a blank channel whose flags are off.
inline const char kBlankChannel[] = "APPEAR=OFF\tFREQUENCY=0.000\tNAME=       \tTXINHIBIT=OFF\tCHLOCKOUT=OFF";

// `count` image bytes from `address` on, as uppercase hex digits.
inline std::string Hex(const CCloneImage& image, uint32_t address, uint32_t count)
{
    std::string text;
    for (char byte[3]; count-- > 0; text += byte)
        std::snprintf(byte, sizeof byte, "%02X", image.ReadByte(address++));
    return text;
}

inline std::string Quoted(const std::string& path) { return "\"" + path + "\""; }
