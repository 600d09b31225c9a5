// Tonvask's entry: prepares the console, creates the one window, registers
// the callbacks and hands control to GLUT's main loop for good. Nothing is
// read and no audio device is opened here; that waits for the user.
#include <GL/glut.h>

#include "input/input.hpp"
#include "platform/console.hpp"
#include "shell/banner.hpp"
#include "shell/shell.hpp"
#include "shell/state.hpp"

int main(int argc, char** argv) {
    consoleClear();
    printBanner();
    consoleTitle("Tonvask v1.0.1");

    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(appWT, appHT);
    glutInitWindowPosition(100, 100);
    glutCreateWindow("Tonvask v1.0.1");

    glutDisplayFunc(myDisplay);
    glutReshapeFunc(myReshape);
    glutMouseFunc(myMouse);
    glutMotionFunc(myMouseMotion);
    glutPassiveMotionFunc(myPassiveMotion);
    glutKeyboardFunc(myKey);
    glutSpecialFunc(mySpecialKey);
    glutSpecialUpFunc(mySpecialKeyUp);
    glutIdleFunc(myIdle);

    init();
    glutMainLoop();
    return 0;
}
