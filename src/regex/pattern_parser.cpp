#include "regex/pattern_parser.h"

#include <cstring>
#include <string>

#include "regex/byte_escape.h"
#include "regex/regex_error.h"
#include "regex/regex_limits.h"
#include "text/ascii.h"

namespace quillbox::regex {
namespace {

std::unique_ptr<TNode> MakeNode(TNode::TKind kind)
{
    auto node = std::make_unique<TNode>();
    node->Kind = kind;
    return node;
}

// Escapes Perl knows and this library does not: better an error than a
// silently different match.
bool IsUnsupportedEscape(char c)
{
    return std::strchr("pPXCNKRhHvVgkoQElLuUGF", c) != nullptr;
}

class TParser {
public:
    TParser(std::string_view pattern, TPatternFlags flags, const TLeadBytes& lead)
        : p_(pattern), lead_(lead), flags_(flags) {}

    TPatternTree Parse()
    {
        tree_.Root = ParseAlternation(0);
        if (pos_ < p_.size()) Fail("unmatched ) in regex");
        if (maxBackReference_ > tree_.Groups) Fail("reference to nonexistent group in regex");
        return std::move(tree_);
    }

private:
    [[noreturn]] void Fail(const std::string& message) const { throw TRegexError(message); }

    bool AtEnd() const { return pos_ >= p_.size(); }
    char Peek(std::size_t ahead = 0) const { return pos_ + ahead < p_.size() ? p_[pos_ + ahead] : '\0'; }

    void SkipExtendedSpace()
    {
        if (!flags_.Extended) return;
        while (!AtEnd()) {
            if (IsCSpace(Peek())) {
                ++pos_;
            } else if (Peek() == '#') {
                while (!AtEnd() && Peek() != '\n') ++pos_;
            } else {
                break;
            }
        }
    }

    std::unique_ptr<TNode> ParseAlternation(int depth)
    {
        if (depth > kMaxNesting) Fail("regex nested too deeply");
        auto first = ParseSequence(depth);
        if (AtEnd() || Peek() != '|') return first;
        auto alternation = MakeNode(TNode::TKind::Alternation);
        alternation->Children.push_back(std::move(first));
        while (!AtEnd() && Peek() == '|') {
            ++pos_;
            alternation->Children.push_back(ParseSequence(depth));
        }
        return alternation;
    }

    std::unique_ptr<TNode> ParseSequence(int depth)
    {
        auto sequence = MakeNode(TNode::TKind::Sequence);
        for (;;) {
            SkipExtendedSpace();
            if (AtEnd() || Peek() == '|' || Peek() == ')') break;
            auto atom = ParseAtom(depth);
            if (!atom) continue;  // a comment or an inline flag change
            sequence->Children.push_back(ParseQuantifiers(std::move(atom)));
        }
        if (sequence->Children.size() == 1) return std::move(sequence->Children.front());
        if (sequence->Children.empty()) return MakeNode(TNode::TKind::Empty);
        return sequence;
    }

    // {n}, {n,}, {n,m} at pos_; false (pos_ unchanged) when the brace is a literal.
    bool ReadBraces(int& min, int& max)
    {
        std::size_t q = pos_ + 1;
        auto readNumber = [&](int& value) {
            const std::size_t start = q;
            long long n = 0;
            while (q < p_.size() && IsAsciiDigit(p_[q])) {
                n = n * 10 + (p_[q] - '0');
                if (n > kMaxRepeat) n = kMaxRepeat + 1;
                ++q;
            }
            value = static_cast<int>(n);
            return q > start;
        };
        if (!readNumber(min)) return false;
        if (q < p_.size() && p_[q] == '}') {
            max = min;
        } else if (q < p_.size() && p_[q] == ',') {
            ++q;
            if (!readNumber(max)) max = -1;
            if (q >= p_.size() || p_[q] != '}') return false;
        } else {
            return false;
        }
        if (min > kMaxRepeat || max > kMaxRepeat) Fail("quantifier in {,} bigger than " + std::to_string(kMaxRepeat) + " in regex");
        if (max >= 0 && min > max) Fail("can't do {n,m} with n > m in regex");
        pos_ = q + 1;
        return true;
    }

    bool ReadQuantifier(int& min, int& max)
    {
        switch (Peek()) {
        case '*': min = 0; max = -1; ++pos_; return true;
        case '+': min = 1; max = -1; ++pos_; return true;
        case '?': min = 0; max = 1; ++pos_; return true;
        case '{': return ReadBraces(min, max);
        default: return false;
        }
    }

    std::unique_ptr<TNode> ParseQuantifiers(std::unique_ptr<TNode> atom)
    {
        SkipExtendedSpace();
        int min = 0, max = 0;
        if (AtEnd() || !ReadQuantifier(min, max)) return atom;
        bool greedy = true;
        if (Peek() == '?') {
            greedy = false;
            ++pos_;
        } else if (Peek() == '+') {
            Fail("possessive quantifiers are not supported in regex");
        }
        SkipExtendedSpace();
        int ignoredMin = 0, ignoredMax = 0;
        const std::size_t before = pos_;
        if (!AtEnd() && ReadQuantifier(ignoredMin, ignoredMax)) {
            pos_ = before;
            Fail("nested quantifiers in regex");
        }
        auto repeat = MakeNode(TNode::TKind::Repeat);
        repeat->Min = min;
        repeat->Max = max;
        repeat->Greedy = greedy;
        repeat->Children.push_back(std::move(atom));
        return repeat;
    }

    std::unique_ptr<TNode> CharNode(const unsigned char* bytes, int length)
    {
        auto node = MakeNode(TNode::TKind::Char);
        node->Item.Kind = TCharItem::TKind::Literal;
        node->Item.Length = static_cast<unsigned char>(length);
        node->Item.Bytes[0] = bytes[0];
        node->Item.Bytes[1] = length == 2 ? bytes[1] : 0;
        node->Item.FoldCase = flags_.IgnoreCase && length == 1 && IsAsciiLetter(static_cast<char>(bytes[0]));
        return node;
    }

    std::unique_ptr<TNode> ByteNode(unsigned char byte) { return CharNode(&byte, 1); }

    std::unique_ptr<TNode> ClassNode(TCharClass cls)
    {
        if (flags_.IgnoreCase) cls.FoldAsciiCase();
        tree_.Classes.push_back(std::move(cls));
        auto node = MakeNode(TNode::TKind::Char);
        node->Item.Kind = TCharItem::TKind::Class;
        node->Item.ClassIndex = static_cast<int>(tree_.Classes.size() - 1);
        return node;
    }

    std::unique_ptr<TNode> AssertionNode(TAssertion assertion)
    {
        auto node = MakeNode(TNode::TKind::Assertion);
        node->Assertion = assertion;
        return node;
    }

    // The next character of the pattern as bytes (1, or 2 for a double-byte one).
    int ReadChar(unsigned char* bytes)
    {
        bytes[0] = static_cast<unsigned char>(p_[pos_]);
        if (lead_.DoubleByte() && lead_.IsLead(bytes[0]) && pos_ + 1 < p_.size()) {
            bytes[1] = static_cast<unsigned char>(p_[pos_ + 1]);
            pos_ += 2;
            return 2;
        }
        ++pos_;
        return 1;
    }

    std::unique_ptr<TNode> ParseAtom(int depth)
    {
        const char c = Peek();
        switch (c) {
        case '(': return ParseGroup(depth);
        case '*': case '+': case '?':
            Fail("quantifier follows nothing in regex");
        case '{': {
            int min = 0, max = 0;
            const std::size_t before = pos_;
            if (ReadBraces(min, max)) {
                pos_ = before;
                Fail("quantifier follows nothing in regex");
            }
            ++pos_;
            return ByteNode('{');
        }
        case '.': {
            ++pos_;
            auto node = MakeNode(TNode::TKind::Char);
            node->Item.Kind = flags_.SingleLine ? TCharItem::TKind::Any : TCharItem::TKind::AnyButNewline;
            return node;
        }
        case '^':
            ++pos_;
            return AssertionNode(flags_.MultiLine ? TAssertion::MultiLineStart : TAssertion::LineStart);
        case '$':
            ++pos_;
            return AssertionNode(flags_.MultiLine ? TAssertion::MultiLineEnd : TAssertion::LineEnd);
        case '[': ++pos_; return ClassNode(ParseClass());
        case '\\': return ParseEscape();
        default: {
            unsigned char bytes[2];
            const int length = ReadChar(bytes);
            return CharNode(bytes, length);
        }
        }
    }

    // Inline flags "imsx-imsx" at pos_; stops at ':' or ')'.
    TPatternFlags ReadInlineFlags()
    {
        TPatternFlags flags = flags_;
        bool on = true;
        while (!AtEnd() && Peek() != ':' && Peek() != ')') {
            const char f = Peek();
            switch (f) {
            case '-': on = false; break;
            case 'i': flags.IgnoreCase = on; break;
            case 'm': flags.MultiLine = on; break;
            case 's': flags.SingleLine = on; break;
            case 'x': flags.Extended = on; break;
            default: Fail("unknown or unsupported (? construct in regex");
            }
            ++pos_;
        }
        if (AtEnd()) Fail("unmatched ( in regex");
        return flags;
    }

    std::unique_ptr<TNode> ParseGroup(int depth)
    {
        ++pos_;  // (
        int group = 0;
        const TPatternFlags outer = flags_;
        if (Peek() == '?') {
            ++pos_;
            const char kind = Peek();
            if (kind == '#') {
                while (!AtEnd() && Peek() != ')') ++pos_;
                if (AtEnd()) Fail("unterminated comment (?# in regex");
                ++pos_;
                return nullptr;
            }
            if (kind == ':') {
                ++pos_;
            } else if (kind == '=' || kind == '!' || kind == '<' || kind == '>' || kind == '(' ||
                       kind == '|' || kind == 'P' || kind == '\'' || kind == '{' || kind == '?' ||
                       IsAsciiDigit(kind) || kind == 'R' || kind == '&' || kind == '+') {
                Fail("unsupported (? construct in regex");
            } else {
                const TPatternFlags inner = ReadInlineFlags();
                if (Peek() == ')') {  // (?i) applies to the rest of the enclosing group
                    ++pos_;
                    flags_ = inner;
                    return nullptr;
                }
                ++pos_;  // :
                flags_ = inner;
            }
        } else {
            group = ++tree_.Groups;
        }
        auto body = ParseAlternation(depth + 1);
        if (AtEnd() || Peek() != ')') Fail("unmatched ( in regex");
        ++pos_;
        flags_ = outer;
        auto node = MakeNode(TNode::TKind::Group);
        node->Group = group;
        node->Children.push_back(std::move(body));
        return node;
    }

    int ReadByteEscape(char c) { return regex::ReadByteEscape(p_, pos_, c); }

    // \d \w \s and their negations; false when c is none of them.
    bool ReadClassEscape(char c, TCharClass& out)
    {
        switch (c) {
        case 'd': out = TCharClass::Digits(); return true;
        case 'w': out = TCharClass::WordChars(); return true;
        case 's': out = TCharClass::Spaces(); return true;
        case 'D': out = TCharClass::Digits(); out.Negate(); return true;
        case 'W': out = TCharClass::WordChars(); out.Negate(); return true;
        case 'S': out = TCharClass::Spaces(); out.Negate(); return true;
        default: return false;
        }
    }

    std::unique_ptr<TNode> ParseEscape()
    {
        ++pos_;  // backslash
        if (AtEnd()) Fail("trailing \\ in regex");
        const unsigned char c = static_cast<unsigned char>(p_[pos_]);
        if (lead_.DoubleByte() && lead_.IsLead(c)) {
            unsigned char bytes[2];
            const int length = ReadChar(bytes);
            return CharNode(bytes, length);
        }
        ++pos_;
        TCharClass cls;
        if (ReadClassEscape(static_cast<char>(c), cls)) return ClassNode(std::move(cls));
        switch (c) {
        case 'b': return AssertionNode(TAssertion::WordBoundary);
        case 'B': return AssertionNode(TAssertion::NotWordBoundary);
        case 'A': return AssertionNode(TAssertion::TextStart);
        case 'z': return AssertionNode(TAssertion::TextEnd);
        case 'Z': return AssertionNode(TAssertion::TextEndOrNewline);
        default: break;
        }
        if (c >= '1' && c <= '9') return ParseNumberEscape();
        const int byte = ReadByteEscape(static_cast<char>(c));
        if (byte >= 0) return SingleByteNode(static_cast<unsigned char>(byte));
        if (IsUnsupportedEscape(static_cast<char>(c))) Fail("unsupported escape sequence in regex");
        return ByteNode(c);
    }

    // \1 to \9 always refer to a group; a longer number does when that many
    // groups have opened before it, else it is an octal escape.
    std::unique_ptr<TNode> ParseNumberEscape()
    {
        const std::size_t digits = --pos_;
        int number = 0;
        while (!AtEnd() && IsAsciiDigit(Peek()) && number < 100000) number = number * 10 + (p_[pos_++] - '0');
        if (number >= 10 && number > tree_.Groups) {
            pos_ = digits;
            if (Peek() < '0' || Peek() > '7') Fail("reference to nonexistent group in regex");
            return SingleByteNode(static_cast<unsigned char>(ReadOctalEscape(p_, pos_)));
        }
        auto node = MakeNode(TNode::TKind::BackReference);
        node->Group = number;
        node->FoldCase = flags_.IgnoreCase;
        if (number > maxBackReference_) maxBackReference_ = number;
        return node;
    }

    // A byte given by an escape: a lead byte stands alone only at the end of
    // the text, which a class expresses exactly.
    std::unique_ptr<TNode> SingleByteNode(unsigned char byte)
    {
        if (!(lead_.DoubleByte() && lead_.IsLead(byte))) return ByteNode(byte);
        TCharClass cls;
        cls.AddByte(byte);
        return ClassNode(std::move(cls));
    }

    // One member of a bracketed class: a character code, or a whole class
    // (isClass) for \d and the like and [:name:].
    unsigned ReadClassMember(TCharClass& set, bool& isClass)
    {
        isClass = false;
        if (Peek() == '[' && Peek(1) == ':') {
            const std::size_t close = p_.find(":]", pos_ + 2);
            if (close != std::string_view::npos) {
                set = PosixClass(p_.substr(pos_ + 2, close - pos_ - 2));
                pos_ = close + 2;
                isClass = true;
                return 0;
            }
        }
        if (Peek() == '\\') {
            ++pos_;
            if (AtEnd()) Fail("unmatched [ in regex");
            const unsigned char c = static_cast<unsigned char>(p_[pos_]);
            if (lead_.DoubleByte() && lead_.IsLead(c)) {
                unsigned char bytes[2];
                return ReadChar(bytes) == 2 ? (bytes[0] << 8 | bytes[1]) : bytes[0];
            }
            ++pos_;
            if (ReadClassEscape(static_cast<char>(c), set)) {
                isClass = true;
                return 0;
            }
            if (c == 'b') return 0x08;
            const int byte = ReadByteEscape(static_cast<char>(c));
            if (byte >= 0) return static_cast<unsigned>(byte);
            if (IsUnsupportedEscape(static_cast<char>(c))) Fail("unsupported escape sequence in regex");
            return c;
        }
        unsigned char bytes[2];
        return ReadChar(bytes) == 2 ? (bytes[0] << 8 | bytes[1]) : bytes[0];
    }

    TCharClass PosixClass(std::string_view name)
    {
        bool negate = false;
        if (!name.empty() && name.front() == '^') {
            negate = true;
            name.remove_prefix(1);
        }
        TCharClass c;
        auto range = [&](unsigned a, unsigned b) { c.AddRange(a, b); };
        if (name == "alpha") { range('a', 'z'); range('A', 'Z'); }
        else if (name == "digit") range('0', '9');
        else if (name == "alnum") { range('a', 'z'); range('A', 'Z'); range('0', '9'); }
        else if (name == "word") c = TCharClass::WordChars();
        else if (name == "space") c = TCharClass::Spaces();
        else if (name == "blank") { c.AddByte(' '); c.AddByte('\t'); }
        else if (name == "upper") range('A', 'Z');
        else if (name == "lower") range('a', 'z');
        else if (name == "xdigit") { range('0', '9'); range('a', 'f'); range('A', 'F'); }
        else if (name == "punct") { range('!', '/'); range(':', '@'); range('[', '`'); range('{', '~'); }
        else if (name == "cntrl") { range(0, 31); c.AddByte(127); }
        else if (name == "graph") range('!', '~');
        else if (name == "print") range(' ', '~');
        else if (name == "ascii") range(0, 127);
        else Fail("unknown POSIX class in regex");
        if (negate) c.Negate();
        return c;
    }

    TCharClass ParseClass()
    {
        TCharClass cls;
        bool negated = false;
        if (Peek() == '^') {
            negated = true;
            ++pos_;
        }
        bool first = true;
        for (;;) {
            if (AtEnd()) Fail("unmatched [ in regex");
            if (Peek() == ']' && !first) {
                ++pos_;
                break;
            }
            first = false;
            TCharClass member;
            bool isClass = false;
            const unsigned low = ReadClassMember(member, isClass);
            if (isClass) {
                cls.AddClass(member);
                continue;
            }
            if (Peek() == '-' && Peek(1) != ']' && pos_ + 1 < p_.size()) {
                const std::size_t dash = pos_;
                ++pos_;
                TCharClass other;
                bool otherIsClass = false;
                const unsigned high = ReadClassMember(other, otherIsClass);
                if (otherIsClass) {  // "a-\d": the dash is literal
                    cls.AddRange(low, low);
                    cls.AddByte('-');
                    cls.AddClass(other);
                    continue;
                }
                if (high < low) {
                    pos_ = dash;
                    Fail("invalid [] range in regex");
                }
                cls.AddRange(low, high);
                continue;
            }
            cls.AddRange(low, low);
        }
        if (negated) cls.Negate();
        return cls;
    }

    std::string_view p_;
    const TLeadBytes& lead_;
    TPatternFlags flags_;
    std::size_t pos_ = 0;
    int maxBackReference_ = 0;
    TPatternTree tree_;
};

}  // namespace

TPatternTree ParsePattern(std::string_view pattern, TPatternFlags flags, const TLeadBytes& lead)
{
    return TParser(pattern, flags, lead).Parse();
}

}  // namespace quillbox::regex
