// Everything the host calls ends there: no exception may unwind into the
// host, which cannot catch ours and whose own frames in between would be
// skipped.
#pragma once

#include <exception>
#include <string>
#include <utility>

namespace quillbox {

// How an error that ends a callback is told: its message, empty when what
// was thrown is not a standard exception and has none.
struct TNoReport {
    void operator()(const std::string&) const {}
};

namespace detail {
template <class Report>
void ReportQuietly(Report& report, const std::string& message) noexcept
{
    try {
        report(message);
    } catch (...) {
        // Nothing more can be told; the host gets its answer all the same.
    }
}
}  // namespace detail

// Runs a callback's body: whatever it throws is reported and goes no further.
template <class Body, class Report = TNoReport>
void RunForHost(Body&& body, Report&& report = {}) noexcept
{
    try {
        std::forward<Body>(body)();
    } catch (const std::exception& error) {
        detail::ReportQuietly(report, error.what());
    } catch (...) {
        detail::ReportQuietly(report, std::string());
    }
}

// The same for a callback with a result: onError when the body throws.
template <class Result, class Body, class Report = TNoReport>
Result ResultForHost(Result onError, Body&& body, Report&& report = {}) noexcept
{
    Result result = std::move(onError);
    RunForHost([&] { result = std::forward<Body>(body)(); }, std::forward<Report>(report));
    return result;
}

}  // namespace quillbox
