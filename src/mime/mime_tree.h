// The MIME structure of one mail, read without copying it: every part as
// spans into the source, in the order the parts stand in it.
//
//   const std::string source = ...;
//   const TMimeTree tree(source);
//   for (std::size_t i : tree.Leaves()) { const TMimePart& part = tree[i]; ... part.Body.In(source) ... }
//
// Ownership. The tree holds offsets only, no pointer into the source and no
// copy of any body: it stays valid for the same bytes wherever they lie, and
// every span reads them through TMimeSpan::In(source). Each part owns a copy
// of the little it needs to stand alone (its media type and boundary).
//
// Spans. Every span lies within [0, source.size()], Begin <= End, and the
// spans of a multipart cut its body into consecutive, non-overlapping pieces
// that together are the whole body, byte for byte:
//
//   part.Content = [after its delimiter line, the start of the next one)
//     = Header (its field lines, their line breaks included)
//     + the empty line that ends the header, when there is one
//     + Body
//   a multipart's Body
//     = Preamble
//     + for each child: child.Delimiter (line break before "--" to the end
//       of the delimiter line) + child.Content
//     + Closing (the closing delimiter line, with the line break before it;
//       empty when the mail lacks it)
//     + Epilogue
//
// The root part's Content is the whole source and its Delimiter is empty.
// So a rewrite that cuts a part out together with its own delimiter line
// erases [part.Delimiter.Begin, part.Content.End) and leaves every other
// byte as it was; the delimiter that follows keeps its own line break.
//
// Reading. Delimiter lines are found as RFC 2046 has them (see
// delimiter_line.h); a multipart's stretch ends at the delimiter of the
// multipart around it, so a nested multipart without its closing delimiter
// ends where its parent's next part begins. A source cut short ends its
// last part and every multipart open around it at the end of the source.
// LF-only and CR-only line ends read as CR LF do. message/rfc822 and every
// other non-multipart type is a leaf.
//
// Limits. Multiparts are split to a depth of kMaxDepth: the root is depth 0,
// and a multipart at depth kMaxDepth or deeper is a leaf (its Opened is
// false). At most kMaxParts parts are read; when a multipart would get more,
// its remaining body is its epilogue and PartLimitReached() is true, so that
// no reader takes a partial split for the whole mail. Memory is then
// bounded by kMaxParts parts of a few hundred bytes, whatever the source.
#pragma once

#include <cstddef>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "mime/delimiter_line.h"
#include "mime/media_type.h"
#include "mime/mime_span.h"

namespace quillbox {

inline constexpr std::size_t kNoPart = std::numeric_limits<std::size_t>::max();

struct TMimePart {
    // Place in the tree: indexes into TMimeTree, kNoPart for none.
    std::size_t Parent = kNoPart;
    std::size_t FirstChild = kNoPart;
    std::size_t NextSibling = kNoPart;
    int Number = 0;  // 1 for a multipart's first child; 0 for the root
    int Depth = 0;   // 0 for the root

    TDelimiterLine Delimiter;  // the line that opens this part; all at 0 for the root
    TMimeSpan Content;
    TMimeSpan Header;
    TMimeSpan Body;

    // The first field of each kind, as written (folding included); none when
    // the part lacks it.
    std::optional<TMimeSpan> ContentType;
    std::optional<TMimeSpan> ContentDisposition;
    std::optional<TMimeSpan> ContentTransferEncoding;

    // From Content-Type; text/plain when it is missing or unreadable
    // (message/rfc822 for a child of multipart/digest).
    TMediaType Type;

    // A multipart with a boundary, split into its children (depth allowing).
    bool Opened = false;
    std::string Boundary;  // as its parameter gives it, trailing blanks dropped
    TMimeSpan Preamble;    // within Body; the whole Body when no delimiter was found
    std::optional<TDelimiterLine> Closing;
    TMimeSpan Epilogue;

    bool IsLeaf() const { return !Opened; }
    bool IsMultipart() const { return Type.Type == "multipart"; }
};

class TMimeTree {
public:
    static constexpr int kMaxDepth = 32;
    static constexpr std::size_t kMaxParts = 10000;

    explicit TMimeTree(std::string_view source);

    std::size_t Size() const { return parts_.size(); }
    const TMimePart& operator[](std::size_t index) const { return parts_[index]; }
    const TMimePart& Root() const { return parts_.front(); }
    bool PartLimitReached() const { return partLimitReached_; }

    // The parts that are not opened multiparts, in source order.
    std::vector<std::size_t> Leaves() const;
    // The children of a part, in order.
    std::vector<std::size_t> Children(std::size_t index) const;

    // Where the "--" of the delimiter line after the part begins: the end of
    // its content plus the line break that belongs to that delimiter. The end
    // of its content when no delimiter follows (the root, a part cut short).
    std::size_t FollowingDash(std::size_t index) const;

    // The part numbers from the root down to the part ({2, 1, 3} for part
    // 2.1.3); empty for the root.
    std::vector<int> PathOf(std::size_t index) const;
    // The part at that path; nullopt when there is none.
    std::optional<std::size_t> Find(const std::vector<int>& path) const;

private:
    // Reads the part whose content is [begin, end) and, when it is a
    // multipart to open, its children.
    void ReadPart(std::size_t index, std::string_view source);
    void SplitMultipart(std::size_t index, std::string_view source);
    std::size_t AddChild(std::size_t parent, std::size_t previous, const TDelimiterLine& delimiter,
                         std::size_t contentEnd);

    std::vector<TMimePart> parts_;
    bool partLimitReached_ = false;
};

// "2.1.3"; "0" for the root.
std::string PartPathText(const std::vector<int>& path);

}  // namespace quillbox
