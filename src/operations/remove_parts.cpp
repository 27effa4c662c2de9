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
        if (!index || *index == 0 || !tree[*index].IsLeaf()) return std::nullopt;
        if (RecordedSize(tree, *index) != static_cast<std::size_t>(attachment->Size)) return std::nullopt;
        parts.push_back(*index);
    }
    return parts;
}

// A mail that loses all its attachments and keeps a single text part at the
// top (nothing after the closing delimiter but white space) is given back
// as that part alone.
std::optional<std::string> FlattenedSource(std::string_view source, const TMimeTree& tree, const TPartCut& cut,
                                           const TMailItem& mail, std::size_t removedCount)
{
    if (mail.Attachments.size() != removedCount || cut.RootEmptied) return std::nullopt;
    const TMimePart& root = tree.Root();
    const std::string_view epilogue = root.Epilogue.In(source);
    if (epilogue.find_first_not_of(" \t\r\n") != std::string_view::npos) return std::nullopt;
    std::vector<std::size_t> kept;
    for (const std::size_t child : tree.Children(0))
        if (!cut.Erased[child]) kept.push_back(child);
    if (kept.size() != 1) return std::nullopt;
    const TMimePart& part = tree[kept.front()];
    const std::string piece(source.substr(part.Content.Begin, tree.FollowingDash(kept.front()) - part.Content.Begin));
    if (!SharedRegExp().Match(R"(m/Content\-Type\:\s*text\//i)", piece)) return std::nullopt;
    // A part that does not start with its header lines has no header block
    // to move into the mail's: it stays a part.
    if (part.Header.Empty() || part.Header.Begin != part.Content.Begin || piece.find_first_of(" \t\r\n") == 0)
        return std::nullopt;
    const std::string header(source.substr(0, tree[root.FirstChild].Delimiter.Dash));
    return FlattenToSinglePart(header, piece);
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

void RecordRemovedNames(THostApi& host, const std::string& names)
{
    const std::string value = AppendNameList(host.GetSpecifiedHeader(kRemovedAttachmentHeader), names);
    host.SetSpecifiedHeader(kRemovedAttachmentHeader, FoldRemovedNames(host.LocalToIso2022Jp(value)));
}
}  // namespace

bool IsRemovable(const TAttachment& attachment) { return attachment.PartNo >= 1; }

TRemoval RemoveParts(THostApi& host, TMailItem& mail, const std::vector<const TAttachment*>& toRemove,
                     const std::string& names, const TRemovalNote& note)
{
    if (!std::all_of(toRemove.begin(), toRemove.end(), [](const TAttachment* a) { return IsRemovable(*a); }))
        return TRemoval::Refused;
    host.SetCurrentMail(mail.MailID);
    std::string source;
    std::optional<TPartCut> cut;
    std::optional<TMimeTree> tree;
    {
        // The fetched source is needed only until the new one is made.
        const std::string fetched = host.GetSource(mail.MailID).value_or(std::string());
        tree.emplace(fetched);
        if (tree->PartLimitReached()) return TRemoval::Refused;
        const auto parts = PartsOf(*tree, toRemove);
        if (!parts) return TRemoval::Untouched;
        mail.Boundary = tree->Root().Boundary;
        mail.BoundaryPattern = BoundaryPatternOf(mail.Boundary);
        cut = PlanCut(*tree, *parts);
        auto flattened = FlattenedSource(fetched, *tree, *cut, mail, toRemove.size());
        source = flattened ? std::move(*flattened)
                           : CutSource(fetched, *tree, *cut,
                                       cut->RootEmptied ? RemovalNotePart(host, note, names) : std::string());
        host.SetSource(source);
        const std::optional<std::string> stored = host.GetSource(mail.MailID);
        if (!stored || !SameUpToLineEnds(source, *stored)) {
            if (stored != fetched) RecordRemovedNames(host, names);
            throw EMailNotStored(mail, note.LocaleID);
        }
    }
    MoveKeptAttachments(mail, toRemove, *tree, *cut);
    RecordRemovedNames(host, names);
    return TRemoval::Rewritten;
}

}  // namespace quillbox
