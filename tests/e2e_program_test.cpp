// The whole program driven from outside, as a user would: started in a
// folder holding a registration file and two libraries of real WAV
// samples, clicked and typed at through the X server, heard through
// OpenAL's file-writing backend, and left through Exit with status 0.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <chrono>
#include <cmath>
#include <string>
#include <thread>
#include <vector>

#include "support/program.hpp"
#include "support/tempdir.hpp"
#include "support/wav.hpp"

namespace {

// Window pixels of the 800 x 600 window, origin top left.
struct Point {
    int x, y;
};
const Point LIBRARY = {50, 585}, MODE = {150, 585}, ADD_LIB = {250, 585}, RMV_LIB = {350, 585},
            EXIT = {680, 585};
const Point LEAVE = {550, 485}, SAVE = {460, 485};
Point row(int k) { return {400, 135 + 25 * k}; }
const Point MASK_FIELD = row(1), NAME_FIELD = row(3), SYSTEM_BEEP = row(1);

void clickAt(Program& p, Point at, int button = 1) { click(p, at.x, at.y, button); }

// Sample i of "Low" is a sine of 300 + 100i Hz, of "High" 1200 + 100i Hz.
double lowHz(int i) { return 300 + 100 * i; }
double highHz(int i) { return 1200 + 100 * i; }

const char REGISTRATION[] = " 2\n Low\n High\n libs/low\n libs/high\n";

void writeFixture() {
    writeFile("tvlibs.dll", REGISTRATION);
    std::string low, high;
    for (int i = 0; i < 9; ++i) {
        std::string l = "samples/low" + std::to_string(i) + ".wav";
        std::string h = "samples/high" + std::to_string(i) + ".wav";
        writeFile(l, "");  // makes the folder
        writeSineWav(l, lowHz(i), 0.4);
        writeSineWav(h, highHz(i), 0.4);
        low += l + "\n";
        high += h + "\n";
    }
    writeFile("libs/low", low);
    writeFile("libs/high", high);
}

// Waits until the file reads `expected`, for a catalogue operation the
// program runs in its own time.
bool fileBecomes(const std::string& path, const std::string& expected, double seconds = 10) {
    auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (readFile(path) != expected) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
}

void exitThroughTheButton(Program& p) {
    clickAt(p, EXIT);
    ASSERT_TRUE(waitExit(p, 20)) << p.output;
    ASSERT_TRUE(WIFEXITED(p.status)) << p.status;
    EXPECT_EQ(WEXITSTATUS(p.status), 0);
}

class EndToEnd : public ::testing::Test {
  protected:
    TempDir dir;
    Program p;
    std::string heard;  // the file-writing backend's output
    void SetUp() override { writeFixture(); }
    void TearDown() override { stopProgram(p); }

    void start(bool listen = false) {
        std::vector<std::string> env;
        if (listen) {
            heard = dir.path + "/heard.wav";
            env = {"ALSOFT_CONF=" + waveBackendConf(dir.path, heard), "ALSOFT_DRIVERS"};
        }
        ASSERT_TRUE(startProgram(p, dir.path, env));
        ASSERT_TRUE(waitForWindow(p)) << p.output;
    }

    // The first stretch of sound in what was heard, and its pitch.
    void expectHeard(double hz, double minSeconds, double maxSeconds) {
        Pcm pcm;
        ASSERT_TRUE(readWav(heard, pcm));
        std::vector<float> x = mono(pcm);
        auto spans = soundSpans(x, pcm.rate);
        ASSERT_FALSE(spans.empty()) << "silence";
        auto [begin, end] = spans.front();
        double seconds = double(end - begin) / pcm.rate;
        EXPECT_GE(seconds, minSeconds) << spans.size() << " stretches of sound";
        EXPECT_LE(seconds, maxSeconds) << spans.size() << " stretches of sound";
        EXPECT_NEAR(dominantFrequency(x, pcm.rate, begin, end), hz, 3.0);
    }
};

TEST_F(EndToEnd, ChooseALibraryAndHearItsNote) {
    start(true);
    clickAt(p, LIBRARY);
    clickAt(p, row(1));  // High
    ASSERT_TRUE(waitConsole(p, "Loading Library: High|", 10)) << p.output;
    readConsole(p, 0.5);
    pressKey(p, "s");
    readConsole(p, 1.0);  // the backend writes in real time
    exitThroughTheButton(p);
    EXPECT_EQ(p.output.find("Error loading data."), std::string::npos) << p.output;
    expectHeard(highHz(1), 0.3, 0.45);
}

TEST_F(EndToEnd, SwitchToTheBeepVoiceAndHearItsTone) {
    start(true);
    clickAt(p, MODE);
    clickAt(p, SYSTEM_BEEP);
    pressKey(p, "a");
    readConsole(p, 0.8);
    exitThroughTheButton(p);
    expectHeard(500, 0.17, 0.23);
}

TEST_F(EndToEnd, AddALibraryThroughTheAddLibraryPanel) {
    start();
    clickAt(p, ADD_LIB);
    clickAt(p, MASK_FIELD);
    typeText(p, "Organ");
    clickAt(p, MASK_FIELD, 3);  // a right click takes the focus away again
    clickAt(p, NAME_FIELD);
    typeText(p, "organ");
    clickAt(p, SAVE);
    EXPECT_TRUE(fileBecomes("tvlibs.dll", " 3\n Low\n High\n Organ\n libs/low\n libs/high\n libs/organ\n"))
        << readFile("tvlibs.dll");
    // The new library appears as row 2 the next time a list opens; with
    // no file behind it the load reports it and the program goes on.
    clickAt(p, LIBRARY);
    clickAt(p, row(2));
    EXPECT_TRUE(waitConsole(p, "Loading Library: Organ|", 10)) << p.output;
    clickAt(p, LEAVE);
    exitThroughTheButton(p);
}

TEST_F(EndToEnd, RemoveALibraryThroughTheRemoveLibraryPanel) {
    start();
    clickAt(p, RMV_LIB);
    clickAt(p, row(0));
    EXPECT_TRUE(fileBecomes("tvlibs.dll", " 1\n High\n libs/high\n")) << readFile("tvlibs.dll");
    // The panel closed at the press: a second click on row 0 removes nothing.
    clickAt(p, row(0));
    readConsole(p, 0.5);
    EXPECT_EQ(readFile("tvlibs.dll"), " 1\n High\n libs/high\n");
    exitThroughTheButton(p);
}

TEST_F(EndToEnd, ClicksKeepTheirWindowPixelsInAResizedWindow) {
    start();
    runCommand("xdotool windowsize --sync " + p.window + " 1000 700 2>/dev/null");
    int w = 0, h = 0;
    ASSERT_TRUE(windowSize(p, w, h));
    ASSERT_EQ(h, 700);
    // The stretched picture shows the Library button near y 680, but the
    // regions stay where they are at 800 x 600.
    clickAt(p, LIBRARY);
    clickAt(p, row(1));
    EXPECT_TRUE(waitConsole(p, "Loading Library: High|", 10)) << p.output;
    exitThroughTheButton(p);
}

}  // namespace
