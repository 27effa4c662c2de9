// Multipart mails as senders write them, and the catalogue records the folder
// scan makes of them.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "catalogue/mail_item.h"

namespace quillbox::testing {

struct TTestPart {
    std::string Text;      // header block, empty line, body, line end: the piece as cut
    std::string FileName;  // empty: not an attachment (a text body)
    std::string Encoding = "base64";
};

TTestPart TextPart(const std::string& body, const std::string& subtype = "plain");
TTestPart Base64Part(const std::string& fileName, const std::string& bytes, bool encodingFirst = false);
TTestPart SevenBitPart(const std::string& fileName, const std::string& body);

struct TTestMail {
    std::string HeaderLines = "From: a@example.com\r\nSubject: test\r\nMIME-Version: 1.0\r\n";
    std::string ContentType = "Content-Type: multipart/mixed;\r\n\tboundary=\"=_b.1+x\"\r\n";
    std::string Boundary = "=_b.1+x";
    std::string Preamble = "This is a multi-part message in MIME format.\r\n";
    std::vector<TTestPart> Parts;
    std::string Epilogue;

    std::string Source() const;
    // The mail item the scan records: every part with a file name is an
    // attachment, numbered from 1 in part order.
    std::unique_ptr<TMailItem> Item(const std::string& mailId) const;
};

std::string EncodeBase64(const std::string& bytes);

}  // namespace quillbox::testing
