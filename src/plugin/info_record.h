// The plug-in information record the host hands to TSC_OnPlugInInfo: four
// zero-terminated byte-string fields at fixed offsets.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "text/code_page.h"

namespace quillbox {

struct TPlugInInfoRecord {
    char Name[80];
    char Vendor[80];
    char Version[80];
    char Description[224];  // what the plug-in may write; the host's field may be larger
};

struct TPlugInInfo {
    std::string Name;
    std::string Vendor;
    std::string Version;
    std::string Description;
};

// Writes text and its terminator into a field of fieldSize bytes. A text too
// long for the field is cut at the last whole character that leaves room for
// the terminator, so neither the field nor a double-byte character is split.
void WriteInfoField(char* field, std::size_t fieldSize, std::string_view text, TCodePage codePage);

void FillPlugInInfo(TPlugInInfoRecord& record, const TPlugInInfo& info, TCodePage codePage);

}  // namespace quillbox
