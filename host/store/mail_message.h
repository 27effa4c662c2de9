// Reading and editing the header block of a mail source (bytes, any line ends).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quillbox {

// The header block with its line ends, without the empty line after it.
std::string_view HeaderBlock(std::string_view source);

// The first field of that name (case-insensitive), unfolded; nullopt when absent.
std::optional<std::string> HeaderValue(std::string_view source, std::string_view name);

// Replaces the first field of that name, continuation lines included, or adds
// it at the end of the header block. The value's own line breaks are kept as
// folding; the source's line-end style is used for the new line.
std::string WithHeader(std::string_view source, std::string_view name, std::string_view value);

// Seconds since 1970 UTC of an RFC 5322 date ("Tue, 8 Dec 2026 10:00:00 +0900");
// nullopt when it cannot be read.
std::optional<std::int64_t> ParseMailDate(std::string_view value);

// A mail the user would say carries attachments: a multipart body that is
// not only alternatives, or a part with a file name.
bool CarriesAttachments(std::string_view source);

// Every line end made CR LF.
std::string WithCrLf(std::string_view text);

}  // namespace quillbox
