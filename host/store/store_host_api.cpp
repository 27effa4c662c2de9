#include "store/store_host_api.h"

#include "convert/charset.h"
#include "convert/japanese.h"
#include "convert/local_text.h"
#include "convert/mime_header.h"
#include "convert/transfer_encoding.h"
#include "store/mail_message.h"
#include "text/code_page.h"

namespace quillbox {

namespace {
// What a zero-terminated text holds of a string.
std::string_view HostTextOf(std::string_view text) { return text.substr(0, text.find('\0')); }
std::string AsHostText(std::string_view text) { return std::string(HostTextOf(text)); }
}  // namespace

TStoreHostApi::TStoreHostApi(TMailStore store, std::string mailBox, std::string folder,
                             std::string tempFolder)
    : store_(std::move(store)),
      mailBox_(std::move(mailBox)),
      folder_(std::move(folder)),
      tempNames_(std::move(tempFolder)),
      codePage_(TCodePage::Active().Id())
{
}

std::string TStoreHostApi::GetDataFolder()
{
    // The plug-in builds the index path from this and reads the index next.
    store_.SyncIndexFiles(folder_);
    return store_.DataFolder();
}
std::string TStoreHostApi::GetCurrentFolder() { return folder_; }
std::string TStoreHostApi::GetCurrentMailBox() { return mailBox_; }

std::string TStoreHostApi::GetFolderDisplayName(const std::string& folder)
{
    return TMailStore::DisplayName(AsHostText(folder));
}

void TStoreHostApi::SetCurrentMail(const std::string& mailId)
{
    const std::string id = AsHostText(mailId);
    if (store_.ReadHeader(id)) currentMail_ = id;
}

std::optional<std::string_view> TStoreHostApi::HeaderOf(const std::string& mailId)
{
    const std::optional<std::string_view> header = store_.ReadHeader(AsHostText(mailId));
    if (!header) return std::nullopt;
    // A zero byte inside the header block ends it as it ends the whole text.
    return HostTextOf(*header);
}

std::optional<std::string> TStoreHostApi::GetHeader(const std::string& mailId)
{
    const std::optional<std::string_view> header = HeaderOf(mailId);
    if (!header) return std::nullopt;
    return std::string(*header);
}

std::optional<TSharedText> TStoreHostApi::GetSource(const std::string& mailId)
{
    const std::optional<TSharedText> source = store_.Source(AsHostText(mailId));
    if (!source) return std::nullopt;
    return source->Prefix(HostTextOf(*source).size());
}

void TStoreHostApi::SetSource(const std::string& source)
{
    if (!currentMail_.empty()) store_.ReplaceSource(currentMail_, AsHostText(source));
}

std::string TStoreHostApi::GetSpecifiedHeader(const std::string& name)
{
    const std::optional<std::string_view> header = HeaderOf(currentMail_);
    if (!header) return {};
    std::string value =
        quillbox::DecodeMimeHeader(HeaderValue(*header, HostTextOf(name)).value_or(""), codePage_);
    if (value.find('\x1B') != std::string::npos)
        value = CharsetToLocal("iso-2022-jp", value, codePage_).value_or(value);
    return value;
}

void TStoreHostApi::SetSpecifiedHeader(const std::string& name, const std::string& value)
{
    if (!currentMail_.empty() && !HostTextOf(name).empty())
        store_.SetHeader(currentMail_, AsHostText(name), AsHostText(value));
}

std::string TStoreHostApi::Iso2022JpToLocal(const std::string& text)
{
    return CharsetToLocal("iso-2022-jp", HostTextOf(text), codePage_).value_or("");
}

std::string TStoreHostApi::LocalToIso2022Jp(const std::string& text)
{
    const std::string local = AsHostText(text);
    return ShiftJisToIso2022Jp(codePage_ == 932 ? local : UnicodeToLocal(LocalToUnicode(local, codePage_), 932));
}

std::string TStoreHostApi::DecodeMimeHeader(const std::string& header)
{
    return quillbox::DecodeMimeHeader(HostTextOf(header), codePage_);
}

std::string TStoreHostApi::GetTempFileName(const std::string& extension)
{
    return tempNames_.Next(AsHostText(extension));
}

bool TStoreHostApi::B64Decode(const std::string& destination, const std::string& source)
{
    return Base64ConvertFile(AsHostText(destination), AsHostText(source), TConvertDirection::Decode);
}

bool TStoreHostApi::QPDecode(const std::string& destination, const std::string& source)
{
    return QuotedPrintableConvertFile(AsHostText(destination), AsHostText(source), TConvertDirection::Decode);
}

}  // namespace quillbox
