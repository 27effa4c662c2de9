#include "ui/about/link_text.h"

#include <optional>

namespace quillbox {

namespace {
constexpr unsigned kMaxComponent = 255;

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

std::optional<unsigned> Component(std::string_view text)
{
    text = Trimmed(text);
    if (text.empty()) return std::nullopt;
    unsigned value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + static_cast<unsigned>(c - '0');
        if (value > kMaxComponent) return std::nullopt;
    }
    return value;
}
}  // namespace

TLinkColor ParseColorText(std::string_view text, TLinkColor fallback)
{
    const std::size_t first = text.find(',');
    if (first == std::string_view::npos) return fallback;
    const std::size_t second = text.find(',', first + 1);
    if (second == std::string_view::npos) return fallback;
    const auto red = Component(text.substr(0, first));
    const auto green = Component(text.substr(first + 1, second - first - 1));
    const auto blue = Component(text.substr(second + 1));
    if (!red || !green || !blue) return fallback;
    return PaletteRgb(*red, *green, *blue);
}

bool IsWebAddress(std::string_view caption) { return caption.substr(0, 7) == "http://"; }

std::string RemovePlaceholder(std::string commandLine)
{
    // With nothing before the placeholder only the placeholder itself goes.
    const auto erase = [&commandLine](std::size_t at, std::size_t placeholderLength) {
        if (at == 0)
            commandLine.erase(0, placeholderLength);
        else
            commandLine.erase(at - 1, placeholderLength + 1);
    };
    if (const std::size_t quoted = commandLine.find("\"%1\""); quoted != std::string::npos)
        erase(quoted, 4);
    else if (const std::size_t plain = commandLine.find("%1"); plain != std::string::npos)
        erase(plain, 2);
    return commandLine;
}

std::string LinkCommandLine(const std::string& registeredCommand, const std::string& linkText)
{
    return RemovePlaceholder(registeredCommand) + " " + linkText;
}

}  // namespace quillbox
