// Running a program on a pseudo-terminal, so that what it writes for a
// terminal only (clears, titles) can be seen and checked.
#pragma once

#include <string>
#include <vector>

struct PtyRun {
    std::string output;  // everything written to the terminal
    int status = -1;     // as waitpid reports it; -1 if it was still running and killed
};

// Starts argv in cwd with extra "NAME=value" variables, reads its terminal
// until `until` appears in the output (or it ends, or seconds pass), then
// ends it with SIGTERM if it still runs.
PtyRun runOnPty(const std::vector<std::string>& argv, const std::string& cwd,
                const std::vector<std::string>& env, const std::string& until, double seconds);

// Runs fn in a child process whose standard output is a pseudo-terminal
// and returns what it wrote; the child exits when fn returns.
std::string captureOnPty(void (*fn)());
