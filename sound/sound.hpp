// The two voices: the sample voice through OpenAL with its spatial
// controls, and the beep voice on the platform's tone generator.
#pragma once

#include <AL/al.h>

void make(char key);
ALboolean LoadALData();
void SetListenerValues();
void KillALData();
void beep(char key);
