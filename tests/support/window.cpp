// Test window: the program's own callbacks, drawn into the back buffer
// and read with glReadPixels before any swap.
#include "support/window.hpp"

#include <GL/freeglut.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <thread>
#include <vector>

#include "input/input.hpp"
#include "shell/shell.hpp"
#include "shell/state.hpp"

void openTestWindow() {
    static bool open = false;
    if (open) return;
    open = true;
    int argc = 1;
    char name[] = "tonvask-test";
    char* argv[] = {name, nullptr};
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(appWT, appHT);
    glutInitWindowPosition(100, 100);
    glutCreateWindow("tonvask-test");
    // The test drives the frame itself; the display callback only has to
    // exist, it must not run myDisplay's redisplay loop here.
    glutDisplayFunc([] {});
    glutReshapeFunc(myReshape);
    init();
    pumpEvents();
}

void pumpEvents(int rounds) {
    for (int i = 0; i < rounds; ++i) glutMainLoopEvent();
}

void resizeTestWindow(int width, int height) {
    glutReshapeWindow(width, height);
    // The server answers in its own time; a busy machine can take a while.
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while ((appW != width || appH != height) && std::chrono::steady_clock::now() < deadline) {
        glutMainLoopEvent();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    // The back buffer takes the new size only at a swap.
    renderFrame();
    glutSwapBuffers();
    glFinish();
}

Rgb frameAt(int x, int y) {
    unsigned char px[3] = {0, 0, 0};
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, px);
    return {px[0], px[1], px[2]};
}

Rgb grey(float g) {
    int v = static_cast<int>(std::lround(g * 255.0f));
    return {v, v, v};
}

bool near(Rgb a, Rgb b, int tolerance) {
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
           std::abs(a.b - b.b) <= tolerance;
}

bool anyPixelIn(int x1, int y1, int x2, int y2, Rgb colour) {
    int w = x2 - x1 + 1, h = y2 - y1 + 1;
    std::vector<unsigned char> px(static_cast<size_t>(w * h * 3));
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x1, y1, w, h, GL_RGB, GL_UNSIGNED_BYTE, px.data());
    for (size_t i = 0; i < px.size(); i += 3)
        if (near({px[i], px[i + 1], px[i + 2]}, colour)) return true;
    return false;
}
