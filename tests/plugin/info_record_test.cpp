#include "plugin/info_record.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "settings/language.h"
#include "tansy/info_record_layout.h"

namespace quillbox {
namespace {

const TCodePage kShiftJis(932);
constexpr char kCanary = '\x7E';

// A field with guard bytes on both sides, to see what a write touches.
struct TGuardedField {
    explicit TGuardedField(std::size_t size) : bytes(size + 2, kCanary) {}
    char* Field() { return bytes.data() + 1; }
    std::size_t Size() const { return bytes.size() - 2; }
    bool GuardsIntact() const { return bytes.front() == kCanary && bytes.back() == kCanary; }
    std::vector<char> bytes;
};

TEST(WriteInfoField, WritesAFittingTextWholeWithItsTerminator)
{
    TGuardedField field(8);
    WriteInfoField(field.Field(), field.Size(), "1.26", kShiftJis);
    EXPECT_STREQ(field.Field(), "1.26");
    EXPECT_TRUE(field.GuardsIntact());

    TGuardedField exact(5);
    WriteInfoField(exact.Field(), exact.Size(), "abcd", kShiftJis);
    EXPECT_STREQ(exact.Field(), "abcd");
    EXPECT_TRUE(exact.GuardsIntact());
}

TEST(WriteInfoField, CutsALongTextInsideItsFieldOnACharacterBoundary)
{
    TGuardedField field(6);
    WriteInfoField(field.Field(), field.Size(), "abcdefgh", kShiftJis);
    EXPECT_STREQ(field.Field(), "abcde");
    EXPECT_TRUE(field.GuardsIntact());

    // "aア" + "イ": the second double-byte character would need bytes 3 and 4,
    // and byte 4 must hold the terminator, so it goes whole.
    const std::string text = "a\x83\x41\x83\x43";
    TGuardedField dbcs(5);
    WriteInfoField(dbcs.Field(), dbcs.Size(), text, kShiftJis);
    EXPECT_EQ(std::string(dbcs.Field()), "a\x83\x41");
    EXPECT_TRUE(dbcs.GuardsIntact());
}

TEST(FillPlugInInfo, PutsEachTextAtItsOffsetAndNothingPastTheRecord)
{
    const int recordSize = tansy::kInfoDescriptionOffset + tansy::kInfoDescriptionSize;
    std::vector<char> bytes(recordSize + 16, kCanary);
    const std::string longText(300, 'x');
    FillPlugInInfo(*reinterpret_cast<TPlugInInfoRecord*>(bytes.data()),
                   {"title", longText, "1.26", longText}, kShiftJis);
    const char* base = bytes.data();
    EXPECT_STREQ(base + tansy::kInfoNameOffset, "title");
    EXPECT_EQ(std::strlen(base + tansy::kInfoVendorOffset), std::size_t{tansy::kInfoVendorSize - 1});
    EXPECT_STREQ(base + tansy::kInfoVersionOffset, "1.26");
    EXPECT_EQ(std::strlen(base + tansy::kInfoDescriptionOffset),
              std::size_t{tansy::kInfoDescriptionSize - 1});
    for (std::size_t i = recordSize; i < bytes.size(); ++i) EXPECT_EQ(bytes[i], kCanary) << i;
}

TEST(FillPlugInInfo, TheLanguagesTextsFitTheirFieldsUncut)
{
    for (const TLanguageTexts& texts : {JapaneseTexts(), EnglishTexts()}) {
        EXPECT_LT(texts.Title.size(), std::size_t{tansy::kInfoNameSize});
        EXPECT_LT(texts.Description.size(), std::size_t{tansy::kInfoDescriptionSize});
        TPlugInInfoRecord record;
        FillPlugInInfo(record, {texts.Title, "Quillbox Project", "1.26", texts.Description}, kShiftJis);
        EXPECT_EQ(std::string(record.Name), texts.Title);
        EXPECT_EQ(std::string(record.Description), texts.Description);
    }
}

}  // namespace
}  // namespace quillbox
