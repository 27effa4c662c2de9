// The whole-percent progress the save and removal commands show.
#pragma once

#include <string>

namespace quillbox {

// done / total * 100 to the nearest whole number, halves to the even one;
// 100 when there is nothing to count.
int WholePercent(int done, int total);

// "%d%%" of the percentage.
std::string PercentText(int percent);

}  // namespace quillbox
