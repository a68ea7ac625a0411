// A payment file read a piece at a time gives the lines the whole text gives: line ends of
// every kind, a CR LF, UTF-8 sequences and Windows-1251 bytes cut by the end of a piece,
// the encoding decided by a byte after many pieces, a signature cut in two.
//
// The first byte chooses the piece size, 1 to 256 bytes, so that a short input meets many
// boundaries, and one larger than the input takes the reader's path for small files. The
// boundaries of the reader's own megabyte pieces differ only in where they fall; its tests
// put the same bytes across them.

#include <fstream>

#include "fuzz_support.h"
#include "storage/text_file.h"
#include "storage/text_file_lines.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const std::size_t pieceSize = data[0] + std::size_t{1};
    const std::string bytes(fuzzing::AsText(data + 1, size - 1));

    const std::string path = fuzzing::ScratchFolder() + "/lines.crp";
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;

    const std::vector<std::string> whole = storage::SplitLines(storage::DecodeFileText(bytes));
    storage::TextFileLines reader(path, pieceSize);
    std::size_t count = 0;
    while (const auto line = reader.next()) {
        FUZZ_CHECK(count < whole.size());
        FUZZ_CHECK(*line == whole[count]);
        ++count;
    }
    FUZZ_CHECK(count == whole.size());
    FUZZ_CHECK(!reader.next());
    return 0;
}
