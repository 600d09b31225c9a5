// The tone generator: sounds a sine of the given frequency (Hz) for the
// given duration (ms) and returns when it has ended, on an audio output of
// its own that leaves every other OpenAL device and context as it was.
// Returns false, after the same wait, when no audio device can sound it.
#pragma once

bool Beep(unsigned int frequency, unsigned int duration);
