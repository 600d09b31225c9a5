// Speed of one whole frame in a real window, with every panel closed and
// with all six open (the most a frame ever draws: 13 rows twice, the
// fields, the prose), each finished with glFinish so the drawing itself is
// timed, not just the queuing of commands. Needs an X display; run it
// inside tests/isolate for a private one.
#include <GL/freeglut.h>
#include <benchmark/benchmark.h>

#include <cstring>

#include "shell/shell.hpp"
#include "shell/state.hpp"

namespace {

void openWindow() {
    static bool open = false;
    if (open) return;
    open = true;
    int argc = 1;
    char name[] = "panels-bench";
    char* argv[] = {name, nullptr};
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(appWT, appHT);
    glutCreateWindow("Tonvask v1.0.1");
    glutDisplayFunc([] {});
    init();
    for (int i = 0; i < 20; ++i) glutMainLoopEvent();
}

void setPanels(char flag) {
    for (char* p : {&lib, &mode, &addLib, &revLib, &help, &about}) *p = flag;
}

void frame(benchmark::State& state, char flag) {
    openWindow();
    setPanels(flag);
    for (int k = 0; k < SELECT_ROWS; ++k) std::strcpy(librarSelect[k], "LibraryName");
    std::strcpy(AddLibNameMask, "Piano");
    std::strcpy(AddLibName, "piano");
    for (auto _ : state) {
        renderFrame();
        glFinish();
    }
    setPanels('n');
}

void BM_FrameNoPanel(benchmark::State& state) { frame(state, 'n'); }
void BM_FrameAllSixPanels(benchmark::State& state) { frame(state, 'y'); }

BENCHMARK(BM_FrameNoPanel)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FrameAllSixPanels)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
