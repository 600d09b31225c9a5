// The beep voice: each note key sounds a fixed tone on the platform's tone
// generator, 500 Hz per step of the note index, for 200 ms, and returns
// when it has ended. Every other key, the effect keys too, does nothing.
#include "platform/tone.hpp"
#include "sound/sound.hpp"

void beep(char key) {
    static const char NOTES[] = "asdfghjkl";
    for (unsigned i = 0; NOTES[i] != '\0'; ++i) {
        if (NOTES[i] == key) {
            Beep(500 * (i + 1), 200);
            return;
        }
    }
}
