// The keyboard callback: Esc ends the program at once; with neither text
// field of the Add Library panel focused, note and effect keys go to the
// selected voice; a focused field stores every byte typed, as it is.
#include <cstdlib>
#include <cstring>

#include "input/input.hpp"
#include "shell/state.hpp"
#include "sound/sound.hpp"

static bool isVoiceKey(unsigned char key) {
    return key != '\0' && std::strchr("asdfghjkl<>[]@", key) != nullptr;
}

// A field holds at most 31 typed bytes between two resets of its write
// position; further keys are dropped so its last byte stays the NUL.
static void storeTyped(char* field, int& position, unsigned char key) {
    if (position < 0 || position >= NAME_SLOT - 1) return;
    field[position] = static_cast<char>(key);
    ++position;
}

void myKey(unsigned char key, int, int) {
    // Abnormal termination on purpose: no exit handler (audio shut-down) runs.
    if (key == 27) std::abort();
    if (maskType == 'n' && nameType == 'n' && isVoiceKey(key)) {
        if (sound == 's')
            make(static_cast<char>(key));
        else if (sound == 'b')
            beep(static_cast<char>(key));
    }
    if (maskType == 'y') storeTyped(AddLibNameMask, AddMaskInt, key);
    if (nameType == 'y') storeTyped(AddLibName, AddNameInt, key);
}
