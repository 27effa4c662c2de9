#include "script/script_parser.h"

#include <gtest/gtest.h>

using namespace quillbox;

TEST(ScriptParser, WordsQuotesEscapesAndComments)
{
    const auto parsed = ParseScript("# heading\r\nrun 1 \"Quillbox プラグイン\"\n\n  keys Main . \"a\\\"b\\\\c\\n\" # done\nfolder Box\\Inbox\\\n");
    const auto& lines = std::get<std::vector<TScriptLine>>(parsed);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].number, 2);
    EXPECT_EQ(lines[0].words, (std::vector<std::string>{"run", "1", "Quillbox プラグイン"}));
    EXPECT_EQ(lines[1].number, 4);
    EXPECT_EQ(lines[1].words, (std::vector<std::string>{"keys", "Main", ".", "a\"b\\c\n"}));
    // Outside quotes a backslash is an ordinary character.
    EXPECT_EQ(lines[2].words[1], "Box\\Inbox\\");
    EXPECT_EQ(std::get<std::vector<TScriptLine>>(ParseScript("echo \"\"")).at(0).words.at(1), "");
}

TEST(ScriptParser, UnterminatedQuoteNamesItsLine)
{
    const auto parsed = ParseScript("echo ok\necho \"open\n");
    const auto* error = std::get_if<TScriptError>(&parsed);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->line, 2);
}
