// The window's input handlers: mouse buttons against the on-screen regions,
// and the keyboard's notes, effects and text entry.
#pragma once

void myMouse(int button, int state, int x, int y);
void myKey(unsigned char key, int x, int y);
