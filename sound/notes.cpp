// The note keys a s d f g h j k l and their note indexes 0 to 8, shared by
// both voices: the sample voice plays keys slot i, the beep voice tone i.
#include "sound/sound.hpp"

int noteIndex(char key) {
    static const char NOTES[] = "asdfghjkl";
    for (int i = 0; NOTES[i] != '\0'; ++i)
        if (NOTES[i] == key) return i;
    return -1;
}
