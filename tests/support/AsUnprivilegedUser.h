#pragma once
// Runs a step of a test as an ordinary user. File and folder permissions do not bind the super-user, and CI
// runs the tests as root: there the step runs in a child process that first drops to the user and group
// "nobody". The step says what it saw as text, which comes back through a pipe; it reports nothing through
// assertions, which would stay in the child. Files the step needs must be reachable by "nobody"
// (kUnprivilegedId) when the test runs as root.

#include <grp.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <functional>
#include <string>

namespace kctest {

constexpr uid_t kUnprivilegedId = 65534;

inline bool RunsAsSuperUser()
{
    return geteuid() == 0;
}

inline std::string AsUnprivilegedUser(const std::function<std::string()>& step)
{
    if (!RunsAsSuperUser())
        return step();
    int fds[2];
    if (::pipe(fds) != 0)
        return "no pipe for the unprivileged step";
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child < 0) {
        ::close(fds[0]);
        ::close(fds[1]);
        return "no child process for the unprivileged step";
    }
    if (child == 0) {
        ::close(fds[0]);
        std::string seen;
        if (::setgroups(0, nullptr) != 0 || ::setgid(kUnprivilegedId) != 0 || ::setuid(kUnprivilegedId) != 0 ||
            ::geteuid() == 0)
            seen = "cannot drop to an unprivileged user";
        else
            seen = step();
        for (size_t at = 0; at < seen.size();) {
            const ssize_t n = ::write(fds[1], seen.data() + at, seen.size() - at);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                break;
            at += static_cast<size_t>(n);
        }
        ::close(fds[1]);
        ::_exit(0);  // no exit handlers: they belong to the parent's test program
    }
    ::close(fds[1]);
    std::string seen;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(fds[0], buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        seen.append(buffer, static_cast<size_t>(n));
    }
    ::close(fds[0]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        seen += " (the unprivileged step ended abnormally)";
    return seen;
}

}  // namespace kctest
