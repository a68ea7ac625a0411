#pragma once

#include <stdexcept>
#include <string>

namespace loan {

// A text that should hold a number or a date and does not. The handler that met it is
// abandoned, and the text reaches the user through the general error display.
class ConversionError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// An amount that does not fit in a ScaledAmount.
class AmountOverflow : public std::overflow_error {
  public:
    AmountOverflow() : std::overflow_error("Amount does not fit in 64 bits") {}
};

}  // namespace loan
