// The plug-in's interface language: which one start-up chooses, and the
// title, description and message table that go with it.
#pragma once

#include <string>

#include "settings/message_table.h"

namespace quillbox {

// The language start-up chooses from the thread locale: Japanese for 1041,
// the second language for anything else (a locale of 0 counts as 1033).
int LocaleIDFromThreadLocale(unsigned long threadLocale);

struct TLanguage {
    // 1041 Japanese; anything else the second language. The settings file
    // may hold any number and gets it back unchanged.
    int LocaleID = kEnglishLocaleID;
    std::string PlugInTitle;
    // Registered with the host as the command's description; the same text as
    // the title, kept apart because the host may hold on to it.
    std::string CommandTitle;
    // Set at start-up only: the host asked for it once.
    std::string PlugInDescription;
    TMessageTable MessageTable;
};

// The language of the thread locale, with its messages loaded.
TLanguage InitLanguage(unsigned long threadLocale);

// Title, command title and message table for the current LocaleID.
void LoadMessages(TLanguage& language);

// Blanks that leave room for a file's icon in front of its name: as many as
// fit into the gap (22 pixels at 96 DPI), for a blank of the given positive width.
constexpr int kIconGapPixels = 22;
std::string IconGapBlanks(int blankWidthInPixels, int gapInPixels = kIconGapPixels);

}  // namespace quillbox
