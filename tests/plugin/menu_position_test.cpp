#include "plugin/menu_position.h"

#include <gtest/gtest.h>

#include <vector>

namespace quillbox {
namespace {

// Applies an insert point to a list of item identifiers the way the menu
// code does: command first, then the separator at the same index above it.
std::vector<unsigned> Inserted(std::vector<unsigned> ids, unsigned command)
{
    const TMenuInsertPoint point = FindInsertPoint(ids);
    const auto at = [&ids, &point] {
        return point.Position < 0 ? ids.end() : ids.begin() + point.Position;
    };
    ids.insert(at(), command);
    if (point.SeparatorAbove) ids.insert(at(), kSeparatorID);
    return ids;
}

constexpr unsigned kCmd = 500;
constexpr unsigned kSep = kSeparatorID;
constexpr unsigned kAnchor = kAnchorItemID;

TEST(FindInsertPoint, GoesAboveTheAnchorWithASeparator)
{
    EXPECT_EQ(Inserted({11, 12, kAnchor, 13}, kCmd),
              (std::vector<unsigned>{11, 12, kSep, kCmd, kAnchor, 13}));
}

TEST(FindInsertPoint, KeepsASeparatorAboveTheAnchorBelowTheCommand)
{
    EXPECT_EQ(Inserted({11, kSep, kAnchor}, kCmd),
              (std::vector<unsigned>{11, kSep, kCmd, kSep, kAnchor}));
}

TEST(FindInsertPoint, AtTheTopOrWithoutAnchorNeedsNoSeparator)
{
    EXPECT_EQ(Inserted({kAnchor, 11}, kCmd), (std::vector<unsigned>{kCmd, kAnchor, 11}));
    EXPECT_EQ(Inserted({kSep, kAnchor}, kCmd), (std::vector<unsigned>{kCmd, kSep, kAnchor}));
    EXPECT_EQ(Inserted({11, 12}, kCmd), (std::vector<unsigned>{11, 12, kCmd}));
    EXPECT_EQ(Inserted({}, kCmd), (std::vector<unsigned>{kCmd}));
}

TEST(FindInsertPoint, TakesTheLastOfSeveralAnchors)
{
    EXPECT_EQ(Inserted({kAnchor, 11, kAnchor}, kCmd),
              (std::vector<unsigned>{kAnchor, 11, kSep, kCmd, kAnchor}));
}

}  // namespace
}  // namespace quillbox
