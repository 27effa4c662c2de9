// Any bytes as a settings file: reading must not crash, and whatever it read
// must survive being written and read again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "regex/regex_library.h"
#include "settings/settings_reader.h"
#include "settings/settings_writer.h"

namespace {

using namespace quillbox;

void Require(bool condition)
{
    if (!condition) std::abort();
}

bool SameRereadableValues(const TSettings& a, const TLanguage& la, const TSettings& b, const TLanguage& lb)
{
    const bool positioned = a.SavedLeft != kNoSavedPosition && a.SavedTop != kNoSavedPosition;
    return (!positioned || (a.SavedLeft == b.SavedLeft && a.SavedTop == b.SavedTop &&
                            a.SavedWidth == b.SavedWidth && a.SavedHeight == b.SavedHeight)) &&
           a.GridWidths == b.GridWidths && a.SaveDir == b.SaveDir && a.Listing == b.Listing &&
           a.Fonts.SecondFont == b.Fonts.SecondFont && a.Fonts.JapaneseFont == b.Fonts.JapaneseFont &&
           la.LocaleID == lb.LocaleID &&
           la.MessageTable == lb.MessageTable;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    Require(LoadRegexLibrary(QBX_BREGEXP_DIR, [](const std::string&) {}));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    TSettings settings;
    TLanguage language = InitLanguage(1041);
    ReadSettingsText(text, settings, language, SharedRegExp());
    Require(!settings.GridWidths.empty());
    Require(settings.Fonts.SecondFont.Charset >= 0 && settings.Fonts.SecondFont.Charset <= 255);

    // A read that ended in an error leaves defaults that reread the same way.
    TSettings reread;
    TLanguage rereadLanguage = InitLanguage(1041);
    ReadSettingsText(FormatSettings(settings, language, "1.26"), reread, rereadLanguage, SharedRegExp());
    Require(SameRereadableValues(settings, language, reread, rereadLanguage));
    // Both charsets are always written.
    Require(reread.Fonts.FontsLoaded);
    return 0;
}
