// The mouse-button callback.
#include <GL/glut.h>

#include <cstdlib>

#include "input/input.hpp"

void myMouse(int button, int, int x, int y) {
    // The Exit button of the menu bar.
    if (button == GLUT_LEFT_BUTTON && x >= 633 && x <= 737 && y >= 573 && y <= 597) std::exit(0);
}
