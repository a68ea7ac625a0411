#include "storage/text_file.h"

#include "storage/cp1251.h"
#include "storage/file_reader.h"
#include "storage/safe_file_writer.h"

namespace storage {

namespace {

constexpr std::string_view kUtf8Signature = "\xEF\xBB\xBF";

}  // namespace

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text[at] != '\r' && text[at] != '\n')
            continue;
        lines.emplace_back(text.substr(start, at - start));
        if (text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n')
            ++at;
        start = at + 1;
    }
    if (start < text.size())
        lines.emplace_back(text.substr(start));
    return lines;
}

std::string DecodeFileText(std::string_view bytes) {
    // The signature promises UTF-8, but an editor may have put it before Windows-1251 text:
    // what follows it is checked like any other text.
    if (bytes.substr(0, kUtf8Signature.size()) == kUtf8Signature)
        bytes.remove_prefix(kUtf8Signature.size());
    if (IsValidUtf8(bytes))
        return std::string(bytes);
    return Cp1251ToUtf8(bytes);
}

std::vector<std::string> ReadTextFile(const std::string& path) {
    return SplitLines(DecodeFileText(ReadFileBytes(path)));
}

std::optional<std::vector<std::string>> TryReadTextFile(const std::string& path) {
    const auto bytes = TryReadFileBytes(path);
    if (!bytes)
        return std::nullopt;
    return SplitLines(DecodeFileText(*bytes));
}

void WriteTextFile(const std::string& path, const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    WriteFileSafely(path, Utf8ToCp1251(text));
}

}  // namespace storage
