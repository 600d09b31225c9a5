// Shared by the catalogue tests: a fresh folder per test, the catalogue
// globals set to known contents, and running a routine with its console
// output thrown away or captured.
#pragma once

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "catalogue/catalogue.hpp"
#include "shell/banner.hpp"
#include "shell/state.hpp"
#include "support/tempdir.hpp"

inline const std::string CLEAR = "\033[H\033[2J\033[3J";

// Runs fn with standard output sent to /dev/null.
template <typename Fn>
void quietly(Fn fn) {
    std::fflush(stdout);
    int saved = dup(1);
    int null = open("/dev/null", O_WRONLY);
    dup2(null, 1);
    close(null);
    fn();
    std::fflush(stdout);
    dup2(saved, 1);
    close(saved);
}

// Every catalogue global filled with recognisable earlier contents, so a
// test can tell what a routine left alone: names "n<i>", paths "p<i>",
// selection rows "r<i>", samples "k<i>", libs 2 and libs2 2.
inline void fillEarlier() {
    std::memset(lib_name, 0, sizeof lib_name);
    std::memset(libraries, 0, sizeof libraries);
    std::memset(librarSelect, 0, sizeof librarSelect);
    std::memset(keys, 0, sizeof keys);
    for (int i = 0; i < 30; ++i) {
        std::snprintf(lib_name[i], NAME_SLOT, "n%d", i);
        std::snprintf(libraries[i], NAME_SLOT, "p%d", i);
    }
    for (int i = 0; i < SELECT_ROWS; ++i) std::snprintf(librarSelect[i], NAME_SLOT, "r%d", i);
    for (int i = 0; i < 9; ++i) std::snprintf(keys[i], NAME_SLOT, "k%d", i);
    libs = 2;
    libs2 = 2;
}

inline void clearCatalogue() {
    fillEarlier();
    std::memset(lib_name, 0, sizeof lib_name);
    std::memset(libraries, 0, sizeof libraries);
    std::memset(librarSelect, 0, sizeof librarSelect);
    std::memset(keys, 0, sizeof keys);
    libs = 0;
    libs2 = 0;
}

// A registration file in the program's own layout.
inline std::string layout(const std::vector<std::string>& names, const std::vector<std::string>& paths) {
    std::string s = " " + std::to_string(names.size()) + "\n";
    for (const auto& n : names) s += " " + n + "\n";
    for (const auto& p : paths) s += " " + p + "\n";
    return s;
}

class CatalogueTest : public ::testing::Test {
  protected:
    TempDir dir;
    void SetUp() override { fillEarlier(); }
};
