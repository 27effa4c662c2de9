#include "ui/win32/main_window/menu_layout.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace quillbox {
namespace {

struct TPlaced {
    const TMenuItemLayout* Layout;
    bool InPopup;
};

void Collect(const std::vector<TMenuItemLayout>& items, bool inPopup, std::vector<TPlaced>& placed)
{
    for (const TMenuItemLayout& item : items) {
        if (item.Item != TMenuItem::None) placed.push_back({&item, inPopup});
        Collect(item.Items, inPopup, placed);
    }
}

std::vector<TPlaced> AllItems()
{
    std::vector<TPlaced> placed;
    Collect(MainMenuLayout(), false, placed);
    Collect(GridPopupLayout(), true, placed);
    return placed;
}

// The window addresses items only by TMenuItem: an item missing from the
// layout, or laid out twice, would be one the window cannot reach.
TEST(MenuLayout, EveryItemIsLaidOutOnceUnderOneName)
{
    std::map<int, int> timesPlaced;
    std::set<std::string> names;
    for (const TPlaced& placed : AllItems()) {
        ++timesPlaced[static_cast<int>(placed.Layout->Item)];
        EXPECT_TRUE(names.insert(placed.Layout->Name).second) << placed.Layout->Name << " is used twice";
        const std::string prefix = placed.InPopup ? "pmn" : "mn";
        EXPECT_EQ(std::string(placed.Layout->Name).rfind(prefix, 0), 0u) << placed.Layout->Name;
    }
    for (int item = static_cast<int>(TMenuItem::None) + 1; item < kMenuItemCount; ++item)
        EXPECT_EQ(timesPlaced[item], 1) << "menu item " << item;
}

TEST(MenuLayout, SeparatorsAndDropDownsRunNoCommand)
{
    int separators = 0;
    const auto check = [&](const std::vector<TMenuItemLayout>& items, auto& self) -> void {
        for (const TMenuItemLayout& item : items) {
            if (item.Item == TMenuItem::None) {
                ++separators;
                EXPECT_EQ(item.Command, cmNone);
                EXPECT_TRUE(item.Items.empty());
            } else if (!item.Items.empty()) {
                EXPECT_EQ(item.Command, cmNone) << item.Name;
                self(item.Items, self);
            } else {
                EXPECT_NE(item.Command, cmNone) << item.Name;
            }
        }
    };
    check(MainMenuLayout(), check);
    check(GridPopupLayout(), check);
    EXPECT_GT(separators, 0);
}

// A key press runs the first available item with that shortcut; two items
// sharing one would leave the second unreachable from the keyboard.
TEST(MenuLayout, NoTwoItemsShareAShortcut)
{
    std::set<std::string> seen;
    int shortcuts = 0;
    for (const TPlaced& placed : AllItems()) {
        const TShortcut& keys = placed.Layout->Shortcut;
        if (keys.Key == 0) continue;
        ++shortcuts;
        EXPECT_TRUE(seen.insert(ShortcutText(keys)).second) << placed.Layout->Name;
    }
    EXPECT_EQ(shortcuts, 20);
}

TEST(MenuLayout, ShortcutTextNamesTheKeys)
{
    EXPECT_EQ(ShortcutText({}), "");
    EXPECT_EQ(ShortcutText({'A', true, true}), "Ctrl+Alt+A");
    EXPECT_EQ(ShortcutText({'E', true, false}), "Ctrl+E");
    EXPECT_EQ(ShortcutText({kKeyF3}), "F3");
    EXPECT_EQ(ShortcutText({kKeyDelete}), "Del");
}

}  // namespace
}  // namespace quillbox
