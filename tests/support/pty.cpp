// Pseudo-terminal runs for console tests.
#include "support/pty.hpp"

#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <termios.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

static std::string drain(int fd, pid_t pid, const std::string& until, double seconds, bool& ended) {
    std::string out;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    ended = false;
    char buf[4096];
    while (std::chrono::steady_clock::now() < deadline) {
        if (!until.empty() && out.find(until) != std::string::npos) break;
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, 50) > 0) {
            ssize_t n = read(fd, buf, sizeof buf);
            if (n <= 0) {
                ended = true;
                break;  // EIO: the child closed its side
            }
            out.append(buf, static_cast<size_t>(n));
        } else if (waitpid(pid, nullptr, WNOHANG | WNOWAIT) == pid) {
            // Gone; read what is left without waiting.
            while (poll(&p, 1, 0) > 0 && (read(fd, buf, sizeof buf) > 0)) {
            }
            ended = true;
            break;
        }
    }
    return out;
}

static termios rawTerminal() {
    termios t{};
    cfmakeraw(&t);
    return t;
}

PtyRun runOnPty(const std::vector<std::string>& argv, const std::string& cwd,
                const std::vector<std::string>& env, const std::string& until, double seconds) {
    int master = -1;
    termios t = rawTerminal();
    pid_t pid = forkpty(&master, nullptr, &t, nullptr);
    if (pid == 0) {
        if (chdir(cwd.c_str()) != 0) _exit(126);
        for (const auto& e : env) putenv(strdup(e.c_str()));
        std::vector<char*> args;
        for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        execv(args[0], args.data());
        _exit(127);
    }
    PtyRun run;
    bool ended = false;
    run.output = drain(master, pid, until, seconds, ended);
    int status = 0;
    if (waitpid(pid, &status, WNOHANG) == pid) {
        run.status = status;
    } else {
        kill(pid, SIGTERM);
        waitpid(pid, &status, 0);
        run.status = -1;
    }
    close(master);
    return run;
}

std::string captureOnPty(void (*fn)()) {
    int master = -1;
    termios t = rawTerminal();
    std::fflush(stdout);
    pid_t pid = forkpty(&master, nullptr, &t, nullptr);
    if (pid == 0) {
        fn();
        std::fflush(stdout);
        _exit(0);
    }
    bool ended = false;
    std::string out = drain(master, pid, "", 60.0, ended);
    waitpid(pid, nullptr, 0);
    close(master);
    return out;
}
