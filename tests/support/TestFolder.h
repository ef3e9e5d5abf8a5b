#pragma once

#include <atomic>
#include <cctype>
#include <filesystem>
#include <string>
#include <system_error>

#include <gtest/gtest.h>
#include <unistd.h>

// A folder of the running test's own under the system temp folder, named after the test, the
// process and a count, made empty and removed with everything in it at the end: tests that run at
// once, in one process or in several, never share a file.
class TestFolder {
public:
    explicit TestFolder(const std::string& label = "files") {
        static std::atomic<int> count{0};
        std::string test = "outside-tests";
        if (const auto* info = ::testing::UnitTest::GetInstance()->current_test_info()) {
            test = std::string(info->test_suite_name()) + "." + info->name();
        }
        std::string name = "kelvane-" + test + "-" + label + "-" + std::to_string(::getpid()) + "-" +
                           std::to_string(count++);
        for (char& c : name) {
            if (!std::isalnum(static_cast<unsigned char>(c)) && c != '-' && c != '.' && c != '_') {
                c = '_';
            }
        }
        path_ = std::filesystem::temp_directory_path() / name;
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TestFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }
    std::string Str() const { return path_.string(); }

private:
    std::filesystem::path path_;
};
