#pragma once

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

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

}  // namespace testing_support
