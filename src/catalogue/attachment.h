// One attachment part of a mail.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quillbox {

struct TIconListItem;  // an entry of the icon cache, which outlives every attachment

struct TAttachment {
    // Piece number in the mail source split at its boundary; piece 0 is what
    // precedes the first delimiter, so real parts count from 1. For a part
    // inside a nested multipart, the number of the top-level part that holds
    // it; 0 for the body of a mail that is not multipart.
    std::int32_t PartNo = -1;
    // The part numbers below the top-level part PartNo, outermost first
    // (the attachment at 2.1.3 has PartNo 2 and NestedPath {1, 3}); empty for a
    // top-level part.
    std::vector<std::int32_t> NestedPath;
    std::string FileName;
    std::string Encoding;  // Content-Transfer-Encoding as written, or "Unknown"
    // Raw part: headers and still-encoded body, up to the next delimiter
    // (the line break before it counted).
    std::int32_t Size = 0;
    bool Marked = false;
    bool IsHTML = false;
    bool Visible = false;
    bool Removed = false;
    const TIconListItem* Icon = nullptr;
};

// Where the part sits: "2.1.3"; "0" for the body of a mail that is not
// multipart.
std::string PartPathText(const TAttachment& attachment);
// The same as part numbers from the top: {2, 1, 3}; empty for that body.
std::vector<int> PartPath(const TAttachment& attachment);

}  // namespace quillbox
