// The beep voice and its tone generator, heard through the file-writing
// backend: the pitch and length of the tones, quick keys as whole tones in
// order, keys that sound nothing; and, on the silent backend, a sounding
// sample that plays on through a beep with its OpenAL state untouched.
#include <AL/al.h>
#include <AL/alc.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "input/input.hpp"
#include "platform/tone.hpp"
#include "shell/state.hpp"
#include "sound/sound.hpp"
#include "support/tempdir.hpp"
#include "support/wav.hpp"

namespace {

void sleepMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

class BeepHeard : public ::testing::Test {
  protected:
    void SetUp() override { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
    std::vector<float> heard(const std::string& wav) { return heardMono(wav, rate); }
    int rate = 0;
};

}  // namespace

TEST_F(BeepHeard, NoteKeysSoundTheirToneFor200ms) {
    TempDir dir;
    const std::string out = runPath("beep-asl.wav");
    playInChild(dir.path, out, [&] {
        sound = 'b';
        myKey('a', 0, 0);
        sleepMs(100);
        myKey('s', 0, 0);
        sleepMs(100);
        myKey('l', 0, 0);
    });
    auto x = heard(out);
    auto spans = soundSpans(x, rate);
    ASSERT_EQ(spans.size(), 3u);
    const double hz[] = {500, 1000, 4500};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(hz[i]);
        EXPECT_NEAR((spans[i].second - spans[i].first) / static_cast<double>(rate), 0.2, 0.003);
        EXPECT_NEAR(dominantFrequency(x, rate, spans[i].first, spans[i].second), hz[i], 1.0);
    }
}

TEST_F(BeepHeard, QuickKeysSoundWholeTonesInOrder) {
    TempDir dir;
    const std::string out = runPath("beep-quick.wav");
    playInChild(dir.path, out, [&] {
        sound = 'b';
        myKey('a', 0, 0);
        myKey('s', 0, 0);
        myKey('d', 0, 0);
    });
    auto x = heard(out);
    // Joined up, the stretches of sound are three 200 ms tones, none cut and none overlapping.
    std::vector<float> joined;
    for (auto [b, e] : soundSpans(x, rate)) joined.insert(joined.end(), x.begin() + b, x.begin() + e);
    ASSERT_NEAR(joined.size() / static_cast<double>(rate), 0.6, 0.006);
    const double hz[] = {500, 1000, 1500};
    for (int i = 0; i < 3; ++i) {
        size_t from = static_cast<size_t>(rate * (0.2 * i + 0.02)),
               to = static_cast<size_t>(rate * (0.2 * i + 0.18));
        EXPECT_NEAR(dominantFrequency(joined, rate, from, to), hz[i], 1.0) << "tone " << i;
    }
}

TEST_F(BeepHeard, OtherKeysSoundNothingAndChangeNothing) {
    TempDir dir;
    const std::string out = runPath("beep-none.wav");
    std::remove(out.c_str());
    {
        WaveBackend backend(dir.path, out);
        EXPECT_EXIT(
            {
                sound = 'b';
                for (unsigned char k : std::string("<>[]@AS1 #\b\r\x7f")) myKey(k, 0, 0);
                for (char k : std::string("<>[]@A")) beep(k);
                bool same = dfactorv == 0.5f && dvelv == 0.5f && SourcePos[2] == 0.0f;
                std::exit(same ? 0 : 1);
            },
            ::testing::ExitedWithCode(0), "");
    }
    // Not even the tone's output device was opened.
    EXPECT_FALSE(fileExists(out));
}

TEST_F(BeepHeard, WithNoAudioDeviceATurnsSilentAndReportsNothing) {
    const char* drivers = std::getenv("ALSOFT_DRIVERS");
    std::string saved = drivers ? drivers : "";
    setenv("ALSOFT_DRIVERS", "no-such-driver", 1);
    EXPECT_EXIT(
        {
            bool sounded = Beep(500, 50);
            sound = 'b';
            myKey('a', 0, 0);
            std::exit(sounded ? 1 : 0);
        },
        ::testing::ExitedWithCode(0), "^$");
    if (drivers)
        setenv("ALSOFT_DRIVERS", saved.c_str(), 1);
    else
        unsetenv("ALSOFT_DRIVERS");
}

TEST(BeepBesideSample, ASoundingSamplePlaysOnThroughABeep) {
    TempDir dir;
    writeSineWav("long.wav", 440, 3.0);
    std::strcpy(keys[0], "long.wav");
    sound = 's';
    myKey('a', 0, 0);
    ALCcontext* context = alcGetCurrentContext();
    ASSERT_NE(context, nullptr);
    ALuint buffer = Buffer, source = Source;
    make(']');  // leaves an error pending in the sample voice's context
    sleepMs(50);
    ALint before = 0;
    alGetSourcei(Source, AL_SAMPLE_OFFSET, &before);

    sound = 'b';
    for (char k : std::string("asl")) myKey(static_cast<unsigned char>(k), 0, 0);

    EXPECT_EQ(alcGetCurrentContext(), context);
    EXPECT_EQ(Buffer, buffer);
    EXPECT_EQ(Source, source);
    ALint state = 0, offset = 0, bound = 0;
    alGetSourcei(Source, AL_SOURCE_STATE, &state);
    alGetSourcei(Source, AL_SAMPLE_OFFSET, &offset);
    alGetSourcei(Source, AL_BUFFER, &bound);
    EXPECT_EQ(state, AL_PLAYING);
    EXPECT_GT(offset, before + 44100 / 2);  // 600 ms of beeps later, well on
    EXPECT_EQ(static_cast<ALuint>(bound), buffer);
    EXPECT_FLOAT_EQ(alGetFloat(AL_DOPPLER_FACTOR), 0.4f);

    sound = 's';
    KillALData();
    std::memset(keys[0], 0, NAME_SLOT);
    dfactorv = dvelv = 0.5f;
}
