// Finding where ASCII text (bytes below 0x80) begins and ends, eight bytes at a time. In every
// encoding the reader and the writer meet but UTF-16 and ISO-2022-JP, those bytes are the ASCII
// characters themselves and go through unchanged.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

constexpr std::uint64_t kHighBitOfEachByte = 0x8080808080808080;

// How many bytes of the word read from memory come before the first one whose marked bit (of
// kHighBitOfEachByte) is set: 8 when none is.
inline std::size_t BytesBeforeMarked(std::uint64_t marked) {
    if constexpr (std::endian::native == std::endian::little)
        return static_cast<std::size_t>(std::countr_zero(marked)) / 8;
    else
        return static_cast<std::size_t>(std::countl_zero(marked)) / 8;
}

// The eight bytes at p as one word, in memory order.
inline std::uint64_t LoadWord(const void* p) {
    std::uint64_t word;
    std::memcpy(&word, p, 8);
    return word;
}

// The position of the first byte >= 0x80 at or after i, or the size when there is none.
inline std::size_t FindHighByte(std::string_view s, std::size_t i) {
    for (; i + 8 <= s.size(); i += 8) {
        if (const std::uint64_t high = LoadWord(s.data() + i) & kHighBitOfEachByte; high != 0)
            return i + BytesBeforeMarked(high);
    }
    while (i < s.size() && static_cast<unsigned char>(s[i]) < 0x80)
        ++i;
    return i;
}

// The position of the first byte < 0x80 at or after i, or the size when there is none.
inline std::size_t FindLowByte(std::string_view s, std::size_t i) {
    for (; i + 8 <= s.size(); i += 8) {
        if (const std::uint64_t low = ~LoadWord(s.data() + i) & kHighBitOfEachByte; low != 0)
            return i + BytesBeforeMarked(low);
    }
    while (i < s.size() && static_cast<unsigned char>(s[i]) >= 0x80)
        ++i;
    return i;
}
