#include "catalogue/folder_index.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

#include "catalogue/hex_field.h"
#include "mime/line_breaks.h"
#include "catalogue/mail_date.h"
#include "catalogue/string_delimit_list.h"

namespace quillbox {

namespace {
constexpr std::size_t kMinFields = 17;
constexpr std::int32_t kHasAttachments = 8;

std::unique_ptr<TMailItem> MailFromFields(const TStringDelimitList& fields, const std::string& folder)
{
    auto mail = std::make_unique<TMailItem>();
    mail->Flags = ReadHexField(fields[12]);
    mail->MailID = folder + "?" + fields[1];
    mail->Subject = fields[3];
    mail->From = fields[4];
    mail->UnixTime = ReadHexField(fields[8]);
    mail->Date = DateFromUnixTime(mail->UnixTime);
    mail->IndexField2 = fields[2];
    mail->IndexField0 = fields[0];
    mail->IndexField16 = fields[16];
    return mail;
}
}  // namespace

std::vector<std::unique_ptr<TMailItem>> ReadIndexMails(std::string_view indexText, const std::string& folder)
{
    std::vector<std::unique_ptr<TMailItem>> mails;
    TStringDelimitList fields;
    const TCodePage codePage = TCodePage::Active();
    std::size_t pos = 0;
    while (pos < indexText.size()) {
        const std::size_t end = FindLineBreak(indexText, pos, indexText.size());
        fields.SplitLine(indexText.substr(pos, end - pos), codePage);
        pos = SkipLineBreak(indexText, end, indexText.size());

        if (fields.Count() < kMinFields) continue;
        if ((ReadHexField(fields[12]) & kHasAttachments) == 0) continue;
        mails.push_back(MailFromFields(fields, folder));
    }
    return mails;
}

std::optional<std::string> ReadWholeFile(const std::string& path)
{
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file) return std::nullopt;
    std::string text;
    char chunk[65536];
    std::size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0) text.append(chunk, got);
    if (std::ferror(file.get())) throw std::runtime_error("Cannot read " + path);
    return text;
}

}  // namespace quillbox
