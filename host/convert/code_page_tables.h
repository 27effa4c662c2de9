// Code-page tables generated at build time (gen_code_page_tables.py).
#pragma once

#include <cstddef>
#include <cstdint>

namespace quillbox::tables {

struct TCodePair {
    std::uint32_t from;
    std::uint32_t to;
};

// Bytes (one byte, or lead << 8 | trail) to Unicode, sorted by bytes.
extern const TCodePair kDecode932[];
extern const std::size_t kDecode932Size;
extern const TCodePair kDecode1252[];
extern const std::size_t kDecode1252Size;
// Unicode to bytes, sorted by Unicode.
extern const TCodePair kEncode932[];
extern const std::size_t kEncode932Size;
extern const TCodePair kEncode1252[];
extern const std::size_t kEncode1252Size;

}  // namespace quillbox::tables
