// The tone generator: sounds a sine of the given frequency (Hz) for the
// given duration (ms) and returns when it has ended. Returns false, after
// the same wait, when no audio device can sound it.
#pragma once

bool Beep(unsigned int frequency, unsigned int duration);
