// The hyperlink label's decisions about texts: colour values from the
// registry's "r,g,b" strings, web or mail address, and the command line that
// a registered browser or mail program is started with.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quillbox {

// A palette-relative colour, 0x02BBGGRR, as the platform's PALETTERGB makes it.
using TLinkColor = std::uint32_t;

constexpr TLinkColor PaletteRgb(unsigned red, unsigned green, unsigned blue)
{
    return 0x02000000u | (red & 0xFFu) | (green & 0xFFu) << 8 | (blue & 0xFFu) << 16;
}

// "r,g,b": three decimal integers from 0 to 255 separated by commas, blanks
// allowed around each. Anything else gives fallback, so that a bad registry
// value costs the link its colour, not its painting.
TLinkColor ParseColorText(std::string_view text, TLinkColor fallback);

// Only a caption that starts with exactly "http://" is a web address;
// anything else, "HTTP://" included, is taken for a mail address.
bool IsWebAddress(std::string_view caption);

// A registered command line without its "%1" placeholder: a quoted "%1"
// goes with the character before it (normally the blank), and so does an
// unquoted one; a line without "%1" stays as it is.
std::string RemovePlaceholder(std::string commandLine);

// What is started for a link: the command without its placeholder, a blank,
// and the link text unchanged.
std::string LinkCommandLine(const std::string& registeredCommand, const std::string& linkText);

}  // namespace quillbox
