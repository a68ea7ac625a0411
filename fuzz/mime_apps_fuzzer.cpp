// The per-user file-type registration's texts: the `mimeapps.list` rewritten with the
// program as the default application of payment files, and the `Exec` line of the desktop
// entry that starts it.
//
// The input is the program path, a NUL, then the old mimeapps.list; the first byte chooses
// the desktop entry named as the default. Whatever the old list holds, the rewrite keeps
// every other line as it was, leaves the type's key in [Default Applications] naming the
// entry and nothing else, and changes nothing when run again. The Exec value is one line,
// and a desktop reading it back (string escapes, then quoting, then "%%") gets the path.

#include <optional>
#include <vector>

#include "fuzz_support.h"
#include "storage/file_type_registry.h"
#include "storage/text_file.h"

namespace {

using Lines = std::vector<std::string>;

constexpr std::string_view kSection = "[Default Applications]";

// A value of type string as a desktop reads it: "\s", "\n", "\t", "\r" and "\\".
std::string unescapeString(std::string_view value) {
    std::string text;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            text += value[i];
            continue;
        }
        switch (value[++i]) {
            case 's':
                text += ' ';
                break;
            case 'n':
                text += '\n';
                break;
            case 't':
                text += '\t';
                break;
            case 'r':
                text += '\r';
                break;
            case '\\':
                text += '\\';
                break;
            default:
                text += '\\';
                text += value[i];
        }
    }
    return text;
}

// The arguments of an Exec value: split at spaces outside double quotes; inside them a
// backslash takes the next '"', '`', '$' or '\' literally; "%%" is a '%'. Field codes
// such as "%f" are left for the launcher. None for a value a desktop would refuse.
std::optional<Lines> execArguments(const std::string& exec) {
    Lines arguments;
    std::string current;
    bool inArgument = false;
    bool quoted = false;
    for (std::size_t i = 0; i < exec.size(); ++i) {
        const char c = exec[i];
        if (quoted) {
            if (c == '"') {
                quoted = false;
            } else if (c == '\\') {
                if (i + 1 == exec.size())
                    return std::nullopt;
                const char next = exec[++i];
                if (next != '"' && next != '`' && next != '$' && next != '\\')
                    return std::nullopt;
                current += next;
            } else {
                current += c;
            }
        } else if (c == ' ') {
            if (inArgument)
                arguments.push_back(current);
            current.clear();
            inArgument = false;
        } else if (c == '"') {
            quoted = inArgument = true;
        } else {
            current += c;
            inArgument = true;
        }
    }
    if (quoted)
        return std::nullopt;
    if (inArgument)
        arguments.push_back(current);
    for (std::string& argument : arguments) {
        std::string literal;
        for (std::size_t i = 0; i < argument.size(); ++i) {
            literal += argument[i];
            if (argument[i] == '%' && i + 1 < argument.size() && argument[i + 1] == '%')
                ++i;
        }
        if (argument != "%f")
            argument = literal;
    }
    return arguments;
}

bool isKeyOf(const std::string& line, const std::string& mimeType) {
    return line.size() > mimeType.size() && line.starts_with(mimeType) &&
           line[mimeType.size()] == '=';
}

// The lines of the first [Default Applications] group: from its header to the next line
// that opens a group. Empty when there is none.
std::pair<std::size_t, std::size_t> sectionOf(const Lines& lines) {
    for (std::size_t start = 0; start < lines.size(); ++start) {
        if (lines[start] != kSection)
            continue;
        std::size_t end = start + 1;
        while (end < lines.size() && (lines[end].empty() || lines[end].front() != '[')) ++end;
        return {start, end};
    }
    return {lines.size(), lines.size()};
}

// Every line but the type's key lines inside the first [Default Applications] group.
Lines otherLines(const Lines& lines, const std::string& mimeType) {
    const auto [start, end] = sectionOf(lines);
    Lines others;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!(i > start && i < end && isKeyOf(lines[i], mimeType)))
            others.push_back(lines[i]);
    }
    return others;
}

void checkExecLine(const std::string& programPath) {
    const std::string exec = storage::DesktopExecLine(programPath);
    FUZZ_CHECK(exec.find_first_of("\r\n") == std::string::npos);
    const std::optional<Lines> arguments = execArguments(unescapeString(exec));
    FUZZ_CHECK(arguments && *arguments == (Lines{programPath, "%f"}));
}

void checkMimeApps(const std::string& old, const std::string& desktopFile) {
    const std::string mimeType = "application/x-ssudomer-crp";
    const std::string entry = mimeType + "=" + desktopFile;
    const std::string rewritten = storage::WithDefaultApplication(old, mimeType, desktopFile);
    FUZZ_CHECK(storage::WithDefaultApplication(rewritten, mimeType, desktopFile) == rewritten);
    FUZZ_CHECK(rewritten.ends_with('\n') && rewritten.find('\r') == std::string::npos);

    const Lines before = storage::SplitLines(old);
    const Lines after = storage::SplitLines(rewritten);
    const auto [start, end] = sectionOf(after);
    FUZZ_CHECK(start < after.size());
    bool named = false;
    for (std::size_t i = start + 1; i < end; ++i) {
        if (isKeyOf(after[i], mimeType)) {
            FUZZ_CHECK(after[i] == entry);
            named = true;
        }
    }
    FUZZ_CHECK(named);

    // Every other line stays, in its order; a list without the group gets it at its end,
    // parted from the last line by an empty one.
    Lines expected = otherLines(before, mimeType);
    if (sectionOf(before).first == before.size()) {
        if (!before.empty() && !before.back().empty())
            expected.emplace_back();
        expected.emplace_back(kSection);
    }
    FUZZ_CHECK(otherLines(after, mimeType) == expected);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const std::string desktopFile =
        data[0] & 1 ? "ru.ssudomer.Ssudomer.desktop" : "ssudomer.desktop";
    const std::string_view input = fuzzing::AsText(data + 1, size - 1);
    const std::size_t nul = input.find('\0');
    const std::string programPath(input.substr(0, nul));
    const std::string old(nul == std::string_view::npos ? std::string_view()
                                                        : input.substr(nul + 1));

    checkExecLine(programPath);
    checkMimeApps(old, desktopFile);
    return 0;
}
