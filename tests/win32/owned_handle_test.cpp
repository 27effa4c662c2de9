#include "win32/owned_handle.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace quillbox {
namespace {

// Handles are small numbers; every close is recorded so that a handle given
// back twice, or never, shows.
std::vector<int> gClosed;

struct TZeroIsNone {
    using THandle = int;
    static THandle None() { return 0; }
    static void Close(THandle handle) { gClosed.push_back(handle); }
};

// Like a file handle: zero is a real handle, -1 is none.
struct TMinusOneIsNone {
    using THandle = int;
    static THandle None() { return -1; }
    static void Close(THandle handle) { gClosed.push_back(handle); }
};

using THandle = TOwnedHandle<TZeroIsNone>;
using TFile = TOwnedHandle<TMinusOneIsNone>;

class OwnedHandleTest : public ::testing::Test {
protected:
    void SetUp() override { gClosed.clear(); }
};

TEST_F(OwnedHandleTest, GivesItsHandleBackOnceWhateverWayItLeaves)
{
    {
        const THandle owner(7);
        EXPECT_TRUE(owner);
        EXPECT_EQ(owner.Get(), 7);
    }
    EXPECT_EQ(gClosed, std::vector<int>{7});

    gClosed.clear();
    {
        THandle first(1);
        THandle second(std::move(first));
        EXPECT_FALSE(first);
        THandle third;
        third = std::move(second);
        EXPECT_TRUE(gClosed.empty()) << "a move must not close";
    }
    EXPECT_EQ(gClosed, std::vector<int>{1});
}

TEST_F(OwnedHandleTest, ReplacingClosesTheOldHandleAndNoneIsNeverClosed)
{
    {
        THandle owner;
        EXPECT_FALSE(owner);
        owner.Reset(3);
        EXPECT_TRUE(gClosed.empty());
        owner.Reset(4);
        EXPECT_EQ(gClosed, std::vector<int>{3});
        THandle other(5);
        owner = std::move(other);
        EXPECT_EQ(gClosed, (std::vector<int>{3, 4}));
        THandle& same = owner;
        owner = std::move(same);
        EXPECT_EQ(owner.Get(), 5);
        owner.Reset(5);
        EXPECT_EQ(gClosed, (std::vector<int>{3, 4})) << "taking its own handle again must not close it";
        owner.Reset();
        EXPECT_FALSE(owner);
    }
    EXPECT_EQ(gClosed, (std::vector<int>{3, 4, 5}));
}

TEST_F(OwnedHandleTest, ReleasedHandleBelongsToTheCaller)
{
    {
        THandle owner(9);
        EXPECT_EQ(owner.Release(), 9);
        EXPECT_FALSE(owner);
    }
    EXPECT_TRUE(gClosed.empty());
}

TEST_F(OwnedHandleTest, TraitsDecideWhichValueIsNone)
{
    {
        const TFile failed(-1);
        const TFile zero(0);
        const TFile empty;
        EXPECT_FALSE(failed);
        EXPECT_TRUE(zero);
        EXPECT_FALSE(empty);
        EXPECT_EQ(empty.Get(), -1);
    }
    EXPECT_EQ(gClosed, std::vector<int>{0});
}

}  // namespace
}  // namespace quillbox
