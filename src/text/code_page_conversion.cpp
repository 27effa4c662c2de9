#include "text/code_page_conversion.h"

#include "text/utf8.h"

#include <array>
#include <cstdint>
#include <optional>
#include <stdexcept>

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>

#include <map>
#include <memory>
#include <mutex>
#endif

namespace quillbox {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

// Characters that Macs and Unix mailers write with the JIS mapping of
// Shift_JIS, which code page 932 knows under other code points.
std::optional<std::string_view> JisFormIn932(char32_t c)
{
    struct TPair {
        char32_t From;
        const char* To;
    };
    static constexpr std::array<TPair, 6> kPairs{{{0x00A2, "\x81\x91"},
                                                  {0x00A3, "\x81\x92"},
                                                  {0x00AC, "\x81\xCA"},
                                                  {0x2016, "\x81\x61"},
                                                  {0x2212, "\x81\x7C"},
                                                  {0x301C, "\x81\x60"}}};
    for (const TPair& pair : kPairs)
        if (pair.From == c) return std::string_view(pair.To, 2);
    return std::nullopt;
}

#ifdef _WIN32

// The character's exact bytes in the code page, or nullopt.
std::optional<std::string> ExactForm(std::string_view utf8Char, unsigned codePage)
{
    wchar_t wide[2];
    const int wideSize = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8Char.data(),
                                             static_cast<int>(utf8Char.size()), wide, 2);
    if (wideSize <= 0) return std::nullopt;
    char bytes[8];
    BOOL usedDefault = FALSE;
    const bool utf = codePage == CP_UTF8 || codePage == CP_UTF7;
    const int size = WideCharToMultiByte(codePage, utf ? 0 : WC_NO_BEST_FIT_CHARS, wide, wideSize, bytes,
                                         sizeof bytes, nullptr, utf ? nullptr : &usedDefault);
    if (size <= 0 || usedDefault) return std::nullopt;
    return std::string(bytes, static_cast<std::size_t>(size));
}

#else

// Converters opened once per pair of charsets and kept for the process.
class TIconvCache {
public:
    static TIconvCache& Instance()
    {
        static TIconvCache cache;
        return cache;
    }
    ~TIconvCache()
    {
        for (const auto& [key, handle] : handles_) iconv_close(handle);
    }

    // Converts all of text; nullopt when iconv refuses any of it.
    std::optional<std::string> Convert(const std::string& to, const std::string& from, std::string_view text)
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        iconv_t& handle = handles_[to + "\n" + from];
        if (handle == iconv_t{}) {
            handle = iconv_open(to.c_str(), from.c_str());
            if (handle == reinterpret_cast<iconv_t>(-1)) {
                handle = iconv_t{};
                throw std::runtime_error("no converter from " + from + " to " + to);
            }
        }
        iconv(handle, nullptr, nullptr, nullptr, nullptr);
        std::string input(text);
        std::string output(input.size() * 4 + 8, '\0');
        char* in = input.data();
        std::size_t inLeft = input.size();
        char* out = output.data();
        std::size_t outLeft = output.size();
        if (iconv(handle, &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1)) return std::nullopt;
        if (iconv(handle, nullptr, nullptr, &out, &outLeft) == static_cast<std::size_t>(-1)) return std::nullopt;
        output.resize(output.size() - outLeft);
        return output;
    }

private:
    std::mutex mutex_;
    std::map<std::string, iconv_t> handles_;
};

std::string IconvName(unsigned codePage) { return codePage == 65001 ? "UTF-8" : "CP" + std::to_string(codePage); }

// Only what converts back to the same character is its exact form: iconv
// also maps some characters to look-alikes (the yen sign to a backslash).
std::optional<std::string> ExactForm(std::string_view utf8Char, unsigned codePage)
{
    TIconvCache& cache = TIconvCache::Instance();
    std::optional<std::string> bytes = cache.Convert(IconvName(codePage), "UTF-8", utf8Char);
    if (!bytes) return std::nullopt;
    if (cache.Convert("UTF-8", IconvName(codePage), *bytes) != std::string(utf8Char)) return std::nullopt;
    return bytes;
}

#endif

}  // namespace

std::string ConvertFromUtf8(std::string_view utf8, unsigned codePage, std::string_view standIn)
{
    std::string text;
    text.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        const TUtf8Char c = ReadUtf8Char(utf8, pos);
        const std::string_view utf8Char = utf8.substr(pos, c.Length);
        pos += c.Length;
        if (!c.CodePoint) {
            text += standIn;
        } else if (*c.CodePoint < 0x80) {
            text += static_cast<char>(*c.CodePoint);
        } else if (const auto jis = codePage == 932 ? JisFormIn932(*c.CodePoint) : std::nullopt) {
            text += *jis;
        } else if (const auto exact = ExactForm(utf8Char, codePage)) {
            text += *exact;
        } else {
            text += standIn;
        }
    }
    return text;
}

#ifdef _WIN32
std::string ConvertToUtf8(std::string_view text, unsigned codePage)
{
    if (text.empty()) return {};
    const int textSize = static_cast<int>(text.size());
    const int wideSize = MultiByteToWideChar(codePage, 0, text.data(), textSize, nullptr, 0);
    if (wideSize <= 0) return {};
    std::wstring wide(static_cast<std::size_t>(wideSize), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), textSize, wide.data(), wideSize);
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideSize, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideSize, utf8.data(), size, nullptr, nullptr);
    return utf8;
}
#else
std::string ConvertToUtf8(std::string_view text, unsigned codePage)
{
    TIconvCache& cache = TIconvCache::Instance();
    if (auto whole = cache.Convert("UTF-8", IconvName(codePage), text)) return std::move(*whole);
    // Character by character, so that one bad byte costs only itself.
    std::string utf8;
    for (std::size_t pos = 0; pos < text.size();) {
        std::optional<std::string> converted;
        std::size_t length = 1;
        for (std::size_t tried = 1; tried <= 2 && pos + tried <= text.size() && !converted; ++tried) {
            converted = cache.Convert("UTF-8", IconvName(codePage), text.substr(pos, tried));
            length = tried;
        }
        if (converted && !converted->empty()) {
            utf8 += *converted;
        } else {
            utf8 += kReplacement;
            length = 1;
        }
        pos += length;
    }
    return utf8;
}
#endif

}  // namespace quillbox
