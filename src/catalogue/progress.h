// How long work (the folder scan, saving, removing) shows how far it has
// come: a whole percentage, as text beside a bar, passed on only when the
// text changes.
#pragma once

#include <string>

namespace quillbox {

// done / total * 100 to the nearest whole number, halves to the even one;
// 100 when there is nothing to count. Counted in integers, so that an exact
// half is seen as one (in floating point 23 of 40 came out as 57, not 58).
int WholePercent(long long done, long long total);

// "%d%%" of the percentage.
std::string PercentText(int percent);

// Where a percentage is shown.
class TProgressDisplay {
public:
    virtual ~TProgressDisplay() = default;

    // The percentage text ("" clears it) and the bar's position, 0 to 100.
    virtual void ShowProgress(const std::string& text, int position) = 0;
};

// Hands a percentage to its display only when its text differs from the
// last one handed over: showing it repaints, and repainting is slow.
class TChangedPercent {
public:
    explicit TChangedPercent(TProgressDisplay& display) : display_(display) {}

    void Show(int percent);

private:
    TProgressDisplay& display_;
    std::string shown_;
};

}  // namespace quillbox
