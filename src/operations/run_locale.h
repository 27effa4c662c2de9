// The user's settings a command writes its reports and notes in, taken from
// the window once when the command starts.
#pragma once

#include "settings/message_table.h"

namespace quillbox {

struct TRunLocale {
    char DateSeparator = '/';         // in the dates of a report
    int LocaleID = kEnglishLocaleID;  // the language of a note left in a mail
};

}  // namespace quillbox
