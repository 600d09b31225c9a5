// The whole program from outside: build/tonvask started in a working
// folder on a pseudo-terminal under the test's private X server, driven
// with clicks and keys through XTest (xdotool), its console read back.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

struct Program {
    pid_t pid = -1;
    int pty = -1;        // our side of its terminal
    std::string output;  // everything it wrote to the console so far
    std::string window;  // X window id, once found
    int status = -1;     // waitpid status once it has ended
};

// env entries are "NAME=value" to set or "NAME" alone to unset.
bool startProgram(Program& p, const std::string& cwd, const std::vector<std::string>& env = {});
bool waitForWindow(Program& p, double seconds = 20);  // finds the window titled "Tonvask v1.0.1"
void readConsole(Program& p, double seconds);         // collects output for that long
bool waitConsole(Program& p, const std::string& text, double seconds);  // until text appears
// A press and a release at window pixel (x, y), origin top left: button 1 left, 2 middle, 3 right.
void click(Program& p, int x, int y, int button = 1);
void pressKey(Program& p, const std::string& keysym);  // an X keysym name: "a", "Escape", "bracketleft"
void typeText(Program& p, const std::string& text);    // each character as a key
void settle(Program& p);                               // lets the program handle what was sent
bool running(Program& p);
bool waitExit(Program& p, double seconds);  // true once it has ended; status filled
void stopProgram(Program& p);               // ends it if still running and reaps it
std::string windowName(const Program& p);
bool windowSize(const Program& p, int& width, int& height);
std::string runCommand(const std::string& command);  // stdout of a shell command
