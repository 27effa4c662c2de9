#include "operations/remove_parts.h"

#include <algorithm>
#include <string_view>

#include "mime/mime_tree.h"
#include "operations/mime_boundary.h"
#include "operations/removed_names.h"
#include "operations/source_rewrite.h"

namespace quillbox {

EMailNotStored::EMailNotStored(const TMailItem& mail)
    : std::runtime_error("The mail \"" + mail.Subject + "\" was not stored as rewritten (" + mail.MailID + ")."),
      MailID(mail.MailID)
{
}

namespace {
// The pieces to drop, or nothing when the catalogue does not describe this
// source any more: then no part of it may be touched.
std::optional<std::vector<bool>> PiecesToRemove(const TMailItem& mail, const std::vector<std::string>& pieces,
                                                const std::vector<const TAttachment*>& toRemove)
{
    std::vector<bool> removed(pieces.size(), false);
    for (const TAttachment* attachment : toRemove) {
        const auto partNo = static_cast<std::size_t>(attachment->PartNo);
        if (attachment->PartNo < 1 || partNo >= pieces.size()) return std::nullopt;
        if (pieces[partNo].size() != static_cast<std::size_t>(attachment->Size)) return std::nullopt;
        const auto owner = std::find_if(mail.Attachments.begin(), mail.Attachments.end(),
                                        [&](const auto& a) { return a->PartNo == attachment->PartNo; });
        if (owner == mail.Attachments.end() || owner->get() != attachment) return std::nullopt;
        removed[partNo] = true;
    }
    return removed;
}

// A mail that loses all its attachments and keeps a single text part is
// given back as that part alone.
std::optional<std::string> FlattenedSource(const TMailItem& mail, const std::vector<std::string>& pieces,
                                           const std::vector<TPieceLead>& leads, const std::vector<bool>& removed,
                                           std::size_t removedCount)
{
    if (mail.Attachments.size() != removedCount) return std::nullopt;
    const std::size_t remaining = pieces.size() - removedCount;
    if (remaining >= 3) return std::nullopt;
    for (std::size_t k = 1; k < pieces.size(); ++k) {
        if (removed[k]) continue;
        if (!SharedRegExp().Match(R"(m/Content\-Type\:\s*text\//i)", pieces[k])) return std::nullopt;
        // A part that does not start with its header lines has no header
        // block to move into the mail's: it stays a part.
        if (!leads[k].OwnLine || !leads[k].Text.empty()) return std::nullopt;
        return FlattenToSinglePart(pieces[0], pieces[k]);
    }
    return std::nullopt;
}

// Where the mail's header block ends (its first empty line). A delimiter
// before that point is text of a header field: cutting there would cut the
// header itself.
std::size_t HeaderBlockEnd(std::string_view source)
{
    std::size_t lineStart = 0;
    for (std::size_t i = 0; i < source.size(); ++i) {
        if (source[i] != '\r' && source[i] != '\n') continue;
        if (i == lineStart) return lineStart;
        if (source[i] == '\r' && i + 1 < source.size() && source[i + 1] == '\n') ++i;
        lineStart = i + 1;
    }
    return source.size();
}

// Where the cut at the delimiters falls ("--" of each delimiter it took).
std::vector<std::size_t> CutDashes(const TPieceLeads& leads)
{
    std::vector<std::size_t> dashes;
    for (std::size_t k = 1; k < leads.Leads.size(); ++k) dashes.push_back(leads.Leads[k].Dash);
    dashes.insert(dashes.end(), leads.TrailingDashes.begin(), leads.TrailingDashes.end());
    return dashes;
}

// The delimiter lines of the mail's own multipart, as the MIME reader sees
// them; nothing when it reads no multipart, or not all of it.
std::optional<std::vector<std::size_t>> DelimiterDashes(const TMimeTree& tree)
{
    if (!tree.Root().Opened || tree.PartLimitReached()) return std::nullopt;
    std::vector<std::size_t> dashes;
    for (const std::size_t child : tree.Children(0)) dashes.push_back(tree[child].Delimiter.Dash);
    if (tree.Root().Closing) dashes.push_back(tree.Root().Closing->Dash);
    return dashes;
}

void RecordRemovedNames(THostApi& host, const std::string& names)
{
    const std::string value = AppendNameList(host.GetSpecifiedHeader(kRemovedAttachmentHeader), names);
    host.SetSpecifiedHeader(kRemovedAttachmentHeader, FoldRemovedNames(host.LocalToIso2022Jp(value)));
}
}  // namespace

bool IsRemovable(const TAttachment& attachment) { return attachment.PartNo >= 1 && attachment.NestedPath.empty(); }

TRemoval RemoveParts(THostApi& host, TMailItem& mail, const std::vector<const TAttachment*>& toRemove,
                     const std::string& names)
{
    if (!std::all_of(toRemove.begin(), toRemove.end(), [](const TAttachment* a) { return IsRemovable(*a); }))
        return TRemoval::Refused;
    TBRegExp regExp;
    host.SetCurrentMail(mail.MailID);
    const std::string header = host.GetHeader(mail.MailID).value_or(std::string());
    const auto boundary = FindBoundary(regExp, header);
    // The fetched source is needed only until its pieces and their leads are out.
    std::vector<std::string> pieces;
    std::optional<TPieceLeads> leads;
    {
        const std::string fetched = host.GetSource(mail.MailID).value_or(std::string());
        const TMimeTree tree(fetched);
        const std::optional<std::vector<std::size_t>> delimiters = DelimiterDashes(tree);
        if (!boundary) return delimiters ? TRemoval::Refused : TRemoval::Untouched;
        mail.Boundary = boundary->Boundary;
        mail.BoundaryPattern = boundary->BoundaryPattern;
        // No piece limit: every part the reader sees can be a piece.
        const int limit = std::max<int>(kMaxPieces, static_cast<int>(tree.Size()) + 2);
        if (!SplitAtDelimiters(regExp, *boundary, fetched, limit)) return TRemoval::Untouched;
        pieces = CopyPieces(regExp);
        // The header, as the host gave it and as the source shows it, stays whole.
        const std::size_t hostHeader = std::string_view(fetched).starts_with(header) ? header.size() : 0;
        if (pieces[0].size() < std::max(hostHeader, HeaderBlockEnd(fetched))) return TRemoval::Untouched;
        leads = PieceLeads(fetched, pieces, boundary->Boundary);
        if (!leads) return TRemoval::Untouched;
        if (!delimiters || *delimiters != CutDashes(*leads) || tree.Root().Boundary != boundary->Boundary)
            return TRemoval::Refused;
    }
    const auto removed = PiecesToRemove(mail, pieces, toRemove);
    if (!removed) return TRemoval::Untouched;

    const std::size_t removedCount = static_cast<std::size_t>(std::count(removed->begin(), removed->end(), true));
    auto flattened = FlattenedSource(mail, pieces, leads->Leads, *removed, removedCount);
    const std::string source =
        flattened ? std::move(*flattened) : JoinKeptPieces(pieces, leads->Leads, *removed, boundary->Boundary);
    host.SetSource(source);
    if (host.GetSource(mail.MailID) != source) throw EMailNotStored(mail);
    RecordRemovedNames(host, names);
    return TRemoval::Rewritten;
}

}  // namespace quillbox
