// A test's own data folder with an empty Box/Inbox, removed afterwards, and
// the store over it with the warnings it gave; and a mail to store there.
#pragma once

#include "store/mail_store.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

namespace quillbox::testing {

// A mail with a text part and one PDF attachment.
inline const std::string kWithAttachment =
    "Subject: with file\r\n"
    "Content-Type: multipart/mixed; boundary=\"b1\"\r\n"
    "\r\n"
    "--b1\r\nContent-Type: text/plain\r\n\r\nhi\r\n"
    "--b1\r\nContent-Type: application/pdf; name=\"a.pdf\"\r\nContent-Transfer-Encoding: base64\r\n\r\nJVBERg==\r\n"
    "--b1--\r\n";

class TStoreFixture : public ::testing::Test {
protected:
    // The folder is named after the prefix, the process and the test, so that
    // test programs running side by side keep apart.
    explicit TStoreFixture(std::string prefix) : prefix_(std::move(prefix)) {}

    void SetUp() override
    {
        data_ = (std::filesystem::temp_directory_path() /
                 (prefix_ + std::to_string(::getpid()) + "_" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name()))
                    .string() + "/";
        std::filesystem::remove_all(data_);
        std::filesystem::create_directories(data_ + "Box/Inbox");
    }
    void TearDown() override { std::filesystem::remove_all(data_); }

    TMailStore Store() { return TMailStore(data_, 932, [this](const std::string& w) { warnings_.push_back(w); }); }

    std::string data_;
    std::vector<std::string> warnings_;

private:
    std::string prefix_;
};

}  // namespace quillbox::testing
