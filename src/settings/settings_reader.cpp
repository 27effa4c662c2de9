#include "settings/settings_reader.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <stdexcept>

#include "regex/b_reg_exp.h"
#include "settings/settings_file_io.h"

namespace quillbox {

namespace {

class ESettingsNumberError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A hand-edited "Grid Width(2000000000)" must not allocate gigabytes; the
// grid has seven columns and later indexes are never written back.
constexpr std::size_t kMaxGridColumns = 256;

// What a hand-edited file may ask for: seven columns of the widest stay far
// from overflowing the window's width, and a font stays readable and fits
// a row. A width of 0 is a column without a saved width, as the entries that
// fill the gaps before a higher index are; it is kept so.
constexpr std::int32_t kMinColumnWidth = 8;
constexpr std::int32_t kMaxColumnWidth = 2000;

std::int32_t SavedColumnWidth(std::int32_t width)
{
    return width == 0 ? 0 : std::clamp(width, kMinColumnWidth, kMaxColumnWidth);
}
constexpr std::int32_t kMinFontSize = 6;
constexpr std::int32_t kMaxFontSize = 72;

// A view value outside its range is no choice the view menu can show; it
// reads as the default.
std::int32_t KnownOr(std::int32_t value, std::int32_t first, std::int32_t last, std::int32_t fallback)
{
    return value >= first && value <= last ? value : fallback;
}

std::int32_t ToInt32(const std::string& digits)
{
    std::int64_t value = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') throw ESettingsNumberError("'" + digits + "' is not a valid integer value");
        value = value * 10 + (c - '0');
        if (value > INT32_MAX) throw ESettingsNumberError("'" + digits + "' is not a valid integer value");
    }
    if (digits.empty()) throw ESettingsNumberError("'' is not a valid integer value");
    return static_cast<std::int32_t>(value);
}

// "SaveDir = " is what an empty value is written as; reading must not turn
// it into a folder of one blank.
std::string WithoutBlankOnlyValue(std::string value)
{
    const bool blanksOnly = std::all_of(value.begin(), value.end(), [](char c) {
        return c == ' ' || c == '\t' || c == '\f' || c == '\v';
    });
    return blanksOnly ? std::string() : value;
}

class TSettingsLineReader {
public:
    TSettingsLineReader(TSettings& settings, TLanguage& language, TBRegExp& regExp)
        : settings_(settings), language_(language), re_(regExp)
    {
    }

    // The first pattern that matches decides; a line that matches none is
    // ignored.
    void Apply(const std::string& line);

private:
    struct TRule {
        const char* Pattern;
        void (TSettingsLineReader::*Effect)();
    };
    static const TRule kRules[];

    std::int32_t Number(int group) const { return ToInt32(re_.Strings(group)); }

    // Only an upper-case "E" is the second language's font.
    TFontDescription& SelectedFont() const
    {
        return re_.Strings(1) == "E" ? settings_.Fonts.SecondFont : settings_.Fonts.JapaneseFont;
    }

    void Version() {}
    void Position()
    {
        settings_.SavedLeft = Number(1);
        settings_.SavedTop = Number(2);
        settings_.SavedWidth = Number(3);
        settings_.SavedHeight = Number(4);
    }
    void Maximized() { settings_.SavedMaximized = Number(1) != 0; }
    void GridWidth()
    {
        const auto index = static_cast<std::size_t>(Number(1));
        const std::int32_t width = SavedColumnWidth(Number(2));
        if (index >= kMaxGridColumns) return;
        if (settings_.GridWidths.size() < index + 1) settings_.GridWidths.resize(index + 1, 0);
        settings_.GridWidths[index] = width;
    }
    void SaveDir() { settings_.SaveDir = WithoutBlankOnlyValue(re_.Strings(1)); }
    void NumberSameNames() { settings_.Save.NumberSameNames = Number(1) != 0; }
    void MailDateOnFiles() { settings_.Save.MailDateOnFiles = Number(1) != 0; }
    void SortTarget() { settings_.Listing.SortTarget = KnownOr(Number(1), 1, 2, TListingSettings{}.SortTarget); }
    void ShowType() { settings_.Listing.ShowType = KnownOr(Number(1), 1, 3, TListingSettings{}.ShowType); }
    void ShowOrder() { settings_.Listing.ShowOrder = KnownOr(Number(1), 1, 2, TListingSettings{}.ShowOrder); }
    void ClassicRules() { settings_.ClassicRules = Number(1) != 0; }
    void Charset()
    {
        SelectedFont().Charset = static_cast<int>(static_cast<std::uint32_t>(Number(2)) % 256);
        settings_.Fonts.FontsLoaded = true;
    }
    void Size() { SelectedFont().Size = std::clamp(Number(2), kMinFontSize, kMaxFontSize); }
    void Color() { SelectedFont().Color = Number(2); }
    void Name() { SelectedFont().Name = WithoutBlankOnlyValue(re_.Strings(2)); }
    void Style()
    {
        const std::string style = re_.Strings(2);
        if (style == "b")
            SelectedFont().Style.Bold = true;
        else if (style == "i")
            SelectedFont().Style.Italic = true;
    }
    void Locale()
    {
        language_.LocaleID = Number(1);
        LoadMessages(language_);
    }

    TSettings& settings_;
    TLanguage& language_;
    TBRegExp& re_;
};

const TSettingsLineReader::TRule TSettingsLineReader::kRules[] = {
    {R"(m/^version\s*\=\s*(\d\.\d+)/i)", &TSettingsLineReader::Version},
    {R"(m/^pos\s*\=\s*\((\d+)\,\s*(\d+)\,\s*(\d+)\,\s*(\d+)/i)", &TSettingsLineReader::Position},
    {R"(m/^maximized\s*\=\s*(\d+)/i)", &TSettingsLineReader::Maximized},
    {R"(m/^grid\s+width\((\d+)\)\s*\=\s*(\d+)/i)", &TSettingsLineReader::GridWidth},
    {R"(m/^savedir\s*\=\s*(.+)$/i)", &TSettingsLineReader::SaveDir},
    {R"(m/^numbersamenames\s*\=\s*(\d+)/i)", &TSettingsLineReader::NumberSameNames},
    {R"(m/^maildateonfiles\s*\=\s*(\d+)/i)", &TSettingsLineReader::MailDateOnFiles},
    {R"(m/^sorttarget\s*\=\s*(\d+)/i)", &TSettingsLineReader::SortTarget},
    {R"(m/^showtype\s*\=\s*(\d+)/i)", &TSettingsLineReader::ShowType},
    {R"(m/^showorder\s*\=\s*(\d+)/i)", &TSettingsLineReader::ShowOrder},
    {R"(m/^classicrules\s*\=\s*(\d+)/i)", &TSettingsLineReader::ClassicRules},
    {R"(m/^([EJ])_Charset\s*\=\s*(\d+)/i)", &TSettingsLineReader::Charset},
    {R"(m/^([EJ])_Size\s*\=\s*(\d+)/i)", &TSettingsLineReader::Size},
    {R"(m/^([EJ])_Color\s*\=\s*(\d+)/i)", &TSettingsLineReader::Color},
    {R"(m/^([EJ])_Name\s*\=\s*(.+)$/i)", &TSettingsLineReader::Name},
    {R"(m/^([EJ])_Style\s*\=\s*(.+)$/i)", &TSettingsLineReader::Style},
    {R"(m/^Locale\s*\=\s*(\d+)/i)", &TSettingsLineReader::Locale},
};

void TSettingsLineReader::Apply(const std::string& line)
{
    for (const TRule& rule : kRules) {
        if (re_.Match(rule.Pattern, line)) {
            (this->*rule.Effect)();
            return;
        }
    }
}

// Lines end in CR LF, or in a lone CR or LF in a hand-edited file.
template <class F>
void ForEachLine(std::string_view text, F&& visit)
{
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = text.size();
        visit(std::string(text.substr(start, end - start)));
        const bool crLf = end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n';
        start = end + (crLf ? 2 : 1);
    }
}

void ResetToDefaults(TSettings& settings)
{
    settings.SavedMaximized = false;
    settings.Listing = TListingSettings{};
    settings.ClassicRules = false;
    settings.SaveDir.clear();
    settings.Save = TSaveOptions{};
    settings.GridWidths = {0};
}

void ForgetPositionAndView(TSettings& settings)
{
    settings.SavedLeft = kNoSavedPosition;
    settings.SavedTop = kNoSavedPosition;
    settings.SavedMaximized = false;
    const TListingSettings defaults;
    settings.Listing.SortTarget = defaults.SortTarget;
    settings.Listing.ShowType = defaults.ShowType;
    settings.Listing.ShowOrder = defaults.ShowOrder;
}

void ReadLines(std::string_view text, TSettings& settings, TLanguage& language, TBRegExp& regExp)
{
    TSettingsLineReader reader(settings, language, regExp);
    ForEachLine(text, [&reader](const std::string& line) {
        if (!line.empty()) reader.Apply(line);
    });
}

}  // namespace

void ReadSettingsText(std::string_view text, TSettings& settings, TLanguage& language, TBRegExp& regExp)
{
    ResetToDefaults(settings);
    try {
        ReadLines(text, settings, language, regExp);
    } catch (const std::exception&) {
        ForgetPositionAndView(settings);
    }
}

void ReadSettings(const std::string& path, TSettings& settings, TLanguage& language, TBRegExp& regExp)
{
    ResetToDefaults(settings);
    if (!SettingsFileExists(path)) {
        settings.SavedLeft = kNoSavedPosition;
        settings.SavedTop = kNoSavedPosition;
        return;
    }
    std::string text;
    try {
        text = ReadSettingsFileBytes(path);
    } catch (const std::exception&) {
        ForgetPositionAndView(settings);
        return;
    }
    ReadSettingsText(text, settings, language, regExp);
}

void ReadSettings(const std::string& path, TSettings& settings, TLanguage& language)
{
    ReadSettings(path, settings, language, SharedRegExp());
}

}  // namespace quillbox
