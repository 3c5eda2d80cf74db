// A fresh folder for a test that writes level files, made the current folder
// so level names resolve inside it as they do in the game folder.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

struct InTempFolder : ::testing::Test {
    std::filesystem::path savedFolder;
    std::filesystem::path folder;

    void SetUp() override;
    void TearDown() override;
};

void writeFile(const std::filesystem::path& path, const std::string& text);
std::string readFile(const std::filesystem::path& path);
