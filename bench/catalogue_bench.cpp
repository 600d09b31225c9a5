// Speed of the catalogue scan over a full catalogue of 10000 libraries
// whose files all exist, beside the least any scan must do (read the same
// words, open and close the same files), and of adding a library to 9999,
// the flush to disk included. The console goes to /dev/null so that
// printing is not what is timed; the figures go to the original stdout.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "catalogue/catalogue.hpp"
#include "shell/state.hpp"

namespace {

std::string registration(int n) {
    std::string names, paths;
    for (int i = 0; i < n; ++i) {
        names += " Library" + std::to_string(i) + "\n";
        paths += " libs/l" + std::to_string(i) + "\n";
    }
    return " " + std::to_string(n) + "\n" + names + paths;
}

void writeText(const char* path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

void BM_Find(benchmark::State& state) {
    writeText("tvlibs.dll", registration(MAX_LIBS));
    for (auto _ : state) find();
    benchmark::DoNotOptimize(libs);
}
BENCHMARK(BM_Find)->Unit(benchmark::kMillisecond);

// The floor: the same words read with fscanf and the same files opened.
void BM_BareReadAndOpen(benchmark::State& state) {
    writeText("tvlibs.dll", registration(MAX_LIBS));
    static char names[MAX_LIBS][NAME_SLOT], paths[MAX_LIBS][NAME_SLOT];
    for (auto _ : state) {
        FILE* f = std::fopen("tvlibs.dll", "r");
        int n = 0;
        if (std::fscanf(f, "%d", &n) != 1) n = 0;
        for (int i = 0; i < n; ++i) benchmark::DoNotOptimize(std::fscanf(f, "%31s", names[i]));
        for (int i = 0; i < n; ++i) benchmark::DoNotOptimize(std::fscanf(f, "%31s", paths[i]));
        std::fclose(f);
        for (int i = 0; i < n; ++i) {
            FILE* library = std::fopen(paths[i], "r");
            if (library) std::fclose(library);
        }
    }
}
BENCHMARK(BM_BareReadAndOpen)->Unit(benchmark::kMillisecond);

void BM_AddLibAt9999(benchmark::State& state) {
    const std::string before = registration(MAX_LIBS - 1);
    for (auto _ : state) {
        state.PauseTiming();
        writeText("tvlibs.dll", before);
        state.ResumeTiming();
        add_Lib("Newest", "newest");
    }
    if (libs != MAX_LIBS) state.SkipWithError("add_Lib did not add");
}
BENCHMARK(BM_AddLibAt9999)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    char folder[] = "/tmp/tonvask-bench.XXXXXX";
    if (!mkdtemp(folder) || chdir(folder) != 0) return 1;
    mkdir("libs", 0755);
    for (int i = 0; i < MAX_LIBS; ++i) writeText(("libs/l" + std::to_string(i)).c_str(), "");

    // The report goes to the stdout we were given; the console to nowhere.
    std::fflush(stdout);
    int saved = dup(1);
    std::ofstream report("/proc/self/fd/" + std::to_string(saved));
    int null = open("/dev/null", O_WRONLY);
    dup2(null, 1);
    close(null);
    benchmark::ConsoleReporter reporter(isatty(saved) ? benchmark::ConsoleReporter::OO_Defaults
                                                      : benchmark::ConsoleReporter::OO_Tabular);
    reporter.SetOutputStream(&report);
    reporter.SetErrorStream(&report);
    benchmark::RunSpecifiedBenchmarks(&reporter);

    if (chdir("/") == 0) std::filesystem::remove_all(folder);
    return 0;
}
