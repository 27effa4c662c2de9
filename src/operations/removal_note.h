// The short text part that stays in a multipart whose every part was
// removed, so that the mail keeps a valid multipart and says what happened.
#pragma once

#include <ctime>
#include <string>

#include "settings/message_table.h"
#include "tansy/host_api.h"
#include "text/code_page.h"

namespace quillbox {

struct TRemovalNote {
    int LocaleID = kEnglishLocaleID;  // the language the note is written in
    std::string When;                 // the local date and time of the removal
};

// "2026/12/08 18:33" for that moment, in the local time zone.
std::string RemovalTimeText(std::time_t moment);

// The whole part: its header lines, an empty line, and the note that names
// the removed files (names, the quoted name list) and when they went, one
// name a line, ending in CR LF. Japanese goes out in ISO-2022-JP, converted
// by the host; the second language in US-ASCII, or in the code page's
// charset when a name needs it.
std::string RemovalNotePart(THostApi& host, const TRemovalNote& note, const std::string& names,
                            TCodePage codePage = TCodePage::Active());

}  // namespace quillbox
