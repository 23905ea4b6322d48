#pragma once
// Permission checks as tests run them: CI runs as root, for whom no
// permission bit forbids anything, so such checks run as an ordinary user.
#include <functional>

#include <sys/wait.h>
#include <unistd.h>

// Runs check as the unprivileged user when we are root, where permissions
// would prove nothing; its result comes back as the exit status.
// -1: no such user can be become here.
inline int AsOrdinaryUser(const std::function<bool()>& check)
{
    if (::geteuid() != 0)
        return check() ? 1 : 0;
    const pid_t child = ::fork();
    if (child < 0)
        return -1;
    if (child == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0)
            ::_exit(3);
        ::_exit(check() ? 1 : 0);
    }
    int status = 0;
    if (::waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) == 3)
        return -1;
    return WEXITSTATUS(status);
}
