// Normalising, fading and writing the demo samples as 16-bit PCM WAV files.
#include "wav_out.hpp"

#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <sstream>

static const double PEAK = 0.891;  // -1 dBFS: loud, with headroom against clipping

void finishSample(std::vector<float>& signal, double riseSeconds) {
    const double pi = std::acos(-1.0);
    size_t n = signal.size();
    size_t rise = std::min(n, static_cast<size_t>(riseSeconds * RATE) + 1);
    size_t fall = std::min(n, static_cast<size_t>(0.05 * RATE));
    // Raised-cosine ramps: the first and the last sample are exactly zero,
    // so neither the start nor the cut-off end of a note clicks.
    for (size_t i = 0; i < rise; ++i) signal[i] *= 0.5 * (1 - std::cos(pi * i / rise));
    for (size_t i = 0; i < fall; ++i) signal[n - 1 - i] *= 0.5 * (1 - std::cos(pi * i / fall));
    float peak = 0;
    for (float v : signal) peak = std::max(peak, std::fabs(v));
    if (peak > 0)
        for (float& v : signal) v = static_cast<float>(v * PEAK / peak);
}

static void put16(std::string& out, uint32_t v) {
    out.push_back(static_cast<char>(v & 0xff));
    out.push_back(static_cast<char>((v >> 8) & 0xff));
}

static void put32(std::string& out, uint32_t v) {
    put16(out, v & 0xffff);
    put16(out, v >> 16);
}

std::string wavBytes(const std::vector<float>& signal) {
    uint32_t dataSize = static_cast<uint32_t>(signal.size() * 2);
    std::string out = "RIFF";
    put32(out, 36 + dataSize);
    out += "WAVEfmt ";
    put32(out, 16);        // size of the PCM format block
    put16(out, 1);         // PCM
    put16(out, 1);         // mono
    put32(out, RATE);      // frames per second
    put32(out, RATE * 2);  // bytes per second
    put16(out, 2);         // bytes per frame
    put16(out, 16);        // bits per sample
    out += "data";
    put32(out, dataSize);
    for (float v : signal) {
        double s = std::max(-1.0, std::min(1.0, static_cast<double>(v)));
        put16(out, static_cast<uint16_t>(static_cast<int16_t>(std::lround(s * 32767))));
    }
    return out;
}

bool readWhole(const std::string& path, std::string& content) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream all;
    all << in.rdbuf();
    content = all.str();
    return true;
}

static void makeParents(const std::string& path) {
    for (size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1))
        mkdir(path.substr(0, slash).c_str(), 0755);
}

bool writeIfChanged(const std::string& path, const std::string& content) {
    std::string old;
    if (readWhole(path, old) && old == content) return true;
    makeParents(path);
    // Written beside and renamed into place, so an interrupted build never
    // leaves a half-written sample or registration file behind.
    std::string temp = path + ".part";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        out.write(content.data(), static_cast<std::streamsize>(content.size()));
        if (!out.flush()) return false;
    }
    return std::rename(temp.c_str(), path.c_str()) == 0;
}
