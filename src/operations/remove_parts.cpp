#include "operations/remove_parts.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "catalogue/boundary_pattern.h"
#include "mime/mime_tree.h"
#include "operations/part_cut.h"
#include "operations/removed_names.h"
#include "operations/source_rewrite.h"
#include "operations/stored_source.h"
#include "regex/b_reg_exp.h"

namespace quillbox {

EMailNotStored::EMailNotStored(const TMailItem& mail, int localeID)
    : std::runtime_error(MailNotStoredText(localeID, mail.Subject)), MailID(mail.MailID)
{
}

namespace {
// What the catalogue recorded as the part's size: from after its delimiter
// line to the "--" of the next one.
std::size_t RecordedSize(const TMimeTree& tree, std::size_t index)
{
    return tree.FollowingDash(index) - tree[index].Content.Begin;
}

// The parts of the given attachments; nothing when the catalogue does not
// describe this source any more: then no part of it may be touched.
std::optional<std::vector<std::size_t>> PartsOf(const TMimeTree& tree,
                                                const std::vector<const TAttachment*>& toRemove)
{
    std::vector<std::size_t> parts;
    for (const TAttachment* attachment : toRemove) {
        const auto index = tree.Find(PartPath(*attachment));
        if (!index || !tree[*index].IsLeaf()) return std::nullopt;
        if (RecordedSize(tree, *index) != static_cast<std::size_t>(attachment->Size)) return std::nullopt;
        parts.push_back(*index);
    }
    return parts;
}

// A mail that loses all its attachments and keeps a single text part at the
// top (nothing after the closing delimiter but white space) is given back
// as that part alone. Judged on the cut source, so that what goes from
// inside the kept part is gone from it too.
std::optional<std::string> FlattenedSource(const std::string& cutSource, const TMailItem& mail,
                                           std::size_t removedCount)
{
    if (mail.Attachments.size() != removedCount) return std::nullopt;
    const TMimeTree tree(cutSource);
    const TMimePart& root = tree.Root();
    const std::string_view epilogue = root.Epilogue.In(cutSource);
    if (epilogue.find_first_not_of(" \t\r\n") != std::string_view::npos) return std::nullopt;
    if (root.FirstChild == kNoPart || tree[root.FirstChild].NextSibling != kNoPart) return std::nullopt;
    const TMimePart& part = tree[root.FirstChild];
    std::string piece(part.Content.In(cutSource));
    if (!SharedRegExp().Match(R"(m/Content\-Type\:\s*text\//i)", piece)) return std::nullopt;
    // A part that does not start with its header lines has no header block
    // to move into the mail's: it stays a part.
    if (part.Header.Empty() || part.Header.Begin != part.Content.Begin || piece.find_first_of(" \t\r\n") == 0)
        return std::nullopt;
    // Nor does one whose header lines do not end at an empty line.
    if (part.Body.Begin == part.Header.End) return std::nullopt;
    // The body keeps its bytes and ends with a line break, as a mail does;
    // but for a multipart cut short, whose last part that would change.
    const bool cutShort = part.Opened && !part.Closing;
    if (!cutShort && !piece.empty() && piece.back() != '\n' && piece.back() != '\r') piece += "\r\n";
    return FlattenToSinglePart(cutSource.substr(0, root.Header.End), piece);
}

// The mail without the cut parts: flattened when it keeps one text part and
// no attachment, with the note in place of all its parts when it keeps none.
std::string NewSource(THostApi& host, std::string_view fetched, const TMimeTree& tree, const TPartCut& cut,
                      const TMailItem& mail, std::size_t removedCount, const std::string& names,
                      const TRemovalNote& note)
{
    if (cut.Erased[0]) {
        // The mail is the attachment: the note becomes its body.
        const std::string header(fetched.substr(0, tree.Root().Header.End));
        return FlattenToSinglePart(header, RemovalNotePart(host, note, names)).value_or(header);
    }
    if (cut.RootEmptied) return CutSource(fetched, tree, cut, RemovalNotePart(host, note, names));
    std::string source = CutSource(fetched, tree, cut, {});
    if (auto flattened = FlattenedSource(source, mail, removedCount)) return std::move(*flattened);
    return source;
}

// The kept attachments move to the places the cut gives their parts.
void MoveKeptAttachments(TMailItem& mail, const std::vector<const TAttachment*>& removed, const TMimeTree& tree,
                         const TPartCut& cut)
{
    for (const auto& attachment : mail.Attachments) {
        if (attachment->PartNo < 1 || std::find(removed.begin(), removed.end(), attachment.get()) != removed.end())
            continue;
        const auto index = tree.Find(PartPath(*attachment));
        if (!index) continue;
        const std::vector<int> path = PathAfterCut(tree, cut, *index);
        attachment->PartNo = path.front();
        attachment->NestedPath.assign(path.begin() + 1, path.end());
    }
}
}  // namespace

bool IsRemovable(const TAttachment& attachment) { return attachment.PartNo >= 0; }

TRemoval RemoveParts(THostApi& host, TMailItem& mail, const std::vector<const TAttachment*>& toRemove,
                     const std::string& names, const TRemovalNote& note)
{
    if (!std::all_of(toRemove.begin(), toRemove.end(), [](const TAttachment* a) { return IsRemovable(*a); }))
        return TRemoval::Refused;
    host.SetCurrentMail(mail.MailID);
    std::optional<TPartCut> cut;
    std::optional<TMimeTree> tree;
    {
        // The fetched source lives until the stored one has been judged.
        const TSharedText fetched = host.GetSource(mail.MailID).value_or(TSharedText());
        tree.emplace(fetched);
        if (tree->PartLimitReached()) return TRemoval::Refused;
        const auto parts = PartsOf(*tree, toRemove);
        if (!parts) return TRemoval::Untouched;
        mail.Boundary = tree->Root().Boundary;
        mail.BoundaryPattern = BoundaryPatternOf(mail.Boundary);
        cut = PlanCut(*tree, *parts);
        const std::string source = NewSource(host, fetched, *tree, *cut, mail, toRemove.size(), names, note);
        host.SetSource(source);
        const std::optional<TSharedText> stored = host.GetSource(mail.MailID);
        if (!stored || !SameUpToLineEnds(source, *stored)) {
            if (stored != fetched) AppendToRecord(host, kRemovedAttachmentHeader, names);
            throw EMailNotStored(mail, note.LocaleID);
        }
    }
    MoveKeptAttachments(mail, toRemove, *tree, *cut);
    AppendToRecord(host, kRemovedAttachmentHeader, names);
    return TRemoval::Rewritten;
}

}  // namespace quillbox
