#include "TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iostream>
#include <random>
#include <sstream>

namespace discmenu::test {

TempDir::TempDir() {
    // A new folder of a random name; create_directory says whether it was new.
    std::random_device seed;
    std::mt19937_64 random(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
        m_path = std::filesystem::temp_directory_path() /
                 ("discmenu-test-" + std::to_string(random() % 1000000000));
        if (std::filesystem::create_directory(m_path))
            return;
    }
    throw std::runtime_error("cannot make a temporary folder");
}

TempDir::~TempDir() {
    if (m_discarded)
        return;
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    if (test && test->result()->Failed()) {
        std::cerr << "kept the failed test's folder: " << m_path << "\n";
        return;
    }
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

void TempDir::discard() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
    m_discarded = true;
}

void writeFile(const std::filesystem::path& file, const std::string& content) {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << content;
}

std::string readFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

} // namespace discmenu::test
