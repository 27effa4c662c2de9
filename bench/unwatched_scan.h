// The folder scan for the benchmarks: nobody to watch it or press Esc;
// errors go to standard error.
#pragma once

#include <cstdio>
#include <string>

#include "catalogue/folder_scan.h"

namespace quillbox {

inline void ScanUnwatched(TMailList& list, THostApi& host, TIconSource& icons)
{
    TUnwatchedScan progress;
    const std::string error = ScanFolderMails(list, host, icons, progress);
    if (!error.empty()) std::fprintf(stderr, "scan error: %s\n", error.c_str());
}

}  // namespace quillbox
