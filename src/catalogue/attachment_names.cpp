#include "catalogue/attachment_names.h"

#include <array>
#include <string_view>

#include "text/ascii.h"

namespace quillbox {

std::string LocalFileName(const TMimeText& name, TCodePage local)
{
    std::string text = name.ToLocal(local);
    // Double-byte characters never use bytes below 0x20 or 0x7F.
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
    return text;
}

std::string NameForType(const TMediaType& type)
{
    struct TKnown {
        std::string_view Type;
        std::string_view Extension;
    };
    static constexpr std::array<TKnown, 36> kKnown{{
        {"application/pdf", "pdf"},           {"application/zip", "zip"},
        {"application/octet-stream", "bin"},  {"application/msword", "doc"},
        {"application/vnd.ms-excel", "xls"},  {"application/vnd.ms-powerpoint", "ppt"},
        {"application/rtf", "rtf"},           {"application/json", "json"},
        {"application/xml", "xml"},           {"application/ics", "ics"},
        {"application/pkcs7-signature", "p7s"}, {"application/x-pkcs7-signature", "p7s"},
        {"application/pkcs7-mime", "p7m"},    {"application/x-pkcs7-mime", "p7m"},
        {"application/pgp-signature", "asc"}, {"application/pgp-encrypted", "pgp"},
        {"application/ms-tnef", "dat"},       {"application/vnd.ms-tnef", "dat"},
        {"text/plain", "txt"},                {"text/html", "html"},
        {"text/calendar", "ics"},             {"text/csv", "csv"},
        {"text/xml", "xml"},                  {"text/rtf", "rtf"},
        {"text/vcard", "vcf"},                {"text/x-vcard", "vcf"},
        {"message/rfc822", "eml"},            {"message/global", "eml"},
        {"message/delivery-status", "txt"},   {"message/disposition-notification", "txt"},
        {"image/jpeg", "jpg"},                {"image/svg+xml", "svg"},
        {"audio/mpeg", "mp3"},                {"video/quicktime", "mov"},
        {"video/mpeg", "mpg"},                {"image/tiff", "tif"},
    }};
    const std::string text = type.Text();
    for (const TKnown& known : kKnown)
        if (known.Type == text) return "NoName." + std::string(known.Extension);
    // Otherwise the subtype, when it is a plain short word (png, webp, ogg).
    std::string_view subtype = type.Subtype;
    if (subtype.starts_with("x-")) subtype.remove_prefix(2);
    const bool plainWord = !subtype.empty() && subtype.size() <= 8 &&
                           subtype.find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789") == std::string_view::npos;
    if (plainWord) return "NoName." + std::string(subtype);
    return type.Type == "text" ? "NoName.txt" : "NoName.bin";
}

std::string LowerCaseName(const std::string& name, TCodePage codePage)
{
    std::string lower = name;
    for (std::size_t pos = 0; pos < lower.size();) {
        const std::size_t length = codePage.CharLength(lower, pos);
        if (length == 1) lower[pos] = AsciiLower(lower[pos]);
        pos += length;
    }
    return lower;
}

std::string ExtensionOf(const std::string& name, TCodePage codePage)
{
    const std::size_t dot = codePage.FindLastChar(name, '.');
    if (dot == std::string::npos) return {};
    for (const char separator : {'\\', ':'}) {
        const std::size_t at = codePage.FindLastChar(name, separator);
        if (at != std::string::npos && at > dot) return {};
    }
    return name.substr(dot);
}

}  // namespace quillbox
