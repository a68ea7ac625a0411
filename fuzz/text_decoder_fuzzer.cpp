// File bytes to the program's text: whatever the bytes, the text is well-formed UTF-8, the
// lines hold no line ends, and Windows-1251 survives the trip to UTF-8 and back.

#include "fuzz_support.h"
#include "text/errors.h"
#include "storage/cp1251.h"
#include "storage/text_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = fuzzing::AsText(data, size);

    const std::string text = storage::DecodeFileText(bytes);
    FUZZ_CHECK(storage::IsValidUtf8(text));
    for (const std::string& line : storage::SplitLines(text))
        FUZZ_CHECK(line.find_first_of("\r\n") == std::string::npos);

    FUZZ_CHECK(storage::Utf8ToCp1251(storage::Cp1251ToUtf8(bytes)) == bytes);
    FUZZ_CHECK(storage::Utf8ToCp1251(bytes).size() <= bytes.size());

    const std::string excerpt = loan::Excerpt(bytes);
    FUZZ_CHECK(storage::IsValidUtf8(excerpt));
    FUZZ_CHECK(excerpt.size() <= loan::kExcerptLength * 4 + 3);
    for (char c : excerpt) FUZZ_CHECK(static_cast<unsigned char>(c) >= 0x20 && c != 0x7F);
    return 0;
}
