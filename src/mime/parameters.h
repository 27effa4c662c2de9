// A structured field value: its leading word ("multipart/mixed",
// "attachment") and its parameters ("; name=value").
//
// Parameters come in any order; names are matched without regard to case;
// values are quoted strings (backslash escapes undone, a missing closing
// quote running to the end) or bare text up to the next ";" with the white
// space around it dropped. RFC 2231 forms are understood: "name*=charset'
// language'percent-encoded", numbered sections "name*0", "name*1", ... and
// encoded sections "name*0*", whose bytes join before the charset of the
// first section decodes them. Text after a quoted value up to the next ";"
// is passed over.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "mime/mime_text.h"

namespace quillbox {

struct TParameter {
    std::string Name;     // lower case, without any RFC 2231 "*n" or "*"
    int Section = -1;     // the n of "*n"; -1 for none
    bool Extended = false;  // ends in "*": percent-encoded, charset first
    bool Quoted = false;
    std::string Value;    // quotes and escapes undone
};

class TParameterList {
public:
    // value: a field value as written, folding included.
    explicit TParameterList(std::string_view value);

    // The leading word with the white space around it dropped, as written.
    const std::string& Leading() const { return leading_; }
    const std::vector<TParameter>& Parameters() const { return parameters_; }

    // The parameter's value as text: the RFC 2231 form when there is one,
    // else the first plain one with its encoded words decoded. nullopt when
    // the parameter is absent.
    std::optional<TMimeText> Text(std::string_view name) const;

    // The plain value of the first parameter of that name, undecoded.
    std::optional<std::string> Plain(std::string_view name) const;

private:
    std::string leading_;
    std::vector<TParameter> parameters_;
};

}  // namespace quillbox
