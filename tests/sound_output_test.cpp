// What the sample voice puts out, heard through the file-writing backend:
// a note's sample at its pitch and length, a second note cutting the first,
// the same key restarting; and the console message for a sample that
// cannot be read. Audio runs only in child processes here, each with a
// fresh OpenAL, so this process never opens a device.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>

#include "shell/state.hpp"
#include "sound/sound.hpp"
#include "support/pty.hpp"
#include "support/tempdir.hpp"
#include "support/wav.hpp"

namespace {

void sleepMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// 0.3 s at 440 Hz, then 0.3 s at 660 Hz: which half plays first tells where playing began.
void writeTwoPartWav(const std::string& path) {
    Pcm pcm{44100, 1, {}};
    for (int i = 0; i < 26460; ++i) {
        double hz = i < 13230 ? 440 : 660;
        double fade = std::min(1.0, std::min(i, 26459 - i) / 220.0);
        pcm.samples.push_back(static_cast<float>(0.5 * fade * std::sin(2 * M_PI * hz * i / 44100)));
    }
    writeWav(path, pcm);
}

void setKey(int slot, const char* name) {
    std::memset(keys[slot], 0, NAME_SLOT);
    std::strncpy(keys[slot], name, NAME_SLOT - 1);
}

class SampleHeard : public ::testing::Test {
  protected:
    TempDir dir;
    void SetUp() override {
        GTEST_FLAG_SET(death_test_style, "threadsafe");
        writeSineWav("a440.wav", 440, 0.4);
        writeSineWav("b880.wav", 880, 0.3);
        writeSineWav("long.wav", 440, 1.0);
        writeTwoPartWav("two.wav");
        setKey(0, "a440.wav");
        setKey(1, "b880.wav");
        setKey(2, "long.wav");
        setKey(3, "two.wav");
    }
    std::vector<float> heard(const std::string& wav) { return heardMono(wav, rate); }
    int rate = 0;
};

}  // namespace

TEST_F(SampleHeard, ANoteSoundsItsSampleOnceForItsLength) {
    const std::string out = runPath("note.wav");
    playInChild(dir.path, out, [&] {
        make('a');
        make('>');  // notes and effects before exit: the tear-down runs once per note
        make('a');
        sleepMs(700);
    });
    // The exit handlers closed the device: the recording's header holds its size.
    std::string bytes = readFile(out);
    ASSERT_GT(bytes.size(), 8u);
    uint32_t riff = 0;
    std::memcpy(&riff, bytes.data() + 4, 4);
    EXPECT_EQ(riff, bytes.size() - 8);

    auto x = heard(out);
    auto spans = soundSpans(x, rate);
    ASSERT_EQ(spans.size(), 1u);  // once: no looping
    EXPECT_NEAR((spans[0].second - spans[0].first) / static_cast<double>(rate), 0.4, 0.005);
    EXPECT_NEAR(dominantFrequency(x, rate, spans[0].first, spans[0].second), 440, 1.0);
}

TEST_F(SampleHeard, ASecondNoteCutsTheFirst) {
    const std::string out = runPath("cut.wav"), first = runPath("cut-first.wav");
    playInChild(dir.path, out, [&] {
        make('d');
        sleepMs(250);
        // What the first note's device has written so far, before the next note replaces it.
        std::filesystem::copy_file(out, first, std::filesystem::copy_options::overwrite_existing);
        make('s');
        sleepMs(500);
    });
    auto before = heard(first);
    auto spans = soundSpans(before, rate);
    ASSERT_EQ(spans.size(), 1u);
    EXPECT_NEAR(dominantFrequency(before, rate, spans[0].first, spans[0].second), 440, 1.0);
    // Still sounding when the next key came.
    EXPECT_GT(spans[0].second + rate / 100, before.size());

    auto after = heard(out);
    spans = soundSpans(after, rate);
    ASSERT_EQ(spans.size(), 1u);  // the 1 s sample does not go on under the new one
    EXPECT_NEAR((spans[0].second - spans[0].first) / static_cast<double>(rate), 0.3, 0.005);
    EXPECT_NEAR(dominantFrequency(after, rate, spans[0].first, spans[0].second), 880, 1.0);
}

TEST_F(SampleHeard, TheSameKeyRestartsItsSample) {
    const std::string out = runPath("restart.wav");
    playInChild(dir.path, out, [&] {
        make('f');
        sleepMs(400);  // into the second half
        make('f');
        sleepMs(900);
    });
    auto x = heard(out);
    auto spans = soundSpans(x, rate);
    ASSERT_EQ(spans.size(), 1u);
    auto [b, e] = spans[0];
    EXPECT_NEAR((e - b) / static_cast<double>(rate), 0.6, 0.005);
    size_t half = (e - b) / 2;
    EXPECT_NEAR(dominantFrequency(x, rate, b, b + half), 440, 1.0);
    EXPECT_NEAR(dominantFrequency(x, rate, b + half, e), 660, 1.0);
}

static void twoFailingNotesThenAGoodOne() {
    // Slot 4 is empty (no library yet), slot 5 names a missing file.
    setKey(5, "missing.wav");
    make('g');
    make('h');
    make('a');  // and the program carries on: this one loads
    std::printf("[%s]", filename);
}

TEST_F(SampleHeard, ASampleThatCannotBeReadIsReportedAndPlayingGoesOn) {
    std::string printed = captureOnPty(twoFailingNotesThenAGoodOne);
    EXPECT_EQ(printed, "Error loading data.Error loading data.[a440.wav]");
}
