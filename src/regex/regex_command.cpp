#include "regex/regex_command.h"

#include <cstring>

#include "regex/regex_error.h"
#include "text/ascii.h"

namespace quillbox::regex {
namespace {

char ClosingOf(char open)
{
    switch (open) {
    case '(': return ')';
    case '[': return ']';
    case '{': return '}';
    case '<': return '>';
    default: return open;
    }
}

class TCommandReader {
public:
    TCommandReader(std::string_view text, const TLeadBytes& lead) : s_(text), lead_(lead) {}

    TCommand Read()
    {
        TCommand command;
        command.Lead = lead_;
        if (s_.substr(0, 2) == "tr" && s_.size() > 2 && IsDelimiter(s_[2])) {
            command.Kind = TCommand::TKind::Transliterate;
            pos_ = 2;
        } else if (!s_.empty() && s_[0] == 'y' && s_.size() > 1 && IsDelimiter(s_[1])) {
            command.Kind = TCommand::TKind::Transliterate;
            pos_ = 1;
        } else if (!s_.empty() && s_[0] == 's' && s_.size() > 1 && IsDelimiter(s_[1])) {
            command.Kind = TCommand::TKind::Substitute;
            pos_ = 1;
        } else if (!s_.empty() && s_[0] == 'm' && s_.size() > 1 && IsDelimiter(s_[1])) {
            pos_ = 1;
        } else if (!s_.empty() && s_[0] == '/') {
            pos_ = 0;
        } else {
            throw TRegexError("command must be m/.../, s/.../.../ or tr/.../.../");
        }
        char open = s_[pos_++];
        char close = ClosingOf(open);
        command.Pattern = ReadPart(open, close);
        command.Delimiter = close;
        if (command.Kind != TCommand::TKind::Match) {
            if (open != close) {
                while (pos_ < s_.size() && IsCSpaceButVerticalTab(s_[pos_])) ++pos_;
                if (pos_ >= s_.size() || !IsDelimiter(s_[pos_]))
                    throw TRegexError("missing replacement part in command");
                open = s_[pos_++];
                close = ClosingOf(open);
            }
            command.Replacement = ReadPart(open, close);
        }
        command.Flags = std::string(s_.substr(pos_));
        const char* allowed = command.Kind == TCommand::TKind::Transliterate ? "cdsk" : "igmsxko";
        for (char f : command.Flags) {
            if (!std::strchr(allowed, f) || f == '\0') {
                std::string message = "unknown flag '";
                message += f;
                message += "' in command";
                throw TRegexError(message);
            }
        }
        return command;
    }

private:
    static bool IsDelimiter(char c) { return c != '\0' && !IsAsciiWordChar(c) && !IsCSpaceButVerticalTab(c) && c != '\\'; }

    // Up to the closing delimiter, which is consumed; bracket pairs nest.
    std::string ReadPart(char open, char close)
    {
        std::string part;
        int depth = 0;
        while (pos_ < s_.size()) {
            const char c = s_[pos_];
            const auto byte = static_cast<unsigned char>(c);
            if (lead_.DoubleByte() && lead_.IsLead(byte) && pos_ + 1 < s_.size()) {
                part.append(s_.substr(pos_, 2));
                pos_ += 2;
                continue;
            }
            if (c == '\\' && pos_ + 1 < s_.size()) {
                const std::size_t n = lead_.CharLength(s_.data(), pos_ + 1, s_.size());
                part.append(s_.substr(pos_, 1 + n));
                pos_ += 1 + n;
                continue;
            }
            ++pos_;
            if (open != close && c == open) {
                ++depth;
            } else if (c == close) {
                if (depth == 0) return part;
                --depth;
            }
            part.push_back(c);
        }
        throw TRegexError("missing closing delimiter in command");
    }

    std::string_view s_;
    const TLeadBytes& lead_;
    std::size_t pos_ = 0;
};

}  // namespace

// Reading as Shift_JIS first tells whether the command carries the k flag;
// without it the command is read again by the process's code page.
TCommand ParseCommand(std::string_view command)
{
    const TLeadBytes shiftJis = TLeadBytes::ShiftJis();
    try {
        TCommand parsed = TCommandReader(command, shiftJis).Read();
        if (parsed.Has('k')) return parsed;
    } catch (const TRegexError&) {
    }
    const TLeadBytes active = TLeadBytes::Default();
    return TCommandReader(command, active).Read();
}

}  // namespace quillbox::regex
