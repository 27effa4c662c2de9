// Every block the host hands to a plug-in: allocations and released texts.
// Freeing a block the host never handed out, or freeing one twice, is an
// error; blocks still out at exit are leaks. Either makes the run fail.
#pragma once

#include <cstddef>
#include <cstdio>
#include <mutex>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quillbox {

class TLedger {
public:
    TLedger() = default;
    TLedger(const TLedger&) = delete;
    TLedger& operator=(const TLedger&) = delete;
    ~TLedger();

    void* Alloc(std::size_t size, const char* origin);
    void* ReAlloc(void* block, std::size_t size);
    void Free(void* block);
    // A zero-terminated copy the caller gives back with Free.
    char* Release(std::string_view text, const char* origin);

    std::size_t OpenBlocks() const;
    std::vector<std::string> Errors() const;
    // Writes leaks and errors; true when there are none.
    bool Report(std::FILE* out) const;

private:
    struct TBlock {
        std::size_t size;
        const char* origin;
    };

    mutable std::mutex mutex_;
    std::unordered_map<void*, TBlock> open_;
    std::unordered_map<void*, const char*> freed_;
    std::vector<std::string> errors_;
};

}  // namespace quillbox
