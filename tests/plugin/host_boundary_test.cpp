#include "plugin/host_boundary.h"

#include <gtest/gtest.h>

#include <memory>
#include <new>
#include <stdexcept>
#include <vector>

namespace quillbox {
namespace {

struct Recorder {
    void operator()(const std::string& message) { Messages.push_back(message); }
    std::vector<std::string> Messages;
};

TEST(HostBoundary, AResultPassesThroughWhenNothingIsThrown)
{
    Recorder report;
    EXPECT_EQ(ResultForHost(1, [] { return 0; }, std::ref(report)), 0);
    int runs = 0;
    RunForHost([&] { ++runs; }, std::ref(report));
    EXPECT_EQ(runs, 1);
    EXPECT_TRUE(report.Messages.empty());
    // A result that can only be moved, as the start-up's.
    const auto made = ResultForHost(std::unique_ptr<int>(), [] { return std::make_unique<int>(7); });
    ASSERT_TRUE(made);
    EXPECT_EQ(*made, 7);
}

TEST(HostBoundary, WhateverIsThrownEndsAtTheBoundaryAndIsReported)
{
    Recorder report;
    EXPECT_EQ(ResultForHost(1, []() -> int { throw std::runtime_error("index unreadable"); }, std::ref(report)), 1);
    EXPECT_EQ(ResultForHost(1, []() -> int { throw std::bad_alloc(); }, std::ref(report)), 1);
    // Not a standard exception: no message of its own.
    RunForHost([] { throw 42; }, std::ref(report));
    EXPECT_EQ(ResultForHost(false, []() -> bool { throw "text"; }), false);
    ASSERT_EQ(report.Messages.size(), 3u);
    EXPECT_EQ(report.Messages[0], "index unreadable");
    EXPECT_EQ(report.Messages[1], std::bad_alloc().what());
    EXPECT_EQ(report.Messages[2], "");
}

TEST(HostBoundary, AReportThatThrowsGoesNoFurther)
{
    int reports = 0;
    const auto failingReport = [&reports](const std::string&) {
        ++reports;
        throw std::runtime_error("no window for the box");
    };
    EXPECT_EQ(ResultForHost(1, []() -> int { throw 0; }, failingReport), 1);
    RunForHost([] { throw std::logic_error("x"); }, failingReport);
    EXPECT_EQ(reports, 2);
}

}  // namespace
}  // namespace quillbox
