#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/common/test_files.h"

// Runs the built pwr455-cli with the given arguments and standard input and collects its exit
// status and outputs.
struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
};

CliResult RunTool(const std::vector<std::string>& args, const std::string& input = "");

// A fresh folder per test, removed afterwards.
class CliTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    std::string PathIn(const std::string& name) const { return (m_dir / name).string(); }

    std::filesystem::path m_dir;
};
