// A real freeglut window for tests that draw: opened once per test
// program inside the private X server, with the program's own graphics
// state, and read back pixel by pixel.
#pragma once

#include <cstdint>

struct Rgb {
    int r, g, b;
};

void openTestWindow();                         // glutInit, window, callbacks of the shell, init()
void pumpEvents(int rounds = 20);              // let GLUT deliver pending events
void resizeTestWindow(int width, int height);  // ask for a size and wait for the reshape
Rgb frameAt(int x, int y);  // pixel of the window (GL origin: bottom left) after renderFrame()
Rgb grey(float g);          // the 8-bit colour a grey g is stored as
bool near(Rgb a, Rgb b, int tolerance = 2);
bool anyPixelIn(int x1, int y1, int x2, int y2, Rgb colour);  // a text's pixels, in a box
