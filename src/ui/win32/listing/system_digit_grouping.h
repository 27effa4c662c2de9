// The user's thousands separator and group size from the locale settings.
#pragma once

#include "ui/logic/digit_grouping.h"

namespace quillbox {

TDigitGrouping SystemDigitGrouping();

}  // namespace quillbox
