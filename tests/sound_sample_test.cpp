// The sample voice against OpenAL's own state, on the silent backend: the
// exact values the effect keys store and hand on, notes that cut and
// restart, effect keys on a sounding sample, and a tear-down that leaves
// nothing of earlier notes behind.
#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alut.h>
#include <dirent.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <string>
#include <thread>

#include "shell/state.hpp"
#include "sound/sound.hpp"
#include "support/tempdir.hpp"
#include "support/wav.hpp"

namespace {

void resetSpatial() {
    SourcePos[0] = SourcePos[1] = SourcePos[2] = 0.0f;
    dfactorv = dvelv = 0.5f;
}

void setKey(int slot, const std::string& name) {
    std::memset(keys[slot], 0, NAME_SLOT);
    std::strncpy(keys[slot], name.c_str(), NAME_SLOT - 1);
}

void sleepMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

ALint sourceInt(ALenum what) {
    ALint v = 0;
    alGetSourcei(Source, what, &v);
    return v;
}

int threadCount() {
    int n = 0;
    if (DIR* d = opendir("/proc/self/task")) {
        while (dirent* e = readdir(d))
            if (e->d_name[0] != '.') ++n;
        closedir(d);
    }
    return n;
}

class SampleVoice : public ::testing::Test {
  protected:
    TempDir dir;
    void SetUp() override {
        resetSpatial();
        writeSineWav("long.wav", 440, 3.0);
        writeSineWav("short.wav", 880, 0.5);
        setKey(0, "long.wav");
        setKey(1, "short.wav");
    }
    void TearDown() override {
        KillALData();
        resetSpatial();
    }
};

}  // namespace

TEST(SampleVoiceValues, EffectKeysStepInDoublePrecision) {
    struct Case {
        const char* keys;
        double factor, velocity, x, y, z;
    } cases[] = {
        {"]]]]]", 1.639127766850379e-08, 1.639127766850379e-08, 0, 0, 0},
        {"]]]]]]", -0.09999998658895493, -0.09999998658895493, 0, 0, 0},
        {"[[[[[", 1.0000001192092896, 1.0000001192092896, 0, 0, 0},
        {"@>", 0.5, 0.5, 0, 0, 0.6000000238418579},
        {"@>>", 0.5, 0.5, 0, 0, 1.100000023841858},
        {"@>>>", 0.5, 0.5, 0, 0, 1.600000023841858},
        {"<", 0.5, 0.5, 0, 0, -0.5},
        {"@", 0.5, 0.5, 0, 0, static_cast<double>(0.1f)},
        {"[[]]><", 0.5, 0.5, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys);
        resetSpatial();
        SourcePos[0] = 2.0f;  // '@' resets x and y too; the others leave them
        SourcePos[1] = 3.0f;
        bool resets = std::strchr(c.keys, '@') != nullptr;
        for (const char* k = c.keys; *k; ++k) make(*k);
        EXPECT_EQ(static_cast<double>(dfactorv), c.factor);
        EXPECT_EQ(static_cast<double>(dvelv), c.velocity);
        EXPECT_EQ(SourcePos[0], resets ? 0.0f : 2.0f);
        EXPECT_EQ(SourcePos[1], resets ? 0.0f : 3.0f);
        EXPECT_EQ(static_cast<double>(SourcePos[2]), c.z);
    }
    resetSpatial();
    // None of this brought any audio up.
    EXPECT_EQ(alcGetCurrentContext(), nullptr);
}

TEST_F(SampleVoice, EffectKeysBeforeTheFirstNoteApplyAtIt) {
    KillALData();
    ASSERT_EQ(alcGetCurrentContext(), nullptr);
    for (char k : std::string("]]]]]]>>")) make(k);
    make('x');  // not a key of the voice: nothing happens
    EXPECT_EQ(alcGetCurrentContext(), nullptr);
    make('a');
    ASSERT_NE(alcGetCurrentContext(), nullptr);
    // Negative Doppler values are refused by OpenAL, and the load still succeeds.
    EXPECT_EQ(sourceInt(AL_SOURCE_STATE), AL_PLAYING);
    ALfloat pos[3];
    alGetSourcefv(Source, AL_POSITION, pos);
    EXPECT_EQ(pos[2], 1.0f);
    EXPECT_EQ(sourceInt(AL_BUFFER), static_cast<ALint>(Buffer));
}

TEST_F(SampleVoice, EffectKeysReachASoundingSampleWithoutStoppingIt) {
    make('a');
    ASSERT_EQ(sourceInt(AL_SOURCE_STATE), AL_PLAYING);
    ALCcontext* context = alcGetCurrentContext();
    ALuint buffer = Buffer, source = Source;
    sleepMs(60);
    ALint before = sourceInt(AL_SAMPLE_OFFSET);
    const struct {
        char key;
        float factor, z;
    } steps[] = {{'[', 0.6f, 0.0f},  {'>', 0.6f, 0.5f},  {'<', 0.6f, 0.0f},
                 {'<', 0.6f, -0.5f}, {']', 0.5f, -0.5f}, {'@', 0.5f, 0.1f}};
    for (const auto& s : steps) {
        SCOPED_TRACE(s.key);
        make(s.key);
        EXPECT_FLOAT_EQ(alGetFloat(AL_DOPPLER_FACTOR), s.factor);
        EXPECT_FLOAT_EQ(alGetFloat(AL_DOPPLER_VELOCITY), s.factor);
        ALfloat pos[3];
        alGetSourcefv(Source, AL_POSITION, pos);
        EXPECT_FLOAT_EQ(pos[2], s.z);
        EXPECT_EQ(sourceInt(AL_SOURCE_STATE), AL_PLAYING);
    }
    sleepMs(60);
    EXPECT_GT(sourceInt(AL_SAMPLE_OFFSET), before);
    EXPECT_EQ(alcGetCurrentContext(), context);
    EXPECT_EQ(Buffer, buffer);
    EXPECT_EQ(Source, source);
}

TEST_F(SampleVoice, ANewNoteCutsTheOldAndTheSameKeyRestarts) {
    make('a');
    sleepMs(150);
    ASSERT_GT(sourceInt(AL_SAMPLE_OFFSET), 0);
    make('s');
    EXPECT_STREQ(filename, "short.wav");
    EXPECT_EQ(sourceInt(AL_SOURCE_STATE), AL_PLAYING);
    ALint size = 0;
    alGetBufferi(Buffer, AL_SIZE, &size);
    EXPECT_EQ(size, 44100);  // 0.5 s of 16-bit mono: the new sample, not the old one
    // Exactly one buffer and one source exist: the old note's are gone with its context.
    EXPECT_EQ(alIsBuffer(Buffer), AL_TRUE);
    EXPECT_EQ(alIsSource(Source), AL_TRUE);

    make('a');
    sleepMs(150);
    ALint mid = sourceInt(AL_SAMPLE_OFFSET);
    make('a');
    ALint restarted = sourceInt(AL_SAMPLE_OFFSET);
    EXPECT_GT(mid, 0);
    EXPECT_LT(restarted, mid);
    EXPECT_EQ(sourceInt(AL_SOURCE_STATE), AL_PLAYING);
    EXPECT_STREQ(filename, "long.wav");
}

TEST_F(SampleVoice, TearDownOverManyNotesLeavesNothingBehind) {
    make('a');
    const int threads = threadCount();
    for (int i = 0; i < 60; ++i) {
        make(i % 2 ? 'a' : 's');
        ASSERT_EQ(sourceInt(AL_SOURCE_STATE), AL_PLAYING) << "note " << i;
    }
    // No earlier buffer or source survives in the current set-up...
    int buffers = 0, sources = 0;
    for (ALuint name = 1; name < 200; ++name) {
        buffers += alIsBuffer(name) == AL_TRUE;
        sources += alIsSource(name) == AL_TRUE;
    }
    EXPECT_EQ(buffers, 1);
    EXPECT_EQ(sources, 1);
    // ...no earlier device is left with its mixer running...
    EXPECT_LE(threadCount(), threads);
    // ...and the tear-down really shuts the audio down, also with an error pending.
    alDopplerFactor(-1.0f);
    alutGetError();
    KillALData();
    EXPECT_EQ(alutGetError(), ALUT_ERROR_NO_ERROR);
    EXPECT_EQ(alcGetCurrentContext(), nullptr);
    // With nothing up, pausing and tearing down again do nothing.
    alSourcePause(Source);
    KillALData();
    EXPECT_EQ(alcGetCurrentContext(), nullptr);
}

TEST_F(SampleVoice, SlotNamesAreCopiedWithinTheSlot) {
    // A full 32-byte slot (no NUL) still gives a terminated 31-character name.
    std::memset(keys[8], 'z', NAME_SLOT);
    std::memset(filename, 'q', NAME_SLOT);
    make('l');
    EXPECT_EQ(std::strlen(filename), 31u);
    EXPECT_EQ(filename[31], '\0');
    std::memset(keys[8], 0, NAME_SLOT);
}
