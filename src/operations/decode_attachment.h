// Writes one attachment, decoded, into a file.
#pragma once

#include <stdexcept>
#include <string>

#include "catalogue/attachment.h"
#include "catalogue/mail_item.h"
#include "tansy/host_api.h"

namespace quillbox {

// The mail no longer holds the attachment where the catalogue says: it was
// changed since the scan.
class EAttachmentMoved : public std::runtime_error {
public:
    EAttachmentMoved(const TMailItem& mail, const TAttachment& attachment);
};

// Fetches the mail's source afresh (refreshing its Boundary and
// BoundaryPattern), finds the attachment's part by its path and writes the
// part's body into the destination, which is overwritten without asking.
// The body is read straight from the source: Base64 and quoted-printable go
// to the host's converters through a temporary file; 7bit and 8bit bodies
// are written to the destination with CR LF line ends. Under the full rules
// a part without a transfer encoding is 7bit, as MIME has it, and a binary
// one is written as it is; the classic rules refuse both, as every other
// encoding. The body ends before the line break that belongs to the next
// delimiter.
//
// False when the encoding is refused, the mail is not multipart (classic
// rules) or the converter failed. EAttachmentMoved when the part is gone or
// has changed its size; EInOutError when a file cannot be written.
bool DecodeAttachment(THostApi& host, TMailItem& mail, const TAttachment& attachment,
                      const std::string& destination);

}  // namespace quillbox
