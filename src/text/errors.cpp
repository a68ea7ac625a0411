#include "text/errors.h"

#include "text/utf8.h"

namespace loan {

namespace {

std::string escaped(unsigned value) {
    constexpr char kHex[] = "0123456789ABCDEF";
    return {'\\', 'x', kHex[(value >> 4) & 0xF], kHex[value & 0xF]};
}

bool isControl(char32_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

}  // namespace

std::string Excerpt(std::string_view text) {
    std::string excerpt;
    std::size_t characters = 0;
    std::size_t at = 0;
    while (at < text.size() && characters < kExcerptLength) {
        char32_t c = 0;
        const std::size_t length = DecodeUtf8Sequence(text, at, c);
        if (length == 0) {
            excerpt += escaped(static_cast<unsigned char>(text[at]));
            ++at;
        } else {
            if (isControl(c))
                excerpt += escaped(static_cast<unsigned>(c));
            else
                excerpt.append(text.substr(at, length));
            at += length;
        }
        ++characters;
    }
    if (at < text.size())
        excerpt += "…";
    return excerpt;
}

namespace {

std::string notWhatItShouldBe(std::string_view text, const char* what) {
    std::string message = "\"";
    message += Excerpt(text);
    message += "\" не является ";
    message += what;
    message += '.';
    return message;
}

}  // namespace

std::string NotANumberText(std::string_view text) {
    return notWhatItShouldBe(text, "числом");
}

std::string NotAWholeNumberText(std::string_view text) {
    return notWhatItShouldBe(text, "целым числом");
}

std::string NotADateText(std::string_view text) {
    return notWhatItShouldBe(text, "датой");
}

}  // namespace loan
