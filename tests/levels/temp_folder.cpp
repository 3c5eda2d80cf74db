#include "temp_folder.h"

#include <fstream>
#include <sstream>

#include <unistd.h>

namespace fs = std::filesystem;

void InTempFolder::SetUp() {
    savedFolder = fs::current_path();
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    folder = fs::temp_directory_path() /
             ("boxyard-levels-" + std::string(test->test_suite_name()) + "-" + test->name() + "-" +
              std::to_string(getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder / "levels");
    fs::current_path(folder);
}

void InTempFolder::TearDown() {
    fs::current_path(savedFolder);
    fs::remove_all(folder);
}

void writeFile(const fs::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::out | std::ios::binary | std::ios::trunc);
    out << text;
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::in | std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}
