// Blocks the host allocated for the plug-in (released texts, TSA_Alloc
// buffers), given back with TSA_Free exactly once on every way out.
#pragma once

#include <windows.h>

#include <cstring>
#include <memory>
#include <optional>
#include <string>

#include "tansy/tansy_api.h"
#include "text/shared_text.h"

namespace quillbox {

class THostBlock {
public:
    THostBlock(void* block, TSA_Free_t release) : block_(block, TDeleter{release}) {}

    void* Get() const { return block_.get(); }
    char* Chars() const { return static_cast<char*>(block_.get()); }

private:
    struct TDeleter {
        TSA_Free_t release;
        void operator()(void* block) const
        {
            if (block) release(block);
        }
    };
    std::unique_ptr<void, TDeleter> block_;
};

// A released text: copied, then given back. Null means the host had no text.
inline std::optional<std::string> TakeReleasedText(LPSTR text, TSA_Free_t release)
{
    const THostBlock block(text, release);
    if (!text) return std::nullopt;
    return std::string(text);
}

// A released text kept where the host put it, given back with the last copy.
// Null means the host had no text.
inline std::optional<TSharedText> KeepReleasedText(LPSTR text, TSA_Free_t release)
{
    if (!text) return std::nullopt;
    std::shared_ptr<const void> owner(text, [release](const void* block) { release(const_cast<void*>(block)); });
    return TSharedText(std::string_view(text), std::move(owner));
}

// A host text: copied and left with the host.
inline std::string CopyHostText(LPCSTR text) { return text ? std::string(text) : std::string(); }

// A zero-terminated text in a buffer of `size` bytes that the host filled and
// may not have terminated.
inline std::string CopyBufferText(const char* buffer, std::size_t size)
{
    return std::string(buffer, strnlen(buffer, size));
}

}  // namespace quillbox
