#include "settings/language.h"

#include "text/code_page_conversion.h"

namespace quillbox {

namespace {
constexpr unsigned kShiftJis = 932;
}

TLanguageTexts JapaneseTexts()
{
    // Lines of the description break on CR alone, as the host shows them.
    return {ConvertFromUtf8("Quillbox プラグイン", kShiftJis),
            ConvertFromUtf8("このプラグインはメールフォルダ中の添付ファイルの\r"
                            "  ・ リストアップ検索\r"
                            "  ・ 一括保存\r"
                            "  ・ 一括削除\r"
                            "を支援するプラグインです。",
                            kShiftJis)};
}

TLanguageTexts EnglishTexts()
{
    return {"Quillbox Plug-in",
            "This plug-in helps you with the attachments\r"
            "in a mail folder:\r"
            "  - list and search them\r"
            "  - save them all at once\r"
            "  - remove them all at once"};
}

int LocaleIDFromThreadLocale(unsigned long threadLocale)
{
    return threadLocale == static_cast<unsigned long>(kJapaneseLocaleID) ? kJapaneseLocaleID
                                                                         : kEnglishLocaleID;
}

TLanguage InitLanguage(unsigned long threadLocale)
{
    const int localeID = LocaleIDFromThreadLocale(threadLocale);
    const TLanguageTexts texts = localeID == kJapaneseLocaleID ? JapaneseTexts() : EnglishTexts();
    return {localeID, texts.Title, texts.Title, texts.Description};
}

}  // namespace quillbox
