#include "convert/charset.h"
#include "convert/file_bytes.h"
#include "convert/japanese.h"
#include "convert/local_text.h"
#include "convert/mime_header.h"
#include "convert/temp_names.h"
#include "convert/transfer_encoding.h"
#include "base64_digit_by_digit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <tuple>
#include <type_traits>
#include <vector>

using namespace quillbox;
using quillbox::testing::Base64DigitByDigit;

namespace {

const std::string kTesuto = "\x83\x65\x83\x58\x83\x67";  // テスト in Shift_JIS
const std::string kTesutoJis = "\x1B$B%F%9%H\x1B(B";

std::string TempDir()
{
    const auto dir = std::filesystem::temp_directory_path() / ("qbx_convert_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    return dir.string() + "/";
}

}  // namespace

TEST(Japanese, EveryJisX0208PairSurvivesTheRoundTrip)
{
    int pairs = 0;
    for (int row = 0x21; row <= 0x7E; ++row)
        for (int cell = 0x21; cell <= 0x7E; ++cell) {
            const std::string jis = std::string("\x1B$B") + char(row) + char(cell) + "\x1B(B";
            const std::string sjis = Iso2022JpToShiftJis(jis);
            ASSERT_EQ(sjis.size(), 2u) << row << "," << cell;
            ASSERT_EQ(ShiftJisToIso2022Jp(sjis), jis) << row << "," << cell;
            ASSERT_EQ(EucJpToShiftJis(ShiftJisToEucJp(sjis)), sjis);
            ++pairs;
        }
    EXPECT_EQ(pairs, 94 * 94);
}

TEST(Japanese, KnownTextsAndSenderHabits)
{
    EXPECT_EQ(Iso2022JpToShiftJis("a" + kTesutoJis + "b"), "a" + kTesuto + "b");
    EXPECT_EQ(ShiftJisToIso2022Jp("a" + kTesuto + "b"), "a" + kTesutoJis + "b");
    // ESC $ @ (old JIS) and ESC ( J (JIS-Roman) are read like ESC $ B and ASCII.
    EXPECT_EQ(Iso2022JpToShiftJis("\x1B$@%F%9%H\x1B(Jx"), kTesuto + "x");
    // Half-width katakana: ESC ( I, and SO/SI; written back with ESC ( I.
    EXPECT_EQ(Iso2022JpToShiftJis("\x1B(I12\x1B(B"), "\xB1\xB2");
    EXPECT_EQ(Iso2022JpToShiftJis("\x0E" "12\x0F" "a"), "\xB1\xB2" "a");
    EXPECT_EQ(ShiftJisToIso2022Jp("\xB1\xB2"), "\x1B(I12\x1B(B");
    // A line break ends a run that was left open.
    EXPECT_EQ(Iso2022JpToShiftJis("\x1B$B%F\r\nab"), "\x83\x65\r\nab");
    // JIS X 0212 has no Shift_JIS form.
    EXPECT_EQ(Iso2022JpToShiftJis("\x1B$(D0!\x1B(B"), "?");
    // User-defined characters have no ISO-2022-JP form.
    EXPECT_EQ(ShiftJisToIso2022Jp("\xF0\x40"), "?");
    EXPECT_EQ(EucJpToShiftJis("\xA5\xC6\x8E\xB1"), "\x83\x65\xB1");
}

TEST(Charset, ConvertsEveryListedCharsetIntoTheLocalCodePage)
{
    EXPECT_EQ(CharsetToLocal("UTF-8", "\xE6\x97\xA5\xE6\x9C\xAC", 932), "\x93\xFA\x96\x7B");
    EXPECT_EQ(CharsetToLocal("utf-8", "caf\xC3\xA9", 1252), "caf\xE9");
    EXPECT_EQ(CharsetToLocal("ISO-8859-1", "caf\xE9", 1252), "caf\xE9");
    // The character the code page lacks becomes "?".
    EXPECT_EQ(CharsetToLocal("ISO-8859-1", "caf\xE9", 932), "caf?");
    EXPECT_EQ(CharsetToLocal("Shift_JIS", kTesuto, 1252), "???");
    EXPECT_EQ(CharsetToLocal("x-unknown", "abc", 932), std::nullopt);
    // Half-width katakana are single bytes in code page 932.
    EXPECT_EQ(UnicodeToLocal(U"\uFF71", 932), "\xB1");
    EXPECT_EQ(LocalToUnicode("\x81\x5F", 932), U"\uFF3C");  // the trail byte 0x5F is no "_"
    EXPECT_EQ(Utf8ToUnicode("a\xC0\xAF" "b"), U"a\uFFFD\uFFFDb");  // overlong form refused
}

TEST(MimeHeader, DecodesEncodedWordsOfEveryListedCharset)
{
    EXPECT_EQ(DecodeMimeHeader("Subject: =?ISO-2022-JP?B?GyRCJUYlOSVIGyhC?=", 932), "Subject: " + kTesuto);
    EXPECT_EQ(DecodeMimeHeader("=?shift_jis?B?g2WDWINn?=", 932), kTesuto);
    EXPECT_EQ(DecodeMimeHeader("=?EUC-JP?Q?=A5=C6=A5=B9=A5=C8?=", 932), kTesuto);
    EXPECT_EQ(DecodeMimeHeader("=?UTF-8?B?44OG44K544OI?=", 932), kTesuto);
    EXPECT_EQ(DecodeMimeHeader("=?utf-8?q?caf=C3=A9_au_lait?=", 1252), "caf\xE9 au lait");
    EXPECT_EQ(DecodeMimeHeader("=?iso-8859-1?Q?caf=E9?=", 1252), "caf\xE9");
    EXPECT_EQ(DecodeMimeHeader("=?us-ascii?Q?a_b?=", 932), "a b");
    EXPECT_EQ(DecodeMimeHeader("=?UTF-8*ja?B?44OG?=", 932), "\x83\x65");
}

TEST(MimeHeader, JoinsAdjacentWordsAndLeavesTheRestAlone)
{
    // Folding between two encoded words vanishes, between a word and text it stays.
    EXPECT_EQ(DecodeMimeHeader("=?UTF-8?B?44OG?=\r\n =?UTF-8?B?44K544OI?= x", 932), kTesuto + " x");
    EXPECT_EQ(DecodeMimeHeader("a =?UTF-8?B?44OG?= b", 932), "a \x83\x65 b");
    EXPECT_EQ(DecodeMimeHeader("=?x-unknown?B?QQ==?=", 932), "=?x-unknown?B?QQ==?=");
    EXPECT_EQ(DecodeMimeHeader("=?UTF-8?X?QQ==?= =?UTF-8?B?QQ", 932), "=?UTF-8?X?QQ==?= =?UTF-8?B?QQ");
    EXPECT_EQ(DecodeMimeHeader(EncodeMimeHeader("name " + kTesuto + ".pdf", 932), 932), "name " + kTesuto + ".pdf");
}

TEST(TransferEncoding, Base64KnownVectorsAndMalformedInput)
{
    const std::pair<std::string, std::string> vectors[] = {
        {"", ""}, {"f", "Zg==\r\n"}, {"fo", "Zm8=\r\n"}, {"foo", "Zm9v\r\n"}, {"foobar", "Zm9vYmFy\r\n"}};
    for (const auto& [plain, encoded] : vectors) {
        EXPECT_EQ(Base64Encode(plain), encoded);
        EXPECT_EQ(Base64Decode(encoded), plain);
    }
    EXPECT_EQ(Base64Decode("Zm9v\r\nYm\n Fy"), "foobar");
    EXPECT_EQ(Base64Decode("Zm9v*!Ym Fy"), "foobar");  // junk skipped
    EXPECT_EQ(Base64Decode("Zm9vY"), "foo");            // dangling character dropped
    EXPECT_EQ(Base64Decode("Zg==Zm9v"), "f");           // stops at the fill
    std::string all;
    for (int b = 0; b < 256; ++b) all += char(b);
    const std::string encoded = Base64Encode(all + all);
    EXPECT_EQ(encoded.find("\r\n"), 76u);
    EXPECT_EQ(Base64Decode(encoded), all + all);
}

TEST(TransferEncoding, QuotedPrintableKnownVectorsAndMalformedInput)
{
    EXPECT_EQ(QuotedPrintableDecode("a=3Db=3db"), "a=b=b");
    EXPECT_EQ(QuotedPrintableDecode("soft=\r\nbreak\r\nhard"), "softbreak\r\nhard");
    EXPECT_EQ(QuotedPrintableDecode("soft=\nbreak"), "softbreak");
    EXPECT_EQ(QuotedPrintableDecode("trailing   \r\nx"), "trailing\r\nx");
    EXPECT_EQ(QuotedPrintableDecode("bad=ZZ and =4"), "bad=ZZ and =4");
    EXPECT_EQ(QuotedPrintableDecode("=E3=83=86"), "\xE3\x83\x86");
    EXPECT_EQ(QuotedPrintableEncode("a=b \r\nc\t"), "a=3Db=20\r\nc=09");
    std::string all;
    for (int b = 0; b < 256; ++b)
        if (b != '\r' && b != '\n') all += char(b);
    const std::string encoded = QuotedPrintableEncode(all + all + all);
    for (std::size_t start = 0, end; start < encoded.size(); start = end + 2) {
        end = encoded.find("\r\n", start);
        if (end == std::string::npos) end = encoded.size();
        EXPECT_LE(end - start, 76u);
    }
    EXPECT_EQ(QuotedPrintableDecode(encoded), all + all + all);
}

TEST(TransferEncoding, FileConvertersReportUnreadableAndUnwritableFiles)
{
    const std::string dir = TempDir();
    ASSERT_TRUE(WriteFileBytes(dir + "in.b64", "Zm9v\r\nYmFy\r\n"));
    EXPECT_TRUE(Base64ConvertFile(dir + "out.bin", dir + "in.b64", TConvertDirection::Decode));
    EXPECT_EQ(ReadFileBytes(dir + "out.bin"), "foobar");
    EXPECT_FALSE(Base64ConvertFile(dir + "out.bin", dir + "missing", TConvertDirection::Decode));
    EXPECT_FALSE(QuotedPrintableConvertFile(dir + "no/such/dir/out", dir + "in.b64", TConvertDirection::Decode));
    ASSERT_TRUE(WriteFileBytes(dir + "in.qp", "caf=C3=A9=\r\n!"));
    EXPECT_TRUE(QuotedPrintableConvertFile(dir + "out.txt", dir + "in.qp", TConvertDirection::Decode));
    EXPECT_EQ(ReadFileBytes(dir + "out.txt"), "caf\xC3\xA9!");
    std::filesystem::remove_all(dir);
}

TEST(TransferEncoding, DecodersFedInPiecesGiveWhatTheWholeTextGives)
{
    // Breaks of every kind, escapes and fills, junk, and a last line without a break.
    const std::string base64 = "Zm9v\r\nYmFy\nYm F6*!\r\nAAEC/+8=\r\nZm9v";
    const std::string quoted = "caf=C3=A9 soft=\r\nbreak \t\r\nlone\nfeed=\n=3d=3D=4=ZZ end=\r\n\r\n=E3=83\r\n=86 last ";
    auto piecewise = [](const std::string& text, const std::vector<std::size_t>& cuts, auto decoder) {
        std::string out;
        std::size_t from = 0;
        for (const std::size_t cut : cuts) {
            decoder.Decode(std::string_view(text).substr(from, cut - from), out);
            from = cut;
        }
        decoder.Decode(std::string_view(text).substr(from), out);
        if constexpr (std::is_same_v<decltype(decoder), TQuotedPrintableDecoder>) decoder.Finish(out);
        return out;
    };
    const std::string base64Whole = Base64Decode(base64);
    const std::string quotedWhole = QuotedPrintableDecode(quoted);
    EXPECT_EQ(base64Whole, std::string("foobarbaz\x00\x01\x02\xFF\xEF", 14));
    EXPECT_EQ(quotedWhole, "caf\xC3\xA9 softbreak\r\nlone\r\nfeed===4=ZZ end\r\n\xE3\x83\r\n\x86 last");
    for (const auto& [text, whole, isBase64] :
         {std::tuple{base64, base64Whole, true}, std::tuple{quoted, quotedWhole, false}}) {
        // Two pieces cut anywhere, then pieces of a few bytes each.
        for (std::size_t cut = 0; cut <= text.size(); ++cut) {
            const std::string out = isBase64 ? piecewise(text, {cut}, TBase64Decoder())
                                             : piecewise(text, {cut}, TQuotedPrintableDecoder());
            EXPECT_EQ(out, whole) << "cut at " << cut;
        }
        for (std::size_t step = 1; step <= 5; ++step) {
            std::vector<std::size_t> cuts;
            for (std::size_t at = step; at < text.size(); at += step) cuts.push_back(at);
            const std::string out = isBase64 ? piecewise(text, cuts, TBase64Decoder())
                                             : piecewise(text, cuts, TQuotedPrintableDecoder());
            EXPECT_EQ(out, whole) << "pieces of " << step;
        }
    }
}

TEST(TransferEncoding, FileConvertersDecodeWhatPythonEncodedAcrossTheirBuffer)
{
    const std::string dir = TempDir();
    // Three megabytes of every byte value but LF, which would be a hard line
    // break in quoted-printable and come back as CR LF.
    std::string data(3 << 20, '\0');
    std::uint32_t seed = 12345;
    for (char& c : data) {
        seed = seed * 1103515245u + 12345u;
        c = static_cast<char>(seed >> 24);
        if (c == '\n') c = 'n';
    }
    ASSERT_TRUE(WriteFileBytes(dir + "data.bin", data));
    ASSERT_TRUE(WriteFileBytes(dir + "encode.py",
                               "import base64, quopri, sys\n"
                               "data = open(sys.argv[1], 'rb').read()\n"
                               "open(sys.argv[2], 'wb').write(base64.encodebytes(data))\n"
                               "open(sys.argv[3], 'wb').write(quopri.encodestring(data))\n"));
    const std::string command = "python3 " + dir + "encode.py " + dir + "data.bin " + dir + "data.b64 " + dir + "data.qp";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    ASSERT_TRUE(Base64ConvertFile(dir + "out.bin", dir + "data.b64", TConvertDirection::Decode));
    EXPECT_TRUE(ReadFileBytes(dir + "out.bin") == data);
    ASSERT_TRUE(QuotedPrintableConvertFile(dir + "out.qp.bin", dir + "data.qp", TConvertDirection::Decode));
    EXPECT_TRUE(ReadFileBytes(dir + "out.qp.bin") == data);
    std::filesystem::remove_all(dir);
}

TEST(TransferEncoding, Base64LineBreaksJunkAndFillsAtEveryPlace)
{
    std::string data;
    for (int i = 0; i < 61; ++i) data += static_cast<char>(i * 37 + 11);
    // Each length leaves a last group of four digits, three with one fill or
    // two with two fills.
    for (std::size_t length = 0; length <= data.size(); ++length) {
        std::string digits = Base64Encode(data.substr(0, length));
        digits.erase(std::remove(digits.begin(), digits.end(), '\r'), digits.end());
        digits.erase(std::remove(digits.begin(), digits.end(), '\n'), digits.end());
        // Lines of every width, so that a break falls at every place in a group.
        for (std::size_t width = 1; width <= 9; ++width) {
            for (const std::string lineEnd : {"\r\n", "\n", "\r", " \r\n", "\r\r\n"}) {
                std::string text;
                for (std::size_t at = 0; at < digits.size(); at += width) text += digits.substr(at, width) + lineEnd;
                ASSERT_EQ(Base64Decode(text), data.substr(0, length)) << length << " in lines of " << width;
            }
        }
        // One odd byte anywhere: junk is skipped, a fill ends the text, a
        // lone line break changes nothing.
        const std::string odds[] = {"*", "\x80", "\xFF", "\r", "\n", "=", "-", std::string(1, '\0')};
        for (std::size_t at = 0; at <= digits.size(); ++at) {
            for (const std::string& odd : odds) {
                std::string text = digits;
                text.insert(at, odd);
                ASSERT_EQ(Base64Decode(text), Base64DigitByDigit(text)) << length << ": odd byte at " << at;
            }
        }
    }
}

TEST(TransferEncoding, Base64FilesInLinesOfEveryWidthDecodeAsPythonEncodedThem)
{
    const std::string dir = TempDir();
    ASSERT_TRUE(WriteFileBytes(dir + "wrap.py",
                               "import base64, os, random, sys\n"
                               "rng = random.Random(5)\n"
                               "for width in range(1, 81):\n"
                               "    data = rng.randbytes(3000 + width)\n"
                               "    digits = base64.b64encode(data)\n"
                               "    end = b'\\r\\n' if width % 2 else b'\\n'\n"
                               "    lines = [digits[i:i + width] for i in range(0, len(digits), width)]\n"
                               "    open(os.path.join(sys.argv[1], '%d.b64' % width), 'wb').write(end.join(lines) + end)\n"
                               "    open(os.path.join(sys.argv[1], '%d.bin' % width), 'wb')"
                               ".write(base64.b64decode(end.join(lines)))\n"));
    const std::string command = "python3 " + dir + "wrap.py " + dir;
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    for (int width = 1; width <= 80; ++width) {
        const std::string name = dir + std::to_string(width);
        ASSERT_TRUE(Base64ConvertFile(name + ".out", name + ".b64", TConvertDirection::Decode));
        const std::optional<std::string> expected = ReadFileBytes(name + ".bin");
        ASSERT_TRUE(expected && expected->size() == 3000u + width);
        EXPECT_TRUE(ReadFileBytes(name + ".out") == expected) << "lines of " << width;
    }
    std::filesystem::remove_all(dir);
}

TEST(TempNames, EveryNameIsFreshAndReserved)
{
    const std::string dir = TempDir();
    TTempNames names(dir);
    std::set<std::string> seen;
    for (int i = 0; i < 200; ++i) {
        const std::string path = names.Next("txt");
        ASSERT_TRUE(path.ends_with(".txt"));
        ASSERT_TRUE(FileExists(path));
        ASSERT_TRUE(seen.insert(path).second);
    }
    std::filesystem::remove_all(dir);
}
