#include "ledger.h"

#include <cstdlib>
#include <cstring>

namespace quillbox {
namespace {

std::string Describe(const void* block)
{
    char text[32];
    std::snprintf(text, sizeof text, "%p", block);
    return text;
}

std::string Preview(const void* block, std::size_t size)
{
    std::string text;
    const char* bytes = static_cast<const char*>(block);
    for (std::size_t i = 0; i < size && i < 40 && bytes[i] != '\0'; ++i)
        text += (static_cast<unsigned char>(bytes[i]) < 0x20) ? '.' : bytes[i];
    return text;
}

}  // namespace

TLedger::~TLedger()
{
    for (auto& [block, info] : open_) std::free(block);
}

void* TLedger::Alloc(std::size_t size, const char* origin)
{
    void* block = std::calloc(size == 0 ? 1 : size, 1);
    if (!block) return nullptr;
    const std::lock_guard lock(mutex_);
    open_[block] = {size, origin};
    freed_.erase(block);
    return block;
}

void* TLedger::ReAlloc(void* block, std::size_t size)
{
    if (!block) return Alloc(size, "TSA_ReAlloc");
    const std::lock_guard lock(mutex_);
    const auto it = open_.find(block);
    if (it == open_.end()) {
        errors_.push_back("TSA_ReAlloc of " + Describe(block) +
                          (freed_.count(block) ? ", a block already freed" : ", which the host never handed out"));
        return nullptr;
    }
    void* grown = std::realloc(block, size == 0 ? 1 : size);
    if (!grown) return nullptr;
    const TBlock info{size, it->second.origin};
    open_.erase(it);
    open_[grown] = info;
    freed_.erase(grown);
    return grown;
}

void TLedger::Free(void* block)
{
    if (!block) return;
    const std::lock_guard lock(mutex_);
    const auto it = open_.find(block);
    if (it == open_.end()) {
        const auto earlier = freed_.find(block);
        errors_.push_back(earlier != freed_.end()
                              ? "double TSA_Free of " + Describe(block) + " (from " + earlier->second + ")"
                              : "TSA_Free of " + Describe(block) + ", which the host never handed out");
        return;  // never hand a foreign pointer to the allocator
    }
    freed_[block] = it->second.origin;
    open_.erase(it);
    std::free(block);
}

char* TLedger::Release(std::string_view text, const char* origin)
{
    char* copy = static_cast<char*>(Alloc(text.size() + 1, origin));
    if (copy) std::memcpy(copy, text.data(), text.size());
    return copy;
}

std::size_t TLedger::OpenBlocks() const
{
    const std::lock_guard lock(mutex_);
    return open_.size();
}

std::vector<std::string> TLedger::Errors() const
{
    const std::lock_guard lock(mutex_);
    return errors_;
}

bool TLedger::Report(std::FILE* out) const
{
    const std::lock_guard lock(mutex_);
    for (const auto& [block, info] : open_)
        std::fprintf(out, "ledger: not freed: %zu bytes from %s at %s \"%s\"\n", info.size, info.origin,
                     Describe(block).c_str(), Preview(block, info.size).c_str());
    for (const std::string& error : errors_) std::fprintf(out, "ledger: error: %s\n", error.c_str());
    const bool clean = open_.empty() && errors_.empty();
    std::fprintf(out, "ledger: %s (%zu not freed, %zu errors)\n", clean ? "clean" : "FAILED", open_.size(),
                 errors_.size());
    std::fflush(out);
    return clean;
}

}  // namespace quillbox
