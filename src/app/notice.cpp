#include "app/notice.h"

#include <cstdint>

#include "text/errors.h"

namespace app {

namespace {

// The key byte for position `index`: a simple running key is enough to keep the text out
// of a plain search of the binary.
unsigned char keyAt(std::size_t index) {
    return static_cast<unsigned char>(0x5A + 37 * index);
}

// "Ссудомер 2.0 — расчет графика платежей и учет погашения кредита"
constexpr const char* kStoredNotice =
    "8ADE75483F90E8E952191C4DC68EB1058AFDDA291E810839F2269C91D65A31047DCFF1B80C93084EF3C7"
    "BC21675FD09D9AD54409FED3979DC9470C3084FBE5A52C6F51D99773A825E2368FE0D1AB1514682FE4E6"
    "AE1D185EC2878D09767E20A8EAE75526EE23A2ECE257190142CBF8B4087F64";

}  // namespace

int HexToInt(std::string_view text) {
    std::uint32_t value = 0;
    for (char c : text) {
        int digit;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (c >= 'A' && c <= 'F') {
            digit = c - 'A' + 10;
        } else if (c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        } else {
            throw loan::ConversionError("No Hex-Number");
        }
        value = value * 16 + static_cast<std::uint32_t>(digit);
    }
    return static_cast<int>(value);
}

std::string DecipherNotice(std::string_view stored) {
    if (stored.size() % 2 != 0)
        throw loan::ConversionError("No Hex-Number");
    std::string plain;
    plain.reserve(stored.size() / 2);
    for (std::size_t i = 0; i < stored.size(); i += 2) {
        const int byte = HexToInt(stored.substr(i, 2));
        plain.push_back(static_cast<char>(byte ^ keyAt(i / 2)));
    }
    return plain;
}

std::string EncipherNotice(std::string_view plain) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string stored;
    stored.reserve(plain.size() * 2);
    for (std::size_t i = 0; i < plain.size(); ++i) {
        const unsigned char byte = static_cast<unsigned char>(plain[i]) ^ keyAt(i);
        stored.push_back(kDigits[byte >> 4]);
        stored.push_back(kDigits[byte & 0x0F]);
    }
    return stored;
}

std::string StatusNotice() {
    return DecipherNotice(kStoredNotice);
}

}  // namespace app
