#include "text/code_page_conversion.h"

#include <stdexcept>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <iconv.h>
#endif

namespace quillbox {

#ifdef _WIN32
std::string ConvertFromUtf8(std::string_view utf8, unsigned codePage)
{
    if (utf8.empty()) return {};
    const int utf8Size = static_cast<int>(utf8.size());
    const int wideSize = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), utf8Size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(wideSize), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), utf8Size, wide.data(), wideSize);
    const int size = WideCharToMultiByte(codePage, 0, wide.data(), wideSize, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(codePage, 0, wide.data(), wideSize, text.data(), size, nullptr, nullptr);
    return text;
}
#else
namespace {
class TIconv {
public:
    explicit TIconv(unsigned codePage)
        : handle_(iconv_open(("CP" + std::to_string(codePage) + "//TRANSLIT").c_str(), "UTF-8"))
    {
        if (handle_ == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error("no converter for code page " + std::to_string(codePage));
    }
    ~TIconv() { iconv_close(handle_); }
    TIconv(const TIconv&) = delete;
    TIconv& operator=(const TIconv&) = delete;
    iconv_t Get() const { return handle_; }

private:
    iconv_t handle_;
};
}  // namespace

std::string ConvertFromUtf8(std::string_view utf8, unsigned codePage)
{
    const TIconv converter(codePage);
    std::string input(utf8);
    std::string output(input.size() * 2 + 4, '\0');
    char* in = input.data();
    std::size_t inLeft = input.size();
    char* out = output.data();
    std::size_t outLeft = output.size();
    while (inLeft > 0) {
        if (iconv(converter.Get(), &in, &inLeft, &out, &outLeft) != static_cast<std::size_t>(-1)) break;
        if (errno != EILSEQ) throw std::runtime_error("text does not convert");
        // Unknown to the code page: the default character, as on Windows.
        ++in;
        --inLeft;
        while (inLeft > 0 && (static_cast<unsigned char>(*in) & 0xC0) == 0x80) ++in, --inLeft;
        *out++ = '?';
        --outLeft;
    }
    output.resize(output.size() - outLeft);
    return output;
}
#endif

}  // namespace quillbox
