#include "operations/decode_attachment.h"

#include "operations/local_file.h"
#include "operations/mime_boundary.h"
#include "operations/text_lines.h"

namespace quillbox {

namespace {
enum class TBodyConversion { Base64, QuotedPrintable, Copy, Refused };

TBodyConversion ConversionFor(TBRegExp& regExp, const std::string& encoding)
{
    if (regExp.Match("m/base64/i", encoding)) return TBodyConversion::Base64;
    if (regExp.Match(R"(m/quoted\-printable/i)", encoding)) return TBodyConversion::QuotedPrintable;
    if (regExp.Match("m/[78]bit/i", encoding)) return TBodyConversion::Copy;
    return TBodyConversion::Refused;
}
}  // namespace

bool DecodeAttachment(THostApi& host, TMailItem& mail, const TAttachment& attachment,
                      const std::string& destination)
{
    TBRegExp& regExp = SharedRegExp();
    const auto header = host.GetHeader(mail.MailID);
    const auto boundary = FindBoundary(regExp, header.value_or(std::string()));
    if (!boundary) return false;
    mail.Boundary = boundary->Boundary;
    mail.BoundaryPattern = boundary->BoundaryPattern;

    const std::string source = host.GetSource(mail.MailID).value_or(std::string());
    if (!SplitAtDelimiters(regExp, *boundary, source)) return false;
    const std::string body = CutPartBody(regExp.Strings(attachment.PartNo));

    const TTempFile encoded(host.GetTempFileName("txt"));
    WriteBytesToFile(encoded.Path(), body);
    switch (ConversionFor(regExp, attachment.Encoding)) {
    case TBodyConversion::Base64: return host.B64Decode(destination, encoded.Path());
    case TBodyConversion::QuotedPrintable: return host.QPDecode(destination, encoded.Path());
    case TBodyConversion::Copy: WriteBytesToFile(destination, body); return true;
    case TBodyConversion::Refused: break;
    }
    return false;
}

}  // namespace quillbox
