// Console layer for terminals that understand ANSI/xterm sequences. Every
// write is flushed at once: progress messages that end no line must still
// be seen before the clear that follows them.
#include "platform/console.hpp"

#include <unistd.h>

#include <cstdarg>
#include <cstdio>

static bool toTerminal() { return isatty(fileno(stdout)) == 1; }

void consoleClear() {
    if (!toTerminal()) return;
    // Home, erase the screen, then the scroll-back the screen would leave.
    std::fputs("\033[H\033[2J\033[3J", stdout);
    std::fflush(stdout);
}

void consoleTitle(const char* title) {
    if (!toTerminal()) return;
    std::printf("\033]0;%s\007", title);
    std::fflush(stdout);
}

void consolePrint(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::vprintf(format, args);
    va_end(args);
    std::fflush(stdout);
}
