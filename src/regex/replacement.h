// The replacement of s/// as Perl reads it in a double-quoted string:
// $1..$n, ${n}, \1..\9, $&, $` and $', the usual backslash escapes, the rest
// literally.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "regex/lead_bytes.h"
#include "regex/regex_matcher.h"

namespace quillbox::regex {

class TReplacement {
public:
    TReplacement(std::string_view text, const TLeadBytes& lead);

    // Appends the replacement for one match of text to out.
    void AppendTo(std::string& out, std::string_view text, const TMatchGroups& groups) const;

private:
    struct TPart {
        enum class TKind { Text, Group, Before, After };
        TKind Kind = TKind::Text;
        std::string Text;
        int Group = 0;
    };

    void AddText(std::string_view bytes);

    std::vector<TPart> parts_;
};

}  // namespace quillbox::regex
