#pragma once

// What the fuzz targets share: a scratch folder of their own and a way to stop loudly
// when a property does not hold.

#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <string>

namespace fuzzing {

// A folder under the system's temporary folder for this process, made once.
inline const std::string& ScratchFolder() {
    static const std::string folder = [] {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "ssudomer-fuzz-XXXXXX").string();
        return std::string(mkdtemp(pattern.data()));
    }();
    return folder;
}

// libFuzzer records an abort with the input that caused it.
#define FUZZ_CHECK(condition)                                                        \
    do {                                                                             \
        if (!(condition)) {                                                          \
            fprintf(stderr, "%s:%d: property broken: %s\n", __FILE__, __LINE__, #condition); \
            abort();                                                                 \
        }                                                                            \
    } while (false)

inline std::string_view AsText(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

}  // namespace fuzzing
