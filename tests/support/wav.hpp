// WAV fixtures and listening: writing sample files for the program to
// play, reading back what OpenAL's file-writing backend recorded, and
// measuring the pitch and the stretches of sound in it.
//
// To hear what a piece of code plays, run it in a fresh process (OpenAL
// reads its configuration once per process) with the backend pointed at a
// file, e.g. a "threadsafe" death test, which re-executes the test binary:
//
//     GTEST_FLAG_SET(death_test_style, "threadsafe");
//     WaveBackend backend(dir, dir + "/out.wav");
//     EXPECT_EXIT({ make('a'); usleep(300000); std::exit(0); }, ::testing::ExitedWithCode(0), "");
//     Pcm pcm; ASSERT_TRUE(readWav(dir + "/out.wav", pcm));
//
// The file is written in real time; its header sizes are filled in only
// when the device closes, and every opening of a device rewrites it.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <utility>
#include <vector>

struct Pcm {
    int rate = 0;
    int channels = 0;
    std::vector<float> samples;  // interleaved, -1..1
};

// 16-bit PCM mono sine, with a few ms of fade at each end.
void writeSineWav(const std::string& path, double hz, double seconds, int rate = 44100,
                  double amplitude = 0.5);
// Writes pcm as 8-bit (unsigned) or 16-bit PCM; bits other than 8 mean 16.
void writeWav(const std::string& path, const Pcm& pcm, int bits = 16);
// Reads 8/16/24/32-bit PCM and 32-bit float WAV (plain or extensible);
// tolerates zero/short header sizes (a file still being written).
bool readWav(const std::string& path, Pcm& out);
std::vector<float> mono(const Pcm& pcm);  // channels averaged
// A recording read back as mono, its rate in `rate`; empty (a test failure
// recorded) when it cannot be read.
std::vector<float> heardMono(const std::string& path, int& rate);

// Strongest frequency in x[begin, end): a windowed spectrum's peak, refined
// by a fine scan; good to well under 1 Hz for a tenth of a second or more.
double dominantFrequency(const std::vector<float>& x, int rate, size_t begin, size_t end);
// Stretches of sound: [start, end) sample ranges where the RMS over 5 ms
// windows exceeds threshold, their edges narrowed to the first and last
// sample whose magnitude reaches threshold.
std::vector<std::pair<size_t, size_t>> soundSpans(const std::vector<float>& x, int rate,
                                                  double threshold = 0.01);

// Writes an OpenAL Soft config for the file-writing backend into dir;
// returns the config's path.
std::string waveBackendConf(const std::string& dir, const std::string& outputWav);

// For its lifetime, points this process's environment (and so any child
// started meanwhile) at the file-writing backend: ALSOFT_CONF set to a
// config written into dir, ALSOFT_DRIVERS unset. Restores both afterwards.
// Runs play in a re-executed child (a "threadsafe" death test, set by the
// caller) whose OpenAL writes to outputWav, and expects it to exit with 0
// once play returns: the exit handlers then close the device and complete
// the recording's header.
void playInChild(const std::string& dir, const std::string& outputWav, const std::function<void()>& play);

struct WaveBackend {
    WaveBackend(const std::string& dir, const std::string& outputWav);
    ~WaveBackend();
    WaveBackend(const WaveBackend&) = delete;
    WaveBackend& operator=(const WaveBackend&) = delete;

  private:
    bool hadDrivers = false, hadConf = false;
    std::string drivers, conf;
};
