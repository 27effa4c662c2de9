// Which parts of a mail the scan lists as attachments.
#pragma once

namespace quillbox {

enum class TAttachmentRules {
    // The six tests of old on the top-level parts: a part whose first
    // parameter is a quoted name, HTML parts by their names, no text/plain.
    Classic,
    // All that classic lists, and every leaf anywhere in the mail that a
    // mail client shows as an attachment.
    Full,
};

}  // namespace quillbox
