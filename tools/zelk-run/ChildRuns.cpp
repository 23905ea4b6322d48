#include "ChildRuns.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <iostream>
#include <poll.h>
#include <sched.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

// Exit statuses of a child that could not deliver.
constexpr int ExitThrew = 70;
constexpr int ExitNoMemory = 71;
constexpr int ExitWriteFailed = 74;
constexpr int ExitOrphaned = 75;

// A result travels as 8 bytes of length, then the bytes: a child killed in
// the middle of writing leaves a frame that does not add up.
constexpr std::size_t FrameHeader = 8;

struct Running {
    int index;
    pid_t pid;
    int fd;  // -1 once the child has closed its end
    Clock::time_point deadline;
    std::string received;
    bool killed = false;  // by us: at its deadline or for sending too much
    bool timedOut = false;
};

// See ChildMemoryLimitWorks.
#if defined(__SANITIZE_ADDRESS__)
#define ZELK_ADDRESS_LIMIT_WORKS false
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ZELK_ADDRESS_LIMIT_WORKS false
#endif
#endif
#ifndef ZELK_ADDRESS_LIMIT_WORKS
#define ZELK_ADDRESS_LIMIT_WORKS true
#endif

void SetLimit(int resource, rlim_t soft, rlim_t hard)
{
    rlimit l{soft, hard};
    setrlimit(resource, &l);  // a limit that cannot be set leaves the parent's
}

void ApplyLimits(const ChildLimits& limits)
{
    // Processor time runs out with SIGXCPU at the soft limit, SIGKILL a
    // second later should the child ignore it.
    const rlim_t cpu = static_cast<rlim_t>(std::max(1, limits.seconds));
    SetLimit(RLIMIT_CPU, cpu, cpu + 1);
    if (limits.memoryBytes && ChildMemoryLimitWorks)
        SetLimit(RLIMIT_AS, limits.memoryBytes, limits.memoryBytes);
    // A crash must not leave a core file in the solution's folder.
    SetLimit(RLIMIT_CORE, 0, 0);
}

bool WriteAll(int fd, const std::string& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

std::string Frame(const std::string& payload)
{
    std::string frame(FrameHeader, '\0');
    const std::uint64_t size = payload.size();
    for (std::size_t i = 0; i < FrameHeader; ++i)
        frame[i] = static_cast<char>((size >> (8 * i)) & 0xFF);
    return frame + payload;
}

// The payload of a whole frame; false when the bytes are no whole frame.
bool Unframe(const std::string& frame, std::string& payload)
{
    if (frame.size() < FrameHeader)
        return false;
    std::uint64_t size = 0;
    for (std::size_t i = 0; i < FrameHeader; ++i)
        size |= static_cast<std::uint64_t>(static_cast<unsigned char>(frame[i])) << (8 * i);
    if (size != frame.size() - FrameHeader)
        return false;
    payload = frame.substr(FrameHeader);
    return true;
}

[[noreturn]] void ChildMain(int index, const std::function<std::string(int)>& job, int fd,
                            const ChildLimits& limits, pid_t parent)
{
    // A parent killed from outside cannot clean up: its children end with
    // it rather than run on to their time limit, which may be a day away.
    // The parent may have gone before this line: then nobody waits for us.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != parent)
        _exit(ExitOrphaned);
    // A child dies of its faults as they are, not through a handler its
    // parent may have set for itself.
    for (int sig : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT, SIGXCPU, SIGPIPE, SIGTERM})
        std::signal(sig, SIG_DFL);
    ApplyLimits(limits);
    std::string payload;
    try {
        payload = job(index);
    } catch (const std::bad_alloc&) {
        _exit(ExitNoMemory);
    } catch (...) {
        _exit(ExitThrew);
    }
    // _exit, not exit: the parent's buffers and handlers are not the child's
    // to flush or run.
    _exit(payload.size() <= MaxChildPayload && WriteAll(fd, Frame(payload)) ? 0 : ExitWriteFailed);
}

class ChildPool {
public:
    ChildPool(int count, const std::function<std::string(int)>& job, int parallel, const ChildLimits& limits)
        : job_(job), limits_(limits), parallel_(std::max(1, parallel)), results_(std::max(0, count)),
          count_(std::max(0, count))
    {
    }

    ~ChildPool()
    {
        // Only reached with children left when the parent itself failed:
        // none may outlive it.
        for (Running& r : running_) {
            kill(r.pid, SIGKILL);
            if (r.fd >= 0)
                close(r.fd);
            waitpid(r.pid, nullptr, 0);
        }
    }

    std::vector<ChildResult> Run()
    {
        while (next_ < count_ || !running_.empty()) {
            while (static_cast<int>(running_.size()) < parallel_ && next_ < count_) {
                if (!Start(next_)) {
                    if (running_.empty()) {
                        results_[next_++].kind = ChildResult::Kind::NotStarted;
                        continue;
                    }
                    break;  // no process to spare now: try again when one ends
                }
                ++next_;
            }
            Wait();
            Reap();
        }
        return std::move(results_);
    }

private:
    const std::function<std::string(int)>& job_;
    ChildLimits limits_;
    int parallel_;
    std::vector<ChildResult> results_;
    int count_;
    int next_ = 0;
    std::vector<Running> running_;

    bool Start(int index)
    {
        int fds[2];
        if (pipe(fds) != 0)
            return false;
        std::cout.flush();
        std::cerr.flush();
        std::fflush(nullptr);
        const pid_t parent = getpid();
        const pid_t pid = fork();
        if (pid < 0) {
            close(fds[0]);
            close(fds[1]);
            return false;
        }
        if (pid == 0) {
            close(fds[0]);
            for (const Running& r : running_)
                if (r.fd >= 0)
                    close(r.fd);
            ChildMain(index, job_, fds[1], limits_, parent);
        }
        close(fds[1]);
        fcntl(fds[0], F_SETFL, fcntl(fds[0], F_GETFL) | O_NONBLOCK);
        fcntl(fds[0], F_SETFD, FD_CLOEXEC);
        running_.push_back({index, pid, fds[0], Clock::now() + std::chrono::seconds(limits_.seconds), {}});
        return true;
    }

    // Until a pipe has something to say or the nearest deadline passes.
    void Wait()
    {
        if (running_.empty())
            return;
        std::vector<pollfd> fds;
        Clock::time_point nearest = Clock::time_point::max();
        bool awaitingExit = false;
        for (const Running& r : running_) {
            nearest = std::min(nearest, r.deadline);
            if (r.fd >= 0)
                fds.push_back({r.fd, POLLIN, 0});
            else
                awaitingExit = true;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(nearest - Clock::now()).count();
        // A child that has closed its pipe is about to end: look again soon.
        int timeout = static_cast<int>(std::clamp<long long>(left + 1, 0, 60000));
        if (awaitingExit)
            timeout = std::min(timeout, 2);
        if (poll(fds.data(), fds.size(), timeout) < 0 && errno != EINTR)
            return;
        for (Running& r : running_)
            if (r.fd >= 0)
                Drain(r);
    }

    void Drain(Running& r)
    {
        char buffer[65536];
        for (;;) {
            const ssize_t n = read(r.fd, buffer, sizeof buffer);
            if (n > 0) {
                r.received.append(buffer, static_cast<std::size_t>(n));
                if (r.received.size() > MaxChildPayload + FrameHeader) {
                    KillChild(r);
                    return;
                }
                continue;
            }
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
                return;
            close(r.fd);  // end of file, or an error: nothing more will come
            r.fd = -1;
            return;
        }
    }

    void KillChild(Running& r)
    {
        kill(r.pid, SIGKILL);
        r.killed = true;
        if (r.fd >= 0) {
            close(r.fd);
            r.fd = -1;
        }
    }

    void Reap()
    {
        const Clock::time_point now = Clock::now();
        for (auto it = running_.begin(); it != running_.end();) {
            Running& r = *it;
            if (!r.killed && now >= r.deadline) {
                r.timedOut = true;
                KillChild(r);
            }
            int status = 0;
            // A killed child ends at once, so it is waited for; any other
            // only once it has closed its pipe and ended.
            const pid_t done = r.killed ? waitpid(r.pid, &status, 0)
                                        : (r.fd < 0 ? waitpid(r.pid, &status, WNOHANG) : 0);
            if (done == r.pid || (done < 0 && errno == ECHILD)) {
                Finish(r, done == r.pid ? status : -1);
                it = running_.erase(it);
            } else {
                ++it;
            }
        }
    }

    void Finish(const Running& r, int status)
    {
        ChildResult& result = results_[r.index];
        if (r.timedOut) {
            result.kind = ChildResult::Kind::TimedOut;
        } else if (status >= 0 && WIFSIGNALED(status)) {
            result.kind = ChildResult::Kind::Crashed;
            result.signal = WTERMSIG(status);
        } else if (status >= 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0 && !r.killed &&
                   Unframe(r.received, result.payload)) {
            result.kind = ChildResult::Kind::Delivered;
        } else {
            result.kind = ChildResult::Kind::NoResult;
            result.exitStatus = status >= 0 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
    }
};

}  // namespace

const bool ChildMemoryLimitWorks = ZELK_ADDRESS_LIMIT_WORKS;

std::vector<ChildResult> RunInChildren(int count, const std::function<std::string(int index)>& job,
                                       int parallel, const ChildLimits& limits)
{
    ChildPool pool(count, job, parallel, limits);
    return pool.Run();
}

int UsableProcessors()
{
    cpu_set_t set;
    if (sched_getaffinity(0, sizeof set, &set) == 0)
        return std::max(1, CPU_COUNT(&set));
    const long online = sysconf(_SC_NPROCESSORS_ONLN);
    return online > 0 ? static_cast<int>(online) : 1;
}

std::string ChildFailureText(const ChildResult& result, const ChildLimits& limits)
{
    switch (result.kind) {
    case ChildResult::Kind::Delivered:
        return std::string();
    case ChildResult::Kind::Crashed:
        if (result.signal == SIGXCPU)
            return "Rechenzeit von " + std::to_string(limits.seconds) + " s überschritten";
        return "Lauf abgestürzt (Signal " + std::to_string(result.signal) + ")";
    case ChildResult::Kind::TimedOut:
        return "Zeitgrenze von " + std::to_string(limits.seconds) + " s überschritten";
    case ChildResult::Kind::NoResult:
        if (result.exitStatus == ExitNoMemory)
            return "nicht genug Speicher";
        return "Lauf endete ohne Ergebnis (Status " + std::to_string(result.exitStatus) + ")";
    case ChildResult::Kind::NotStarted:
        return "kein Prozess für den Lauf verfügbar";
    }
    return std::string();
}
