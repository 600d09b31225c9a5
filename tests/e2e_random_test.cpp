// Careless hands: a few thousand random clicks and keys against the
// running program (never Esc, never the Exit button), sent in batches
// through the X server. The program must keep running, still leave through
// Exit with status 0, and the registration file it leaves must read back
// in step: a count followed by exactly that many names and paths.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <chrono>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "support/program.hpp"
#include "support/tempdir.hpp"
#include "support/wav.hpp"

namespace {

// Keys a user might hit: note and effect keys, letters, digits, blanks,
// control keys and punctuation, as X keysym names. Escape is left out.
const char KEYS[] =
    "a s d f g h j k l less greater bracketleft bracketright at A z q 1 0 space Tab Return BackSpace "
    "Delete slash backslash period minus underscore numbersign Up F1";

std::vector<std::string> words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> out;
    for (std::string w; in >> w;) out.push_back(w);
    return out;
}

// One random action as xdotool words, chained behind the others.
std::string randomAction(std::mt19937& rng, const std::string& window) {
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    int kind = pick(0, 99);
    // A press and a release; xdotool's click would wait 100 ms after each.
    auto at = [&](int x, int y, int button) {
        std::string b = std::to_string(button);
        return "mousemove --window " + window + " " + std::to_string(x) + " " + std::to_string(y) +
               " mousedown " + b + " mouseup " + b + " ";
    };
    if (kind < 3) {
        // Now and then a deliberate addition: Add Lib., a word in each field,
        // Save. It registers while the fields hold nothing unfit left over
        // from stray keys, and is refused with a message otherwise.
        std::string word;
        for (int n = pick(1, 12); n > 0; --n)
            word += std::string("key --delay 1 ") + char('a' + pick(0, 25)) + " ";
        return at(250, 585, 1) + at(400, 160, 1) + word + at(400, 160, 3) + at(400, 210, 1) + word +
               at(460, 485, 1);
    }
    static const std::vector<std::string> keys = words(KEYS);
    if (kind < 30) return "key --delay 1 " + keys[pick(0, int(keys.size()) - 1)] + " ";
    int x, y;
    if (kind < 50) {
        x = pick(3, 632), y = pick(573, 597);  // menu bar, Exit excluded
    } else if (kind < 90) {
        x = pick(198, 602), y = pick(98, 502);  // the panels' area
    } else {
        do x = pick(0, 799), y = pick(0, 599);
        while (x >= 633 && x <= 737 && y >= 573 && y <= 597);
    }
    int roll = pick(0, 19);
    int button = roll < 15 ? 1 : roll < 19 ? 3 : 2;
    return at(x, y, button);
}

TEST(RandomUse, ThousandsOfClicksAndKeysLeaveItRunningAndItsFileInStep) {
    TempDir dir;
    writeFile("tvlibs.dll", " 2\n Low\n High\n libs/low\n libs/high\n");
    std::string samples;
    for (int i = 0; i < 9; ++i) {
        std::string path = "samples/s" + std::to_string(i) + ".wav";
        writeFile(path, "");
        writeSineWav(path, 400 + 100 * i, 0.05);
        samples += path + "\n";
    }
    writeFile("libs/low", samples);
    writeFile("libs/high", samples);

    Program p;
    ASSERT_TRUE(startProgram(p, dir.path));
    ASSERT_TRUE(waitForWindow(p)) << p.output;

    const unsigned seed = 20261211;
    std::mt19937 rng(seed);
    const int EVENTS = 3000, BATCH = 100;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(5);
    for (int sent = 0; sent < EVENTS && running(p); sent += BATCH) {
        ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "seed " << seed << ", " << sent << " sent";
        std::string command = "xdotool ";
        for (int i = 0; i < BATCH; ++i) command += randomAction(rng, p.window);
        runCommand(command + "2>/dev/null");
        readConsole(p, 0.05);
    }
    // Let it work through what is queued (beeps take 200 ms each), then
    // check it still answers: the Exit button ends it normally.
    settle(p);
    readConsole(p, 2.0);
    ASSERT_TRUE(running(p)) << "seed " << seed << ", status " << p.status;
    click(p, 680, 585);
    ASSERT_TRUE(waitExit(p, 120)) << "seed " << seed;
    ASSERT_TRUE(WIFEXITED(p.status)) << "seed " << seed << ", status " << p.status;
    EXPECT_EQ(WEXITSTATUS(p.status), 0);
    // The events did reach it: rows were clicked and the catalogue scanned.
    EXPECT_NE(p.output.find("Loading Library:"), std::string::npos);

    // The file reads back in step: a count N, then N names and N paths,
    // every path one that the program itself writes or was given.
    std::vector<std::string> w = words(readFile("tvlibs.dll"));
    ASSERT_FALSE(w.empty());
    int n = std::stoi(w[0]);
    ASSERT_GE(n, 0);
    EXPECT_EQ(w.size(), size_t(1 + 2 * n)) << readFile("tvlibs.dll");
    for (int i = 0; i < n && size_t(1 + n + i) < w.size(); ++i) {
        EXPECT_LE(w[1 + i].size(), 31u);
        const std::string& path = w[1 + n + i];
        EXPECT_EQ(path.rfind("libs/", 0), 0u) << path;
        EXPECT_LE(path.size(), 31u) << path;
    }
}

}  // namespace
