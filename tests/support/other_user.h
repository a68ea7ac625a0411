#pragma once

#include <grp.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>
#include <system_error>
#include <vector>

namespace testing_support {

// The user and group "nobody".
constexpr uid_t kNobody = 65534;

// Whether tests may act as another user: only the superuser can become one.
inline bool CanActAsAnotherUser() {
    return geteuid() == 0;
}

// Runs `check` in a child process as the user nobody and gives its verdict: 1 when it held,
// 0 when not, -1 when the child could not become nobody or did not end normally.
inline int RunAsNobody(const std::function<bool()>& check) {
    const pid_t child = fork();
    if (child == 0) {
        if (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0)
            _exit(3);
        bool held = false;
        try {
            held = check();
        } catch (...) {
        }
        _exit(held ? 0 : 1);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status) == 0 ? 1 : WEXITSTATUS(status) == 1 ? 0 : -1;
}

// A copy of a program, with the files it loads from beside it, in a folder every user can
// reach: the build tree may lie where nobody cannot enter (a home folder of mode 700, a
// private temporary folder). Empty program() when no such copy could be made.
class ProgramCopyForOthers {
  public:
    ProgramCopyForOthers(const std::string& program, const std::vector<std::string>& besides) {
        namespace fs = std::filesystem;
        std::string pattern = "/tmp/ssudomer-program-XXXXXX";
        if (!mkdtemp(pattern.data()))
            return;
        folder_ = pattern;
        std::error_code error;
        if (chmod(folder_.c_str(), 0755) != 0)
            return;
        const fs::path source(program);
        for (const std::string& name : besides) {
            const fs::path file = source.parent_path() / name;
            if (fs::exists(file, error) &&
                !fs::copy_file(file, fs::path(folder_) / name, error))
                return;
        }
        const fs::path copy = fs::path(folder_) / source.filename();
        if (fs::copy_file(source, copy, error))
            program_ = copy.string();
    }
    ~ProgramCopyForOthers() {
        std::error_code ignored;
        if (!folder_.empty())
            std::filesystem::remove_all(folder_, ignored);
    }
    ProgramCopyForOthers(const ProgramCopyForOthers&) = delete;
    ProgramCopyForOthers& operator=(const ProgramCopyForOthers&) = delete;

    const std::string& program() const { return program_; }

  private:
    std::string folder_;
    std::string program_;
};

}  // namespace testing_support
