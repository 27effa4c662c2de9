#include "mime/header_fields.h"

#include "text/ascii.h"
#include "mime/line_breaks.h"

namespace quillbox {

namespace {

enum class TLineKind { Empty, Field, Continuation, Envelope, Other };

// What a header line is; for a field, where its colon is.
TLineKind KindOf(std::string_view line, std::size_t& colon)
{
    if (line.empty()) return TLineKind::Empty;
    if (line[0] == ' ' || line[0] == '\t') return TLineKind::Continuation;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(line[i]);
        if (c == ':') {
            colon = i;
            return TLineKind::Field;
        }
        if (c < 0x21 || c > 0x7E) break;
    }
    return line.starts_with("From ") ? TLineKind::Envelope : TLineKind::Other;
}

}  // namespace

THeaderFieldReader::THeaderFieldReader(std::string_view source, TMimeSpan content)
    : source_(source), begin_(content.Begin), end_(content.End), pos_(content.Begin), headerEnd_(content.Begin),
      bodyBegin_(content.Begin)
{
}

std::optional<THeaderField> THeaderFieldReader::Next()
{
    while (!done_) {
        if (pos_ >= end_) {
            headerEnd_ = bodyBegin_ = end_;
            done_ = true;
            break;
        }
        const std::size_t lineEnd = FindLineBreak(source_, pos_, end_);
        const std::size_t next = SkipLineBreak(source_, lineEnd, end_);
        std::size_t colon = 0;
        switch (KindOf(source_.substr(pos_, lineEnd - pos_), colon)) {
        case TLineKind::Empty:
            headerEnd_ = pos_;
            bodyBegin_ = next;
            done_ = true;
            break;
        case TLineKind::Other:
            headerEnd_ = bodyBegin_ = pos_;
            done_ = true;
            break;
        case TLineKind::Continuation:
        case TLineKind::Envelope:
            pos_ = next;
            break;
        case TLineKind::Field: {
            THeaderField field;
            field.Name = {pos_, pos_ + colon};
            field.Value.Begin = pos_ + colon + 1;
            std::size_t valueEnd = lineEnd;
            std::size_t after = next;
            // Continuation lines fold into the value.
            while (after < end_ && (source_[after] == ' ' || source_[after] == '\t')) {
                valueEnd = FindLineBreak(source_, after, end_);
                after = SkipLineBreak(source_, valueEnd, end_);
            }
            field.Value.End = valueEnd;
            field.Lines = {pos_, after};
            pos_ = after;
            headerEnd_ = after;
            return field;
        }
        }
    }
    return std::nullopt;
}

bool HasFieldName(std::string_view source, const THeaderField& field, std::string_view name)
{
    return EqualsIgnoringCase(field.Name.In(source), name);
}

}  // namespace quillbox
