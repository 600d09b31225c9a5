// From outside, as a new user meets it: the program started in the demo
// folder that the build leaves for ./run lists the demo libraries in its
// Library Select panel, and each library's notes are heard through the
// file-writing audio backend, at the pitch of the scale where it is tuned.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "support/program.hpp"
#include "support/tempdir.hpp"
#include "support/wav.hpp"

namespace {

struct Note {
    const char* key;
    double hz;  // 0: untuned, only heard
};

struct Library {
    const char* name;
    std::vector<Note> notes;
};

// C major from middle C: a s d f g h j k l.
const double C4 = 261.6255653, D4 = 293.6647679, E4 = 329.6275569, F4 = 349.2282314, G4 = 391.9954360,
             A4 = 440.0, B4 = 493.8833013, C5 = 523.2511306, D5 = 587.3295358;

const Library LIBRARIES[] = {
    {"Sine",
     {{"a", C4}, {"s", D4}, {"d", E4}, {"f", F4}, {"g", G4}, {"h", A4}, {"j", B4}, {"k", C5}, {"l", D5}}},
    {"Strings", {{"a", C4}, {"h", A4}, {"l", D5}}},
    {"Drums", {{"a", 0}, {"s", 0}, {"l", 0}}},
};

// Row k of the Library Select panel, in window pixels (origin top left).
int rowY(int k) { return 135 + 25 * k; }

TEST(DemoProgram, ListsTheDemoLibrariesAndPlaysEachOne) {
    TempDir dir;
    ASSERT_EQ(std::system(("cp -R '" TONVASK_BUILD_DIR "/demo' '" + dir.path + "/demo'").c_str()), 0);
    std::string recording = dir.path + "/heard.wav";
    WaveBackend backend(dir.path, recording);

    Program p;
    ASSERT_TRUE(startProgram(p, dir.path + "/demo"));
    ASSERT_TRUE(waitForWindow(p));
    click(p, 55, 585);  // the menu bar's Library button

    for (int k = 0; k < 3; ++k) {
        const Library& lib = LIBRARIES[k];
        SCOPED_TRACE(lib.name);
        p.output.clear();
        click(p, 400, rowY(k));
        // The row shows, and loads, the library registered in that place.
        ASSERT_TRUE(waitConsole(p, std::string("Loading Library: ") + lib.name + "|", 10)) << p.output;
        ASSERT_TRUE(waitConsole(p, "Loading Complete|", 10)) << p.output;
        EXPECT_EQ(p.output.find("cannot be found"), std::string::npos) << p.output;

        for (const Note& n : lib.notes) {
            SCOPED_TRACE(n.key);
            pressKey(p, n.key);
            // Each note opens the device afresh, which starts the recording anew.
            readConsole(p, 0.6);
            EXPECT_EQ(p.output.find("Error loading data."), std::string::npos);
            Pcm pcm;
            ASSERT_TRUE(readWav(recording, pcm));
            std::vector<float> heard = mono(pcm);
            auto spans = soundSpans(heard, pcm.rate, 0.02);
            ASSERT_FALSE(spans.empty()) << "silence";
            if (n.hz > 0) {
                size_t begin = spans[0].first + pcm.rate / 20;
                double hz = dominantFrequency(heard, pcm.rate, begin, begin + pcm.rate / 4);
                EXPECT_LT(std::fabs(1200 * std::log2(hz / n.hz)), 10.0) << hz << " Hz for " << n.hz;
            }
        }
    }
    ASSERT_TRUE(running(p)) << p.output;
    stopProgram(p);
}

}  // namespace
