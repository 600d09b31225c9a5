// The frame loop: the fixed graphics state, the display callback that
// redraws the whole interface every frame in the 800 x 600 drawing space,
// the reshape callback, and the callbacks that have nothing to do.
#include <GL/glut.h>

#include "screens/screens.hpp"
#include "shell/shell.hpp"
#include "shell/state.hpp"

void init() {
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glEnable(GL_COLOR_MATERIAL);
    glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glShadeModel(GL_SMOOTH);
    glDisable(GL_TEXTURE_2D);
}

// Everything of a frame but the swap, so a test can read the back buffer
// before it is shown.
void renderFrame() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glViewport(0, 0, appW, appH);
    // The drawing space stays 800 x 600 whatever the window's size: a
    // resized window shows it stretched.
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluOrtho2D(0, 800, 0, 600);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    draw();
}

void myDisplay() {
    renderFrame();
    glutSwapBuffers();
    // Redraw without pause: the picture follows the state with no record
    // of what changed.
    glutPostRedisplay();
}

void myReshape(int width, int height) {
    appW = width;
    appH = height;
}

// The pointer's position matters only with a button event.
void myMouseMotion(int, int) {}
void myPassiveMotion(int, int) {}

// Arrow and function keys play no part.
void mySpecialKey(int, int, int) {}
void mySpecialKeyUp(int, int, int) {}

void myIdle() {}
