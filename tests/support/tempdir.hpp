// A fresh temporary folder for one test, made the working folder for its
// duration and removed with everything in it afterwards.
#pragma once

#include <string>

struct TempDir {
    TempDir();   // creates it and changes into it
    ~TempDir();  // changes back and removes it
    std::string path;
    std::string previous;
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
};

// A path in the test run's own temporary folder: the same in a re-executed
// death-test child, and removed with the run.
std::string runPath(const std::string& name);

void writeFile(const std::string& path, const std::string& content);  // parents made as needed
std::string readFile(const std::string& path);                        // "" when missing
bool fileExists(const std::string& path);
