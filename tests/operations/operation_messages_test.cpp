#include "operations/operation_messages.h"

#include <gtest/gtest.h>

namespace quillbox {
namespace {

TEST(OperationMessages, QuestionsAndReportsNameTheFileInTheCurrentLanguage)
{
    const TMessageTable english = MessageTableFor(kEnglishLocaleID);
    EXPECT_EQ(OverwriteQuestionText(english, "a.bin"), "The file \"a.bin\" already exists.\rDo you want to replace it?");
    EXPECT_EQ(UndecodableReportText(english, {"2024/01/03\tGamma\todd.bin", "x"}),
              "The following attachments could not be decoded\rbecause their encoding is not supported:\r"
              "2024/01/03\tGamma\todd.bin\r\nx\r\n");
    EXPECT_EQ(RemoveMarkedQuestionText(english),
              "The marked attachments will be deleted from their messages.\r\nAre you sure you want to delete them?");
    EXPECT_EQ(RemoveOneQuestionText(english, "d.bin"), "Are you sure you want to delete the attachment \"d.bin\"\r\n?");

    // Shift_JIS: "ファイル "a.bin" は既に存在します。" and 「d.bin」.
    const TMessageTable japanese = MessageTableFor(kJapaneseLocaleID);
    EXPECT_EQ(OverwriteQuestionText(japanese, "a.bin").rfind("\x83\x74\x83\x40\x83\x43\x83\x8B \"a.bin\" ", 0), 0u);
    EXPECT_NE(RemoveOneQuestionText(japanese, "d.bin").find("\x81\x75" "d.bin" "\x81\x76\r\n"), std::string::npos);

    const TOverwriteButtonCaptions buttons = OverwriteButtonCaptionsFor(kEnglishLocaleID);
    EXPECT_EQ(buttons.NoToAll, "N&o to All");
    EXPECT_NE(OverwriteButtonCaptionsFor(kJapaneseLocaleID).YesToAll, buttons.YesToAll);
}

}  // namespace
}  // namespace quillbox
