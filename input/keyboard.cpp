// The keyboard callback.
#include <cstdlib>

#include "input/input.hpp"

void myKey(unsigned char key, int, int) {
    // Esc ends the program at once, with no exit handlers.
    if (key == 27) std::abort();
}
