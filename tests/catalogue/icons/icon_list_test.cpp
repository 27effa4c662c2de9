#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalogue/icons/icon_list.h"

namespace quillbox {
namespace {

struct FakeIcon : TIconImage {
    explicit FakeIcon(int* alive) : alive_(alive) { ++*alive_; }
    ~FakeIcon() override { --*alive_; }
    int* alive_;
};

// Records every question; knows icons only for the extensions it was given.
struct RecordingSource {
    RecordingSource(std::vector<std::string>* asked, int* alive, std::vector<std::string> known)
        : asked_(asked), alive_(alive), known_(std::move(known))
    {
    }
    std::unique_ptr<TIconImage> operator()(std::string_view ext)
    {
        asked_->emplace_back(ext);
        for (const auto& k : known_) {
            if (k == ext) return std::make_unique<FakeIcon>(alive_);
        }
        return nullptr;
    }
    std::vector<std::string>* asked_;
    int* alive_;
    std::vector<std::string> known_;
};

struct IconListFixture : ::testing::Test {
    std::vector<std::string> asked;
    int alive = 0;
    TIconList MakeList(TCodePage codePage = TCodePage(932))
    {
        return TIconList(RecordingSource(&asked, &alive, std::vector<std::string>{"pdf", "txt"}), codePage);
    }
};

TEST_F(IconListFixture, AsksTheShellOncePerExtensionWhateverTheSpelling)
{
    auto icons = MakeList();
    const auto* pdf = icons.GetIcon("PDF");
    EXPECT_EQ(icons.GetIcon(".pdf"), pdf);
    EXPECT_EQ(icons.GetIcon("Pdf"), pdf);
    EXPECT_EQ(pdf->Ext, "pdf");
    EXPECT_NE(pdf->IconImage, nullptr);
    EXPECT_NE(icons.GetIcon("txt"), pdf);
    EXPECT_EQ(asked, (std::vector<std::string>{"pdf", "txt"}));
}

TEST_F(IconListFixture, AnExtensionWithoutAnIconKeepsItsKeyAndIsAskedOnce)
{
    auto icons = MakeList();
    const auto* odd = icons.GetIcon(".XYZ");
    ASSERT_NE(odd, nullptr);
    EXPECT_EQ(odd->Ext, "xyz");
    EXPECT_EQ(odd->IconImage, nullptr);
    EXPECT_EQ(icons.GetIcon("xyz"), odd);
    const auto* none = icons.GetIcon("");  // a file name without a dot
    EXPECT_EQ(none->Ext, "");
    EXPECT_EQ(icons.GetIcon("."), none);
    EXPECT_EQ(asked, (std::vector<std::string>{"xyz", ""}));
    EXPECT_EQ(icons.Count(), 2u);
}

TEST_F(IconListFixture, DoubleByteExtensionsKeepTheirTrailBytes)
{
    auto icons = MakeList(TCodePage(932));
    // "ソ" is 0x83 0x5C and "ア" 0x83 0x41: the trail byte 0x41 is not an "A".
    const std::string upper = "\x83\x41" "B";
    EXPECT_EQ(icons.GetIcon(upper)->Ext, "\x83\x41" "b");
    EXPECT_EQ(LowerExtension("\x83\x41", TCodePage(1252)), "\x83\x61");
}

TEST_F(IconListFixture, DestroyingTheListDestroysEveryImageOnce)
{
    {
        auto icons = MakeList();
        icons.GetIcon("pdf");
        icons.GetIcon("txt");
        icons.GetIcon("PDF");
        EXPECT_EQ(alive, 2);
    }
    EXPECT_EQ(alive, 0);
}

}  // namespace
}  // namespace quillbox
