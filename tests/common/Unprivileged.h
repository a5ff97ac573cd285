#pragma once

#include <functional>

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

// Runs fn as a user without special rights and returns its result (0 to 125). As root
// (where permissions do not apply) fn runs in a child process that has dropped to the
// "nobody" user first; otherwise it runs here. -1 when the child could not be run.
inline int runUnprivileged(const std::function<int()> &fn)
{
    if (geteuid() != 0)
        return fn();
    const pid_t pid = fork();
    if (pid < 0)
        return -1;
    if (pid == 0) {
        if (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0)
            _exit(126);
        _exit(fn()); // no exit handlers: the parent's state is the parent's
    }
    int status = 0;
    if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}
