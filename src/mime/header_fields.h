// The header block of a mail or of a MIME part: its fields, as spans into the
// source, and where the body begins.
//
// A field is a line "Name: value" followed by any continuation lines (lines
// that start with a blank or a tab: folding). The block ends at the first
// empty line, whose line break goes with it, or at the first line that is
// neither a field, a continuation nor a "From " line; that line is then the
// body's first line. A continuation line before the first field, and a
// "From " line, are no fields and are passed over. Names are any printable
// ASCII but ":", matched without regard to case; lines end at CR LF, LF or
// CR. The same block gives the same fields to every reader here, the scan,
// the decoder and the rewrite alike.
#pragma once

#include <optional>
#include <string_view>

#include "mime/mime_span.h"

namespace quillbox {

struct THeaderField {
    TMimeSpan Name;
    // From after the colon to the end of the field's last line, folding line
    // breaks included; its line break excluded.
    TMimeSpan Value;
    // The whole field, its continuation lines and final line break included.
    TMimeSpan Lines;
};

// Walks the fields of the block that starts at content.Begin; reads nothing
// beyond content.End.
class THeaderFieldReader {
public:
    THeaderFieldReader(std::string_view source, TMimeSpan content);

    // The next field; nullopt once the block has ended.
    std::optional<THeaderField> Next();

    // Valid once Next has returned nullopt: the field lines (from
    // content.Begin to the end of the last header line, its line break
    // included), and where the body begins (after the empty line, or at the
    // first line that is no header line, or at content.End).
    TMimeSpan Header() const { return {begin_, headerEnd_}; }
    std::size_t BodyBegin() const { return bodyBegin_; }

private:
    std::string_view source_;
    std::size_t begin_;
    std::size_t end_;
    std::size_t pos_;
    std::size_t headerEnd_;
    std::size_t bodyBegin_;
    bool done_ = false;
};

// Whether the field's name is name (ASCII, any letter case).
bool HasFieldName(std::string_view source, const THeaderField& field, std::string_view name);

}  // namespace quillbox
