// WAV writing, reading and measuring for the sound tests.
#include "support/wav.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

static void put16(std::string& s, uint16_t v) {
    s += static_cast<char>(v & 0xff);
    s += static_cast<char>(v >> 8);
}

static void put32(std::string& s, uint32_t v) {
    put16(s, static_cast<uint16_t>(v & 0xffff));
    put16(s, static_cast<uint16_t>(v >> 16));
}

static uint32_t get16(const unsigned char* p) { return p[0] | (p[1] << 8); }
static uint32_t get32(const unsigned char* p) { return get16(p) | (get16(p + 2) << 16); }

void writeWav(const std::string& path, const Pcm& pcm, int bits) {
    if (bits != 8) bits = 16;
    int bytes = bits / 8;
    std::string data;
    data.reserve(pcm.samples.size() * bytes);
    for (float f : pcm.samples) {
        double v = std::clamp(static_cast<double>(f), -1.0, 1.0);
        if (bits == 8) {
            data += static_cast<char>(static_cast<uint8_t>(std::lround(v * 127.0) + 128));
        } else {
            put16(data, static_cast<uint16_t>(static_cast<int16_t>(std::lround(v * 32767.0))));
        }
    }
    std::string s = "RIFF";
    put32(s, static_cast<uint32_t>(36 + data.size()));
    s += "WAVEfmt ";
    put32(s, 16);
    put16(s, 1);
    put16(s, static_cast<uint16_t>(pcm.channels));
    put32(s, static_cast<uint32_t>(pcm.rate));
    put32(s, static_cast<uint32_t>(pcm.rate * pcm.channels * bytes));
    put16(s, static_cast<uint16_t>(pcm.channels * bytes));
    put16(s, static_cast<uint16_t>(bits));
    s += "data";
    put32(s, static_cast<uint32_t>(data.size()));
    s += data;
    std::ofstream(path, std::ios::binary) << s;
}

void writeSineWav(const std::string& path, double hz, double seconds, int rate, double amplitude) {
    Pcm pcm;
    pcm.rate = rate;
    pcm.channels = 1;
    size_t n = static_cast<size_t>(std::lround(seconds * rate));
    size_t fade = std::min(n / 2, static_cast<size_t>(rate * 0.005));
    pcm.samples.resize(n);
    for (size_t i = 0; i < n; ++i) {
        double gain = 1.0;
        if (i < fade) gain = static_cast<double>(i) / fade;
        if (n - 1 - i < fade) gain = std::min(gain, static_cast<double>(n - 1 - i) / fade);
        pcm.samples[i] = static_cast<float>(amplitude * gain * std::sin(2 * M_PI * hz * i / rate));
    }
    writeWav(path, pcm);
}

bool readWav(const std::string& path, Pcm& out) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::string file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const auto* b = reinterpret_cast<const unsigned char*>(file.data());
    size_t size = file.size();
    if (size < 12 || std::memcmp(b, "RIFF", 4) != 0 || std::memcmp(b + 8, "WAVE", 4) != 0) return false;

    uint32_t tag = 0, channels = 0, rate = 0, bits = 0;
    bool haveFormat = false;
    size_t pos = 12;
    while (pos + 8 <= size) {
        const unsigned char* chunk = b + pos;
        uint32_t length = get32(chunk + 4);
        size_t body = pos + 8;
        if (std::memcmp(chunk, "fmt ", 4) == 0 && body + 16 <= size) {
            tag = get16(b + body);
            channels = get16(b + body + 2);
            rate = get32(b + body + 4);
            bits = get16(b + body + 14);
            // Extensible: the real format is the first two bytes of the sub-format GUID.
            if (tag == 0xFFFE && length >= 40 && body + 26 <= size) tag = get16(b + body + 24);
            haveFormat = true;
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            if (!haveFormat || channels == 0 || rate == 0) return false;
            // A file still being written has a size of 0 (or a stale one): take what is there.
            size_t available = size - body;
            size_t bytes = (length == 0 || length > available) ? available : length;
            size_t width = bits / 8;
            bool known = (tag == 1 && (bits == 8 || bits == 16 || bits == 24 || bits == 32)) ||
                         (tag == 3 && bits == 32);
            if (!known) return false;
            out.rate = static_cast<int>(rate);
            out.channels = static_cast<int>(channels);
            size_t frames = bytes / (width * channels);
            out.samples.assign(frames * channels, 0.0f);
            const unsigned char* p = b + body;
            for (size_t i = 0; i < out.samples.size(); ++i, p += width) {
                float v = 0;
                if (tag == 3) {
                    uint32_t raw = get32(p);
                    std::memcpy(&v, &raw, 4);
                } else if (bits == 8) {
                    v = (static_cast<int>(p[0]) - 128) / 128.0f;
                } else if (bits == 16) {
                    v = static_cast<int16_t>(get16(p)) / 32768.0f;
                } else if (bits == 24) {
                    int32_t s = static_cast<int32_t>((p[0] << 8) | (p[1] << 16) |
                                                     (static_cast<uint32_t>(p[2]) << 24));
                    v = static_cast<float>((s >> 8) / 8388608.0);
                } else {
                    v = static_cast<float>(static_cast<int32_t>(get32(p)) / 2147483648.0);
                }
                out.samples[i] = v;
            }
            return true;
        }
        if (length > size - body) break;  // a short header: nothing further to find
        pos = body + length + (length & 1);
    }
    return false;
}

std::vector<float> mono(const Pcm& pcm) {
    std::vector<float> m;
    if (pcm.channels <= 0) return m;
    size_t frames = pcm.samples.size() / pcm.channels;
    m.resize(frames);
    for (size_t f = 0; f < frames; ++f) {
        double sum = 0;
        for (int c = 0; c < pcm.channels; ++c) sum += pcm.samples[f * pcm.channels + c];
        m[f] = static_cast<float>(sum / pcm.channels);
    }
    return m;
}

// Magnitude of the Hann-windowed spectrum of x[begin, end) at hz.
static double magnitudeAt(const std::vector<float>& x, int rate, size_t begin, size_t end, double hz) {
    size_t n = end - begin;
    double w = 2 * M_PI * hz / rate;
    double coeff = 2 * std::cos(w);
    double s1 = 0, s2 = 0;
    for (size_t i = 0; i < n; ++i) {
        double hann = 0.5 - 0.5 * std::cos(2 * M_PI * i / (n - 1));
        double s0 = x[begin + i] * hann + coeff * s1 - s2;
        s2 = s1;
        s1 = s0;
    }
    return std::sqrt(std::max(0.0, s1 * s1 + s2 * s2 - coeff * s1 * s2));
}

static void fft(std::vector<std::complex<double>>& a) {
    size_t n = a.size();
    for (size_t i = 1, j = 0; i < n; ++i) {
        size_t bit = n >> 1;
        for (; j & bit; bit >>= 1) j ^= bit;
        j ^= bit;
        if (i < j) std::swap(a[i], a[j]);
    }
    for (size_t len = 2; len <= n; len <<= 1) {
        std::complex<double> step = std::polar(1.0, -2 * M_PI / len);
        for (size_t i = 0; i < n; i += len) {
            std::complex<double> w = 1;
            for (size_t k = 0; k < len / 2; ++k, w *= step) {
                auto u = a[i + k], v = a[i + k + len / 2] * w;
                a[i + k] = u + v;
                a[i + k + len / 2] = u - v;
            }
        }
    }
}

double dominantFrequency(const std::vector<float>& x, int rate, size_t begin, size_t end) {
    end = std::min(end, x.size());
    if (rate <= 0 || end <= begin + 16) return 0;
    // Coarse: the peak bin of a zero-padded, windowed FFT.
    size_t n = end - begin;
    size_t size = 1;
    while (size < n) size <<= 1;
    size <<= 1;
    std::vector<std::complex<double>> a(size);
    for (size_t i = 0; i < n; ++i) a[i] = x[begin + i] * (0.5 - 0.5 * std::cos(2 * M_PI * i / (n - 1)));
    fft(a);
    size_t best = 1;
    for (size_t k = 1; k < size / 2; ++k)
        if (std::abs(a[k]) > std::abs(a[best])) best = k;
    double binHz = static_cast<double>(rate) / size;
    // Fine: scan a bin either side in 0.05 Hz steps, then a parabola through the best three.
    double lo = std::max(0.0, (best - 1.0) * binHz), hi = (best + 1.0) * binHz;
    double step = 0.05;
    double bestHz = lo, bestMag = -1;
    for (double f = lo; f <= hi; f += step) {
        double m = magnitudeAt(x, rate, begin, end, f);
        if (m > bestMag) bestMag = m, bestHz = f;
    }
    double ml = magnitudeAt(x, rate, begin, end, bestHz - step);
    double mr = magnitudeAt(x, rate, begin, end, bestHz + step);
    double denom = ml - 2 * bestMag + mr;
    if (denom < 0) bestHz += step * 0.5 * (ml - mr) / denom;
    return bestHz;
}

std::vector<std::pair<size_t, size_t>> soundSpans(const std::vector<float>& x, int rate, double threshold) {
    std::vector<std::pair<size_t, size_t>> spans;
    size_t window = std::max<size_t>(1, static_cast<size_t>(rate) / 200);
    bool inSpan = false;
    size_t start = 0, lastLoud = 0;
    for (size_t w = 0; w < x.size(); w += window) {
        size_t e = std::min(x.size(), w + window);
        double sum = 0;
        for (size_t i = w; i < e; ++i) sum += static_cast<double>(x[i]) * x[i];
        bool loud = std::sqrt(sum / (e - w)) > threshold;
        if (loud) {
            if (!inSpan) {
                // Start at the first sample that reaches the threshold, looking back one window
                // so a tone's fade-in is not cut.
                size_t from = w >= window ? w - window : 0;
                if (!spans.empty()) from = std::max(from, spans.back().second);
                start = w;
                for (size_t i = from; i < e; ++i)
                    if (std::fabs(x[i]) >= threshold) {
                        start = i;
                        break;
                    }
                inSpan = true;
            }
            lastLoud = e;
        } else if (inSpan) {
            // End after the last sample that reaches the threshold, up to this quiet window's end.
            size_t stop = lastLoud;
            for (size_t i = e; i > lastLoud - std::min(lastLoud, window); --i)
                if (std::fabs(x[i - 1]) >= threshold) {
                    stop = i;
                    break;
                }
            spans.push_back({start, stop});
            inSpan = false;
        }
    }
    if (inSpan) spans.push_back({start, lastLoud});
    return spans;
}

std::string waveBackendConf(const std::string& dir, const std::string& outputWav) {
    std::string path = dir + "/alsoft-wave.conf";
    std::ofstream(path) << "[general]\ndrivers = wave\n\n[wave]\nfile = " << outputWav << "\n";
    return path;
}

WaveBackend::WaveBackend(const std::string& dir, const std::string& outputWav) {
    if (const char* d = std::getenv("ALSOFT_DRIVERS")) hadDrivers = true, drivers = d;
    if (const char* c = std::getenv("ALSOFT_CONF")) hadConf = true, conf = c;
    setenv("ALSOFT_CONF", waveBackendConf(dir, outputWav).c_str(), 1);
    unsetenv("ALSOFT_DRIVERS");
}

WaveBackend::~WaveBackend() {
    if (hadDrivers) setenv("ALSOFT_DRIVERS", drivers.c_str(), 1);
    if (hadConf)
        setenv("ALSOFT_CONF", conf.c_str(), 1);
    else
        unsetenv("ALSOFT_CONF");
}

std::vector<float> heardMono(const std::string& path, int& rate) {
    Pcm pcm;
    EXPECT_TRUE(readWav(path, pcm)) << path;
    rate = pcm.rate;
    return mono(pcm);
}

void playInChild(const std::string& dir, const std::string& outputWav, const std::function<void()>& play) {
    WaveBackend backend(dir, outputWav);
    EXPECT_EXIT(
        {
            play();
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "");
}
