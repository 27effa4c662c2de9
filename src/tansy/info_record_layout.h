// Layout of the plug-in information record filled by TSC_OnPlugInInfo: four
// zero-terminated byte-string fields at fixed offsets. Free of Windows headers
// so that portable code and its tests can check against it.
#pragma once

namespace tansy {
constexpr int kInfoNameOffset = 0;
constexpr int kInfoNameSize = 80;
constexpr int kInfoVendorOffset = 80;
constexpr int kInfoVendorSize = 80;
constexpr int kInfoVersionOffset = 160;
constexpr int kInfoVersionSize = 80;
constexpr int kInfoDescriptionOffset = 240;
constexpr int kInfoDescriptionSize = 224;  // what the plug-in may write there
}  // namespace tansy
