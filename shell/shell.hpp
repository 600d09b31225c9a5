// The window's callbacks of the shell: graphics state, the frame loop and
// the callbacks that deliberately do nothing.
#pragma once

void init();
void renderFrame();  // clear, viewport, projection and draw: one frame, unswapped
void myDisplay();
void myReshape(int width, int height);
void myMouseMotion(int x, int y);
void myPassiveMotion(int x, int y);
void mySpecialKey(int key, int x, int y);
void mySpecialKeyUp(int key, int x, int y);
void myIdle();
