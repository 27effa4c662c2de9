#include "convert/base64_vector.h"

#include <cstring>

#if (defined(__GNUC__) || defined(__clang__)) && (defined(__x86_64__) || defined(__i386__))
#define QBX_BASE64_SSSE3 1
#include <immintrin.h>
#endif

namespace quillbox {

#ifdef QBX_BASE64_SSSE3
namespace {

// SSSE3 is not baseline on either x86 target: these functions are built for
// it and only called once the processor has said it has it. 32-bit Windows
// keeps the stack 4-byte aligned, hence the realignment there.
#ifdef __i386__
#define QBX_SSSE3 __attribute__((target("ssse3"), force_align_arg_pointer))
#else
#define QBX_SSSE3 __attribute__((target("ssse3")))
#endif

// The bytes of a window that are not digits, one bit each (lowest first),
// and the digits' six-bit values in place of the bytes.
struct TWindow {
    __m128i Values;
    unsigned NotDigits;
};

// A byte's high nibble names its row of the ASCII table, one bit a kind of
// row: 0x01 row 2 ("+", "/"), 0x02 row 3 ("0"-"9"), 0x04 rows 4 and 6
// ("A"-"O", "a"-"o"), 0x08 rows 5 and 7 ("P"-"Z", "p"-"z"), 0x10 the rows
// without digits. Its low nibble gives the kinds of row in which that column
// holds no digit; a byte is a digit where the two do not meet.
QBX_SSSE3 inline TWindow ClassifyWindow(__m128i bytes)
{
    const __m128i rowsWithoutLow = _mm_setr_epi8(0x15, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x13,
                                                 0x1A, 0x1B, 0x1B, 0x1B, 0x1A);
    const __m128i rowOfHigh = _mm_setr_epi8(0x10, 0x10, 0x01, 0x02, 0x04, 0x08, 0x04, 0x08, 0x10, 0x10, 0x10, 0x10,
                                            0x10, 0x10, 0x10, 0x10);
    // What each row adds to a byte to give its value; "/" borrows slot 1 as
    // it shares row 2 with "+".
    const __m128i shiftOfRow = _mm_setr_epi8(0, 63 - '/', 62 - '+', 52 - '0', 0 - 'A', 0 - 'A', 26 - 'a', 26 - 'a',
                                             0, 0, 0, 0, 0, 0, 0, 0);
    const __m128i lowNibble = _mm_set1_epi8(0x0F);
    const __m128i high = _mm_and_si128(_mm_srli_epi16(bytes, 4), lowNibble);
    const __m128i low = _mm_and_si128(bytes, lowNibble);
    const __m128i clash = _mm_and_si128(_mm_shuffle_epi8(rowOfHigh, high), _mm_shuffle_epi8(rowsWithoutLow, low));
    const unsigned digits = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(clash, _mm_setzero_si128())));
    const __m128i isSlash = _mm_cmpeq_epi8(bytes, _mm_set1_epi8('/'));
    const __m128i shift = _mm_shuffle_epi8(shiftOfRow, _mm_add_epi8(high, isSlash));
    return {_mm_add_epi8(bytes, shift), ~digits & 0xFFFF};
}

// Four six-bit values a group, joined into three bytes each at the front.
QBX_SSSE3 inline __m128i PackGroups(__m128i values)
{
    const __m128i pairs = _mm_maddubs_epi16(values, _mm_set1_epi32(0x01400140));
    const __m128i groups = _mm_madd_epi16(pairs, _mm_set1_epi32(0x00011000));
    return _mm_shuffle_epi8(groups, _mm_setr_epi8(2, 1, 0, 6, 5, 4, 10, 9, 8, 14, 13, 12, -1, -1, -1, -1));
}

// The first size bytes of a packed window at out; a whole store where there
// is room for it.
QBX_SSSE3 inline void StoreBytes(__m128i bytes, std::size_t size, bool roomForWhole, char* out)
{
    if (roomForWhole) {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out), bytes);
    } else {
        alignas(16) char whole[16];
        _mm_store_si128(reinterpret_cast<__m128i*>(whole), bytes);
        std::memcpy(out, whole, size);
    }
}

QBX_SSSE3 TBase64Run DecodeRunSsse3(const unsigned char* text, std::size_t size, char* out)
{
    TBase64Run run;
    while (size - run.Read >= 16) {
        const TWindow window = ClassifyWindow(_mm_loadu_si128(reinterpret_cast<const __m128i*>(text + run.Read)));
        const bool roomForWhole = size - run.Read >= 20;
        // The next window's place is known before this one is classified
        // wherever the branch is foreseen, as it is on every whole window.
        if (window.NotDigits == 0) [[likely]] {
            StoreBytes(PackGroups(window.Values), 12, roomForWhole, out + run.Written);
            run.Read += 16;
            run.Written += 12;
            continue;
        }
        const std::size_t digits = static_cast<std::size_t>(__builtin_ctz(window.NotDigits)) / 4 * 4;
        if (digits > 0) {
            StoreBytes(PackGroups(window.Values), digits / 4 * 3, roomForWhole, out + run.Written);
            run.Read += digits;
            run.Written += digits / 4 * 3;
        }
        // A line break between groups, as at the end of every line, is
        // passed over here; anything else is left to the caller.
        if (text[run.Read] == '\n') {
            run.Read += 1;
        } else if (text[run.Read] == '\r' && text[run.Read + 1] == '\n') {
            run.Read += 2;
        } else {
            break;
        }
    }
    return run;
}

}  // namespace

TBase64Run DecodeBase64Run(const unsigned char* text, std::size_t size, char* out)
{
    return __builtin_cpu_supports("ssse3") ? DecodeRunSsse3(text, size, out) : TBase64Run{};
}

#else

TBase64Run DecodeBase64Run(const unsigned char*, std::size_t, char*) { return {}; }

#endif

}  // namespace quillbox
