// Base64 and quoted-printable, on strings and from file to file.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quillbox {

// 0-15 for a hexadecimal digit of either case, -1 for anything else.
int HexDigitValue(char c);

// Skips every byte outside the alphabet (line breaks, blanks, junk) and stops
// at the first "="; a dangling last character is dropped.
std::string Base64Decode(std::string_view text);
// Lines of 76 characters, each ended by CR LF.
std::string Base64Encode(std::string_view data);

// Soft line breaks ("=" at a line end) are removed, "=XX" in either letter
// case becomes the byte, blanks before a line break are dropped, and an "="
// that starts no valid escape is kept as it is.
std::string QuotedPrintableDecode(std::string_view text);
// Hard line breaks (CR LF or LF) are kept as CR LF; lines stay within 76.
std::string QuotedPrintableEncode(std::string_view data);

// The two decoders above, fed the text in pieces of any size (a file read
// through a fixed buffer decodes as the whole text would). Each Decode
// either appends what it can decode to out, or writes it at out (which
// has room for MaxDecodedSize of the text) and returns its end.
class TBase64Decoder {
public:
    static std::size_t MaxDecodedSize(std::size_t textSize) { return textSize / 4 * 3 + 4; }
    char* Decode(std::string_view text, char* out);
    void Decode(std::string_view text, std::string& out);

private:
    std::uint32_t bits_ = 0;  // the last bits read, not yet a whole byte
    int bitCount_ = 0;
    bool ended_ = false;  // an "=" was read
};

class TQuotedPrintableDecoder {
public:
    // Finish included, for MaxDecodedSize(0).
    std::size_t MaxDecodedSize(std::size_t textSize) const { return 2 * (partialLine_.size() + textSize); }
    char* Decode(std::string_view text, char* out);
    void Decode(std::string_view text, std::string& out);
    // The last line, which has no line break.
    char* Finish(char* out);
    void Finish(std::string& out);

private:
    std::string partialLine_;
};

enum class TConvertDirection { Decode, Encode };

// False when the source cannot be read or the destination cannot be written.
bool Base64ConvertFile(const std::string& destination, const std::string& source, TConvertDirection direction);
bool QuotedPrintableConvertFile(const std::string& destination, const std::string& source,
                                TConvertDirection direction);

}  // namespace quillbox
