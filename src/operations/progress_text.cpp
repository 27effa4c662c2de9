#include "operations/progress_text.h"

#include <cmath>

namespace quillbox {

int WholePercent(int done, int total)
{
    if (total <= 0) return 100;
    return static_cast<int>(std::nearbyint(static_cast<double>(done) / total * 100.0));
}

std::string PercentText(int percent) { return std::to_string(percent) + "%"; }

}  // namespace quillbox
