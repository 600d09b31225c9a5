// The demo folder that the build writes: its registration file in the
// program's own layout, library files of nine short relative paths, and
// samples that the program's loader reads, one second long, unclipped, with
// silent ends and, for the tuned voices, the pitch of the scale.
#include <AL/alut.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "support/program.hpp"
#include "support/tempdir.hpp"
#include "support/wav.hpp"

namespace {

const std::string DEMO = std::string(TONVASK_BUILD_DIR) + "/demo-dist";
const std::string GENERATOR = std::string(TONVASK_BUILD_DIR) + "/tools/tonvask-demo-gen";

const char REGISTRATION[] = " 3\n Sine\n Strings\n Drums\n libs/sine\n libs/strings\n libs/drums\n";

std::vector<std::string> words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> out;
    for (std::string w; in >> w;) out.push_back(w);
    return out;
}

std::vector<std::string> samplesOf(const std::string& folder, const std::string& libraryFile) {
    return words(readFile(folder + "/" + libraryFile));
}

// C major from middle C to the D above the next C, as the notes a .. l.
double scale(int note) {
    static const int fromA[] = {-9, -7, -5, -4, -2, 0, 2, 3, 5};
    return 440.0 * std::pow(2.0, fromA[note] / 12.0);
}

TEST(DemoFolder, RegistrationAndLibraryFilesInTheProgramsLayout) {
    EXPECT_EQ(readFile(DEMO + "/tvlibs.dll"), REGISTRATION);
    std::vector<std::string> reg = words(REGISTRATION);
    for (int i = 0; i < 3; ++i) {
        const std::string& library = reg[4 + i];
        SCOPED_TRACE(library);
        std::vector<std::string> samples = samplesOf(DEMO, library);
        ASSERT_EQ(samples.size(), 9u);
        std::set<std::string> distinct(samples.begin(), samples.end());
        EXPECT_EQ(distinct.size(), 9u);
        for (const std::string& s : samples) {
            // Relative to the working folder, and short enough for a 32-byte name slot.
            EXPECT_LE(s.size(), 31u) << s;
            EXPECT_NE(s[0], '/') << s;
            EXPECT_TRUE(fileExists(DEMO + "/" + s)) << s;
        }
    }
    // Nothing but the demo's own files: no bookkeeping of the generator.
    EXPECT_FALSE(fileExists(DEMO + "/.tvlibs.dll.generated"));
}

struct Library {
    const char* file;
    bool tuned;
};

const Library LIBRARIES[] = {{"libs/sine", true}, {"libs/strings", true}, {"libs/drums", false}};

TEST(DemoSamples, LoadThroughTheProgramsLoader) {
    for (const Library& lib : LIBRARIES) {
        for (const std::string& s : samplesOf(DEMO, lib.file)) {
            SCOPED_TRACE(s);
            std::string path = DEMO + "/" + s;
            ALenum format = 0;
            void* data = nullptr;
            ALsizei size = 0, frequency = 0;
            ALboolean loop = AL_FALSE;
            // The program's own loader, old as it is.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
            alutLoadWAVFile(reinterpret_cast<ALbyte*>(&path[0]), &format, &data, &size, &frequency, &loop);
            ASSERT_NE(data, nullptr);
            EXPECT_EQ(format, AL_FORMAT_MONO16);
            EXPECT_EQ(frequency, 44100);
            EXPECT_EQ(size, 2 * 44100);  // one second
            alutUnloadWAV(format, data, size, frequency);
#pragma GCC diagnostic pop
        }
    }
}

TEST(DemoSamples, NormalisedUnclippedWithSilentEnds) {
    for (const Library& lib : LIBRARIES) {
        std::set<std::string> contents;
        for (const std::string& s : samplesOf(DEMO, lib.file)) {
            SCOPED_TRACE(s);
            Pcm pcm;
            ASSERT_TRUE(readWav(DEMO + "/" + s, pcm));
            ASSERT_EQ(pcm.channels, 1);
            std::vector<float> x = mono(pcm);
            ASSERT_EQ(x.size(), 44100u);
            float peak = 0;
            for (float v : x) peak = std::max(peak, std::fabs(v));
            // Loud (about -1 dBFS) and never at full scale.
            EXPECT_GT(peak, 0.85f);
            EXPECT_LT(peak, 0.95f);
            // The ends fade to nothing: no step at the start or the end.
            EXPECT_EQ(x.front(), 0.0f);
            EXPECT_EQ(x.back(), 0.0f);
            for (size_t i = 1; i < 10; ++i) {
                EXPECT_LT(std::fabs(x[i]), 0.03f) << "start " << i;
                EXPECT_LT(std::fabs(x[x.size() - 1 - i]), 0.03f) << "end " << i;
            }
            contents.insert(readFile(DEMO + "/" + s));
        }
        EXPECT_EQ(contents.size(), 9u) << lib.file << ": nine distinct sounds";
    }
}

TEST(DemoSamples, TunedVoicesPlayTheScale) {
    for (const Library& lib : LIBRARIES) {
        if (!lib.tuned) continue;
        std::vector<std::string> samples = samplesOf(DEMO, lib.file);
        for (int note = 0; note < 9; ++note) {
            SCOPED_TRACE(samples[note]);
            Pcm pcm;
            ASSERT_TRUE(readWav(DEMO + "/" + samples[note], pcm));
            std::vector<float> x = mono(pcm);
            double hz = dominantFrequency(x, pcm.rate, 2205, 22050);
            double cents = 1200 * std::log2(hz / scale(note));
            EXPECT_LT(std::fabs(cents), 3.0) << hz << " Hz for " << scale(note);
        }
    }
}

// The build must never undo a user's libraries: the registration file is
// rewritten only while it still holds what the generator wrote.
TEST(DemoGenerator, KeepsARegistrationFileTheUserChanged) {
    TempDir dir;
    std::string run = "'" + GENERATOR + "' '" + dir.path + "/demo' >/dev/null";
    std::string reg = dir.path + "/demo/tvlibs.dll";
    ASSERT_EQ(std::system(run.c_str()), 0);
    EXPECT_EQ(readFile(reg), REGISTRATION);

    const std::string mine =
        " 4\n Sine\n Strings\n Drums\n Mine\n libs/sine\n libs/strings\n libs/drums\n libs/mine\n";
    writeFile(reg, mine);
    ASSERT_EQ(std::system(run.c_str()), 0);
    EXPECT_EQ(readFile(reg), mine);

    // A deleted demo file comes back; the user's registration file stays.
    std::remove((dir.path + "/demo/samples/sine/c4.wav").c_str());
    ASSERT_EQ(std::system(run.c_str()), 0);
    EXPECT_TRUE(fileExists(dir.path + "/demo/samples/sine/c4.wav"));
    EXPECT_EQ(readFile(reg), mine);

    // What an older build wrote, untouched since, is brought up to date.
    const std::string older = " 1\n Sine\n libs/sine\n";
    writeFile(reg, older);
    writeFile(dir.path + "/demo/.tvlibs.dll.generated", older);
    ASSERT_EQ(std::system(run.c_str()), 0);
    EXPECT_EQ(readFile(reg), REGISTRATION);

    std::remove(reg.c_str());
    ASSERT_EQ(std::system(run.c_str()), 0);
    EXPECT_EQ(readFile(reg), REGISTRATION);
}

}  // namespace
