// The three demo voices, synthesised from nothing: a sine tone, a plucked
// string and a small drum kit. Each call gives one raw note of one second
// at RATE, before the fades and normalisation of finishSample.
#pragma once

#include <vector>

constexpr int NOTES = 9;  // one per note key a s d f g h j k l

// The C major scale from middle C up to the D above the next C, in hertz,
// equal temperament with A = 440 Hz.
double scaleFrequency(int note);

std::vector<float> sineNote(double frequency);
std::vector<float> pluckedNote(double frequency);  // Karplus-Strong, tuned by an allpass
std::vector<float> drumHit(int note);              // kick, snare, hats, toms, clap, cowbell
