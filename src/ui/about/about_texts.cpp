#include "ui/about/about_texts.h"

#include "settings/language.h"

namespace quillbox {

namespace {
struct TLanguagePair {
    const char* Japanese;
    const char* English;
    std::string For(int localeID) const { return IsJapanese(localeID) ? Japanese : English; }
};

#define QBX_ABOUT_TEXT(name, japanese, english) constexpr TLanguagePair k##name{japanese, english};
#include "ui/about/about_texts.inc"
}  // namespace

TAboutTexts AboutTextsFor(int localeID, const std::string& pluginVersion)
{
    TAboutTexts texts;
    texts.Caption = kCaption.For(localeID);
    texts.ProductName = LanguageTextsFor(localeID).Title;
    texts.Version = "Version " + pluginVersion;
    texts.HomePageNote = kHomePageNote.For(localeID);
    texts.OkButton = kOkButton.For(localeID);
    texts.LinkOpen = kLinkOpen.For(localeID);
    texts.LinkCopy = kLinkCopy.For(localeID);
    return texts;
}

std::string ReadMePath(const std::string& pluginFolder, const std::string& languageTag, TCodePage codePage)
{
    // A trail byte 0x5C of a double-byte character is no separator.
    const std::size_t lastSeparator = codePage.FindLastChar(pluginFolder, '\\');
    const bool endsInSeparator = !pluginFolder.empty() && lastSeparator == pluginFolder.size() - 1;
    return pluginFolder + (endsInSeparator ? "" : "\\") + "Quillbox_ReadMe" + languageTag + ".txt";
}

TReadMeAction ReadMeAction(const std::string& pluginFolder, const TMessageTable& messages, TCodePage codePage,
                           const std::function<bool(const std::string&)>& fileExists)
{
    TReadMeAction action{ReadMePath(pluginFolder, messages[msgReadMeTag], codePage), std::nullopt};
    if (!fileExists(action.Path)) action.Error = messages[msgReadMeMissing];
    return action;
}

}  // namespace quillbox
