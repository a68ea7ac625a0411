// The guarded writer against a small tree of folders, files, hard links, symbolic links
// (within the tree, out of it, dangling, looping), FIFOs, modes and, for the superuser,
// another user's file: a save under any name either leaves exactly the new content in the
// file the name leads to, and nothing else changed, or is refused with its error and
// nothing changed at all. Links out of the tree lead into a second folder of the run's own;
// a file beside both must never change. A FIFO is refused without being opened for writing
// (a blocking open would hang the run, which libFuzzer reports).
//
// Input: a count of entries, four bytes for each (kind, parent folder, name, mode), the
// length of the target's name, the name (relative to the tree), and the content.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <map>
#include <optional>
#include <vector>

#include "fuzz_support.h"
#include "storage/file_error.h"
#include "storage/safe_file_writer.h"
#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kNames[] = {"a", "b", "c.crp", "d", "ж", "e.pdf", ".f", "g"};
constexpr mode_t kFileModes[] = {0644, 0444, 0600, 0000, 0666, 0200, 0640, 0755};
constexpr mode_t kFolderModes[] = {0755, 0700, 0500, 01777, 0555, 0711, 0750, 0777};
constexpr uid_t kOtherUser = 65534;

// What a save may change of an entry, read without following links.
struct Entry {
    mode_t mode = 0;
    uid_t uid = 0;
    dev_t dev = 0;
    ino_t ino = 0;
    std::string bytes;  // a file's content, a link's target

    bool operator==(const Entry& other) const {
        return mode == other.mode && uid == other.uid && dev == other.dev && ino == other.ino &&
               bytes == other.bytes;
    }
};

using Snapshot = std::map<std::string, Entry>;

// A file's content, whatever its mode (a file its owner may not read is made readable for
// the moment).
std::string contentOf(const std::string& path, mode_t mode) {
    int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        chmod(path.c_str(), mode | 0400);
        fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        chmod(path.c_str(), mode);
    }
    FUZZ_CHECK(fd >= 0);
    std::string bytes;
    char buffer[4096];
    ssize_t got;
    while ((got = read(fd, buffer, sizeof buffer)) > 0)
        bytes.append(buffer, static_cast<std::size_t>(got));
    close(fd);
    return bytes;
}

Snapshot snapshotOf(const std::string& folder) {
    Snapshot snapshot;
    for (const auto& item : fs::recursive_directory_iterator(folder)) {
        const std::string path = item.path().string();
        struct stat status {};
        FUZZ_CHECK(lstat(path.c_str(), &status) == 0);
        Entry entry{status.st_mode, status.st_uid, status.st_dev, status.st_ino, {}};
        if (S_ISREG(status.st_mode)) {
            entry.bytes = contentOf(path, status.st_mode & 07777);
        } else if (S_ISLNK(status.st_mode)) {
            entry.bytes = fs::read_symlink(item.path()).string();
        }
        snapshot[path] = entry;
    }
    return snapshot;
}

// Reads the input from the front.
class Input {
  public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    std::uint8_t byte() { return size_ > 0 ? (--size_, *data_++) : 0; }
    std::string text(std::size_t length) {
        length = std::min(length, size_);
        std::string result(reinterpret_cast<const char*>(data_), length);
        data_ += length;
        size_ -= length;
        return result;
    }
    std::string rest() { return text(size_); }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
};

// The run's folders: the tree, the folder links lead out to, and the file beside both.
struct Run {
    std::string base;
    std::string tree;
    std::string outside;
    std::string sentinel;
    std::vector<std::string> folders;  // of the tree, the tree first
    std::vector<std::string> files;    // regular files made, for hard links
    std::vector<std::string> made;     // everything made, for links within the tree
};

void makeOutside(const Run& run) {
    testing_support::WriteBytes(run.outside + "/o", "outside file");
    mkdir((run.outside + "/od").c_str(), 0755);
    testing_support::WriteBytes(run.outside + "/od/inner", "outside inner");
    mkfifo((run.outside + "/of").c_str(), 0666);
    testing_support::WriteBytes(run.sentinel, "sentinel");
}

std::string outsideTarget(const Run& run, std::uint8_t choice) {
    static constexpr const char* kOut[] = {"/o",        "/od",         "/of", "/missing",
                                           "/od/inner", "/od/missing", "",    "/none/missing"};
    return run.outside + kOut[choice % 8];
}

// Makes one entry of the tree from four input bytes; a name already taken is skipped.
void makeEntry(Run& run, Input& input) {
    const std::uint8_t kind = input.byte() % 9;
    const std::string& parent = run.folders[input.byte() % run.folders.size()];
    const std::uint8_t choice = input.byte();
    const std::uint8_t modeChoice = input.byte();
    const std::string path = parent + "/" + kNames[choice % 8];
    bool done = false;
    switch (kind) {
        case 0:
            done = mkdir(path.c_str(), 0700) == 0;
            if (done)
                run.folders.push_back(path);
            break;
        case 1:
        case 7: {
            const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
            done = fd >= 0;
            if (!done)
                break;
            const std::string bytes = "old " + path.substr(run.tree.size());
            done = write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
            close(fd);
            fchmodat(AT_FDCWD, path.c_str(), kFileModes[modeChoice % 8], 0);
            if (kind == 7 && geteuid() == 0)
                done = lchown(path.c_str(), kOtherUser, kOtherUser) == 0;
            run.files.push_back(path);
            break;
        }
        case 2:  // a link within its folder, by a relative name (may dangle or loop)
            done = symlink(kNames[modeChoice % 8], path.c_str()) == 0;
            break;
        case 3:  // a link to something made earlier, by its full path
            done = !run.made.empty() &&
                   symlink(run.made[modeChoice % run.made.size()].c_str(), path.c_str()) == 0;
            break;
        case 4:
            done = symlink(outsideTarget(run, modeChoice).c_str(), path.c_str()) == 0;
            break;
        case 5:
            done = mkfifo(path.c_str(), kFileModes[modeChoice % 8] | 0200) == 0;
            break;
        case 6:
            done = !run.files.empty() &&
                   link(run.files[modeChoice % run.files.size()].c_str(), path.c_str()) == 0;
            break;
        default:  // a link to itself
            done = symlink(path.c_str(), path.c_str()) == 0;
            break;
    }
    if (done)
        run.made.push_back(path);
}

// A name that stays lexically within the tree: no absolute path, no "..", no NUL (which a
// file name cannot hold).
bool staysInTree(const std::string& name) {
    if (name.find('\0') != std::string::npos || (!name.empty() && name.front() == '/'))
        return false;
    std::size_t start = 0;
    while (start <= name.size()) {
        const std::size_t end = std::min(name.find('/', start), name.size());
        if (name.compare(start, end - start, "..") == 0)
            return false;
        start = end + 1;
    }
    return true;
}

// Folders are made searchable and writable again, so that the run's tree can be removed.
void removeRun(const Run& run) {
    std::error_code ignored;
    for (const auto& item : fs::recursive_directory_iterator(run.base, ignored)) {
        struct stat status {};
        if (lstat(item.path().c_str(), &status) == 0 && S_ISDIR(status.st_mode))
            chmod(item.path().c_str(), 0700);
    }
    for (const std::string& folder : run.folders) chmod(folder.c_str(), 0700);
    fs::remove_all(run.base, ignored);
}

// After a save that succeeded: every entry that changed or appeared is the file the name
// now leads to (or another hard link of it), holding the content; a file that was there
// keeps its mode and owner; nothing disappeared.
void checkSaved(const Snapshot& before, const Snapshot& after, const std::string& target,
                const std::string& content) {
    std::error_code error;
    const std::string saved = fs::canonical(target, error).string();
    FUZZ_CHECK(!error);
    const auto savedEntry = after.find(saved);
    FUZZ_CHECK(savedEntry != after.end());
    FUZZ_CHECK(S_ISREG(savedEntry->second.mode));
    FUZZ_CHECK(savedEntry->second.bytes == content);
    for (const auto& [path, old] : before) FUZZ_CHECK(after.count(path) == 1);
    for (const auto& [path, now] : after) {
        const auto old = before.find(path);
        if (old != before.end() && old->second == now)
            continue;
        FUZZ_CHECK(now.dev == savedEntry->second.dev && now.ino == savedEntry->second.ino);
        FUZZ_CHECK(now.bytes == content);
        if (old != before.end()) {
            FUZZ_CHECK(S_ISREG(old->second.mode));
            FUZZ_CHECK(old->second.mode == now.mode && old->second.uid == now.uid);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input input(data, size);
    const int entries = input.byte() % 12;
    Run run;
    std::string pattern = fuzzing::ScratchFolder() + "/run-XXXXXX";
    FUZZ_CHECK(mkdtemp(pattern.data()) != nullptr);
    run.base = pattern;
    run.tree = run.base + "/tree";
    run.outside = run.base + "/outside";
    run.sentinel = run.base + "/sentinel";
    FUZZ_CHECK(mkdir(run.tree.c_str(), 0700) == 0 && mkdir(run.outside.c_str(), 0700) == 0);
    makeOutside(run);
    run.folders.push_back(run.tree);
    for (int i = 0; i < entries; ++i) makeEntry(run, input);
    // Folder modes last, so that every entry could be made first.
    for (std::size_t i = 1; i < run.folders.size(); ++i)
        chmod(run.folders[i].c_str(), kFolderModes[(i + entries) % 8]);

    const std::string name = input.text(input.byte() % 48);
    const std::string content = input.rest();
    if (staysInTree(name)) {
        const std::string target = run.tree + "/" + name;
        const Snapshot before = snapshotOf(run.base);
        bool saved = true;
        try {
            storage::WriteFileSafely(target, content);
        } catch (const storage::FileError&) {
            saved = false;
        }
        const Snapshot after = snapshotOf(run.base);
        if (saved)
            checkSaved(before, after, target, content);
        else
            FUZZ_CHECK(before == after);
        FUZZ_CHECK(testing_support::ReadBytes(run.sentinel) == "sentinel");
    }
    removeRun(run);
    return 0;
}
