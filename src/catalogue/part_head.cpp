#include "catalogue/part_head.h"

#include <algorithm>

namespace quillbox {

TPartHead ReadPartHead(std::string_view text)
{
    TPartHead head;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t end = std::min(text.find_first_of("\r\n", pos), text.size());
        if (end == pos) {
            head.Complete = true;
            break;
        }
        head.Text.append(text, pos, end - pos);
        head.Text += "\r\n";
        pos = end;
        if (pos < text.size() && text[pos] == '\r') ++pos;
        if (pos < text.size() && text[pos] == '\n') ++pos;
    }
    return head;
}

}  // namespace quillbox
