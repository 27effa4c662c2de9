// The loaded library's entry points, as the pattern service calls them.
#pragma once

#include "regex/bregexp.h"

namespace quillbox {

struct TRegexEntryPoints {
    BMatchFunc match = nullptr;
    BMatchFunc subst = nullptr;
    BMatchFunc trans = nullptr;
    BSplitFunc split = nullptr;
    BRegfreeFunc regfree = nullptr;
    BRegexpVersionFunc version = nullptr;
};

// Null while no library is loaded.
const TRegexEntryPoints* LoadedRegexEntryPoints();

}  // namespace quillbox
