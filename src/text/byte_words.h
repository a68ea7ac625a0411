#pragma once

// Looking at text eight bytes at a time, for the scanners that go over every byte of a big
// payment file or report: a word of bytes, and the marks and counts taken of it.

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace loan {

inline constexpr std::uint64_t kEveryByteOne = 0x0101010101010101;
inline constexpr std::uint64_t kEveryByteTopBit = 0x8080808080808080;

// The first sizeof(Word) bytes at `bytes`, in the low bytes of a 64-bit word.
template <class Word = std::uint64_t>
std::uint64_t LoadBytes(const char* bytes) {
    Word word;
    std::memcpy(&word, bytes, sizeof word);
    return word;
}

// How many bytes of the word have their top bit set: the top bits, moved to the bottom of
// their bytes, are added up in the top byte by one multiplication.
inline std::size_t CountTopBits(std::uint64_t word) {
    return static_cast<std::size_t>((((word & kEveryByteTopBit) >> 7) * kEveryByteOne) >> 56);
}

// True when one of the eight bytes is `byte`: the word XOR `byte` in every byte then has a
// zero byte.
inline bool HoldsByte(std::uint64_t word, unsigned char byte) {
    const std::uint64_t x = word ^ (kEveryByteOne * byte);
    return ((x - kEveryByteOne) & ~x & kEveryByteTopBit) != 0;
}

}  // namespace loan
