#include "catalogue/part_scanner.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>

#include "catalogue/hex_field.h"
#include "catalogue/part_head.h"
#include "text/code_page.h"

namespace quillbox {

namespace {

enum class TPartKind { Plain, NamedHtml, Named, UnnamedHtml };

struct TPartTest {
    const char* Pattern;
    TPartKind Kind;
};

// The earliest test that matches decides, whatever the order of the lines.
constexpr std::array<TPartTest, 6> kPartTests{{
    {R"(m/Content\-Type\:\s*text\/plain/i)", TPartKind::Plain},
    {R"(m/Content\-Type\:\s*text\/html\;\s*name\s*\=\s*\"(.+)\"/i)", TPartKind::NamedHtml},
    {R"(m/Content\-Disposition\:\s*attachment\;\s*filename\s*\=\s*\"(.+)\"/i)", TPartKind::Named},
    {R"(m/Content\-Type\:\s*application\/[^\;]+\;\s*name\s*\=\s*\"(.+)\"/i)", TPartKind::Named},
    {R"(m/Content\-Type\:\s*image\/[^\;]+\;\s*name\s*\=\s*\"(.+)\"/i)", TPartKind::Named},
    {R"(m/Content\-Type\:\s*text\/(html*)\;*\s/i)", TPartKind::UnnamedHtml},
}};

constexpr const char* kLowerCase = "tr/A-Z/a-z/";
constexpr const char* kTransferEncoding = R"(m/Content\-Transfer\-Encoding\:\s*(\S+)/i)";
constexpr const char* kIso2022JpEscape = "\x1b$B";

// The host names an HTML body after the mail's time in hexadecimal; a name
// that reads as a time within two years of the mail's is such a body.
constexpr std::int64_t kBodyNameWindow = 63072000;

bool NamesHtmlBody(const std::string& name, std::int32_t unixTime)
{
    return std::llabs(std::int64_t{ReadHexField(name)} - unixTime) < kBodyNameWindow;
}

// Text from the last dot on, unless a path or drive separator follows it.
std::string ExtensionOf(const std::string& name)
{
    const TCodePage codePage = TCodePage::Active();
    const std::size_t dot = codePage.FindLastChar(name, '.');
    if (dot == std::string::npos) return {};
    for (const char separator : {'\\', ':'}) {
        const std::size_t at = codePage.FindLastChar(name, separator);
        if (at != std::string::npos && at > dot) return {};
    }
    return name.substr(dot);
}

// A prefix that holds the empty line is enough; growing it geometrically
// keeps a part without one linear in its size.
std::string ReadHead(const TBRegExp& split, int p, std::size_t length)
{
    std::size_t prefixLength = std::min<std::size_t>(4096, length);
    for (;;) {
        TPartHead head = ReadPartHead(split.SplitLeft(p, static_cast<int>(prefixLength)));
        if (head.Complete || prefixLength >= length) return std::move(head.Text);
        prefixLength = std::min(prefixLength * 2, length);
    }
}

}  // namespace

std::string TPartScanner::LowerCase(std::string text)
{
    patterns_.LowerCase.Trans(kLowerCase, text);
    return text;
}

bool TPartScanner::ScanPart(TMailItem& mail, const TBRegExp& split, int p)
{
    const auto length = static_cast<std::size_t>(split.SubLength(p));
    const std::string head = host_.DecodeMimeHeader(ReadHead(split, p, length));

    std::size_t t = 0;
    while (t < kPartTests.size() && !patterns_.Tests[t].Match(kPartTests[t].Pattern, head)) ++t;
    if (t == kPartTests.size()) return false;
    const TPartTest* decided = &kPartTests[t];
    if (decided->Kind == TPartKind::Plain) {
        ++mail.PlainCount;
        return false;
    }

    auto attachment = std::make_unique<TAttachment>();
    attachment->PartNo = p;
    attachment->FileName = patterns_.Tests[t].Strings(1);
    if (decided->Kind == TPartKind::UnnamedHtml ||
        (decided->Kind == TPartKind::NamedHtml && NamesHtmlBody(attachment->FileName, mail.UnixTime))) {
        attachment->IsHTML = true;
        ++mail.HtmlCount;
    }

    if (attachment->FileName.find(kIso2022JpEscape) != std::string::npos)
        attachment->FileName = host_.Iso2022JpToLocal(attachment->FileName);
    if (LowerCase(attachment->FileName) == "html") attachment->FileName = "NoName.html";
    attachment->Icon = icons_.GetIcon(ExtensionOf(LowerCase(attachment->FileName)));
    attachment->Size = static_cast<std::int32_t>(std::min<std::size_t>(length, INT32_MAX));
    TBRegExp& encoding = patterns_.TransferEncoding;
    attachment->Encoding = encoding.Match(kTransferEncoding, head) ? encoding.Strings(1) : "Unknown";

    mail.Attachments.push_back(std::move(attachment));
    return true;
}

}  // namespace quillbox
