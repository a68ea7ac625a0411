#pragma once

#include <functional>
#include <string>

namespace testing_support {

// The message of the Error the action throws, or "no error".
template <class Error>
std::string ErrorText(const std::function<void()>& action) {
    try {
        action();
    } catch (const Error& error) {
        return error.what();
    }
    return "no error";
}

}  // namespace testing_support
