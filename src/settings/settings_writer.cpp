#include "settings/settings_writer.h"

#include <string_view>

#include "settings/settings_file_io.h"

namespace quillbox {

namespace {

class TLineWriter {
public:
    TLineWriter& Line(std::string_view text = {})
    {
        text_.append(text);
        text_.append("\r\n");
        return *this;
    }
    TLineWriter& Value(std::string_view key, std::string_view value)
    {
        return Line(std::string(key) + " = " + std::string(value));
    }
    TLineWriter& Value(std::string_view key, std::int32_t value) { return Value(key, std::to_string(value)); }
    std::string Text() const { return text_; }

private:
    std::string text_;
};

void WriteFont(TLineWriter& out, const std::string& prefix, const TFontDescription& font)
{
    out.Value(prefix + "Charset", font.Charset & 0xFF)
        .Value(prefix + "Size", font.Size)
        .Value(prefix + "Color", font.Color);
    if (font.Style.Bold) out.Value(prefix + "Style", "b");
    if (font.Style.Italic) out.Value(prefix + "Style", "i");
    out.Value(prefix + "Name", font.Name);
}

}  // namespace

void TakeWindowState(TSettings& settings, const TOpenWindowState& window)
{
    settings.SavedLeft = window.Left;
    settings.SavedTop = window.Top;
    settings.SavedWidth = window.Width;
    settings.SavedHeight = window.Height;
    settings.SavedMaximized = window.Maximized;
    settings.GridWidths = window.ColumnWidths;
}

std::string FormatSettings(const TSettings& settings, const TLanguage& language,
                           const std::string& pluginVersion)
{
    TLineWriter out;
    out.Line("# " + language.PlugInTitle + " " + language.MessageTable[msgSettingsComment])
        .Line()
        .Line("[App Info]")
        .Value("version", pluginVersion)
        .Line()
        .Line("[Window Frame]")
        .Line("Pos = (" + std::to_string(settings.SavedLeft) + ", " + std::to_string(settings.SavedTop) + ", " +
              std::to_string(settings.SavedWidth) + ", " + std::to_string(settings.SavedHeight) + ")");
    if (settings.SavedMaximized) out.Value("Maximized", 1);
    out.Line().Line("[Grid Size]");
    for (std::size_t i = 0; i < settings.GridWidths.size(); ++i)
        out.Value("Grid Width(" + std::to_string(i) + ")", settings.GridWidths[i]);
    out.Line()
        .Line("[Export Setting]")
        .Value("SaveDir", settings.SaveDir)
        .Value("NumberSameNames", settings.Save.NumberSameNames ? 1 : 0)
        .Value("MailDateOnFiles", settings.Save.MailDateOnFiles ? 1 : 0)
        .Line()
        .Line("[View Options]")
        .Value("SortTarget", settings.Listing.SortTarget)
        .Value("ShowType", settings.Listing.ShowType)
        .Value("ShowOrder", settings.Listing.ShowOrder)
        .Value("ClassicRules", settings.ClassicRules ? 1 : 0)
        .Line()
        .Line("[Locale]")
        .Value("Locale", language.LocaleID)
        .Line()
        .Line("[Font]");
    WriteFont(out, "E_", settings.Fonts.SecondFont);
    WriteFont(out, "J_", settings.Fonts.JapaneseFont);
    return out.Text();
}

TSettingsFile::TSettingsFile(std::string path, std::string pluginVersion,
                             std::function<void(const std::string& message)> showFailure)
    : path_(std::move(path)), pluginVersion_(std::move(pluginVersion)), showFailure_(std::move(showFailure))
{
}

bool TSettingsFile::WriteSettings(TSettings& settings, const TLanguage& language, const TOpenWindowState& window)
{
    try {
        TakeWindowState(settings, window);
        ReplaceSettingsFile(path_, FormatSettings(settings, language, pluginVersion_));
        failureShown_ = false;
        return true;
    } catch (...) {
        // Whatever went wrong, the user hears of it below, once.
    }
    if (!failureShown_) {
        failureShown_ = true;
        try {
            showFailure_(SettingsNotWrittenText(language.LocaleID, path_));
        } catch (...) {
            // Nothing more to tell: the window closes all the same.
        }
    }
    return false;
}

}  // namespace quillbox
