// Commands and texts through the C entry points, the way a caller uses them:
// the first byte chooses the entry point, the code page and a split limit;
// the command runs to the first zero byte and the rest is the text. The text
// sits in a buffer of its own size, so any read past its end is caught.
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "regex/bregexp.h"
#include "text/code_page.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1) return 0;
    const std::uint8_t control = data[0];
    quillbox::TCodePage::SetActiveForProcess((control & 1) ? 932 : 1252);
    const char* rest = reinterpret_cast<const char*>(data + 1);
    const std::size_t restSize = size - 1;
    const void* zero = std::memchr(rest, 0, restSize);
    const std::size_t commandSize = zero ? static_cast<const char*>(zero) - rest : restSize;
    const std::string command(rest, commandSize);
    const std::size_t textSize = zero ? restSize - commandSize - 1 : 0;
    std::unique_ptr<char[]> text(new char[textSize + 1]);
    if (textSize) std::memcpy(text.get(), rest + commandSize + 1, textSize);
    const char* begin = text.get();
    const char* end = begin + textSize;

    BREGEXP* rx = nullptr;
    char message[BREGEXP_MAX_ERROR];
    for (int round = 0; round < 2; ++round) {  // the second round reuses the record
        switch ((control >> 1) & 3) {
        case 0: BMatch(command.c_str(), begin, end, &rx, message); break;
        case 1: BSubst(command.c_str(), begin, end, &rx, message); break;
        case 2: BTrans(command.c_str(), begin, end, &rx, message); break;
        default: BSplit(command.c_str(), begin, end, control >> 3, &rx, message); break;
        }
        if (std::memchr(message, 0, sizeof message) == nullptr) __builtin_trap();
        if (rx && rx->outp && std::strlen(rx->outp) > static_cast<std::size_t>(rx->outendp - rx->outp)) __builtin_trap();
    }
    BRegfree(rx);
    return 0;
}
