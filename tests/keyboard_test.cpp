// The keyboard callback: which keys reach which voice, which are stored in
// the focused text fields and how, the 31-byte limit of a field, and Esc
// ending the process at once with no exit handler run.
#include <AL/alc.h>
#include <gtest/gtest.h>
#include <signal.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "input/input.hpp"
#include "shell/state.hpp"
#include "sound/sound.hpp"
#include "support/tempdir.hpp"
#include "support/wav.hpp"

namespace {

void clearFields() {
    std::memset(AddLibNameMask, 0, NAME_SLOT);
    std::memset(AddLibName, 0, NAME_SLOT);
    AddMaskInt = AddNameInt = 0;
}

class Keyboard : public ::testing::Test {
  protected:
    TempDir dir;
    void SetUp() override {
        for (int i = 0; i < 9; ++i) {
            std::snprintf(keys[i], NAME_SLOT, "k%d.wav", i);
            writeSineWav(keys[i], 300 + 100 * i, 0.05);
        }
        clearFields();
    }
    void TearDown() override {
        KillALData();
        std::memset(keys, 0, sizeof keys);
        std::memset(filename, 0, NAME_SLOT);
        sound = 's';
        maskType = nameType = 'n';
        clearFields();
        SourcePos[2] = 0.0f;
        dfactorv = dvelv = 0.5f;
    }
};

}  // namespace

TEST_F(Keyboard, KeysGoToTheVoiceOrTheFocusedFields) {
    enum Played { NOTHING, SAMPLE, EFFECT };
    struct Case {
        char voice, mask, name;
        unsigned char key;
        Played played;
        int slot;  // the sample's slot when SAMPLE
    } cases[] = {
        {'s', 'n', 'n', 'a', SAMPLE, 0},  {'s', 'n', 'n', 'g', SAMPLE, 4},  {'s', 'n', 'n', 'l', SAMPLE, 8},
        {'s', 'n', 'n', ']', EFFECT, 0},  {'s', 'n', 'n', '>', EFFECT, 0},  {'s', 'n', 'n', 'A', NOTHING, 0},
        {'s', 'n', 'n', 'L', NOTHING, 0}, {'s', 'n', 'n', '1', NOTHING, 0}, {'s', 'n', 'n', ' ', NOTHING, 0},
        {'s', 'n', 'n', '#', NOTHING, 0}, {'s', 'n', 'n', 'z', NOTHING, 0}, {'s', 'n', 'n', 8, NOTHING, 0},
        {'s', 'n', 'n', 13, NOTHING, 0},  {'s', 'n', 'n', 127, NOTHING, 0}, {'s', 'n', 'n', 0, NOTHING, 0},
        {'s', 'n', 'n', 200, NOTHING, 0}, {'b', 'n', 'n', 'a', NOTHING, 0}, {'b', 'n', 'n', ']', NOTHING, 0},
        {'b', 'n', 'n', '@', NOTHING, 0}, {'b', 'n', 'n', '<', NOTHING, 0}, {'s', 'y', 'n', 'a', NOTHING, 0},
        {'s', 'n', 'y', 'a', NOTHING, 0}, {'s', 'y', 'y', ']', NOTHING, 0}, {'b', 'y', 'n', 's', NOTHING, 0},
        {'s', 'y', 'n', 8, NOTHING, 0},   {'s', 'n', 'y', ' ', NOTHING, 0}, {'s', 'y', 'y', 9, NOTHING, 0},
        {'s', 'y', 'n', 'Q', NOTHING, 0}, {'s', 'n', 'y', 127, NOTHING, 0},
    };
    int at = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "voice " << c.voice << " mask " << c.mask << " name " << c.name
                                        << " key " << static_cast<int>(c.key));
        KillALData();
        std::memset(filename, 0, NAME_SLOT);
        SourcePos[2] = 0.0f;
        dfactorv = dvelv = 0.5f;
        sound = c.voice;
        maskType = c.mask;
        nameType = c.name;
        clearFields();
        // A field keeps its earlier text beyond what is typed now.
        std::strcpy(AddLibNameMask, "old");
        std::strcpy(AddLibName, "older");
        AddMaskInt = 1;
        AddNameInt = 2;

        myKey(c.key, (at * 37) % 800, (at * 53) % 600);  // where the pointer is plays no part
        ++at;

        EXPECT_EQ(c.played == SAMPLE, alcGetCurrentContext() != nullptr);
        EXPECT_STREQ(filename, c.played == SAMPLE ? keys[c.slot] : "");
        bool moved = dfactorv != 0.5f || SourcePos[2] != 0.0f;
        EXPECT_EQ(c.played == EFFECT, moved);
        EXPECT_EQ(sound, c.voice);

        std::string mask = "old", name = "older";
        if (c.mask == 'y') mask[1] = static_cast<char>(c.key);
        if (c.name == 'y') name[2] = static_cast<char>(c.key);
        EXPECT_EQ(std::string(AddLibNameMask, 3), mask);
        EXPECT_EQ(std::string(AddLibName, 5), name);
        EXPECT_EQ(AddMaskInt, c.mask == 'y' ? 2 : 1);
        EXPECT_EQ(AddNameInt, c.name == 'y' ? 3 : 2);
        EXPECT_EQ(AddLibNameMask[3], '\0');
        EXPECT_EQ(AddLibName[5], '\0');
    }
}

TEST_F(Keyboard, AFieldTakesAtMost31BytesBetweenResets) {
    maskType = 'y';
    nameType = 'y';
    AddNameInt = 20;  // each field at its own write position
    const std::string typed = "abcdefghijklmnopqrstuvwxyz0123456789";
    for (char k : typed) myKey(static_cast<unsigned char>(k), 0, 0);
    EXPECT_EQ(AddMaskInt, 31);
    EXPECT_EQ(std::string(AddLibNameMask), typed.substr(0, 31));
    EXPECT_EQ(AddLibNameMask[31], '\0');
    EXPECT_EQ(AddNameInt, 31);
    EXPECT_EQ(std::string(AddLibName + 20), typed.substr(0, 11));
    EXPECT_EQ(AddLibName[31], '\0');
    EXPECT_EQ(alcGetCurrentContext(), nullptr);  // nothing was played

    // After a reset, typing overwrites from the start and the rest stays.
    AddMaskInt = 0;
    myKey('X', 0, 0);
    myKey(8, 0, 0);
    EXPECT_EQ(AddMaskInt, 2);
    EXPECT_EQ(std::string(AddLibNameMask), "X\bcdefghijklmnopqrstuvwxyz01234");
}

// The handler a normal exit would run; Esc must end the process before it can.
static char exitMarker[512];
static void markExit() {
    if (FILE* f = std::fopen(exitMarker, "w")) std::fclose(f);
}

TEST(KeyboardEsc, EndsTheProcessAbnormallyWithNoExitHandler) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    std::snprintf(exitMarker, sizeof exitMarker, "%s", runPath("esc-exit-handler-ran").c_str());
    std::remove(exitMarker);
    EXPECT_EXIT(
        {
            TempDir dir;
            writeSineWav("a.wav", 440, 1.0);
            std::strcpy(keys[0], "a.wav");
            make('a');
            std::atexit(markExit);
            maskType = 'y';  // Esc wins over a focused field
            myKey(27, 0, 0);
            std::exit(3);
        },
        ::testing::KilledBySignal(SIGABRT), "");
    EXPECT_FALSE(fileExists(exitMarker));
    EXPECT_EQ(AddLibNameMask[0], '\0');
}
