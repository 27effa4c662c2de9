// Writes one attachment, decoded, into a file.
#pragma once

#include <string>

#include "catalogue/attachment.h"
#include "catalogue/mail_item.h"
#include "tansy/host_api.h"

namespace quillbox {

// Fetches the mail's header and source afresh (refreshing its Boundary and
// BoundaryPattern), cuts out the attachment's part by its PartNo and turns
// the part's body into the destination, which is overwritten without asking.
// Base64 and quoted-printable go through the host's converters, 7bit and 8bit
// are copied; every other encoding is refused. False when the mail is not
// multipart, the source holds no delimiter, the encoding is refused or the
// converter failed. Pattern errors (a PartNo beyond the pieces: "index out of
// range") and EInOutError reach the caller.
bool DecodeAttachment(THostApi& host, TMailItem& mail, const TAttachment& attachment,
                      const std::string& destination);

}  // namespace quillbox
