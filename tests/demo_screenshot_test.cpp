// The README's screenshot: the window as a new user sees it after clicking
// Library in the demo folder, the Library Select panel listing the demo
// libraries. Written to the build folder on every run; with
// TONVASK_UPDATE_SCREENSHOT=1 also to docs/screenshot.png in the sources.
#include <GL/glut.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "catalogue/catalogue.hpp"
#include "shell/shell.hpp"
#include "shell/state.hpp"
#include "support/png.hpp"
#include "support/tempdir.hpp"
#include "support/window.hpp"

namespace {

TEST(Screenshot, LibrarySelectOverTheDemoFolder) {
    TempDir dir;
    writeFile("tvlibs.dll", readFile(std::string(TONVASK_BUILD_DIR) + "/demo-dist/tvlibs.dll"));
    openTestWindow();
    resizeTestWindow(800, 600);
    findGLUT();
    lib = 'y';
    renderFrame();

    // Rows 0 to 2 carry the three demo names in black; row 3 is empty.
    for (int k = 0; k < 3; ++k)
        EXPECT_TRUE(anyPixelIn(225, 460 - 25 * k, 300, 472 - 25 * k, grey(0.0f))) << "row " << k;
    EXPECT_FALSE(anyPixelIn(212, 382, 590, 398, grey(0.0f)));

    std::vector<uint8_t> bottomUp(800 * 600 * 3), rgb(800 * 600 * 3);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, 800, 600, GL_RGB, GL_UNSIGNED_BYTE, bottomUp.data());
    for (int y = 0; y < 600; ++y)
        std::copy(bottomUp.begin() + (599 - y) * 2400, bottomUp.begin() + (600 - y) * 2400,
                  rgb.begin() + y * 2400);

    std::string built = std::string(TONVASK_BUILD_DIR) + "/screenshot.png";
    ASSERT_TRUE(writePng(built, 800, 600, rgb));
    EXPECT_EQ(readFile(built).substr(0, 8), std::string("\x89PNG\r\n\x1a\n"));
    const char* update = std::getenv("TONVASK_UPDATE_SCREENSHOT");
    if (update && std::string(update) == "1") {
        EXPECT_TRUE(writePng(std::string(TONVASK_SOURCE_DIR) + "/docs/screenshot.png", 800, 600, rgb));
    }
}

}  // namespace
