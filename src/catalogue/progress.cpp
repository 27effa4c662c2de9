#include "catalogue/progress.h"

namespace quillbox {

int WholePercent(long long done, long long total)
{
    if (total <= 0) return 100;
    const long long numerator = done * 100;
    long long rounded = numerator / total;
    const long long twiceRemainder = numerator % total * 2;
    if (twiceRemainder > total || (twiceRemainder == total && rounded % 2 == 1)) ++rounded;
    return static_cast<int>(rounded);
}

std::string PercentText(int percent) { return std::to_string(percent) + "%"; }

void TChangedPercent::Show(int percent)
{
    std::string text = PercentText(percent);
    if (text == shown_) return;
    display_.ShowProgress(text, percent);
    shown_ = std::move(text);
}

}  // namespace quillbox
