// Placeholder until the sample voice lands.
#include "sound/sound.hpp"

void make(char) {}
ALboolean LoadALData() { return AL_FALSE; }
void SetListenerValues() {}
void KillALData() {}
