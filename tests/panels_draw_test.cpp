// The dialog panels read back from a real window: the common frame with
// its title bar, the 13 list rows, the Mode rows, the two text fields with
// their black and red frames, the Leave and Save buttons, the prose of
// Help and About, and the layering when several panels are open.
#include <GL/glut.h>
#include <gtest/gtest.h>

#include <cstring>

#include "shell/shell.hpp"
#include "shell/state.hpp"
#include "support/window.hpp"

namespace {

const Rgb BLACK = {0, 0, 0};
const Rgb WHITE = {255, 255, 255};
const Rgb RED = {255, 0, 0};

char* const FLAGS[] = {&lib, &mode, &addLib, &revLib, &help, &about};

// Pixel rows of list row k: the outer rectangle 453-25k .. 477-25k fills
// rows bottom(k) .. bottom(k)+23.
int rowBottom(int k) { return 453 - 25 * k; }

bool textIn(int x1, int y1, int x2, int y2) { return anyPixelIn(x1, y1, x2, y2, BLACK); }

// A label without descenders placed exactly at (x, y): glyph pixels on the
// baseline row and none on the row below; its first letter, with the
// one-pixel left bearing of these capitals, begins in column x+1. Catches
// a label one pixel off in any direction.
void expectLabelAt(int x, int y, int width, Rgb colour) {
    EXPECT_TRUE(anyPixelIn(x, y, x + width, y, colour)) << x << "," << y;
    EXPECT_FALSE(anyPixelIn(x - 3, y - 1, x + width, y - 1, colour)) << x << "," << y;
    EXPECT_TRUE(anyPixelIn(x + 1, y, x + 1, y + 10, colour)) << x << "," << y;
    EXPECT_FALSE(anyPixelIn(x - 3, y, x, y + 10, colour)) << x << "," << y;
}

class Panels : public ::testing::Test {
  protected:
    void SetUp() override {
        openTestWindow();
        resizeTestWindow(800, 600);
        reset();
    }
    void TearDown() override { reset(); }

    static void reset() {
        for (char* flag : FLAGS) *flag = 'n';
        std::memset(librarSelect, 0, sizeof librarSelect);
        std::memset(AddLibNameMask, 0, sizeof AddLibNameMask);
        std::memset(AddLibName, 0, sizeof AddLibName);
        libMaskRed = libNameRed = 0.0f;
    }

    static void show(char& flag) {
        flag = 'y';
        renderFrame();
    }

    // The frame shared by all six panels and the Leave button drawn last.
    static void expectFrameAndLeave() {
        // Outer black box 198..601 x 98..501, grey 0.6 from two units in.
        EXPECT_TRUE(near(frameAt(198, 300), BLACK));
        EXPECT_TRUE(near(frameAt(199, 300), BLACK));
        EXPECT_TRUE(near(frameAt(200, 300), grey(0.6f)));
        EXPECT_TRUE(near(frameAt(599, 300), grey(0.6f)));
        EXPECT_TRUE(near(frameAt(600, 300), BLACK));
        EXPECT_TRUE(near(frameAt(601, 300), BLACK));
        EXPECT_TRUE(near(frameAt(602, 300), grey(0.4f)));
        EXPECT_TRUE(near(frameAt(197, 300), grey(0.4f)));
        EXPECT_TRUE(near(frameAt(300, 97), grey(0.4f)));
        EXPECT_TRUE(near(frameAt(300, 98), BLACK));
        EXPECT_TRUE(near(frameAt(300, 100), grey(0.6f)));
        // Title bar over the top, 482..501, and nothing above it.
        EXPECT_TRUE(near(frameAt(300, 481), grey(0.6f)));
        EXPECT_TRUE(near(frameAt(580, 482), BLACK));
        EXPECT_TRUE(near(frameAt(580, 501), BLACK));
        EXPECT_TRUE(near(frameAt(580, 502), grey(0.4f)));
        EXPECT_TRUE(anyPixelIn(202, 485, 320, 500, WHITE));
        EXPECT_FALSE(anyPixelIn(198, 98, 601, 481, WHITE));
        // Leave: outer 508..593 x 102..125, face grey 0.7, black label at 527,108.
        EXPECT_TRUE(near(frameAt(508, 102), BLACK));
        EXPECT_TRUE(near(frameAt(509, 110), BLACK));
        EXPECT_TRUE(near(frameAt(510, 104), grey(0.7f)));
        EXPECT_TRUE(near(frameAt(591, 123), grey(0.7f)));
        EXPECT_TRUE(near(frameAt(592, 110), BLACK));
        EXPECT_TRUE(near(frameAt(593, 125), BLACK));
        EXPECT_TRUE(near(frameAt(594, 110), grey(0.6f)));
        EXPECT_TRUE(near(frameAt(550, 126), grey(0.6f)));
        EXPECT_TRUE(near(frameAt(520, 110), grey(0.7f)));
        expectLabelAt(527, 108, 45, BLACK);
        // The menu bar stays in view below every panel.
        EXPECT_TRUE(near(frameAt(4, 4), BLACK));
        EXPECT_TRUE(near(frameAt(10, 20), grey(0.6f)));
    }

    // A framed row or field in row k's geometry with the given frame colour.
    static void expectRow(int k, Rgb frame) {
        int b = rowBottom(k);
        EXPECT_TRUE(near(frameAt(208, b), frame));
        EXPECT_TRUE(near(frameAt(209, b + 12), frame));
        EXPECT_TRUE(near(frameAt(400, b + 1), frame));
        EXPECT_TRUE(near(frameAt(400, b + 23), frame));
        EXPECT_TRUE(near(frameAt(593, b + 12), frame));
        EXPECT_TRUE(near(frameAt(210, b + 2), grey(0.5f)));
        EXPECT_TRUE(near(frameAt(591, b + 21), grey(0.5f)));
        // One unit of the panel's face around it.
        EXPECT_TRUE(near(frameAt(207, b + 12), grey(0.6f)));
        EXPECT_TRUE(near(frameAt(594, b + 12), grey(0.6f)));
        EXPECT_TRUE(near(frameAt(400, b + 24), grey(0.6f)));
        EXPECT_TRUE(near(frameAt(400, b - 1), grey(0.6f)));
    }

    // Black glyphs on row k's face from its text position 225,460-25k on.
    static bool rowHasText(int k) { return textIn(212, rowBottom(k) + 4, 589, rowBottom(k) + 19); }
};

TEST_F(Panels, LibrarySelectAndRemoveLibraryShowAllThirteenRows) {
    for (char* flag : {&lib, &revLib}) {
        SCOPED_TRACE(flag == &lib ? "Library Select" : "Remove Library");
        reset();
        std::strcpy(librarSelect[0], "Piano");
        std::strcpy(librarSelect[4], "Drums");
        std::strcpy(librarSelect[12], "Bells");
        show(*flag);
        expectFrameAndLeave();
        for (int k = 0; k < SELECT_ROWS; ++k) {
            SCOPED_TRACE(k);
            expectRow(k, BLACK);
            EXPECT_EQ(rowHasText(k), k == 0 || k == 4 || k == 12);
        }
        // The names start at x 225 on their baselines.
        expectLabelAt(225, 460, 40, BLACK);
        expectLabelAt(225, 360, 40, BLACK);
        expectLabelAt(225, 160, 40, BLACK);
        // No Save button in a list panel: the rows end at 153, the face shows below.
        EXPECT_TRUE(near(frameAt(450, 115), grey(0.6f)));
    }
}

TEST_F(Panels, ATextWiderThanItsRowRunsOverTheFrame) {
    std::strcpy(librarSelect[0], "WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW");  // 31 characters
    show(lib);
    EXPECT_TRUE(textIn(595, 458, 700, 475));
}

TEST_F(Panels, ModeShowsItsTwoRowsAndNothingBelow) {
    show(mode);
    expectFrameAndLeave();
    expectRow(0, BLACK);
    expectRow(1, BLACK);
    EXPECT_TRUE(rowHasText(0));
    EXPECT_TRUE(rowHasText(1));
    // Below the two rows only the panel's face until the Leave button.
    EXPECT_TRUE(near(frameAt(400, rowBottom(2) + 12), grey(0.6f)));
    EXPECT_FALSE(textIn(200, 130, 500, 420));
}

TEST_F(Panels, AddLibraryFieldsFollowTheirFocusColours) {
    std::strcpy(AddLibNameMask, "Piano");
    std::strcpy(AddLibName, "piano");
    struct Case {
        float mask, name;
    };
    for (Case c : {Case{0, 0}, Case{1, 0}, Case{0, 1}, Case{1, 1}}) {
        SCOPED_TRACE(::testing::Message() << "mask " << c.mask << " name " << c.name);
        libMaskRed = c.mask;
        libNameRed = c.name;
        show(addLib);
        expectFrameAndLeave();
        expectRow(1, c.mask == 1 ? RED : BLACK);
        expectRow(3, c.name == 1 ? RED : BLACK);
        EXPECT_TRUE(rowHasText(1));
        EXPECT_TRUE(rowHasText(3));
    }
    // The two labels in the small font, on the bare face above each field.
    EXPECT_TRUE(textIn(225, 459, 330, 472));
    EXPECT_TRUE(textIn(225, 409, 330, 422));
    EXPECT_TRUE(near(frameAt(400, rowBottom(0) + 12), grey(0.6f)));
    EXPECT_TRUE(near(frameAt(400, rowBottom(2) + 12), grey(0.6f)));
    // Save: outer 421..506 x 102..125, grey 0.7 face, label at 445,108;
    // column 507 between Save and Leave shows the panel's face.
    EXPECT_TRUE(near(frameAt(421, 102), BLACK));
    EXPECT_TRUE(near(frameAt(423, 104), grey(0.7f)));
    EXPECT_TRUE(near(frameAt(504, 123), grey(0.7f)));
    EXPECT_TRUE(near(frameAt(505, 110), BLACK));
    EXPECT_TRUE(near(frameAt(506, 125), BLACK));
    EXPECT_TRUE(near(frameAt(507, 110), grey(0.6f)));
    EXPECT_TRUE(near(frameAt(420, 110), grey(0.6f)));
    expectLabelAt(445, 108, 40, BLACK);
}

TEST_F(Panels, AddLibraryEmptyFieldsAreBlankFaces) {
    show(addLib);
    EXPECT_FALSE(rowHasText(1));
    EXPECT_FALSE(rowHasText(3));
}

TEST_F(Panels, HelpAndAboutProseOnTheirBaselines) {
    show(help);
    expectFrameAndLeave();
    EXPECT_TRUE(textIn(202, 448, 400, 460));
    EXPECT_FALSE(textIn(200, 130, 597, 445));

    reset();
    show(about);
    expectFrameAndLeave();
    expectLabelAt(202, 487, 30, WHITE);
    for (int baseline : {450, 430, 410, 370, 350}) {
        SCOPED_TRACE(baseline);
        EXPECT_TRUE(textIn(202, baseline, 300, baseline + 9));
        EXPECT_FALSE(textIn(200, baseline, 201, baseline + 9));
    }
    // One blank line between the two groups: nothing on the baseline 390.
    EXPECT_FALSE(textIn(200, 387, 597, 398));
    EXPECT_FALSE(textIn(200, 130, 597, 340));
}

TEST_F(Panels, LaterPanelsHideEarlierOnes) {
    std::strcpy(librarSelect[2], "Organ");
    // Library Select under Mode: only Mode's two rows are seen.
    lib = 'y';
    show(mode);
    expectRow(1, BLACK);
    EXPECT_TRUE(near(frameAt(400, rowBottom(2) + 12), grey(0.6f)));
    EXPECT_FALSE(rowHasText(2));

    // All six open: About on top, with no rows, fields or Save button.
    for (char* flag : FLAGS) *flag = 'y';
    libMaskRed = libNameRed = 1.0f;
    renderFrame();
    expectFrameAndLeave();
    EXPECT_FALSE(anyPixelIn(200, 130, 597, 480, RED));
    EXPECT_TRUE(near(frameAt(400, rowBottom(3) + 12), grey(0.6f)));
    EXPECT_TRUE(near(frameAt(450, 115), grey(0.6f)));
    EXPECT_TRUE(textIn(202, 428, 300, 440));  // About's second line, which Help lacks

    // Add Library over Library Select: the field frames, not the list rows.
    reset();
    std::strcpy(librarSelect[1], "Organ");
    lib = 'y';
    libMaskRed = 1.0f;
    show(addLib);
    expectRow(1, RED);
    EXPECT_FALSE(rowHasText(1));
    EXPECT_TRUE(near(frameAt(400, rowBottom(2) + 12), grey(0.6f)));
}

TEST_F(Panels, AnyPanelHidesTheTitleAndClosingShowsItAgain) {
    // The title "Tonvask v1.0.1" sits at 320,270 on the grey 0.4 background.
    renderFrame();
    EXPECT_TRUE(anyPixelIn(320, 268, 460, 285, grey(0.6f)));
    for (char* flag : FLAGS) {
        reset();
        show(*flag);
        EXPECT_FALSE(anyPixelIn(320, 268, 460, 285, grey(0.4f)));
    }
    // Over a list panel's empty row 8 (face 255..274), no glyph of the
    // title shows through.
    reset();
    show(lib);
    EXPECT_FALSE(anyPixelIn(320, 256, 460, 273, grey(0.6f)));
    reset();
    renderFrame();
    EXPECT_TRUE(anyPixelIn(320, 268, 460, 285, grey(0.6f)));
}

TEST_F(Panels, OnlyYesOpensAPanel) {
    lib = 'Y';
    mode = 1;
    renderFrame();
    EXPECT_TRUE(near(frameAt(198, 300), grey(0.4f)));
    EXPECT_TRUE(near(frameAt(580, 490), grey(0.4f)));
}

}  // namespace
