// The real program started from outside under the private X server: its
// console on a pseudo-terminal, its window, and that start-up touches no
// file in the working folder.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/inotify.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "shell/banner.hpp"
#include "support/program.hpp"
#include "support/tempdir.hpp"

namespace {

const std::string CLEAR = "\033[H\033[2J\033[3J";
const std::string TITLE = "\033]0;Tonvask v1.0.1\007";

TEST(ShellProgram, ConsoleShowsClearBannerAndTitleInThatOrder) {
    TempDir dir;
    Program p;
    ASSERT_TRUE(startProgram(p, dir.path));
    ASSERT_TRUE(waitConsole(p, TITLE, 20)) << p.output;
    EXPECT_EQ(p.output.substr(0, CLEAR.size() + std::string(BANNER).size() + TITLE.size()),
              CLEAR + BANNER + TITLE);
    ASSERT_TRUE(waitForWindow(p));
    stopProgram(p);
}

TEST(ShellProgram, WindowHasItsTitleAndSize) {
    TempDir dir;
    Program p;
    ASSERT_TRUE(startProgram(p, dir.path));
    ASSERT_TRUE(waitForWindow(p)) << p.output;
    EXPECT_EQ(windowName(p), "Tonvask v1.0.1");
    int w = 0, h = 0;
    ASSERT_TRUE(windowSize(p, w, h));
    EXPECT_EQ(w, 800);
    EXPECT_EQ(h, 600);
    stopProgram(p);
}

TEST(ShellProgram, StartUpReadsAndCreatesNothing) {
    TempDir dir;
    writeFile("tvlibs.dll", " 1\n Lib\n libs/lib\n");
    writeFile("libs/lib", "a.wav\n");
    int watch = inotify_init1(IN_NONBLOCK);
    ASSERT_GE(watch, 0);
    inotify_add_watch(watch, dir.path.c_str(), IN_ALL_EVENTS);
    inotify_add_watch(watch, (dir.path + "/libs").c_str(), IN_ALL_EVENTS);

    Program p;
    ASSERT_TRUE(startProgram(p, dir.path));
    ASSERT_TRUE(waitForWindow(p)) << p.output;
    readConsole(p, 1.0);  // many frames drawn meanwhile
    EXPECT_TRUE(running(p));

    alignas(inotify_event) char buf[4096];
    ssize_t n = read(watch, buf, sizeof buf);
    std::string touched;
    for (ssize_t at = 0; at < n;) {
        auto* e = reinterpret_cast<inotify_event*>(buf + at);
        touched += std::string(e->len ? e->name : "(folder)") + " ";
        at += static_cast<ssize_t>(sizeof(inotify_event) + e->len);
    }
    close(watch);
    EXPECT_EQ(touched, "");
    int entries = 0;
    for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(dir.path)) ++entries;
    EXPECT_EQ(entries, 2);  // tvlibs.dll and libs/, as the fixture left them
    stopProgram(p);
}

TEST(ShellProgram, PlainOutputWhenNotATerminal) {
    TempDir dir;
    std::string cmd = "{ cd '" + dir.path + "' && timeout 3 '" + TONVASK_BINARY +
                      "' 2>/dev/null; } 2>/dev/null | head -c 200";
    std::string out = runCommand(cmd);
    EXPECT_EQ(out, BANNER);
}

TEST(ShellProgram, ExitButtonEndsWithStatusZero) {
    TempDir dir;
    Program p;
    ASSERT_TRUE(startProgram(p, dir.path));
    ASSERT_TRUE(waitForWindow(p)) << p.output;
    click(p, 680, 585);
    ASSERT_TRUE(waitExit(p, 10));
    ASSERT_TRUE(WIFEXITED(p.status)) << p.status;
    EXPECT_EQ(WEXITSTATUS(p.status), 0);
    stopProgram(p);
}

}  // namespace
