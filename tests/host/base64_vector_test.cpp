#include "base64_digit_by_digit.h"
#include "convert/base64_vector.h"
#include "convert/file_bytes.h"
#include "convert/transfer_encoding.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <optional>
#include <random>
#include <vector>

using namespace quillbox;
using quillbox::testing::Base64DigitByDigit;

namespace {

const std::string kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

bool IsDigit(char c) { return kAlphabet.find(c) != std::string::npos; }

bool HasVectorPath()
{
    const std::string digits(16, 'A');
    char out[16];
    return DecodeBase64Run(reinterpret_cast<const unsigned char*>(digits.data()), digits.size(), out).Read > 0;
}

TBase64Run RunOn(const std::string& text, std::string& out)
{
    out.assign(TBase64Decoder::MaxDecodedSize(text.size()), '\0');
    const TBase64Run run = DecodeBase64Run(reinterpret_cast<const unsigned char*>(text.data()), text.size(), out.data());
    out.resize(run.Written);
    return run;
}

// Digits and what the fast paths must treat like them or not, at random.
std::string RandomText(std::mt19937& rng, std::size_t length)
{
    // One piece in 24 is not a digit.
    static const std::string odd[] = {"\r\n", "\n", "\r", " ", "*", "\x80", "\xFF", std::string(1, '\0'), "=", "-"};
    std::string text;
    while (text.size() < length) {
        const std::size_t pick = rng() % 240;
        text += pick < std::size(odd) ? odd[pick] : std::string(1, kAlphabet[rng() % 64]);
    }
    text.resize(length);
    return text;
}

}  // namespace

// Every byte value in every lane of a window: digits decode to their values,
// anything else stops the run at the group it falls in.
TEST(Base64Vector, EveryByteInEveryLane)
{
    if (!HasVectorPath()) GTEST_SKIP() << "no vector path on this processor";
    std::mt19937 rng(7);
    for (int value = 0; value < 256; ++value) {
        const char c = static_cast<char>(value);
        for (std::size_t at = 0; at < 32; ++at) {
            std::string text;
            for (int i = 0; i < 32; ++i) text += kAlphabet[rng() % 64];
            text[at] = c;
            std::string out;
            const TBase64Run run = RunOn(text, out);
            std::size_t expected = text.size();
            if (!IsDigit(c)) expected = at / 4 * 4;
            // A break between groups is passed over; windows go on while whole.
            if (c == '\n' && at % 4 == 0) expected = at + 1 + (text.size() - at - 1) / 16 * 16;
            ASSERT_EQ(run.Read, expected) << "byte " << value << " at " << at;
            ASSERT_EQ(out, Base64DigitByDigit(text.substr(0, run.Read))) << "byte " << value << " at " << at;
        }
    }
}

TEST(Base64Vector, LineBreaksBetweenGroupsArePassedOverOthersStopTheRun)
{
    if (!HasVectorPath()) GTEST_SKIP() << "no vector path on this processor";
    const std::string line(76, 'Q');
    std::string out;
    for (const std::string lineEnd : {"\r\n", "\n"}) {
        const std::string text = line + lineEnd + line + lineEnd + line;
        const TBase64Run run = RunOn(text, out);
        // The last line's last 12 digits are fewer than a window.
        EXPECT_EQ(run.Read, text.size() - 12);
        EXPECT_EQ(out, Base64DigitByDigit(text.substr(0, run.Read)));
    }
    // A break inside a group, a lone CR, a blank before CR LF.
    for (const std::string stop : {"QQ\r\nQQ", "\rQQQQ", " \r\nQQQQ"}) {
        const std::string text = std::string(20, 'Q') + stop + std::string(40, 'Q');
        EXPECT_EQ(RunOn(text, out).Read, 20u) << stop;
    }
    EXPECT_EQ(RunOn(std::string(15, 'Q'), out).Read, 0u);
}

// The decoder with its vector path against the plain one: random text of
// every length up to 100 with breaks, junk and fills anywhere, whole and cut
// in two at every place (so cuts fall inside windows and inside groups).
TEST(Base64Vector, DecoderAgreesWithThePlainOneWholeAndCutAnywhere)
{
    std::mt19937 rng(11);
    for (std::size_t length = 0; length <= 100; ++length) {
        for (int sample = 0; sample < 20; ++sample) {
            const std::string text = RandomText(rng, length);
            const std::string expected = Base64DigitByDigit(text);
            ASSERT_EQ(Base64Decode(text), expected) << text;
            for (std::size_t cut = 0; cut <= length; ++cut) {
                TBase64Decoder decoder;
                std::string out;
                decoder.Decode(std::string_view(text).substr(0, cut), out);
                decoder.Decode(std::string_view(text).substr(cut), out);
                ASSERT_EQ(out, expected) << "cut at " << cut << " of " << text;
            }
        }
    }
}

// Pieces that leave one to three digits carried over are the tightest case
// for the room MaxDecodedSize promises; bytes past it must stay untouched.
TEST(Base64Vector, DecoderWritesWithinMaxDecodedSize)
{
    std::mt19937 rng(3);
    constexpr char kGuard = '\x5A';
    for (std::size_t carried = 0; carried < 4; ++carried) {
        for (std::size_t length = 0; length <= 100; ++length) {
            std::string digits;
            for (std::size_t i = 0; i < carried + length; ++i) digits += kAlphabet[rng() % 64];
            TBase64Decoder decoder;
            std::string out;
            decoder.Decode(std::string_view(digits).substr(0, carried), out);
            const std::size_t room = TBase64Decoder::MaxDecodedSize(length);
            std::vector<char> buffer(room + 32, kGuard);
            char* const end = decoder.Decode(std::string_view(digits).substr(carried), buffer.data());
            ASSERT_LE(end - buffer.data(), static_cast<std::ptrdiff_t>(room));
            for (std::size_t i = room; i < buffer.size(); ++i)
                ASSERT_EQ(buffer[i], kGuard) << carried << " carried, " << length << " more, byte " << i;
            out.append(buffer.data(), static_cast<std::size_t>(end - buffer.data()));
            ASSERT_EQ(out, Base64DigitByDigit(digits));
        }
    }
}

// A large body of lines of random widths and ends, with blanks and junk,
// decoded through the file converter's buffer as Python decodes it.
TEST(Base64Vector, RaggedLinesDecodeAsPythonDecodesThem)
{
    const auto dir = std::filesystem::temp_directory_path() / ("qbx_base64_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string base = dir.string() + "/";
    ASSERT_TRUE(WriteFileBytes(base + "ragged.py",
                               "import base64, random, sys\n"
                               "rng = random.Random(9)\n"
                               "digits = base64.b64encode(rng.randbytes(1500001))\n"
                               "pieces, at = [], 0\n"
                               "while at < len(digits):\n"
                               "    width = rng.choice([76, 76, 76, 64, 72, rng.randrange(1, 120)])\n"
                               "    pieces.append(digits[at:at + width])\n"
                               "    pieces.append(rng.choice([b'\\r\\n'] * 6 + [b'\\n', b' \\r\\n', b'*', b'\\x80\\r\\n']))\n"
                               "    at += width\n"
                               "text = b''.join(pieces)\n"
                               "open(sys.argv[1], 'wb').write(text)\n"
                               "open(sys.argv[2], 'wb').write(base64.b64decode(text, validate=False))\n"));
    const std::string command = "python3 " + base + "ragged.py " + base + "ragged.b64 " + base + "ragged.bin";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    ASSERT_TRUE(Base64ConvertFile(base + "ragged.out", base + "ragged.b64", TConvertDirection::Decode));
    const std::optional<std::string> expected = ReadFileBytes(base + "ragged.bin");
    ASSERT_TRUE(expected && expected->size() == 1500001u);
    EXPECT_TRUE(ReadFileBytes(base + "ragged.out") == expected);
    std::filesystem::remove_all(dir);
}
