// The WAV fixtures and measurements the sound tests rely on: a file written
// here reads back with its rate, pitch and length, also while its header
// sizes are still zero as in a recording that has not been closed.
#include <gtest/gtest.h>

#include <cmath>

#include "support/tempdir.hpp"
#include "support/wav.hpp"

TEST(Wav, SineRoundTripPitchAndLength) {
    TempDir dir;
    struct Case {
        double hz, seconds;
        int rate;
    } cases[] = {{500, 0.2, 44100}, {1000, 0.2, 48000}, {4500, 0.2, 44100}, {440, 1.0, 22050}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.hz);
        writeSineWav("s.wav", c.hz, c.seconds, c.rate);
        Pcm pcm;
        ASSERT_TRUE(readWav("s.wav", pcm));
        EXPECT_EQ(pcm.rate, c.rate);
        EXPECT_EQ(pcm.channels, 1);
        auto x = mono(pcm);
        EXPECT_NEAR(dominantFrequency(x, pcm.rate, 0, x.size()), c.hz, 0.5);
        auto spans = soundSpans(x, pcm.rate);
        ASSERT_EQ(spans.size(), 1u);
        double length = (spans[0].second - spans[0].first) / static_cast<double>(c.rate);
        EXPECT_NEAR(length, c.seconds, 0.002);
    }
}

TEST(Wav, SpansOfSeparateSoundsAndUnfinishedHeader) {
    TempDir dir;
    Pcm pcm{8000, 2, {}};
    // 0.1 s of 300 Hz, 0.1 s of silence, 0.1 s of 600 Hz, in both channels.
    for (int i = 0; i < 2400; ++i) {
        double hz = i < 800 ? 300 : 600;
        float v =
            (i >= 800 && i < 1600) ? 0.0f : static_cast<float>(0.4 * std::sin(2 * M_PI * hz * i / 8000));
        pcm.samples.push_back(v);
        pcm.samples.push_back(v);
    }
    writeWav("two.wav", pcm, 8);
    // Zero the RIFF and data sizes, as a recording that is still open leaves them.
    std::string bytes = readFile("two.wav");
    for (int i = 4; i < 8; ++i) bytes[i] = 0;
    for (int i = 40; i < 44; ++i) bytes[i] = 0;
    writeFile("two.wav", bytes);

    Pcm back;
    ASSERT_TRUE(readWav("two.wav", back));
    EXPECT_EQ(back.channels, 2);
    auto x = mono(back);
    ASSERT_EQ(x.size(), 2400u);
    auto spans = soundSpans(x, back.rate);
    ASSERT_EQ(spans.size(), 2u);
    EXPECT_NEAR(dominantFrequency(x, 8000, spans[0].first, spans[0].second), 300, 1);
    EXPECT_NEAR(dominantFrequency(x, 8000, spans[1].first, spans[1].second), 600, 1);
    EXPECT_NEAR(static_cast<double>(spans[1].first), 1600, 10);

    EXPECT_FALSE(readWav("missing.wav", back));
    writeFile("junk.wav", "RIFF\0\0\0\0WAVEdata");
    EXPECT_FALSE(readWav("junk.wav", back));
}
