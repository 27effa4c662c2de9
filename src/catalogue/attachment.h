// One attachment part of a mail.
#pragma once

#include <cstdint>
#include <string>

namespace quillbox {

class TIconListItem;  // an entry of the icon cache, which outlives every attachment

struct TAttachment {
    // Piece number in the mail source split at its boundary; piece 0 is what
    // precedes the first delimiter, so real parts count from 1.
    std::int32_t PartNo = -1;
    std::string FileName;
    std::string Encoding;  // Content-Transfer-Encoding as written, or "Unknown"
    std::int32_t Size = 0;  // raw part: headers and still-encoded body
    bool Marked = false;
    bool IsHTML = false;
    bool Visible = false;
    bool Removed = false;
    const TIconListItem* Icon = nullptr;
};

}  // namespace quillbox
