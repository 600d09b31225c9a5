// The beep voice: each note key sounds a fixed tone on the platform's tone
// generator, 500 Hz per step of the note index, for 200 ms, and returns
// when it has ended. Every other key, the effect keys too, does nothing.
#include "platform/tone.hpp"
#include "sound/sound.hpp"

void beep(char key) {
    int note = noteIndex(key);
    if (note >= 0) Beep(500u * static_cast<unsigned>(note + 1), 200);
}
