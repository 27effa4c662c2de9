#include "regex/regex_program.h"

#include <algorithm>

#include "regex/regex_error.h"
#include "regex/regex_limits.h"

namespace quillbox::regex {
namespace {

bool CanBeEmpty(const TNode& node)
{
    switch (node.kind) {
    case TNode::TKind::Char: return false;
    case TNode::TKind::Sequence:
        return std::all_of(node.children.begin(), node.children.end(), [](const auto& c) { return CanBeEmpty(*c); });
    case TNode::TKind::Alternation:
        return std::any_of(node.children.begin(), node.children.end(), [](const auto& c) { return CanBeEmpty(*c); });
    case TNode::TKind::Group: return CanBeEmpty(*node.children.front());
    case TNode::TKind::Repeat: return node.min == 0 || CanBeEmpty(*node.children.front());
    default: return true;
    }
}

// Width in bytes when every match has the same one, -1 otherwise; also -1
// when the node holds a group or a back-reference.
int FixedWidth(const TNode& node)
{
    switch (node.kind) {
    case TNode::TKind::Empty:
    case TNode::TKind::Assertion: return 0;
    case TNode::TKind::Char:
        return node.item.kind == TCharItem::TKind::Literal ? node.item.length : -1;
    case TNode::TKind::Sequence: {
        int total = 0;
        for (const auto& c : node.children) {
            const int w = FixedWidth(*c);
            if (w < 0) return -1;
            total += w;
        }
        return total;
    }
    case TNode::TKind::Alternation: {
        int width = -2;
        for (const auto& c : node.children) {
            const int w = FixedWidth(*c);
            if (w < 0 || (width != -2 && w != width)) return -1;
            width = w;
        }
        return width < 0 ? -1 : width;
    }
    case TNode::TKind::Group:
        return node.group > 0 ? -1 : FixedWidth(*node.children.front());
    case TNode::TKind::Repeat: {
        const int w = FixedWidth(*node.children.front());
        return (w >= 0 && node.min == node.max) ? w * node.min : -1;
    }
    default: return -1;
    }
}

class TCompiler {
public:
    explicit TCompiler(TPatternTree tree) : tree_(std::move(tree))
    {
        program_.classes = std::move(tree_.classes);
        program_.groups = tree_.groups;
        openSlot_ = 2 * (tree_.groups + 1);
        loopSlot_ = openSlot_ + tree_.groups + 1;
    }

    TProgram Compile()
    {
        Emit(*tree_.root);
        TInstruction match;
        match.op = TOp::Match;
        Add(match);
        program_.slots = loopSlot_;
        FindSearchHints();
        FindLeadingRepeat();
        return std::move(program_);
    }

private:
    int Add(const TInstruction& instruction)
    {
        if (program_.code.size() >= kMaxInstructions) throw TRegexError("regex too big");
        program_.code.push_back(instruction);
        return static_cast<int>(program_.code.size() - 1);
    }

    int Here() const { return static_cast<int>(program_.code.size()); }

    int AddItem(const TCharItem& item)
    {
        program_.items.push_back(item);
        return static_cast<int>(program_.items.size() - 1);
    }

    static bool IsOneChar(const TNode& node) { return node.kind == TNode::TKind::Char; }

    // A literal one-byte or two-byte character that can sit inside a run of
    // literal bytes: a lone lead byte cannot, it must not match half a character.
    static bool JoinsLiteral(const TNode& node)
    {
        return node.kind == TNode::TKind::Char && node.item.kind == TCharItem::TKind::Literal;
    }

    void Emit(const TNode& node)
    {
        switch (node.kind) {
        case TNode::TKind::Empty: break;
        case TNode::TKind::Char: EmitOne(node.item); break;
        case TNode::TKind::Sequence: EmitSequence(node); break;
        case TNode::TKind::Alternation: EmitAlternation(node); break;
        case TNode::TKind::Group: EmitGroup(node); break;
        case TNode::TKind::Repeat: EmitRepeat(node); break;
        case TNode::TKind::Assertion: {
            TInstruction in;
            in.op = TOp::Assert;
            in.assertion = node.assertion;
            Add(in);
            break;
        }
        case TNode::TKind::BackReference: {
            TInstruction in;
            in.op = TOp::BackReference;
            in.a = node.group;
            in.foldCase = node.foldCase;
            Add(in);
            break;
        }
        }
    }

    void EmitSequence(const TNode& node)
    {
        const auto& children = node.children;
        for (std::size_t i = 0; i < children.size();) {
            std::size_t j = i;
            std::vector<const TNode*> run;
            while (j < children.size() && JoinsLiteral(*children[j])) run.push_back(children[j++].get());
            if (run.size() > 1) {
                EmitLiteralRun(run);
                i = j;
            } else {
                Emit(*children[i]);
                ++i;
            }
        }
    }

    void EmitOne(const TCharItem& item)
    {
        TInstruction in;
        in.op = TOp::One;
        in.a = AddItem(item);
        Add(in);
    }

    void EmitLiteralRun(const std::vector<const TNode*>& run)
    {
        TLiteral literal;
        for (const TNode* n : run) {
            for (int k = 0; k < n->item.length; ++k) {
                literal.bytes.push_back(static_cast<char>(n->item.bytes[k]));
                literal.folds.push_back(n->item.foldCase);
            }
        }
        program_.literals.push_back(std::move(literal));
        TInstruction in;
        in.op = TOp::Literal;
        in.a = static_cast<int>(program_.literals.size() - 1);
        Add(in);
    }

    void EmitAlternation(const TNode& node)
    {
        std::vector<int> jumps;
        for (std::size_t i = 0; i < node.children.size(); ++i) {
            const bool last = i + 1 == node.children.size();
            int split = -1;
            if (!last) {
                TInstruction in;
                in.op = TOp::Split;
                split = Add(in);
                program_.code[split].a = Here();
            }
            Emit(*node.children[i]);
            if (!last) {
                TInstruction jump;
                jump.op = TOp::Jump;
                jumps.push_back(Add(jump));
                program_.code[split].b = Here();
            }
        }
        for (int j : jumps) program_.code[j].a = Here();
    }

    void EmitSave(int slot)
    {
        TInstruction in;
        in.op = TOp::Save;
        in.a = slot;
        Add(in);
    }

    // Until its close, a group keeps the value of its last complete round, so
    // that a back-reference inside it sees that one.
    void EmitGroup(const TNode& node)
    {
        if (node.group > 0) EmitSave(openSlot_ + node.group);
        Emit(*node.children.front());
        if (node.group > 0) {
            TInstruction close;
            close.op = TOp::Close;
            close.a = node.group;
            close.b = openSlot_ + node.group;
            Add(close);
        }
    }

    // (x)* with x one character: the group is the last character taken.
    static bool IsCapturedChar(const TNode& node)
    {
        return node.kind == TNode::TKind::Group && node.group > 0 && IsOneChar(*node.children.front());
    }

    static const TNode& WithoutPlainGroups(const TNode& node)
    {
        const TNode* n = &node;
        while (n->kind == TNode::TKind::Group && n->group == 0) n = n->children.front().get();
        return *n;
    }

    void EmitRepeat(const TNode& node)
    {
        const TNode& body = WithoutPlainGroups(*node.children.front());
        if (node.max == 0) return;
        if (IsOneChar(body) || IsCapturedChar(body)) {
            TInstruction in;
            in.op = TOp::Repeat;
            in.a = AddItem(IsOneChar(body) ? body.item : body.children.front()->item);
            in.capture = IsOneChar(body) ? -1 : body.group;
            in.min = node.min;
            in.max = node.max < 0 ? -1 : node.max;
            in.greedy = node.greedy;
            Add(in);
            return;
        }
        // A group of fixed width repeated zero times is forgotten, even when
        // an earlier round of an enclosing loop had set it.
        if (node.min == 0 && body.kind == TNode::TKind::Group && body.group > 0 &&
            FixedWidth(*body.children.front()) >= 0) {
            TInstruction unset;
            unset.op = TOp::Unset;
            unset.a = body.group;
            Add(unset);
        }
        for (int i = 0; i < node.min; ++i) Emit(body);
        if (node.max < 0) {
            EmitStar(body, node.greedy);
            return;
        }
        // Optional copies: e{0,3} is (?:e(?:e(?:e)?)?)?
        std::vector<int> splits;
        for (int i = node.min; i < node.max; ++i) {
            TInstruction in;
            in.op = TOp::Split;
            const int split = Add(in);
            splits.push_back(split);
            Emit(body);
        }
        for (int s : splits) {
            program_.code[s].a = node.greedy ? s + 1 : Here();
            program_.code[s].b = node.greedy ? Here() : s + 1;
        }
    }

    void EmitStar(const TNode& body, bool greedy)
    {
        const bool mayBeEmpty = CanBeEmpty(body);
        TInstruction split;
        split.op = TOp::Split;
        const int loop = Add(split);
        int mark = -1;
        if (mayBeEmpty) {
            TInstruction in;
            in.op = TOp::LoopMark;
            in.a = mark = loopSlot_++;
            Add(in);
        }
        Emit(body);
        int check = -1;
        if (mayBeEmpty) {
            TInstruction in;
            in.op = TOp::LoopCheck;
            in.a = mark;
            in.b = loop;
            check = Add(in);
        } else {
            TInstruction jump;
            jump.op = TOp::Jump;
            jump.a = loop;
            Add(jump);
        }
        const int exit = Here();
        if (check >= 0) program_.code[check].c = exit;
        program_.code[loop].a = greedy ? loop + 1 : exit;
        program_.code[loop].b = greedy ? exit : loop + 1;
    }

    // Leading literal bytes, and anchoring, from the start of the pattern.
    void FindSearchHints()
    {
        const TNode* node = tree_.root.get();
        while (node->kind == TNode::TKind::Group && node->group == 0) node = node->children.front().get();
        std::vector<const TNode*> lead;
        if (node->kind == TNode::TKind::Sequence) {
            for (const auto& c : node->children) lead.push_back(c.get());
        } else {
            lead.push_back(node);
        }
        if (!lead.empty() && lead.front()->kind == TNode::TKind::Assertion) {
            const TAssertion a = lead.front()->assertion;
            program_.anchoredAtStart = a == TAssertion::LineStart || a == TAssertion::TextStart;
            program_.anchoredAtLine = a == TAssertion::MultiLineStart;
            return;
        }
        for (const TNode* n : lead) {
            if (!JoinsLiteral(*n)) break;
            for (int k = 0; k < n->item.length; ++k) {
                program_.prefix.bytes.push_back(static_cast<char>(n->item.bytes[k]));
                program_.prefix.folds.push_back(n->item.foldCase);
            }
        }
        // A greedy repeat followed by a literal only stops where the literal can start.
        for (std::size_t i = 0; i + 1 < program_.code.size(); ++i) {
            TInstruction& in = program_.code[i];
            const TInstruction& after = program_.code[i + 1];
            if (in.op == TOp::Repeat && in.greedy && after.op == TOp::Literal) {
                const TLiteral& lit = program_.literals[after.a];
                in.next = static_cast<unsigned char>(lit.bytes[0]);
                in.nextFolds = lit.folds[0];
            } else if (in.op == TOp::Repeat && in.greedy && after.op == TOp::One &&
                       program_.items[after.a].kind == TCharItem::TKind::Literal) {
                in.next = program_.items[after.a].bytes[0];
                in.nextFolds = program_.items[after.a].foldCase;
            }
        }
    }

    // A group around the leading repeat captures from the start of the
    // attempt, which a back-reference would see: then the repeat must stand
    // first and capture nothing.
    void FindLeadingRepeat()
    {
        const std::vector<TInstruction>& code = program_.code;
        std::size_t first = 0;
        while (code[first].op == TOp::Save) ++first;
        const TInstruction& in = code[first];
        if (in.op != TOp::Repeat || in.max >= 0) return;
        const bool backReferences =
            std::any_of(code.begin(), code.end(), [](const TInstruction& i) { return i.op == TOp::BackReference; });
        if (backReferences && (first > 0 || in.capture > 0)) return;
        program_.leadingRepeat = static_cast<int>(first);
    }

    TPatternTree tree_;
    TProgram program_;
    int openSlot_ = 0;
    int loopSlot_ = 0;
};

}  // namespace

TProgram CompileProgram(TPatternTree tree)
{
    return TCompiler(std::move(tree)).Compile();
}

}  // namespace quillbox::regex
