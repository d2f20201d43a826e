#pragma once
// Runs a step of a test as an ordinary user. File and folder permissions do not bind the super-user, and CI
// runs the tests as root: there the step runs in a child process that first drops to the user and group
// "nobody". The step says what it saw as text, which comes back through a pipe; it reports nothing through
// assertions, which would stay in the child. Files the step needs must be reachable by "nobody"
// (kUnprivilegedId) when the test runs as root.

#include <grp.h>
#include <signal.h>
#include <sys/prctl.h>
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

// Runs the test testName of this test program (usually a DISABLED_ one, which only this runs) in a new
// process of its own as the ordinary user, for steps that a fork of a running window system cannot take
// (its painting threads are not in the child). Empty when that test passed, else what went wrong. The
// parent may hand it paths through the environment.
inline std::string RunTestAsUnprivilegedUser(const std::string& testName)
{
    char program[4096];
    const ssize_t length = ::readlink("/proc/self/exe", program, sizeof program - 1);
    if (length <= 0)
        return "this test program cannot be found";
    program[length] = '\0';
    const std::string filter = "--gtest_filter=" + testName;
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child < 0)
        return "no child process for the unprivileged test";
    if (child == 0) {
        if (RunsAsSuperUser() && (::setgroups(0, nullptr) != 0 || ::setgid(kUnprivilegedId) != 0 ||
                                  ::setuid(kUnprivilegedId) != 0 || ::geteuid() == 0))
            ::_exit(126);
        // Ends with this test program, so that nothing is left holding the test runner's output.
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (::getppid() == 1)
            ::_exit(125);
        ::execl(program, program, filter.c_str(), "--gtest_also_run_disabled_tests", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    // A test that hangs is stopped after five minutes, well before the runner's own limit.
    int status = 0;
    for (int waited = 0;; ++waited) {
        const pid_t done = ::waitpid(child, &status, WNOHANG);
        if (done == child)
            break;
        if (done < 0 && errno != EINTR)
            return "the unprivileged test was lost";
        if (waited == 3000) {
            ::kill(child, SIGKILL);
            while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
            }
            return testName + " as an unprivileged user did not end within five minutes";
        }
        ::usleep(100000);
    }
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0)
        return std::string();
    if (WIFEXITED(status))
        return testName + " as an unprivileged user ended with " + std::to_string(WEXITSTATUS(status));
    return testName + " as an unprivileged user was stopped by signal " + std::to_string(WTERMSIG(status));
}

}  // namespace kctest
