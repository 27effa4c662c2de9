#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "mime/header_fields.h"

namespace quillbox {
namespace {

struct TReadBlock {
    std::vector<std::pair<std::string, std::string>> Fields;  // name, value
    std::string Header;
    std::string Body;
};

TReadBlock Read(const std::string& text)
{
    TReadBlock block;
    THeaderFieldReader reader(text, {0, text.size()});
    while (const auto field = reader.Next())
        block.Fields.emplace_back(std::string(field->Name.In(text)), std::string(field->Value.In(text)));
    block.Header = std::string(reader.Header().In(text));
    block.Body = text.substr(reader.BodyBegin());
    return block;
}

using TFields = std::vector<std::pair<std::string, std::string>>;

TEST(HeaderFields, FoldedFieldsOfAnyCaseUpToTheEmptyLine)
{
    const std::string text =
        "content-TYPE: application/pdf;\r\n x-unix-mode=0644;\r\n\tname=\"a.pdf\"\r\nX-A:b\r\n\r\nbody\r\n";
    const TReadBlock block = Read(text);
    EXPECT_EQ(block.Fields, (TFields{{"content-TYPE", " application/pdf;\r\n x-unix-mode=0644;\r\n\tname=\"a.pdf\""},
                                     {"X-A", "b"}}));
    EXPECT_EQ(block.Header, text.substr(0, text.find("\r\n\r\n") + 2));
    EXPECT_EQ(block.Body, "body\r\n");

    THeaderFieldReader reader(text, {0, text.size()});
    const auto first = reader.Next();
    EXPECT_TRUE(HasFieldName(text, *first, "Content-Type"));
    EXPECT_FALSE(HasFieldName(text, *first, "Content-Typ"));
    EXPECT_EQ(first->Lines.In(text), text.substr(0, text.find("X-A")));
}

TEST(HeaderFields, EveryKindOfLineEnd)
{
    for (const std::string breakText : {"\r\n", "\n", "\r"}) {
        const std::string text = "A: 1" + breakText + " 2" + breakText + "B: 3" + breakText + breakText + "body";
        const TReadBlock block = Read(text);
        EXPECT_EQ(block.Fields, (TFields{{"A", " 1" + breakText + " 2"}, {"B", " 3"}})) << breakText.size();
        EXPECT_EQ(block.Body, "body");
    }
}

TEST(HeaderFields, ALineThatIsNoFieldStartsTheBody)
{
    // Text lines where fields were expected: the body begins there, so a
    // field-like line further down is body text, not a header.
    const TReadBlock block = Read("A: 1\r\nthis is text\r\nContent-Type: application/pdf; name=\"fake.pdf\"\r\n\r\nx");
    EXPECT_EQ(block.Fields, (TFields{{"A", " 1"}}));
    EXPECT_EQ(block.Header, "A: 1\r\n");
    EXPECT_EQ(block.Body, "this is text\r\nContent-Type: application/pdf; name=\"fake.pdf\"\r\n\r\nx");

    // A part that starts with its empty line has no header at all.
    const TReadBlock empty = Read("\r\nContent-Type: application/pdf; name=\"fake.pdf\"\r\n");
    EXPECT_TRUE(empty.Fields.empty());
    EXPECT_EQ(empty.Header, "");
    EXPECT_EQ(empty.Body, "Content-Type: application/pdf; name=\"fake.pdf\"\r\n");

    // Names are printable ASCII: a blank or an 8-bit byte before the colon
    // makes a text line.
    EXPECT_EQ(Read("Content Type: x\r\n\r\n").Body, "Content Type: x\r\n\r\n");
    EXPECT_EQ(Read("\x83\x65: x\r\n").Fields.size(), 0u);
}

TEST(HeaderFields, EnvelopeLinesAndStrayContinuationsArePassedOver)
{
    const TReadBlock block = Read(" stray\r\nFrom someone Mon Jan 1\r\nA: 1\r\n\r\n");
    EXPECT_EQ(block.Fields, (TFields{{"A", " 1"}}));
    EXPECT_EQ(block.Body, "");
    // A blank-only line is a continuation, not the end of the header.
    EXPECT_EQ(Read("A: 1\r\n \r\nB: 2\r\n\r\nx").Fields, (TFields{{"A", " 1\r\n "}, {"B", " 2"}}));
}

TEST(HeaderFields, AHeaderCutShortEndsWithTheText)
{
    const TReadBlock block = Read("A: 1\r\nB: 2\r\n folded");
    EXPECT_EQ(block.Fields, (TFields{{"A", " 1"}, {"B", " 2\r\n folded"}}));
    EXPECT_EQ(block.Body, "");
    EXPECT_TRUE(Read("").Fields.empty());

    // Nothing beyond the given stretch is read.
    const std::string text = "A: 1\r\nB: 2\r\n\r\n";
    THeaderFieldReader reader(text, {0, 4});
    const auto field = reader.Next();
    EXPECT_EQ(field->Value.In(text), " 1");
    EXPECT_FALSE(reader.Next());
    EXPECT_EQ(reader.BodyBegin(), 4u);
}

}  // namespace
}  // namespace quillbox
