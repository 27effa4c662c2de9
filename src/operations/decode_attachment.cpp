#include "operations/decode_attachment.h"

#include <optional>

#include "catalogue/boundary_pattern.h"
#include "text/ascii.h"
#include "mime/mime_tree.h"
#include "operations/body_writer.h"
#include "operations/local_file.h"

namespace quillbox {

namespace {

enum class TBodyConversion { Base64, QuotedPrintable, CopyText, CopyBytes, Refused };

bool Contains(const std::string& text, std::string_view word)
{
    for (std::size_t at = 0; at + word.size() <= text.size(); ++at)
        if (EqualsIgnoringCase(std::string_view(text).substr(at, word.size()), word)) return true;
    return false;
}

// By the encoding the scan recorded, tested as a part of it in any case.
TBodyConversion ConversionFor(const std::string& encoding, TAttachmentRules rules)
{
    if (Contains(encoding, "base64")) return TBodyConversion::Base64;
    if (Contains(encoding, "quoted-printable")) return TBodyConversion::QuotedPrintable;
    if (Contains(encoding, "7bit") || Contains(encoding, "8bit")) return TBodyConversion::CopyText;
    if (rules == TAttachmentRules::Full && encoding == "Unknown") return TBodyConversion::CopyText;
    if (rules == TAttachmentRules::Full && EqualsIgnoringCase(encoding, "binary")) return TBodyConversion::CopyBytes;
    return TBodyConversion::Refused;
}

// The attachment's body within the source; nullopt when the classic rules
// find no multipart mail.
std::optional<TMimeSpan> LocateBody(std::string_view source, TMailItem& mail, const TAttachment& attachment)
{
    const TMimeTree tree(source);
    const TMimePart& root = tree.Root();
    if (root.Opened) {
        mail.Boundary = root.Boundary;
        mail.BoundaryPattern = BoundaryPatternOf(root.Boundary);
    } else if (mail.Rules == TAttachmentRules::Classic) {
        return std::nullopt;
    }
    const std::optional<std::size_t> index = tree.Find(PartPath(attachment));
    if (!index || (*index == 0 && root.Opened)) throw EAttachmentMoved(mail, attachment);
    const TMimePart& part = tree[*index];
    if (tree.FollowingDash(*index) - part.Content.Begin != static_cast<std::size_t>(attachment.Size))
        throw EAttachmentMoved(mail, attachment);
    return part.Body;
}

}  // namespace

EAttachmentMoved::EAttachmentMoved(const TMailItem& mail, const TAttachment& attachment)
    : std::runtime_error("The mail \"" + mail.Subject + "\" no longer holds \"" + attachment.FileName +
                         "\" where the list shows it; it was changed after the folder was read (" + mail.MailID +
                         ", part " + PartPathText(attachment) + ").")
{
}

bool DecodeAttachment(THostApi& host, TMailItem& mail, const TAttachment& attachment,
                      const std::string& destination)
{
    const TBodyConversion conversion = ConversionFor(attachment.Encoding, mail.Rules);
    if (conversion == TBodyConversion::Refused) return false;
    std::optional<TTempFile> encoded;
    {
        // The source lives only until the body is out of it: a converter
        // then works without it in memory.
        const std::optional<TSharedText> source = host.GetSource(mail.MailID);
        if (!source) return false;
        const std::optional<TMimeSpan> body = LocateBody(*source, mail, attachment);
        if (!body) return false;
        const std::string_view bytes = body->In(*source);
        if (conversion == TBodyConversion::CopyText || conversion == TBodyConversion::CopyBytes) {
            TFileWriter file(destination);
            if (conversion == TBodyConversion::CopyText) WriteWithCrLf(file, bytes);
            else file.Write(bytes);
            file.Close();
            return true;
        }
        encoded.emplace(host.GetTempFileName("txt"));
        TFileWriter file(encoded->Path());
        WriteWithCrLf(file, bytes);
        file.Close();
    }
    if (conversion == TBodyConversion::Base64) return host.B64Decode(destination, encoded->Path());
    return host.QPDecode(destination, encoded->Path());
}

}  // namespace quillbox
