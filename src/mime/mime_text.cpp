#include "mime/mime_text.h"

#include <algorithm>

#include "text/ascii.h"
#include "text/mail_charset.h"

namespace quillbox {

void TMimeText::Append(std::string_view charset, std::string_view bytes)
{
    if (bytes.empty()) return;
    if (!runs_.empty() && EqualsIgnoringCase(runs_.back().Charset, charset)) {
        runs_.back().Bytes += bytes;
        return;
    }
    runs_.push_back({std::string(charset), std::string(bytes)});
}

bool TMimeText::Empty() const
{
    return std::all_of(runs_.begin(), runs_.end(), [](const TMimeTextRun& run) { return run.Bytes.empty(); });
}

std::string TMimeText::ToLocal(TCodePage local) const
{
    std::string text;
    for (const TMimeTextRun& run : runs_) {
        std::optional<std::string> converted;
        if (!run.Charset.empty()) converted = CharsetTextToLocal(run.Charset, run.Bytes, local);
        text += converted ? *converted : UnlabelledTextToLocal(run.Bytes, local);
    }
    return text;
}

}  // namespace quillbox
