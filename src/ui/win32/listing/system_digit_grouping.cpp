#include "ui/win32/listing/system_digit_grouping.h"

#include <windows.h>

#include <cstdlib>

namespace quillbox {

namespace {

std::string LocaleText(LCTYPE item)
{
    char text[16] = {};
    return GetLocaleInfoA(LOCALE_USER_DEFAULT, item, text, sizeof text) > 0 ? text : "";
}

}  // namespace

TDigitGrouping SystemDigitGrouping()
{
    TDigitGrouping grouping;
    grouping.Separator = LocaleText(LOCALE_STHOUSAND);
    // "3;0" and "3" both group by threes; the leading size is the one that counts.
    const std::string sizes = LocaleText(LOCALE_SGROUPING);
    if (!sizes.empty()) grouping.GroupSize = std::atoi(sizes.c_str());
    return grouping;
}

}  // namespace quillbox
