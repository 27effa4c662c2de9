#include "test_mails.h"

namespace quillbox::testing {

std::string EncodeBase64(const std::string& bytes)
{
    static const char* kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    std::size_t column = 0;
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        unsigned value = static_cast<unsigned char>(bytes[i]) << 16;
        if (i + 1 < bytes.size()) value |= static_cast<unsigned char>(bytes[i + 1]) << 8;
        if (i + 2 < bytes.size()) value |= static_cast<unsigned char>(bytes[i + 2]);
        out += kAlphabet[(value >> 18) & 63];
        out += kAlphabet[(value >> 12) & 63];
        out += i + 1 < bytes.size() ? kAlphabet[(value >> 6) & 63] : '=';
        out += i + 2 < bytes.size() ? kAlphabet[value & 63] : '=';
        if ((column += 4) == 76) out += "\r\n", column = 0;
    }
    if (column != 0) out += "\r\n";
    return out;
}

TTestPart TextPart(const std::string& body, const std::string& subtype)
{
    return {"Content-Type: text/" + subtype + "; charset=\"iso-2022-jp\"\r\nContent-Transfer-Encoding: 7bit\r\n\r\n" +
                body,
            "", "7bit"};
}

TTestPart Base64Part(const std::string& fileName, const std::string& bytes, bool encodingFirst)
{
    const std::string type = "Content-Type: application/octet-stream;\r\n name=\"" + fileName + "\"\r\n";
    const std::string encoding = "Content-Transfer-Encoding: base64\r\n";
    const std::string disposition = "Content-Disposition: attachment;\r\n filename=\"" + fileName + "\"\r\n";
    const std::string head = encodingFirst ? encoding + type + disposition : type + encoding + disposition;
    return {head + "\r\n" + EncodeBase64(bytes), fileName, "base64"};
}

TTestPart SevenBitPart(const std::string& fileName, const std::string& body)
{
    return {"Content-Type: application/x-note; name=\"" + fileName + "\"\r\nContent-Transfer-Encoding: 7BIT\r\n\r\n" + body,
            fileName, "7BIT"};
}

std::string TTestMail::Source() const
{
    std::string source = HeaderLines + ContentType + "\r\n" + Preamble;
    for (const TTestPart& part : Parts) source += "--" + Boundary + "\r\n" + part.Text;
    return source + "--" + Boundary + "--\r\n" + Epilogue;
}

std::unique_ptr<TMailItem> TTestMail::Item(const std::string& mailId) const
{
    auto mail = std::make_unique<TMailItem>();
    mail->MailID = mailId;
    mail->Subject = "test";
    for (std::size_t i = 0; i < Parts.size(); ++i) {
        if (Parts[i].FileName.empty()) continue;
        auto attachment = std::make_unique<TAttachment>();
        attachment->PartNo = static_cast<int>(i + 1);
        attachment->FileName = Parts[i].FileName;
        attachment->Encoding = Parts[i].Encoding;
        attachment->Size = static_cast<int>(Parts[i].Text.size());
        attachment->Visible = true;
        mail->Attachments.push_back(std::move(attachment));
    }
    return mail;
}

}  // namespace quillbox::testing
