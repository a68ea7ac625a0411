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

// A folder of this process's own, made once: in memory where the system offers it, since
// every save syncs to the disk and a disk would slow each run a hundredfold.
inline const std::string& ScratchFolder() {
    static const std::string folder = [] {
        const std::filesystem::path base =
            access("/dev/shm", W_OK) == 0 ? "/dev/shm" : std::filesystem::temp_directory_path();
        std::string pattern = (base / "ssudomer-fuzz-XXXXXX").string();
        return std::string(mkdtemp(pattern.data()));
    }();
    // Registered once the name exists, so that it runs before the name is destroyed.
    static const bool removedAtExit = std::atexit([] {
                                          std::error_code ignored;
                                          std::filesystem::remove_all(folder, ignored);
                                      }) == 0;
    (void)removedAtExit;
    return folder;
}

// libFuzzer records an abort with the input that caused it.
#define FUZZ_CHECK(condition)                                                                \
    do {                                                                                     \
        if (!(condition)) {                                                                  \
            fprintf(stderr, "%s:%d: property broken: %s\n", __FILE__, __LINE__, #condition); \
            abort();                                                                         \
        }                                                                                    \
    } while (false)

inline std::string_view AsText(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

}  // namespace fuzzing
