#include "operations/body_writer.h"

#include <cstring>

namespace quillbox {

namespace {
// Clean runs go out in pieces of this size, while they are still in the cache.
constexpr std::size_t kPieceSize = 256 * 1024;

std::size_t Next(std::string_view bytes, std::size_t from, char c)
{
    const void* found = std::memchr(bytes.data() + from, c, bytes.size() - from);
    return found ? static_cast<std::size_t>(static_cast<const char*>(found) - bytes.data()) : bytes.size();
}
}  // namespace

void WriteWithCrLf(TFileWriter& file, std::string_view bytes)
{
    // Runs of the text that need no change go out whole; only a lone CR or
    // LF breaks a run. Each search looks past the last one only, so the text
    // is read once for each of the two bytes.
    if (bytes.empty()) return;
    std::size_t run = 0;
    std::size_t pos = 0;
    std::size_t cr = Next(bytes, 0, '\r');
    std::size_t lf = Next(bytes, 0, '\n');
    while (pos < bytes.size()) {
        if (cr < pos) cr = Next(bytes, pos, '\r');
        if (lf < pos) lf = Next(bytes, pos, '\n');
        if (cr == bytes.size() && lf == bytes.size()) break;
        if (cr < lf) {
            if (cr + 1 == lf) {
                pos = lf + 1;
                if (pos - run >= kPieceSize) {
                    file.Write(bytes.substr(run, pos - run));
                    run = pos;
                }
                continue;
            }
            file.Write(bytes.substr(run, cr - run));
            file.Write("\r\n");
            run = pos = cr + 1;
        } else {
            file.Write(bytes.substr(run, lf - run));
            file.Write("\r\n");
            run = pos = lf + 1;
        }
    }
    file.Write(bytes.substr(run));
}

}  // namespace quillbox
