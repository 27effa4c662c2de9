#include "regex/regex_program.h"

#include <algorithm>

#include "regex/regex_error.h"
#include "regex/regex_limits.h"

namespace quillbox::regex {
namespace {

bool CanBeEmpty(const TNode& node)
{
    switch (node.Kind) {
    case TNode::TKind::Char: return false;
    case TNode::TKind::Sequence:
        return std::all_of(node.Children.begin(), node.Children.end(), [](const auto& c) { return CanBeEmpty(*c); });
    case TNode::TKind::Alternation:
        return std::any_of(node.Children.begin(), node.Children.end(), [](const auto& c) { return CanBeEmpty(*c); });
    case TNode::TKind::Group: return CanBeEmpty(*node.Children.front());
    case TNode::TKind::Repeat: return node.Min == 0 || CanBeEmpty(*node.Children.front());
    default: return true;
    }
}

// Width in bytes when every match has the same one, -1 otherwise; also -1
// when the node holds a group or a back-reference.
int FixedWidth(const TNode& node)
{
    switch (node.Kind) {
    case TNode::TKind::Empty:
    case TNode::TKind::Assertion: return 0;
    case TNode::TKind::Char:
        return node.Item.Kind == TCharItem::TKind::Literal ? node.Item.Length : -1;
    case TNode::TKind::Sequence: {
        int total = 0;
        for (const auto& c : node.Children) {
            const int w = FixedWidth(*c);
            if (w < 0) return -1;
            total += w;
        }
        return total;
    }
    case TNode::TKind::Alternation: {
        int width = -2;
        for (const auto& c : node.Children) {
            const int w = FixedWidth(*c);
            if (w < 0 || (width != -2 && w != width)) return -1;
            width = w;
        }
        return width < 0 ? -1 : width;
    }
    case TNode::TKind::Group:
        return node.Group > 0 ? -1 : FixedWidth(*node.Children.front());
    case TNode::TKind::Repeat: {
        const int w = FixedWidth(*node.Children.front());
        return (w >= 0 && node.Min == node.Max) ? w * node.Min : -1;
    }
    default: return -1;
    }
}

class TCompiler {
public:
    explicit TCompiler(TPatternTree tree) : tree_(std::move(tree))
    {
        program_.Classes = std::move(tree_.Classes);
        program_.Groups = tree_.Groups;
        openSlot_ = 2 * (tree_.Groups + 1);
        loopSlot_ = openSlot_ + tree_.Groups + 1;
    }

    TProgram Compile()
    {
        Emit(*tree_.Root);
        TInstruction match;
        match.Op = TOp::Match;
        Add(match);
        program_.Slots = loopSlot_;
        FindSearchHints();
        FindLeadingRepeat();
        return std::move(program_);
    }

private:
    int Add(const TInstruction& instruction)
    {
        if (program_.Code.size() >= kMaxInstructions) throw TRegexError("regex too big");
        program_.Code.push_back(instruction);
        return static_cast<int>(program_.Code.size() - 1);
    }

    int Here() const { return static_cast<int>(program_.Code.size()); }

    int AddItem(const TCharItem& item)
    {
        program_.Items.push_back(item);
        return static_cast<int>(program_.Items.size() - 1);
    }

    static bool IsOneChar(const TNode& node) { return node.Kind == TNode::TKind::Char; }

    // A literal one-byte or two-byte character that can sit inside a run of
    // literal bytes: a lone lead byte cannot, it must not match half a character.
    static bool JoinsLiteral(const TNode& node)
    {
        return node.Kind == TNode::TKind::Char && node.Item.Kind == TCharItem::TKind::Literal;
    }

    void Emit(const TNode& node)
    {
        switch (node.Kind) {
        case TNode::TKind::Empty: break;
        case TNode::TKind::Char: EmitOne(node.Item); break;
        case TNode::TKind::Sequence: EmitSequence(node); break;
        case TNode::TKind::Alternation: EmitAlternation(node); break;
        case TNode::TKind::Group: EmitGroup(node); break;
        case TNode::TKind::Repeat: EmitRepeat(node); break;
        case TNode::TKind::Assertion: {
            TInstruction in;
            in.Op = TOp::Assert;
            in.Assertion = node.Assertion;
            Add(in);
            break;
        }
        case TNode::TKind::BackReference: {
            TInstruction in;
            in.Op = TOp::BackReference;
            in.A = node.Group;
            in.FoldCase = node.FoldCase;
            Add(in);
            break;
        }
        }
    }

    void EmitSequence(const TNode& node)
    {
        const auto& children = node.Children;
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
        in.Op = TOp::One;
        in.A = AddItem(item);
        Add(in);
    }

    void EmitLiteralRun(const std::vector<const TNode*>& run)
    {
        TLiteral literal;
        for (const TNode* n : run) {
            for (int k = 0; k < n->Item.Length; ++k) {
                literal.Bytes.push_back(static_cast<char>(n->Item.Bytes[k]));
                literal.Folds.push_back(n->Item.FoldCase);
            }
        }
        program_.Literals.push_back(std::move(literal));
        TInstruction in;
        in.Op = TOp::Literal;
        in.A = static_cast<int>(program_.Literals.size() - 1);
        Add(in);
    }

    void EmitAlternation(const TNode& node)
    {
        std::vector<int> jumps;
        for (std::size_t i = 0; i < node.Children.size(); ++i) {
            const bool last = i + 1 == node.Children.size();
            int split = -1;
            if (!last) {
                TInstruction in;
                in.Op = TOp::Split;
                split = Add(in);
                program_.Code[split].A = Here();
            }
            Emit(*node.Children[i]);
            if (!last) {
                TInstruction jump;
                jump.Op = TOp::Jump;
                jumps.push_back(Add(jump));
                program_.Code[split].B = Here();
            }
        }
        for (int j : jumps) program_.Code[j].A = Here();
    }

    void EmitSave(int slot)
    {
        TInstruction in;
        in.Op = TOp::Save;
        in.A = slot;
        Add(in);
    }

    // Until its close, a group keeps the value of its last complete round, so
    // that a back-reference inside it sees that one.
    void EmitGroup(const TNode& node)
    {
        if (node.Group > 0) EmitSave(openSlot_ + node.Group);
        Emit(*node.Children.front());
        if (node.Group > 0) {
            TInstruction close;
            close.Op = TOp::Close;
            close.A = node.Group;
            close.B = openSlot_ + node.Group;
            Add(close);
        }
    }

    // (x)* with x one character: the group is the last character taken.
    static bool IsCapturedChar(const TNode& node)
    {
        return node.Kind == TNode::TKind::Group && node.Group > 0 && IsOneChar(*node.Children.front());
    }

    static const TNode& WithoutPlainGroups(const TNode& node)
    {
        const TNode* n = &node;
        while (n->Kind == TNode::TKind::Group && n->Group == 0) n = n->Children.front().get();
        return *n;
    }

    void EmitRepeat(const TNode& node)
    {
        const TNode& body = WithoutPlainGroups(*node.Children.front());
        if (node.Max == 0) return;
        if (IsOneChar(body) || IsCapturedChar(body)) {
            TInstruction in;
            in.Op = TOp::Repeat;
            in.A = AddItem(IsOneChar(body) ? body.Item : body.Children.front()->Item);
            in.Capture = IsOneChar(body) ? -1 : body.Group;
            in.Min = node.Min;
            in.Max = node.Max < 0 ? -1 : node.Max;
            in.Greedy = node.Greedy;
            Add(in);
            return;
        }
        // A group of fixed width repeated zero times is forgotten, even when
        // an earlier round of an enclosing loop had set it.
        if (node.Min == 0 && body.Kind == TNode::TKind::Group && body.Group > 0 &&
            FixedWidth(*body.Children.front()) >= 0) {
            TInstruction unset;
            unset.Op = TOp::Unset;
            unset.A = body.Group;
            Add(unset);
        }
        for (int i = 0; i < node.Min; ++i) Emit(body);
        if (node.Max < 0) {
            EmitStar(body, node.Greedy);
            return;
        }
        // Optional copies: e{0,3} is (?:e(?:e(?:e)?)?)?
        std::vector<int> splits;
        for (int i = node.Min; i < node.Max; ++i) {
            TInstruction in;
            in.Op = TOp::Split;
            const int split = Add(in);
            splits.push_back(split);
            Emit(body);
        }
        for (int s : splits) {
            program_.Code[s].A = node.Greedy ? s + 1 : Here();
            program_.Code[s].B = node.Greedy ? Here() : s + 1;
        }
    }

    void EmitStar(const TNode& body, bool greedy)
    {
        const bool mayBeEmpty = CanBeEmpty(body);
        TInstruction split;
        split.Op = TOp::Split;
        const int loop = Add(split);
        int mark = -1;
        if (mayBeEmpty) {
            TInstruction in;
            in.Op = TOp::LoopMark;
            in.A = mark = loopSlot_++;
            Add(in);
        }
        Emit(body);
        int check = -1;
        if (mayBeEmpty) {
            TInstruction in;
            in.Op = TOp::LoopCheck;
            in.A = mark;
            in.B = loop;
            check = Add(in);
        } else {
            TInstruction jump;
            jump.Op = TOp::Jump;
            jump.A = loop;
            Add(jump);
        }
        const int exit = Here();
        if (check >= 0) program_.Code[check].C = exit;
        program_.Code[loop].A = greedy ? loop + 1 : exit;
        program_.Code[loop].B = greedy ? exit : loop + 1;
    }

    // Leading literal bytes, and anchoring, from the start of the pattern.
    void FindSearchHints()
    {
        const TNode* node = tree_.Root.get();
        while (node->Kind == TNode::TKind::Group && node->Group == 0) node = node->Children.front().get();
        std::vector<const TNode*> lead;
        if (node->Kind == TNode::TKind::Sequence) {
            for (const auto& c : node->Children) lead.push_back(c.get());
        } else {
            lead.push_back(node);
        }
        if (!lead.empty() && lead.front()->Kind == TNode::TKind::Assertion) {
            const TAssertion a = lead.front()->Assertion;
            program_.AnchoredAtStart = a == TAssertion::LineStart || a == TAssertion::TextStart;
            program_.AnchoredAtLine = a == TAssertion::MultiLineStart;
            return;
        }
        for (const TNode* n : lead) {
            if (!JoinsLiteral(*n)) break;
            for (int k = 0; k < n->Item.Length; ++k) {
                program_.Prefix.Bytes.push_back(static_cast<char>(n->Item.Bytes[k]));
                program_.Prefix.Folds.push_back(n->Item.FoldCase);
            }
        }
        // A greedy repeat followed by a literal only stops where the literal can start.
        for (std::size_t i = 0; i + 1 < program_.Code.size(); ++i) {
            TInstruction& in = program_.Code[i];
            const TInstruction& after = program_.Code[i + 1];
            if (in.Op == TOp::Repeat && in.Greedy && after.Op == TOp::Literal) {
                const TLiteral& lit = program_.Literals[after.A];
                in.Next = static_cast<unsigned char>(lit.Bytes[0]);
                in.NextFolds = lit.Folds[0];
            } else if (in.Op == TOp::Repeat && in.Greedy && after.Op == TOp::One &&
                       program_.Items[after.A].Kind == TCharItem::TKind::Literal) {
                in.Next = program_.Items[after.A].Bytes[0];
                in.NextFolds = program_.Items[after.A].FoldCase;
            }
        }
    }

    // A group around the leading repeat captures from the start of the
    // attempt, which a back-reference would see: then the repeat must stand
    // first and capture nothing.
    void FindLeadingRepeat()
    {
        const std::vector<TInstruction>& code = program_.Code;
        std::size_t first = 0;
        while (code[first].Op == TOp::Save) ++first;
        const TInstruction& in = code[first];
        if (in.Op != TOp::Repeat || in.Max >= 0) return;
        const bool backReferences =
            std::any_of(code.begin(), code.end(), [](const TInstruction& i) { return i.Op == TOp::BackReference; });
        if (backReferences && (first > 0 || in.Capture > 0)) return;
        program_.LeadingRepeat = static_cast<int>(first);
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
