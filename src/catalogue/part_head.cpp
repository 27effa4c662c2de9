#include "catalogue/part_head.h"

#include "catalogue/line_break.h"

namespace quillbox {

TPartHead ReadPartHead(std::string_view text)
{
    TPartHead head;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t end = FindLineBreak(text, pos);
        if (end == pos) {
            head.Complete = true;
            break;
        }
        head.Text.append(text, pos, end - pos);
        head.Text += "\r\n";
        pos = SkipLineBreak(text, end);
    }
    return head;
}

}  // namespace quillbox
