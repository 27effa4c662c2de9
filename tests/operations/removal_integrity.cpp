#include "removal_integrity.h"

#include <string_view>

#include "operations/mime_boundary.h"
#include "operations/text_lines.h"

namespace quillbox::testing {

namespace {
std::string HeaderOf(const std::string& source)
{
    const std::size_t crlf = source.find("\r\n\r\n");
    const std::size_t lf = source.find("\n\n");
    if (crlf != std::string::npos && (lf == std::string::npos || crlf < lf)) return source.substr(0, crlf + 2);
    return lf == std::string::npos ? source : source.substr(0, lf + 1);
}

std::vector<std::string> Pieces(TBRegExp& regExp, const TMimeBoundary& boundary, const std::string& source)
{
    SplitAtDelimiters(regExp, boundary, source);
    return CopyPieces(regExp);
}

// The texts between delimiters as MIME reads them: a part starts after the
// line end of its delimiter line, so unlike a piece of the cut (which also
// loses the white space after the delimiter) it keeps leading empty or blank
// lines. A part that starts on the delimiter's own line starts after its
// blanks.
std::vector<std::string> PartTexts(const std::string& source, const std::string& boundary)
{
    const std::string delimiter = "--" + boundary;
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t at = source.find(delimiter); at != std::string::npos; at = source.find(delimiter, start)) {
        parts.push_back(source.substr(start, at - start));
        std::size_t next = at + delimiter.size();
        while (next < source.size() && source[next] == '-') ++next;
        while (next < source.size() && std::string_view(" \t\f\v").find(source[next]) != std::string_view::npos) ++next;
        if (source.compare(next, 2, "\r\n") == 0) next += 2;
        else if (next < source.size() && (source[next] == '\r' || source[next] == '\n')) ++next;
        start = next;
    }
    parts.push_back(source.substr(start));
    return parts;
}

std::string Lower(std::string text)
{
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// A Content-Type field line that names a multipart type. Only such a field
// makes a mail multipart; the same words inside another field's value do not.
bool NamesMultipartType(const std::string& line)
{
    const std::string lower = Lower(line);
    if (!lower.starts_with("content-type")) return false;
    const std::size_t colon = lower.find_first_not_of(" \t", 12);
    if (colon == std::string::npos || lower[colon] != ':') return false;
    return lower.find("multipart/", colon) != std::string::npos;
}

std::size_t MultipartTypeLines(const std::string& text)
{
    std::size_t count = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) end = text.size();
        if (NamesMultipartType(text.substr(start, end - start))) ++count;
        start = end + 1;
    }
    return count;
}

std::string HeaderValue(const std::string& piece, const std::string& name)
{
    const TPartLayout layout = LayoutOfPart(piece);
    for (std::size_t i = layout.FirstHeaderLine; i < layout.EndOfHeader; ++i) {
        const std::string line = piece.substr(layout.Lines[i].Start, layout.Lines[i].Length);
        if (Lower(line).starts_with(name + ":")) {
            std::string value = line.substr(name.size() + 1);
            value.erase(0, value.find_first_not_of(" \t"));
            return value;
        }
    }
    return {};
}

std::string BodyBytes(const std::string& text)
{
    const TPartLayout layout = LayoutOfPart(text);
    return layout.FirstBodyLine < layout.Lines.size() ? text.substr(layout.Lines[layout.FirstBodyLine].Start) : "";
}

std::string FlatteningFault(const std::string& written, const std::string& part)
{
    const std::string header = HeaderOf(written);
    const TPartLayout layout = LayoutOfPart(part);
    // The kept part's own Content-Type may name a multipart type; any further
    // one is the mail's multipart type left behind.
    std::size_t partMentions = 0;
    for (std::size_t i = layout.FirstHeaderLine; i < layout.EndOfHeader; ++i) {
        const std::string line = part.substr(layout.Lines[i].Start, layout.Lines[i].Length);
        if (header.find(line) == std::string::npos) return "a header line of the kept part is missing";
        partMentions += NamesMultipartType(line) ? 1 : 0;
    }
    if (MultipartTypeLines(header) > partMentions) return "the multipart type stayed";
    if (BodyBytes(written) != BodyBytes(part)) return "the body is not the kept part's body";
    return {};
}
}  // namespace

std::unique_ptr<TMailItem> CatalogueOf(const std::string& mailId, const std::string& source)
{
    TBRegExp regExp;
    const auto boundary = FindBoundary(regExp, HeaderOf(source));
    if (!boundary) return nullptr;
    const auto pieces = Pieces(regExp, *boundary, source);
    auto mail = std::make_unique<TMailItem>();
    mail->MailID = mailId;
    for (std::size_t k = 1; k < pieces.size() && k < 200; ++k) {
        if (Lower(pieces[k]).find("content-type: text/plain") != std::string::npos) continue;
        auto attachment = std::make_unique<TAttachment>();
        attachment->PartNo = static_cast<int>(k);
        attachment->FileName = "part" + std::to_string(k);
        const std::string encoding = HeaderValue(pieces[k], "content-transfer-encoding");
        attachment->Encoding = encoding.empty() ? "Unknown" : encoding;
        attachment->Size = static_cast<int>(pieces[k].size());
        attachment->Visible = true;
        mail->Attachments.push_back(std::move(attachment));
    }
    return mail;
}

std::string IntegrityFault(const std::string& before, const std::string& written, const std::vector<bool>& removed)
{
    TBRegExp regExp;
    const auto boundary = FindBoundary(regExp, HeaderOf(before));
    if (!boundary) return written == before ? "" : "a mail without boundary was changed";
    const auto piecesBefore = Pieces(regExp, *boundary, before);
    if (piecesBefore.size() >= static_cast<std::size_t>(kMaxPieces)) return {};

    std::vector<std::string> kept{piecesBefore.at(0)};
    for (std::size_t k = 1; k < piecesBefore.size(); ++k)
        if (!removed.at(k)) kept.push_back(piecesBefore[k]);
    while (kept.size() > 1 && kept.back().empty()) kept.pop_back();

    const auto boundaryAfter = FindBoundary(regExp, HeaderOf(written));
    // Kept multipart with every kept part, or (one part kept) flattened to it;
    // a flattened part's own header may name the same boundary.
    const auto multipartFault = [&]() -> std::string {
        const auto piecesAfter = Pieces(regExp, *boundary, written);
        if (written.rfind("--" + boundary->Boundary + "--") == std::string::npos) return "no closing delimiter";
        if (piecesAfter.size() != kept.size()) return "the kept parts are not all there";
        for (std::size_t k = 0; k < kept.size(); ++k)
            if (piecesAfter[k] != kept[k]) return "kept piece " + std::to_string(k) + " changed";
        // The same parts, with the lines before their first header line.
        const auto partsBefore = PartTexts(before, boundary->Boundary);
        const auto partsAfter = PartTexts(written, boundary->Boundary);
        std::vector<std::string> keptParts;
        for (std::size_t k = 0; k < piecesBefore.size() && keptParts.size() < kept.size(); ++k)
            if (k == 0 || !removed.at(k)) keptParts.push_back(partsBefore.at(k));
        for (std::size_t k = 0; k < keptParts.size(); ++k)
            if (partsAfter.at(k) != keptParts[k]) return "the lines before kept part " + std::to_string(k) + " changed";
        return {};
    };
    std::string fault = "the mail no longer cuts at its boundary";
    if (boundaryAfter && boundaryAfter->Boundary == boundary->Boundary) {
        fault = multipartFault();
        if (fault.empty()) return {};
    }
    if (kept.size() == 2) return FlatteningFault(written, kept[1]);
    return fault;
}

}  // namespace quillbox::testing
