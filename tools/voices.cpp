// Synthesis of the demo voices. Everything is deterministic (the noise
// comes from a fixed-seed generator) so every build writes the same bytes.
#include "voices.hpp"

#include <cmath>
#include <cstdint>

#include "wav_out.hpp"

static const double PI = std::acos(-1.0);
static const int LENGTH = RATE;  // one second

double scaleFrequency(int note) {
    static const int SEMITONES[NOTES] = {-9, -7, -5, -4, -2, 0, 2, 3, 5};  // from A4: C4 .. D5
    return 440.0 * std::pow(2.0, SEMITONES[note] / 12.0);
}

std::vector<float> sineNote(double frequency) {
    std::vector<float> out(LENGTH);
    for (int i = 0; i < LENGTH; ++i) {
        double t = static_cast<double>(i) / RATE;
        out[i] = static_cast<float>(std::sin(2 * PI * frequency * t) * std::exp(-t / 0.55));
    }
    return out;
}

// A small linear congruential generator: the same noise on every build.
struct Noise {
    uint32_t state;
    explicit Noise(uint32_t seed) : state(seed) {}
    double next() {
        state = state * 1664525u + 1013904223u;
        return (state >> 8) / 8388608.0 - 1.0;  // -1 .. 1
    }
};

std::vector<float> pluckedNote(double frequency) {
    // The loop delays by N samples in the line, half a sample in the
    // averaging filter and d in the allpass; d in 0.1 .. 1.1 keeps the
    // allpass well-behaved, and N + 0.5 + d is exactly one period.
    double period = RATE / frequency;
    int n = static_cast<int>(std::floor(period - 0.6));
    double d = period - 0.5 - n;
    double c = (1 - d) / (1 + d);
    // Loss per trip round the loop, so that every note dies away in about
    // the same time whatever its pitch.
    double loss = std::pow(0.001, 1.0 / (frequency * 2.0));

    // The pluck: the string pulled aside at a fifth of its length (a
    // triangle), roughened with a little noise and smoothed twice, so that
    // the fundamental leads and the note sounds warm rather than buzzing.
    std::vector<double> line(n);
    Noise noise(0x5eed0000u + static_cast<uint32_t>(frequency));
    double at5 = n / 5.0, smooth1 = 0, smooth2 = 0, mean = 0;
    for (int i = 0; i < n; ++i) {
        double shape = i < at5 ? i / at5 : (n - i) / (n - at5);
        smooth1 += 0.3 * (shape + 0.25 * noise.next() - smooth1);
        smooth2 += 0.3 * (smooth1 - smooth2);
        line[i] = smooth2;
        mean += smooth2;
    }
    mean /= n;
    for (double& v : line) v -= mean;  // no DC offset to thump at the start

    std::vector<float> out(LENGTH);
    double previous = 0, apIn = 0, apOut = 0;
    int at = 0;
    for (int i = 0; i < LENGTH; ++i) {
        double delayed = line[at];
        double averaged = 0.5 * (delayed + previous) * loss;
        previous = delayed;
        double shifted = c * averaged + apIn - c * apOut;
        apIn = averaged;
        apOut = shifted;
        line[at] = shifted;
        at = (at + 1) % n;
        out[i] = static_cast<float>(delayed);
    }
    return out;
}

// A two-pole resonant band-pass, for the clap and the cowbell.
struct BandPass {
    double a1, a2, gain, y1 = 0, y2 = 0;
    BandPass(double centre, double q) {
        double r = 1 - PI * centre / (q * RATE);
        a1 = 2 * r * std::cos(2 * PI * centre / RATE);
        a2 = -r * r;
        gain = 1 - r;
    }
    double step(double x) {
        double y = gain * x + a1 * y1 + a2 * y2;
        y2 = y1;
        y1 = y;
        return y;
    }
};

// A sine whose pitch falls from `from` to `to`, as a struck membrane does.
static double sweep(double& phase, double t, double from, double to, double fall) {
    double f = to + (from - to) * std::exp(-t / fall);
    phase += 2 * PI * f / RATE;
    return std::sin(phase);
}

std::vector<float> drumHit(int note) {
    std::vector<float> out(LENGTH);
    Noise noise(0xd0000000u + static_cast<uint32_t>(note));
    double phase = 0, last = 0, last2 = 0;
    BandPass clap(1100, 3), bell1(540, 30), bell2(800, 30);
    for (int i = 0; i < LENGTH; ++i) {
        double t = static_cast<double>(i) / RATE;
        double white = noise.next();
        // Twice-differenced noise: only the hiss above a few kilohertz.
        double hiss = white - 2 * last + last2;
        last2 = last;
        last = white;
        double v = 0;
        switch (note) {
            case 0:  // kick
                v = sweep(phase, t, 160, 48, 0.035) * std::exp(-t / 0.3) + 0.3 * white * std::exp(-t / 0.004);
                break;
            case 1:  // snare
                v = 0.6 * sweep(phase, t, 240, 185, 0.02) * std::exp(-t / 0.07) +
                    0.5 * hiss * std::exp(-t / 0.14);
                break;
            case 2:
                v = hiss * std::exp(-t / 0.03);
                break;  // closed hat
            case 3:
                v = hiss * std::exp(-t / 0.28);
                break;  // open hat
            case 4:
                v = sweep(phase, t, 130, 82, 0.06) * std::exp(-t / 0.32);
                break;  // low tom
            case 5:
                v = sweep(phase, t, 175, 110, 0.06) * std::exp(-t / 0.28);
                break;  // mid tom
            case 6:
                v = sweep(phase, t, 235, 147, 0.05) * std::exp(-t / 0.24);
                break;  // high tom
            case 7: {   // clap: three quick bursts and a short room tail
                double bursts = 0;
                for (double start : {0.0, 0.011, 0.023})
                    if (t >= start) bursts += std::exp(-(t - start) / 0.006);
                v = clap.step(white) * (bursts + 0.6 * std::exp(-t / 0.12));
                break;
            }
            default: {  // cowbell: two detuned square-ish tones through resonators
                double sq1 = std::sin(2 * PI * 540 * t) + std::sin(2 * PI * 1620 * t) / 3;
                double sq2 = std::sin(2 * PI * 800 * t) + std::sin(2 * PI * 2400 * t) / 3;
                v = (bell1.step(sq1) + bell2.step(sq2)) * std::exp(-t / 0.16);
                break;
            }
        }
        out[i] = static_cast<float>(v);
    }
    return out;
}
