// Writing the generated sounds out: float signals become normalised 16-bit
// mono PCM WAV files, and every file is written only when its bytes change,
// so a rebuild leaves an up-to-date demo folder untouched.
#pragma once

#include <string>
#include <vector>

constexpr int RATE = 44100;

// Shapes a raw signal into a finished sample: a short rise from silence,
// a fall back to silence over the last 50 ms, and a peak of -1 dBFS.
void finishSample(std::vector<float>& signal, double riseSeconds);

// The bytes of a 16-bit mono WAV file at RATE holding the signal (each
// value in -1 .. 1 maps onto -32767 .. 32767).
std::string wavBytes(const std::vector<float>& signal);

// Writes content to path unless the file already holds exactly that;
// creates the parent folders. False when the file cannot be written.
bool writeIfChanged(const std::string& path, const std::string& content);

bool readWhole(const std::string& path, std::string& content);  // false when unreadable
