// What the About box and the ReadMe command show, free of any toolkit.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "settings/message_table.h"
#include "text/code_page.h"

namespace quillbox {

// The maker's home page; the link label opens it.
inline constexpr char kHomePageAddress[] = "http://quillbox.example.org/";
inline constexpr char kForHostLabel[] = "for Tansy!2";

struct TAboutTexts {
    std::string Caption;
    std::string ProductName;  // the plug-in's title
    std::string Version;      // "Version " and the version text
    std::string HomePageNote;
    std::string OkButton;
    std::string LinkOpen;  // the link's pop-up menu
    std::string LinkCopy;
};

// The texts of the language of localeID, at the moment the box is shown.
TAboutTexts AboutTextsFor(int localeID, const std::string& pluginVersion);

// The ReadMe file of a language beside the library: the folder, a
// separator unless the folder already ends in one, "Quillbox_ReadMe", the
// language's tag and ".txt".
std::string ReadMePath(const std::string& pluginFolder, const std::string& languageTag, TCodePage codePage);

// The ReadMe command: the file to open, or the error to show when it is
// missing.
struct TReadMeAction {
    std::string Path;
    std::optional<std::string> Error;
};
TReadMeAction ReadMeAction(const std::string& pluginFolder, const TMessageTable& messages, TCodePage codePage,
                           const std::function<bool(const std::string&)>& fileExists);

}  // namespace quillbox
