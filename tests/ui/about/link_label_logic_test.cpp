#include "ui/about/link_label_logic.h"

#include <gtest/gtest.h>

#include <vector>

namespace quillbox {
namespace {

constexpr TLinkColor kBlue = PaletteRgb(0, 0, 255);
constexpr TLinkColor kRed = PaletteRgb(255, 0, 0);
constexpr TLinkColor kMagenta = PaletteRgb(255, 0, 255);

TEST(LinkLabel, WithoutRegistryValuesBlueAndUnderlinedRedUnderTheMouse)
{
    TLinkLabelLogic label{TLinkSettings{}};
    EXPECT_EQ(label.Paint(), (TLinkLook{kBlue, true}));
    EXPECT_TRUE(label.MouseEnter());
    EXPECT_FALSE(label.MouseEnter());
    EXPECT_EQ(label.Paint(), (TLinkLook{kRed, true}));
    EXPECT_TRUE(label.MouseLeave());
    EXPECT_FALSE(label.MouseLeave());
    EXPECT_EQ(label.Paint(), (TLinkLook{kBlue, true}));
}

TEST(LinkLabel, UseHoverColorYesUnderlinesOnlyUnderTheMouse)
{
    TLinkSettings settings;
    settings.UseHoverColor = "yes";
    TLinkLabelLogic label{settings};
    EXPECT_EQ(label.Paint(), (TLinkLook{kBlue, false}));
    label.MouseEnter();
    EXPECT_EQ(label.Paint(), (TLinkLook{kRed, true}));
    label.MouseLeave();
    EXPECT_EQ(label.Paint(), (TLinkLook{kBlue, false}));
    // Anything but exactly "yes" keeps the underline.
    for (const char* other : {"Yes", "yes ", "no", ""}) {
        settings.UseHoverColor = other;
        TLinkLabelLogic always{settings};
        EXPECT_TRUE(always.Paint().Underlined) << other;
        always.MouseEnter();
        EXPECT_TRUE(always.Paint().Underlined) << other;
    }
}

TEST(LinkLabel, RegistryColoursAndMalformedOnesFallBackToTheirOwnState)
{
    TLinkSettings settings;
    settings.AnchorColor = "0,128,0";
    settings.AnchorHoverColor = "oops";
    settings.AnchorVisitedColor = "1,2";
    TLinkLabelLogic label{settings};
    EXPECT_EQ(label.Paint().Color, PaletteRgb(0, 128, 0));
    label.MouseEnter();
    EXPECT_EQ(label.Paint().Color, kRed);
    label.Click("http://quillbox.example.org/");
    EXPECT_EQ(label.Look().Color, kMagenta);
}

TEST(LinkLabel, ClickShowsTheVisitedColourUntilTheNextPaintAndTellsWebFromMail)
{
    TLinkLabelLogic label{TLinkSettings{}};
    label.MouseEnter();
    label.Paint();
    EXPECT_EQ(label.Click("http://quillbox.example.org/"), TLinkKind::Web);
    EXPECT_EQ(label.Look().Color, kMagenta);
    EXPECT_EQ(label.Paint().Color, kRed);
    EXPECT_EQ(label.Click("HTTP://QUILLBOX.EXAMPLE.ORG/"), TLinkKind::Mail);
    EXPECT_EQ(label.Click("someone@example.org"), TLinkKind::Mail);
}

class TRecordingShell final : public TLinkShell {
public:
    bool ShellOpenSucceeds = false;
    std::vector<std::pair<std::string, std::string>> Classes;
    std::vector<std::string> Calls;

    bool ShellOpen(const std::string& address) override
    {
        Calls.push_back("shell " + address);
        return ShellOpenSucceeds;
    }
    std::optional<std::string> ReadClassCommand(const std::string& key) override
    {
        Calls.push_back("read " + key);
        for (const auto& [name, value] : Classes)
            if (name == key) return value;
        return std::nullopt;
    }
    void StartProgram(const std::string& commandLine) override { Calls.push_back("start " + commandLine); }
};

using Calls = std::vector<std::string>;

TEST(OpenLink, AWebAddressTheShellOpensNeedsNoBrowserCommand)
{
    TRecordingShell shell;
    shell.ShellOpenSucceeds = true;
    OpenLink("http://quillbox.example.org/", TLinkKind::Web, shell);
    EXPECT_EQ(shell.Calls, (Calls{"shell http://quillbox.example.org/"}));
}

TEST(OpenLink, AWebAddressTheShellRefusesGoesToTheBrowserOfHtmlFiles)
{
    TRecordingShell shell;
    shell.Classes = {{".htm", "htmlfile"}, {"htmlfile\\shell\\open\\command", "\"C:\\B\\browser.exe\" \"%1\""}};
    OpenLink("http://quillbox.example.org/", TLinkKind::Web, shell);
    EXPECT_EQ(shell.Calls, (Calls{"shell http://quillbox.example.org/", "read .htm",
                                  "read htmlfile\\shell\\open\\command",
                                  "start \"C:\\B\\browser.exe\" http://quillbox.example.org/"}));
}

TEST(OpenLink, NothingRegisteredStartsNothing)
{
    TRecordingShell noHtm;
    OpenLink("http://quillbox.example.org/", TLinkKind::Web, noHtm);
    EXPECT_EQ(noHtm.Calls, (Calls{"shell http://quillbox.example.org/", "read .htm"}));

    TRecordingShell noCommand;
    noCommand.Classes = {{".htm", "htmlfile"}};
    OpenLink("http://quillbox.example.org/", TLinkKind::Web, noCommand);
    EXPECT_EQ(noCommand.Calls.size(), 3u);

    TRecordingShell noMailer;
    OpenLink("someone@example.org", TLinkKind::Mail, noMailer);
    EXPECT_EQ(noMailer.Calls, (Calls{"read mailto\\shell\\open\\command"}));
}

TEST(OpenLink, AMailAddressGoesUnchangedToTheMailProgramNeverToTheShell)
{
    TRecordingShell shell;
    shell.ShellOpenSucceeds = true;
    shell.Classes = {{"mailto\\shell\\open\\command", "C:\\Mail\\mailer.exe /mailurl:%1"}};
    OpenLink("someone@example.org", TLinkKind::Mail, shell);
    EXPECT_EQ(shell.Calls, (Calls{"read mailto\\shell\\open\\command", "start C:\\Mail\\mailer.exe /mailurl someone@example.org"}));
}

}  // namespace
}  // namespace quillbox
