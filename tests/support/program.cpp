// Starting and driving the real program for end-to-end tests. Clicks and
// keys go through the X server's XTest extension, as a user's would.
#include "support/program.hpp"

#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

using Clock = std::chrono::steady_clock;

std::string runCommand(const std::string& command) {
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return out;
    char buf[512];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, pipe)) > 0) out.append(buf, n);
    pclose(pipe);
    return out;
}

bool startProgram(Program& p, const std::string& cwd, const std::vector<std::string>& env) {
    termios t{};
    cfmakeraw(&t);
    std::fflush(nullptr);
    p.pid = forkpty(&p.pty, nullptr, &t, nullptr);
    if (p.pid < 0) return false;
    if (p.pid == 0) {
        if (chdir(cwd.c_str()) != 0) _exit(126);
        for (const auto& e : env) {
            auto eq = e.find('=');
            if (eq == std::string::npos)
                unsetenv(e.c_str());
            else
                setenv(e.substr(0, eq).c_str(), e.substr(eq + 1).c_str(), 1);
        }
        execl(TONVASK_BINARY, TONVASK_BINARY, static_cast<char*>(nullptr));
        _exit(127);
    }
    return true;
}

static void drainOnce(Program& p, int timeoutMs) {
    if (p.pty < 0) return;
    pollfd fd{p.pty, POLLIN, 0};
    if (poll(&fd, 1, timeoutMs) <= 0) return;
    char buf[4096];
    ssize_t n = read(p.pty, buf, sizeof buf);
    if (n > 0) p.output.append(buf, static_cast<size_t>(n));
}

void readConsole(Program& p, double seconds) {
    auto end = Clock::now() + std::chrono::duration<double>(seconds);
    while (Clock::now() < end) drainOnce(p, 20);
}

bool waitConsole(Program& p, const std::string& text, double seconds) {
    auto end = Clock::now() + std::chrono::duration<double>(seconds);
    while (p.output.find(text) == std::string::npos) {
        if (Clock::now() >= end || !running(p)) {
            drainOnce(p, 0);
            return p.output.find(text) != std::string::npos;
        }
        drainOnce(p, 20);
    }
    return true;
}

bool waitForWindow(Program& p, double seconds) {
    auto end = Clock::now() + std::chrono::duration<double>(seconds);
    while (Clock::now() < end && running(p)) {
        drainOnce(p, 0);
        std::string id = runCommand("xdotool search --onlyvisible --name '^Tonvask v1\\.0\\.1$' 2>/dev/null");
        if (!id.empty()) {
            p.window = id.substr(0, id.find('\n'));
            // Keys go to the window with the focus; there is no window
            // manager in the private server to give it.
            runCommand("xdotool windowfocus --sync " + p.window + " 2>/dev/null");
            settle(p);
            return true;
        }
        drainOnce(p, 100);
    }
    return false;
}

void settle(Program& p) {
    // A round trip through the server, then a little time for the event
    // loop: the program redraws without pause, so events are handled fast.
    runCommand("xdotool sleep 0.05 2>/dev/null");
    readConsole(p, 0.15);
}

void click(Program& p, int x, int y, int button) {
    runCommand("xdotool mousemove --window " + p.window + " " + std::to_string(x) + " " + std::to_string(y) +
               " click " + std::to_string(button) + " 2>/dev/null");
    settle(p);
}

void pressKey(Program& p, const std::string& keysym) {
    runCommand("xdotool key " + keysym + " 2>/dev/null");
    settle(p);
}

void typeText(Program& p, const std::string& text) {
    for (char c : text) {
        std::string ch(1, c);
        runCommand("xdotool type --delay 10 -- '" + ch + "' 2>/dev/null");
    }
    settle(p);
}

bool running(Program& p) {
    if (p.pid <= 0) return false;
    if (p.status != -1) return false;
    int status = 0;
    if (waitpid(p.pid, &status, WNOHANG) == p.pid) {
        p.status = status;
        return false;
    }
    return true;
}

bool waitExit(Program& p, double seconds) {
    auto end = Clock::now() + std::chrono::duration<double>(seconds);
    while (running(p)) {
        if (Clock::now() >= end) return false;
        drainOnce(p, 20);
    }
    drainOnce(p, 0);
    return true;
}

void stopProgram(Program& p) {
    if (running(p)) {
        kill(p.pid, SIGTERM);
        if (!waitExit(p, 5)) {
            kill(p.pid, SIGKILL);
            waitExit(p, 5);
        }
    }
    if (p.pty >= 0) {
        close(p.pty);
        p.pty = -1;
    }
}

std::string windowName(const Program& p) {
    std::string name = runCommand("xdotool getwindowname " + p.window + " 2>/dev/null");
    while (!name.empty() && name.back() == '\n') name.pop_back();
    return name;
}

bool windowSize(const Program& p, int& width, int& height) {
    std::string geo = runCommand("xdotool getwindowgeometry " + p.window + " 2>/dev/null");
    auto at = geo.find("Geometry: ");
    return at != std::string::npos && std::sscanf(geo.c_str() + at, "Geometry: %dx%d", &width, &height) == 2;
}
