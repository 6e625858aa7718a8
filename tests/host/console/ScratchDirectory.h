// A directory of its own for each test, removed afterwards (tests run in parallel).

#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace vex::host::test {

class TScratchDirectory {
public:
    explicit TScratchDirectory(const std::string& prefix)
        : m_path(std::filesystem::temp_directory_path() /
                 (prefix + "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name())) {
        std::filesystem::remove_all(m_path);
        std::filesystem::create_directories(m_path);
    }
    TScratchDirectory(const TScratchDirectory&) = delete;
    TScratchDirectory& operator=(const TScratchDirectory&) = delete;
    ~TScratchDirectory() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }

    const std::filesystem::path& Path() const noexcept { return m_path; }

private:
    std::filesystem::path m_path;
};

} // namespace vex::host::test
