// Placeholder until the tone generator lands.
#include "platform/tone.hpp"

bool Beep(unsigned int, unsigned int) { return false; }
