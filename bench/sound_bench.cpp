// Speed of the sound: a note's set-up through make, beside a bare loop of
// the same OpenAL and ALUT calls in the same order, on the silent and the
// file-writing backends; and how closely a tone returns after its asked
// duration. OpenAL reads its backend once per process, so the program
// runs itself once per backend and each run reports under its own name.
#include <AL/al.h>
#include <AL/alut.h>
#include <benchmark/benchmark.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "platform/tone.hpp"
#include "shell/state.hpp"
#include "sound/sound.hpp"

static std::string workDir;

static void writeSample(const std::string& path) {
    const int rate = 44100, frames = rate / 2;
    std::string data;
    for (int i = 0; i < frames; ++i) {
        auto v = static_cast<int16_t>(16000 * std::sin(2 * M_PI * 440 * i / rate));
        data += static_cast<char>(v & 0xff);
        data += static_cast<char>((v >> 8) & 0xff);
    }
    auto u32 = [](uint32_t v) { return std::string{char(v), char(v >> 8), char(v >> 16), char(v >> 24)}; };
    auto u16 = [](uint16_t v) { return std::string{char(v), char(v >> 8)}; };
    std::string s = "RIFF" + u32(36 + data.size()) + "WAVEfmt " + u32(16) + u16(1) + u16(1) + u32(rate) +
                    u32(rate * 2) + u16(2) + u16(16) + "data" + u32(data.size()) + data;
    std::ofstream(path, std::ios::binary) << s;
}

static void noExitWork() {}

// make('a') from its call to its return.
static void noteThroughMake(benchmark::State& state) {
    for (auto _ : state) make('a');
    KillALData();
}

// The same calls in the same order, with nothing of the program's own around them.
static void bareNoteLoop(benchmark::State& state) {
    ALuint buffer = 0, source = 0;
    char name[NAME_SLOT];
    for (auto _ : state) {
        alSourcePause(source);
        alDeleteSources(1, &source);
        alDeleteBuffers(1, &buffer);
        alGetError();
        alutExit();
        std::memcpy(name, keys[0], std::strlen(keys[0]) + 1);
        alutInit(nullptr, nullptr);
        alListenerfv(AL_POSITION, ListenerPos);
        alListenerfv(AL_VELOCITY, ListenerVel);
        alListenerfv(AL_ORIENTATION, ListenerOri);
        alDopplerFactor(dfactorv);
        alDopplerVelocity(dvelv);
        std::atexit(noExitWork);
        alGetError();
        alGenBuffers(1, &buffer);
        alGetError();
        ALenum format = AL_FORMAT_MONO16;
        ALvoid* data = nullptr;
        ALsizei size = 0, frequency = 0;
        ALboolean loop = AL_FALSE;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
        alutLoadWAVFile(reinterpret_cast<ALbyte*>(name), &format, &data, &size, &frequency, &loop);
        alBufferData(buffer, format, data, size, frequency);
        alutUnloadWAV(format, data, size, frequency);
#pragma GCC diagnostic pop
        alGenSources(1, &source);
        alGetError();
        alSourcei(source, AL_BUFFER, static_cast<ALint>(buffer));
        alSourcef(source, AL_PITCH, 1.0f);
        alSourcef(source, AL_GAIN, 1.0f);
        alSourcefv(source, AL_POSITION, SourcePos);
        alSourcefv(source, AL_VELOCITY, SourceVel);
        benchmark::DoNotOptimize(alGetError());
        alSourcePlay(source);
    }
    alDeleteSources(1, &source);
    alDeleteBuffers(1, &buffer);
    alGetError();
    alutExit();
}

// Time from the call to the return of a 200 ms tone; the counters give how
// late (positive) or early it returned, in milliseconds.
static void toneReturn(benchmark::State& state) {
    double worst = 0, total = 0;
    int n = 0;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        Beep(500, 200);
        double ms =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        state.SetIterationTime(ms / 1000);
        total += ms - 200;
        worst = std::max(worst, std::fabs(ms - 200));
        ++n;
    }
    state.counters["mean_off_ms"] = n ? total / n : 0;
    state.counters["worst_off_ms"] = worst;
}

static int runBackend(char** argv, const char* backend) {
    pid_t pid = fork();
    if (pid == 0) {
        setenv("TONVASK_BENCH_BACKEND", backend, 1);
        execv("/proc/self/exe", argv);
        _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}

int main(int argc, char** argv) {
    const char* backend = std::getenv("TONVASK_BENCH_BACKEND");
    if (!backend) {
        int failed = runBackend(argv, "null");
        failed |= runBackend(argv, "wave");
        return failed;
    }
    char pattern[] = "/tmp/tonvask-bench.XXXXXX";
    if (!mkdtemp(pattern)) return 1;
    workDir = pattern;
    std::string sample = workDir + "/a.wav", conf = workDir + "/alsoft.conf";
    writeSample(sample);
    if (sample.size() >= NAME_SLOT) return 1;  // a name slot holds 31 characters
    std::snprintf(keys[0], NAME_SLOT, "%s", sample.c_str());
    if (std::string(backend) == "wave") {
        std::ofstream(conf) << "[general]\ndrivers = wave\n\n[wave]\nfile = " << workDir << "/out.wav\n";
        setenv("ALSOFT_CONF", conf.c_str(), 1);
        unsetenv("ALSOFT_DRIVERS");
    } else {
        setenv("ALSOFT_DRIVERS", "null", 1);
    }
    std::string label = std::string("/") + backend;
    // Alternated, so that both see the same state of a shared machine.
    for (int round = 0; round < 2; ++round) {
        benchmark::RegisterBenchmark(("make_note" + label).c_str(), noteThroughMake)
            ->Iterations(300)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("bare_calls" + label).c_str(), bareNoteLoop)
            ->Iterations(300)
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::RegisterBenchmark(("tone_200ms" + label).c_str(), toneReturn)
        ->Iterations(15)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::remove(sample.c_str());
    std::remove(conf.c_str());
    std::remove((workDir + "/out.wav").c_str());
    rmdir(workDir.c_str());
    return 0;
}
