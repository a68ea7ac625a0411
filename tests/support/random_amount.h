#pragma once

#include <cstdint>
#include <cstdlib>
#include <limits>
#include <random>

#include "loan/money.h"

namespace testing_support {

inline constexpr loan::ScaledAmount kLargestAmount = std::numeric_limits<loan::ScaledAmount>::max();
inline constexpr loan::ScaledAmount kSmallestAmount =
    std::numeric_limits<loan::ScaledAmount>::min();

// The number of random cases of a differential test: `ordinary` in the usual suite, or as
// many as SSUDOMER_DIFFERENTIAL_COUNT asks for (see the README).
inline int RandomCaseCount(int ordinary) {
    const char* wanted = std::getenv("SSUDOMER_DIFFERENTIAL_COUNT");
    return wanted ? std::atoi(wanted) : ordinary;
}

// An amount of 1 to 19 digits, each length as likely as the others (amounts of every size
// occur), with either sign.
inline loan::ScaledAmount RandomAmount(std::mt19937_64& random) {
    const int digits = 1 + static_cast<int>(random() % 19);
    loan::ScaledAmount limit = 1;
    for (int d = 0; d < digits && limit <= kLargestAmount / 10; ++d) limit *= 10;
    const auto amount =
        static_cast<loan::ScaledAmount>(random() % static_cast<std::uint64_t>(limit));
    return random() & 1 ? -amount : amount;
}

// A random amount with three more trailing zeros: a sum of many digits. It wraps around as
// two's complement when the product leaves 64 bits, which keeps sums near the limits in play
// without the undefined behaviour of a signed overflow.
inline loan::ScaledAmount RandomLongAmount(std::mt19937_64& random) {
    return static_cast<loan::ScaledAmount>(static_cast<std::uint64_t>(RandomAmount(random)) *
                                           1000u);
}

}  // namespace testing_support
