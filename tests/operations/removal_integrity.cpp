#include "removal_integrity.h"

#include <algorithm>
#include <string_view>

#include "catalogue/icon_source.h"
#include "catalogue/mail_scanner.h"
#include "mime/header_fields.h"
#include "mime/mime_tree.h"
#include "operations/text_lines.h"

namespace quillbox::testing {

namespace {
std::string Lower(std::string text)
{
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// A Content-Type field line that names a multipart type.
bool NamesMultipartType(const std::string& line)
{
    const std::string lower = Lower(line);
    if (!lower.starts_with("content-type")) return false;
    const std::size_t colon = lower.find_first_not_of(" \t", 12);
    if (colon == std::string::npos || lower[colon] != ':') return false;
    return lower.find("multipart/", colon) != std::string::npos;
}

std::size_t MultipartTypeLines(std::string_view text)
{
    std::size_t count = 0;
    for (const TTextLine& line : SplitLines(text))
        if (NamesMultipartType(std::string(text.substr(line.Start, line.Length)))) ++count;
    return count;
}

std::string BodyBytes(std::string_view text)
{
    const TPartLayout layout = LayoutOfPart(text);
    if (layout.FirstBodyLine >= layout.Lines.size()) return {};
    return std::string(text.substr(layout.Lines[layout.FirstBodyLine].Start));
}

// The mail became its one kept part: that part's header lines in the mail's
// header, no multipart type of the mail's own left, the part's body as body.
std::string FlatteningFault(std::string_view written, std::string_view part)
{
    const std::size_t end = written.find("\r\n\r\n");
    const std::string_view header = written.substr(0, end == std::string_view::npos ? written.size() : end + 2);
    const TPartLayout layout = LayoutOfPart(part);
    std::size_t partMentions = 0;
    for (std::size_t i = layout.FirstHeaderLine; i < layout.EndOfHeader; ++i) {
        const std::string line(part.substr(layout.Lines[i].Start, layout.Lines[i].Length));
        if (header.find(line) == std::string_view::npos) return "a header line of the kept part is missing";
        partMentions += NamesMultipartType(line) ? 1 : 0;
    }
    if (MultipartTypeLines(header) > partMentions) return "the multipart type stayed";
    if (BodyBytes(written) != BodyBytes(part)) return "the body is not the kept part's body";
    return {};
}

// A mail that was one attachment is a text mail now, with the rest of its
// header as it was.
std::string WholeMailFault(std::string_view before, std::string_view written)
{
    const TMimeTree after(written);
    if (after.Root().Opened || !after.Root().Type.Is("text", "plain")) return "the mail is not a text mail now";
    const TMimeTree old(before);
    THeaderFieldReader fields(before, old.Root().Content);
    // Header lines are written with CR LF, whatever they ended with.
    const auto lfOnly = [](std::string_view text) {
        std::string out;
        for (std::size_t i = 0; i < text.size(); ++i)
            if (text[i] != '\r') out += text[i];
            else if (i + 1 == text.size() || text[i + 1] != '\n') out += '\n';
        return out;
    };
    const std::string header = lfOnly(after.Root().Header.In(written));
    while (const auto field = fields.Next()) {
        if (HasFieldName(before, *field, "content-type") || HasFieldName(before, *field, "content-disposition") ||
            HasFieldName(before, *field, "content-transfer-encoding"))
            continue;
        if (header.find(lfOnly(field->Lines.In(before))) == std::string::npos)
            return "the header field " + std::string(field->Name.In(before)) + " went";
    }
    return {};
}

// The leaves of the tree in source order, as their bytes.
std::vector<std::string_view> LeafTexts(const TMimeTree& tree, std::string_view source,
                                        const std::vector<std::vector<int>>& leaveOut = {})
{
    std::vector<std::string_view> texts;
    for (const std::size_t leaf : tree.Leaves()) {
        if (leaf == 0) continue;
        const std::vector<int> path = tree.PathOf(leaf);
        if (std::find(leaveOut.begin(), leaveOut.end(), path) != leaveOut.end()) continue;
        texts.push_back(tree[leaf].Content.In(source));
    }
    return texts;
}

// The part was removed, or is a multipart all of whose parts were.
bool Gone(const TMimeTree& tree, std::size_t index, const std::vector<std::vector<int>>& removed)
{
    const std::vector<int> path = tree.PathOf(index);
    if (std::find(removed.begin(), removed.end(), path) != removed.end()) return true;
    if (!tree[index].Opened || tree[index].FirstChild == kNoPart) return false;
    const std::vector<std::size_t> children = tree.Children(index);
    return std::all_of(children.begin(), children.end(), [&](std::size_t c) { return Gone(tree, c, removed); });
}

// A multipart inside the mail that has no part (it had some before).
bool HasEmptyMultipart(const TMimeTree& tree)
{
    for (std::size_t i = 0; i < tree.Size(); ++i)
        if (tree[i].Opened && tree[i].FirstChild == kNoPart) return true;
    return false;
}
}  // namespace

std::unique_ptr<TMailItem> CatalogueOf(THostApi& host, const std::string& mailId, TAttachmentRules rules)
{
    auto mail = std::make_unique<TMailItem>();
    mail->MailID = mailId;
    TNoIcons icons;
    TMailScanner(host, icons, TCodePage::Active()).Scan(*mail, rules);
    for (const auto& attachment : mail->Attachments) attachment->Visible = true;
    return mail;
}

std::string IntegrityFault(const std::string& before, const std::string& written,
                           const std::vector<std::vector<int>>& removed)
{
    const TMimeTree treeBefore(before);
    if (!treeBefore.Root().Opened) {
        if (std::find(removed.begin(), removed.end(), std::vector<int>{}) == removed.end())
            return written == before ? "" : "a mail that is not multipart was changed";
        return WholeMailFault(before, written);
    }
    const TMimePart& rootBefore = treeBefore.Root();
    const std::vector<std::string_view> kept = LeafTexts(treeBefore, before, removed);

    const TMimeTree treeAfter(written);
    const TMimePart& rootAfter = treeAfter.Root();
    if (!rootAfter.Opened || rootAfter.Boundary != rootBefore.Boundary) {
        const std::vector<std::size_t> children = treeBefore.Children(0);
        // Flattened: the one kept top-level part. A multipart keeps its kept
        // parts; a single part's body ends with a line break.
        for (const std::size_t child : children) {
            if (Gone(treeBefore, child, removed)) continue;
            if (treeBefore[child].Opened)
                return LeafTexts(treeAfter, written) == kept ? ""
                                                             : "the kept multipart lost more than the removed parts";
            const std::string_view part = treeBefore[child].Content.In(before);
            const std::string fault = FlatteningFault(written, part);
            if (fault.empty() || part.ends_with('\n') || part.ends_with('\r')) return fault;
            return FlatteningFault(written, std::string(part) + "\r\n");
        }
        return "the mail is no longer multipart";
    }
    if (rootAfter.Body.Begin != rootBefore.Body.Begin ||
        written.compare(0, rootAfter.Body.Begin, before, 0, rootBefore.Body.Begin) != 0)
        return "the mail's header changed";
    if (rootAfter.Preamble.In(written) != rootBefore.Preamble.In(before)) return "the preamble changed";
    if (rootBefore.Closing && rootAfter.Epilogue.In(written) != rootBefore.Epilogue.In(before))
        return "the epilogue changed";
    if (!rootAfter.Closing && rootBefore.Closing) return "the closing delimiter went";
    if (HasEmptyMultipart(treeAfter) && !HasEmptyMultipart(treeBefore)) return "a multipart was left without parts";
    const std::vector<std::string_view> after = LeafTexts(treeAfter, written);
    if (kept.empty()) {
        // Parts that hold no leaf (a multipart without delimiters) may stay;
        // a mail left without any part has the note.
        if (after.empty() && rootAfter.FirstChild != kNoPart) return {};
        if (after.size() != 1 || !treeAfter[treeAfter.Leaves().back()].Type.Is("text", "plain"))
            return "a mail without parts kept more or less than one text part";
        return {};
    }
    if (after.size() != kept.size()) return "the kept parts are not all there, or a removed one stayed";
    for (std::size_t i = 0; i < kept.size(); ++i)
        if (after[i] != kept[i]) return "kept part " + std::to_string(i + 1) + " changed";
    return {};
}

}  // namespace quillbox::testing
