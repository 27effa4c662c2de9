// The regex library loaded, a memory host, and a mail in it.
#pragma once

#include <gtest/gtest.h>

#include "memory_mail_host.h"
#include "regex/regex_library.h"
#include "test_mails.h"
#include "text/code_page.h"

namespace quillbox::testing {

class OperationsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TCodePage::SetActiveForProcess(932);
        ASSERT_TRUE(LoadRegexLibrary(QBX_REGEX_LIBRARY_DIR, [](const std::string& m) { FAIL() << m; }));
    }
    void TearDown() override { UnloadRegexLibrary(); }

    // Puts the mail into the host and returns its catalogue record.
    std::unique_ptr<TMailItem> Store(const TTestMail& mail, const std::string& mailId = "box/inbox/?1")
    {
        host.Mails[mailId] = mail.Source();
        return mail.Item(mailId);
    }
    std::string Path(const std::string& name) const { return (host.Folder() / name).string(); }

    TMemoryMailHost host;
};

}  // namespace quillbox::testing
