// The frame with every panel closed, read back from a real window: the
// background, the title text and the seven framed buttons of the menu bar,
// at 800 x 600 and stretched in a reshaped window.
#include <GL/glut.h>
#include <gtest/gtest.h>

#include "shell/shell.hpp"
#include "shell/state.hpp"
#include "support/window.hpp"

namespace {

struct Button {
    const char* label;
    int x1;  // outer rectangle x1 .. x1+104, y 3 .. 27
    int labelX;
};

const Button MENU[] = {{"Library", 3, 25},      {"Mode", 108, 135}, {"Add Lib.", 213, 230},
                       {"Rmv. Lib.", 318, 335}, {"Help", 423, 455}, {"About", 528, 553},
                       {"Exit", 633, 665}};

class Frame : public ::testing::Test {
  protected:
    void SetUp() override {
        openTestWindow();
        resizeTestWindow(800, 600);
        renderFrame();
    }
};

TEST_F(Frame, BackgroundAndTitle) {
    EXPECT_TRUE(near(frameAt(0, 599), grey(0.4f)));
    EXPECT_TRUE(near(frameAt(799, 599), grey(0.4f)));
    EXPECT_TRUE(near(frameAt(400, 400), grey(0.4f)));
    // The title's glyphs sit on the baseline y = 270 from x = 320 on.
    EXPECT_TRUE(anyPixelIn(320, 268, 460, 285, grey(0.6f)));
    // Right of the bar, the background shows.
    EXPECT_TRUE(near(frameAt(738, 15), grey(0.4f)));
    EXPECT_TRUE(near(frameAt(790, 5), grey(0.4f)));
    EXPECT_TRUE(near(frameAt(400, 1), grey(0.4f)));
}

TEST_F(Frame, MenuBarButtons) {
    for (const Button& b : MENU) {
        SCOPED_TRACE(b.label);
        int x2 = b.x1 + 104;
        // Frame: the two outer units on every side are black.
        EXPECT_TRUE(near(frameAt(b.x1, 3), grey(0.0f)));
        EXPECT_TRUE(near(frameAt(b.x1 + 1, 15), grey(0.0f)));
        EXPECT_TRUE(near(frameAt(x2 - 1, 26), grey(0.0f)));
        EXPECT_TRUE(near(frameAt(b.x1 + 50, 4), grey(0.0f)));
        EXPECT_TRUE(near(frameAt(b.x1 + 50, 26), grey(0.0f)));
        // Face: grey 0.6 from two units inside, away from the label.
        EXPECT_TRUE(near(frameAt(b.x1 + 2, 5), grey(0.6f)));
        EXPECT_TRUE(near(frameAt(x2 - 3, 24), grey(0.6f)));
        EXPECT_TRUE(near(frameAt(b.labelX - 3, 20), grey(0.6f)));
        // Label: black glyph pixels right of its position, on the baseline 10.
        EXPECT_TRUE(anyPixelIn(b.labelX, 10, b.labelX + 30, 22, grey(0.0f)));
    }
}

TEST_F(Frame, NeighbouringButtonsAreOneUnitApart) {
    // A rectangle from 3 to 107 fills pixel columns 3 to 106; the next
    // starts at 108, so column 107 between them shows the background.
    for (int i = 0; i + 1 < 7; ++i) {
        int lastColumn = MENU[i].x1 + 103;
        EXPECT_TRUE(near(frameAt(lastColumn, 15), grey(0.0f))) << i;
        EXPECT_TRUE(near(frameAt(lastColumn + 1, 15), grey(0.4f))) << i;
        EXPECT_TRUE(near(frameAt(lastColumn + 2, 15), grey(0.0f))) << i;
    }
}

TEST(FrameReshaped, StretchesTheDrawingSpace) {
    openTestWindow();
    resizeTestWindow(1000, 500);
    EXPECT_EQ(appW, 1000);
    EXPECT_EQ(appH, 500);
    renderFrame();
    // x scales by 1.25, y by 5/6: the Exit button's right frame edge moves
    // from 737 to about 921, and the top of the bar from 27 to 22.5.
    EXPECT_TRUE(near(frameAt(920, 12), grey(0.0f)));
    EXPECT_TRUE(near(frameAt(924, 12), grey(0.4f)));
    EXPECT_TRUE(near(frameAt(10, 12), grey(0.6f)));
    EXPECT_TRUE(near(frameAt(10, 24), grey(0.4f)));
    EXPECT_TRUE(near(frameAt(999, 499), grey(0.4f)));
    resizeTestWindow(800, 600);
}

}  // namespace
