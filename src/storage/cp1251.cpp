#include "storage/cp1251.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <optional>

#include "text/byte_words.h"
#include "text/utf8.h"

namespace storage {

namespace {

// Code points of bytes 0x80..0xBF; 0xC0..0xFF are U+0410..U+044F in order.
constexpr std::array<char16_t, 64> kUpperHalf = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,  // B8
};

char32_t byteToCodePoint(unsigned char byte) {
    if (byte < 0x80)
        return byte;
    if (byte >= 0xC0)
        return 0x0410 + (byte - 0xC0);
    return kUpperHalf[byte - 0x80];
}

std::optional<unsigned char> codePointToByte(char32_t c) {
    if (c < 0x80)
        return static_cast<unsigned char>(c);
    if (c >= 0x0410 && c <= 0x044F)
        return static_cast<unsigned char>(0xC0 + (c - 0x0410));
    for (std::size_t i = 0; i < kUpperHalf.size(); ++i) {
        if (kUpperHalf[i] == c)
            return static_cast<unsigned char>(0x80 + i);
    }
    return std::nullopt;
}

// Writes the character's UTF-8 bytes at `out` and returns the end.
char* writeUtf8(char* out, char32_t c) {
    if (c < 0x80) {
        *out++ = static_cast<char>(c);
    } else if (c < 0x800) {
        *out++ = static_cast<char>(0xC0 | (c >> 6));
        *out++ = static_cast<char>(0x80 | (c & 0x3F));
    } else {
        *out++ = static_cast<char>(0xE0 | (c >> 12));
        *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (c & 0x3F));
    }
    return out;
}

}  // namespace

std::string Cp1251ToUtf8(std::string_view bytes) {
    std::string text;
    AppendCp1251AsUtf8(text, bytes);
    return text;
}

void AppendCp1251AsUtf8(std::string& text, std::string_view bytes) {
    // A high byte becomes two or three bytes: room for three each, and the rest is cut off
    // after. They are counted eight at a time.
    std::size_t highCount = 0;
    std::size_t at = 0;
    for (; bytes.size() - at >= 8; at += 8)
        highCount += loan::CountTopBits(loan::LoadBytes(bytes.data() + at));
    for (; at < bytes.size(); ++at) highCount += static_cast<unsigned char>(bytes[at]) >> 7;
    const std::size_t start = text.size();
    text.resize(start + bytes.size() + 2 * highCount);
    char* out = text.data() + start;
    const char* in = bytes.data();
    const char* const end = in + bytes.size();
    while (in != end) {
        // Plain ASCII is copied eight bytes at a time.
        if (end - in >= 8 && (loan::LoadBytes(in) & loan::kEveryByteTopBit) == 0) {
            std::memcpy(out, in, 8);
            in += 8;
            out += 8;
            continue;
        }
        out = writeUtf8(out, byteToCodePoint(static_cast<unsigned char>(*in++)));
    }
    text.resize(static_cast<std::size_t>(out - text.data()));
}

std::string Utf8ToCp1251(std::string_view text) {
    std::string bytes;
    bytes.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        char32_t c = 0;
        const std::size_t length = loan::DecodeUtf8Sequence(text, at, c);
        if (length == 0) {
            bytes += '?';
            ++at;
            continue;
        }
        const auto byte = codePointToByte(c);
        bytes += byte ? static_cast<char>(*byte) : '?';
        at += length;
    }
    return bytes;
}

bool IsValidUtf8(std::string_view bytes) {
    for (std::size_t at = 0; at < bytes.size();) {
        char32_t c = 0;
        const std::size_t length = loan::DecodeUtf8Sequence(bytes, at, c);
        if (length == 0)
            return false;
        at += length;
    }
    return true;
}

}  // namespace storage
