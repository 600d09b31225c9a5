// The two voices: the sample voice through OpenAL with its spatial
// controls, and the beep voice on the platform's tone generator.
#pragma once

#include <AL/al.h>

int noteIndex(char key);  // 0 to 8 for a s d f g h j k l, -1 for any other key
void make(char key);
ALboolean LoadALData();
void SetListenerValues();
void KillALData();
void beep(char key);
