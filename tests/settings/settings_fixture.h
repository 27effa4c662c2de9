// The regex library loaded from the build, and a fresh folder per test.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

#include "regex/regex_library.h"
#include "settings/language.h"
#include "settings/settings_values.h"

namespace quillbox::testing {

class SettingsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        ASSERT_TRUE(LoadRegexLibrary(QBX_BREGEXP_DIR, [](const std::string& message) { FAIL() << message; }));
    }
    static void TearDownTestSuite() { UnloadRegexLibrary(); }

    void SetUp() override
    {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        folder_ = std::filesystem::temp_directory_path() /
                  ("qbx-settings-" + std::string(test->name()) + "-" + std::to_string(::getpid()));
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
        path_ = (folder_ / "quillbox.ini").string();
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    void WriteFile(const std::string& bytes) const
    {
        std::ofstream(path_, std::ios::binary) << bytes;
    }
    std::string FileBytes() const
    {
        std::ifstream in(path_, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    std::filesystem::path folder_;
    std::string path_;
};

}  // namespace quillbox::testing
