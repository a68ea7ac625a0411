#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <optional>
#include <vector>

#include "storage/file_error.h"
#include "storage/file_type_registry.h"
#include "storage/safe_file_writer.h"
#include "storage/text_file.h"
#include "storage/user_folders.h"

extern char** environ;

namespace storage {

namespace {

std::string xmlEscaped(const std::string& text) {
    std::string escaped;
    for (char c : text) {
        switch (c) {
            case '&':
                escaped += "&amp;";
                break;
            case '<':
                escaped += "&lt;";
                break;
            case '>':
                escaped += "&gt;";
                break;
            case '"':
                escaped += "&quot;";
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

// A value of a desktop entry of type string: backslashes and control characters escaped.
std::string desktopStringEscaped(const std::string& text) {
    std::string escaped;
    for (char c : text) {
        switch (c) {
            case '\\':
                escaped += "\\\\";
                break;
            case '\n':
                escaped += "\\n";
                break;
            case '\t':
                escaped += "\\t";
                break;
            case '\r':
                escaped += "\\r";
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

std::string mimePackage(const FileTypeRegistration& registration) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
           "  <mime-type type=\"" +
           XdgFileTypeRegistry::MimeType(registration) +
           "\">\n"
           "    <comment>" +
           xmlEscaped(registration.description) +
           "</comment>\n"
           "    <glob pattern=\"*" +
           xmlEscaped(registration.extension) +
           "\"/>\n"
           "  </mime-type>\n"
           "</mime-info>\n";
}

// "type;" for the registration and each further type.
std::string mimeTypeList(const FileTypeRegistration& registration) {
    std::string list = XdgFileTypeRegistry::MimeType(registration) + ";";
    for (const FileTypeRegistration& more : registration.alsoOpens)
        list += XdgFileTypeRegistry::MimeType(more) + ";";
    return list;
}

std::string desktopEntry(const FileTypeRegistration& registration) {
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Ссудомер\n"
           "Comment=" +
           desktopStringEscaped(registration.description) +
           "\n"
           "Exec=" +
           DesktopExecLine(registration.programPath) +
           "\n"
           "MimeType=" +
           mimeTypeList(registration) +
           "\n"
           "Terminal=false\n"
           "NoDisplay=true\n";
}

std::optional<std::string> findInPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::string folders = path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= folders.size()) {
        auto end = folders.find(':', start);
        if (end == std::string::npos)
            end = folders.size();
        const std::string folder = folders.substr(start, end - start);
        if (!folder.empty()) {
            const std::string candidate = folder + "/" + program;
            if (access(candidate.c_str(), X_OK) == 0)
                return candidate;
        }
        start = end + 1;
    }
    return std::nullopt;
}

// Runs a refresh tool when it is installed, without a shell and with its output silenced.
// Its failure is not the registration's: the entries are written, and the desktop picks
// them up at its next scan.
void runIfInstalled(const std::string& program, const std::string& folder) {
    const auto executable = findInPath(program);
    if (!executable)
        return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::vector<char*> argv = {const_cast<char*>(executable->c_str()),
                               const_cast<char*>(folder.c_str()), nullptr};
    pid_t child = 0;
    if (posix_spawn(&child, executable->c_str(), &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
        }
    }
    posix_spawn_file_actions_destroy(&actions);
}

void writeUtf8File(const std::string& folder, const std::string& name, const std::string& text) {
    CreateFolders(folder);
    WriteFileSafely(folder + "/" + name, text);
}

// Removes a file this registration wrote earlier; true when there was one.
bool removeOwnFile(const std::string& path) {
    if (unlink(path.c_str()) == 0)
        return true;
    if (errno != ENOENT)
        throw FileError(FileErrorText(errno, FileAccess::Write) + "\rФайл \"" + path +
                        "\" не удален.");
    return false;
}

// $XDG_DATA_DIRS, absolute folders only, by default /usr/local/share and /usr/share.
std::vector<std::string> systemDataFolders() {
    const char* value = std::getenv("XDG_DATA_DIRS");
    const std::string list =
        value != nullptr && value[0] != '\0' ? value : "/usr/local/share:/usr/share";
    std::vector<std::string> folders;
    std::size_t start = 0;
    while (start <= list.size()) {
        auto end = list.find(':', start);
        if (end == std::string::npos)
            end = list.size();
        if (end > start && list[start] == '/')
            folders.push_back(list.substr(start, end - start));
        start = end + 1;
    }
    return folders;
}

std::optional<std::string> findInSystemData(const std::string& relativePath) {
    for (const std::string& folder : systemDataFolders()) {
        const std::string candidate = folder + "/" + relativePath;
        if (access(candidate.c_str(), R_OK) == 0)
            return candidate;
    }
    return std::nullopt;
}

std::optional<std::string> realPath(const std::string& path) {
    char* resolved = realpath(path.c_str(), nullptr);
    if (resolved == nullptr)
        return std::nullopt;
    std::string result = resolved;
    std::free(resolved);
    return result;
}

// The program an Exec line starts: its first word, unquoted, looked up in PATH when it
// names no folder.
std::optional<std::string> execProgram(const std::string& exec) {
    std::string program;
    if (!exec.empty() && exec.front() == '"') {
        for (std::size_t i = 1; i < exec.size() && exec[i] != '"'; ++i) {
            if (exec[i] == '\\' && i + 1 < exec.size())
                ++i;
            program += exec[i];
        }
    } else {
        program = exec.substr(0, exec.find(' '));
    }
    if (program.find('/') != std::string::npos)
        return program;
    return findInPath(program);
}

// Whether the system-wide desktop entry starts this very program file.
bool systemEntryStarts(const std::string& entryPath, const std::string& programPath) {
    const auto program = realPath(programPath);
    if (!program)
        return false;
    const auto lines = TryReadTextFile(entryPath);
    if (!lines)
        return false;
    for (const std::string& line : *lines) {
        if (line.rfind("Exec=", 0) == 0) {
            const auto started = execProgram(line.substr(5));
            return started && realPath(*started) == program;
        }
    }
    return false;
}

}  // namespace

std::string XdgFileTypeRegistry::ApplicationId() {
    return SSUDOMER_APP_ID;
}

std::string XdgFileTypeRegistry::MimeType(const FileTypeRegistration& registration) {
    return "application/x-ssudomer-" + registration.typeName;
}

FileTypeRegistrationPlaces XdgFileTypeRegistry::registerFileType(
    const FileTypeRegistration& registration) {
    FileTypeRegistrationPlaces places;
    const std::string mimeFolder = DataHome() + "/mime";
    const std::string applicationsFolder = DataHome() + "/applications";

    // What the installed package put in the system's folders is not written again for the
    // user: the type once, and the program's own menu entry rather than a second one. Our
    // earlier per-user copies of them go, so that nothing is listed twice.
    std::vector<const FileTypeRegistration*> types = {&registration};
    for (const FileTypeRegistration& more : registration.alsoOpens) types.push_back(&more);
    const auto systemPackage = findInSystemData("mime/packages/" + ApplicationId() + ".xml");
    for (const FileTypeRegistration* type : types) {
        const std::string userMimePackage =
            mimeFolder + "/packages/ssudomer-" + type->typeName + ".xml";
        if (systemPackage) {
            removeOwnFile(userMimePackage);
        } else {
            writeUtf8File(mimeFolder + "/packages", "ssudomer-" + type->typeName + ".xml",
                          mimePackage(*type));
        }
        if (type == &registration) {
            places.typeFile = systemPackage ? *systemPackage : userMimePackage;
            places.typeInstalled = systemPackage.has_value();
        }
    }
    std::string defaultEntry = kDesktopFileName;
    const auto systemEntry = findInSystemData("applications/" + ApplicationId() + ".desktop");
    if (systemEntry && systemEntryStarts(*systemEntry, registration.programPath)) {
        defaultEntry = ApplicationId() + ".desktop";
        removeOwnFile(applicationsFolder + "/" + kDesktopFileName);
        places.programEntry = *systemEntry;
        places.entryInstalled = true;
    } else {
        places.programEntry = applicationsFolder + "/" + kDesktopFileName;
        writeUtf8File(applicationsFolder, kDesktopFileName, desktopEntry(registration));
    }

    const std::string mimeAppsPath = ConfigHome() + "/mimeapps.list";
    std::string mimeApps;
    try {
        mimeApps = ReadFileBytes(mimeAppsPath);
    } catch (const FileError&) {
        // No list yet: it is made below.
    }
    for (const FileTypeRegistration* type : types)
        mimeApps = WithDefaultApplication(mimeApps, MimeType(*type), defaultEntry);
    writeUtf8File(ConfigHome(), "mimeapps.list", mimeApps);
    places.defaultsFile = mimeAppsPath;

    // Also after a removal: the user's caches must forget the copies that went.
    runIfInstalled("update-mime-database", mimeFolder);
    runIfInstalled("update-desktop-database", applicationsFolder);
    return places;
}

std::string DesktopExecLine(const std::string& programPath) {
    std::string quoted = "\"";
    for (char c : programPath) {
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            quoted += '\\';
        if (c == '%')
            quoted += '%';
        quoted += c;
    }
    quoted += '"';
    return desktopStringEscaped(quoted) + " %f";
}

std::string WithDefaultApplication(const std::string& mimeApps, const std::string& mimeType,
                                   const std::string& desktopFile) {
    constexpr std::string_view kSection = "[Default Applications]";
    const std::string entry = mimeType + "=" + desktopFile;
    std::vector<std::string> lines = SplitLines(mimeApps);

    std::optional<std::size_t> sectionStart, sectionEnd;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].empty() || lines[i].front() != '[')
            continue;
        if (sectionStart && !sectionEnd)
            sectionEnd = i;
        if (!sectionStart && lines[i] == kSection)
            sectionStart = i;
    }
    if (!sectionStart) {
        if (!lines.empty() && !lines.back().empty())
            lines.emplace_back();
        lines.emplace_back(kSection);
        lines.push_back(entry);
    } else {
        std::size_t end = sectionEnd.value_or(lines.size());
        bool replaced = false;
        for (std::size_t i = *sectionStart + 1; i < end; ++i) {
            const auto equals = lines[i].find('=');
            if (equals != std::string::npos && lines[i].substr(0, equals) == mimeType) {
                lines[i] = entry;
                replaced = true;
            }
        }
        if (!replaced) {
            // After the section's last entry, before the blank lines that end it.
            while (end > *sectionStart + 1 && lines[end - 1].empty()) --end;
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(end), entry);
        }
    }
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    return text;
}

}  // namespace storage
