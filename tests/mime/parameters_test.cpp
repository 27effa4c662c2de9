#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "mime/encoded_words.h"
#include "mime/parameters.h"

namespace quillbox {
namespace {

// Runs as "charset:bytes", "|" between runs, to compare at a glance.
std::string Describe(const TMimeText& text)
{
    std::string out;
    for (const TMimeTextRun& run : text.Runs()) {
        if (!out.empty()) out += "|";
        out += run.Charset + ":" + run.Bytes;
    }
    return out;
}

std::string TextOf(const std::string& value, const std::string& name)
{
    const auto text = TParameterList(value).Text(name);
    return text ? Describe(*text) : "(none)";
}

TEST(Parameters, AnyOrderQuotedOrNotAnyCase)
{
    const TParameterList apple(" application/pdf;\r\n\tx-unix-mode=0644;\r\n\tNAME=\"report.pdf\"");
    EXPECT_EQ(apple.Leading(), "application/pdf");
    EXPECT_EQ(apple.Plain("name"), "report.pdf");
    EXPECT_EQ(apple.Plain("x-unix-mode"), "0644");
    EXPECT_EQ(TParameterList("multipart/mixed; charset=utf-8; boundary=b1").Plain("boundary"), "b1");
    EXPECT_EQ(TParameterList("multipart/signed; protocol=\"application/pkcs7-signature\"; micalg=sha-256;\r\n"
                             " boundary=\"----=_Part_1\"")
                  .Plain("boundary"),
              "----=_Part_1");
    EXPECT_EQ(TParameterList("text/plain; name = notes.txt ; x=1").Plain("name"), "notes.txt");
    EXPECT_EQ(TParameterList("attachment").Leading(), "attachment");
    EXPECT_FALSE(TParameterList("attachment; filename").Plain("filename"));
    EXPECT_FALSE(TParameterList("").Plain("name"));
}

TEST(Parameters, AQuotedValueEndsAtItsClosingQuote)
{
    const TParameterList list("attachment; filename=\"a.pdf\"; x-mac-creator=\"4341524F\"");
    EXPECT_EQ(list.Plain("filename"), "a.pdf");
    EXPECT_EQ(list.Plain("x-mac-creator"), "4341524F");
    EXPECT_EQ(TParameterList("x; name=\"a;b.pdf\" trailing; y=2").Plain("name"), "a;b.pdf");
    EXPECT_EQ(TParameterList("x; name=\"a;b.pdf\" trailing; y=2").Plain("y"), "2");
    EXPECT_EQ(TParameterList("x; name=\"say \\\"hi\\\".txt\"").Plain("name"), "say \"hi\".txt");
    // Backslashes of a Windows path stay; so does a Shift_JIS character
    // whose second byte is 0x5C (表) just before the closing quote.
    EXPECT_EQ(TParameterList("x; filename=\"C:\\dir.x\\README\"").Plain("filename"), "C:\\dir.x\\README");
    EXPECT_EQ(TParameterList("x; filename=\"\x95\\\"; y=1").Plain("filename"), "\x95\\");
    EXPECT_EQ(TParameterList("x; name=\"unclosed; y=1").Plain("name"), "unclosed; y=1");
}

TEST(Parameters, Rfc2231ValuesSectionsAndCharsets)
{
    EXPECT_EQ(TextOf("attachment; filename*=utf-8''%E5%A0%B1%E5%91%8A.pdf", "filename"),
              "utf-8:\xE5\xA0\xB1\xE5\x91\x8A.pdf");
    EXPECT_EQ(TextOf("attachment; filename*=iso-8859-1'fr'caf%E9.txt", "filename"), "iso-8859-1:caf\xE9.txt");
    // Sections join before the charset decodes them, so an ISO-2022-JP
    // escape in one section holds in the next.
    EXPECT_EQ(TextOf("attachment;\r\n filename*1*=%25H%1B%28B.pdf;\r\n filename*0*=ISO-2022-JP''%1B%24B%25F%259",
                     "filename"),
              "ISO-2022-JP:\x1B$B%F%9%H\x1B(B.pdf");
    EXPECT_EQ(TextOf("x; name*0=\"long \"; name*1=\"name.txt\"", "name"), ":long name.txt");
    EXPECT_EQ(TextOf("x; name*0*=utf-8''%41; name*1=B%41", "name"), "utf-8:AB%41");
    EXPECT_EQ(TextOf("x; name*=''%E3%81%82", "name"), ":\xE3\x81\x82");
    // The RFC 2231 form wins over a plain one of the same name.
    EXPECT_EQ(TextOf("x; name=\"a.pdf\"; name*=utf-8''b.pdf", "name"), "utf-8:b.pdf");
    EXPECT_EQ(TextOf("x; name=a.pdf", "filename"), "(none)");
}

TEST(Parameters, EncodedWordsInsideValues)
{
    EXPECT_EQ(TextOf("x; name=\"=?ISO-2022-JP?B?GyRCJUYlOSVIGyhC?=.pdf\"", "name"),
              "ISO-2022-JP:\x1B$B%F%9%H\x1B(B|:.pdf");
    // Blanks between two words go, and a character split across two words
    // joins up again.
    EXPECT_EQ(TextOf("x; name=\"=?UTF-8?B?44O=?=\r\n =?utf-8?B?hg==?=.txt\"", "name"), "UTF-8:\xE3\x83\x86|:.txt");
    EXPECT_EQ(TextOf("x; name==?utf-8?Q?caf=C3=A9_1?=", "name"), "utf-8:caf\xC3\xA9 1");
    EXPECT_EQ(TextOf("x; name=\"=?utf-8*en?q?a?=\"", "name"), "utf-8:a");
    EXPECT_EQ(TextOf("x; name=\"a =?x?q?b?= c\"", "name"), ":a |x:b|: c");
}

TEST(EncodedWords, MalformedWordsStayText)
{
    EXPECT_EQ(Describe(DecodeEncodedWords("=?utf-8?B?YQ==")), ":=?utf-8?B?YQ==");
    EXPECT_EQ(Describe(DecodeEncodedWords("=?utf-8?X?abc?=")), ":=?utf-8?X?abc?=");
    EXPECT_EQ(Describe(DecodeEncodedWords("=?utf-8?Q?a b?=")), ":=?utf-8?Q?a b?=");
    EXPECT_EQ(Describe(DecodeEncodedWords("=??Q?a?=")), ":=??Q?a?=");
    EXPECT_EQ(Describe(DecodeEncodedWords("x =?us-ascii?Q?=0D=0A=3d?=")), ":x |us-ascii:\r\n=");
    EXPECT_EQ(Describe(DecodeEncodedWords("=?utf-8?Q?=4=ZZ?=")), "utf-8:=4=ZZ");
    EXPECT_TRUE(DecodeEncodedWords("").Empty());
}

}  // namespace
}  // namespace quillbox
