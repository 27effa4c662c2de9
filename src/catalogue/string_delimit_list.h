// The fields of one line of a folder's index file: byte 0x01 separates them.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "text/code_page.h"

namespace quillbox {

class TStringDelimitList {
public:
    // Replaces the contents by the fields of line. Leading bytes 0x01-0x20 are
    // skipped, a final delimiter gives no empty field, and the text ends at
    // its first zero byte. A double-byte character is never split, so its
    // trail byte cannot end a field.
    void SplitLine(std::string_view line, TCodePage codePage = TCodePage::Active());

    std::size_t Count() const { return fields_.size(); }
    const std::string& operator[](std::size_t i) const { return fields_[i]; }
    const std::vector<std::string>& Fields() const { return fields_; }

private:
    std::vector<std::string> fields_;
};

}  // namespace quillbox
