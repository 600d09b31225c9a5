// The mouse handler against tables of events: each region's action and its
// inclusive bounds, press and release alike, the steps acting on several
// open panels at once, the middle button, right clicks in and out of the
// fields, and Exit in a child process. Run in an empty folder, so the
// catalogue calls find no registration file and change nothing here; their
// effects are tested with fixture files in mouse_catalogue_test.
#include <GL/glut.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "input/input.hpp"
#include "shell/state.hpp"
#include "support/tempdir.hpp"

namespace {

// Everything the handler may write, for "changes nothing" comparisons.
struct Snapshot {
    char lib, mode, addLib, revLib, help, about, sound, maskType, nameType;
    float libMaskRed, libNameRed;
    int AddMaskInt, AddNameInt, iUser2;
    bool operator==(const Snapshot& o) const { return std::memcmp(this, &o, sizeof *this) == 0; }
};

Snapshot snap() {
    Snapshot s;
    std::memset(&s, 0, sizeof s);  // padding too, for memcmp
    s.lib = lib, s.mode = mode, s.addLib = addLib, s.revLib = revLib, s.help = help, s.about = about;
    s.sound = sound, s.maskType = maskType, s.nameType = nameType;
    s.libMaskRed = libMaskRed, s.libNameRed = libNameRed;
    s.AddMaskInt = AddMaskInt, s.AddNameInt = AddNameInt, s.iUser2 = iUser2;
    return s;
}

void press(int x, int y) { myMouse(GLUT_LEFT_BUTTON, GLUT_DOWN, x, y); }
void click(int x, int y) {
    myMouse(GLUT_LEFT_BUTTON, GLUT_DOWN, x, y);
    myMouse(GLUT_LEFT_BUTTON, GLUT_UP, x, y);
}
void rightClick(int x, int y) {
    myMouse(GLUT_RIGHT_BUTTON, GLUT_DOWN, x, y);
    myMouse(GLUT_RIGHT_BUTTON, GLUT_UP, x, y);
}

char* const PANELS[] = {&lib, &mode, &addLib, &revLib, &help, &about};
const char* const PANEL_NAMES[] = {"lib", "mode", "addLib", "revLib", "help", "about"};

class Mouse : public ::testing::Test {
  protected:
    TempDir dir;  // no tvlibs.dll: the catalogue calls find nothing to read
    void SetUp() override { reset(); }
    void TearDown() override { reset(); }
    static void reset() {
        for (char* p : PANELS) *p = 'n';
        sound = 's';
        maskType = nameType = 'n';
        libMaskRed = libNameRed = 0.0f;
        AddMaskInt = AddNameInt = 0;
        iUser2 = 0;
        std::memset(AddLibNameMask, 0, sizeof AddLibNameMask);
        std::memset(AddLibName, 0, sizeof AddLibName);
    }
    // The open panels as a string of their flags, in drawing order.
    static std::string flags() {
        std::string s;
        for (char* p : PANELS) s += *p;
        return s;
    }
};

TEST_F(Mouse, MenuBarButtonsAndTheirInclusiveBounds) {
    struct Case {
        int x, y;
        const char* opens;  // flags afterwards: lib mode addLib revLib help about
    } cases[] = {
        {3, 585, "ynnnnn"},   {107, 585, "ynnnnn"}, {55, 573, "ynnnnn"},  {55, 597, "ynnnnn"},
        {108, 585, "nynnnn"}, {212, 585, "nynnnn"}, {213, 585, "nnynnn"}, {317, 585, "nnynnn"},
        {318, 585, "nnnynn"}, {422, 585, "nnnynn"}, {423, 585, "nnnnyn"}, {527, 585, "nnnnyn"},
        {528, 585, "nnnnny"}, {632, 585, "nnnnny"}, {2, 585, "nnnnnn"},   {738, 585, "nnnnnn"},
        {55, 572, "nnnnnn"},  {55, 598, "nnnnnn"},  {790, 585, "nnnnnn"}, {400, 300, "nnnnnn"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.x << "," << c.y);
        reset();
        click(c.x, c.y);
        EXPECT_EQ(flags(), c.opens);
    }
}

TEST_F(Mouse, OpeningAPanelLeavesTheOthersOpen) {
    for (int x : {50, 150, 250, 350, 450, 550}) click(x, 585);
    EXPECT_EQ(flags(), "yyyyyy");
    // A button whose panel is open sets its flag again.
    click(150, 585);
    EXPECT_EQ(flags(), "yyyyyy");
}

TEST_F(Mouse, PressAndReleaseAreHandledAlike) {
    myMouse(GLUT_LEFT_BUTTON, GLUT_UP, 450, 585);
    EXPECT_EQ(help, 'y');
    myMouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 550, 585);
    EXPECT_EQ(about, 'y');
    myMouse(GLUT_LEFT_BUTTON, GLUT_UP, 551, 485);  // Leave, on a release alone
    EXPECT_EQ(flags(), "nnnnnn");
}

TEST_F(Mouse, LeaveRegionSpans508To594And473To497InEveryPanel) {
    struct Case {
        int x, y;
        bool leaves;
    } cases[] = {
        {508, 473, true},  {594, 497, true},  {551, 485, true},  {594, 473, true},
        {507, 485, false}, {595, 485, false}, {551, 472, false}, {551, 498, false},
    };
    for (int p = 0; p < 6; ++p) {
        for (const Case& c : cases) {
            SCOPED_TRACE(::testing::Message() << PANEL_NAMES[p] << " " << c.x << "," << c.y);
            reset();
            *PANELS[p] = 'y';
            // (507, 485) is the Add Library panel's Save, which closes it too.
            bool closes = c.leaves || (PANELS[p] == &addLib && c.x == 507);
            click(c.x, c.y);
            EXPECT_EQ(*PANELS[p], closes ? 'n' : 'y');
        }
    }
}

TEST_F(Mouse, OneLeaveClosesEveryOpenPanelAndResetsTheFields) {
    for (char* p : PANELS) *p = 'y';
    maskType = nameType = 'y';
    libMaskRed = libNameRed = 1.0f;
    AddMaskInt = 5, AddNameInt = 3;
    std::strcpy(AddLibNameMask, "Piano");
    std::strcpy(AddLibName, "pia");
    press(520, 480);
    EXPECT_EQ(flags(), "nnnnnn");
    EXPECT_EQ(maskType, 'n');
    EXPECT_EQ(nameType, 'n');
    EXPECT_EQ(libMaskRed, 0.0f);
    EXPECT_EQ(libNameRed, 0.0f);
    EXPECT_EQ(AddMaskInt, 0);
    EXPECT_EQ(AddNameInt, 0);
    // The texts stay for the next opening.
    EXPECT_STREQ(AddLibNameMask, "Piano");
    EXPECT_STREQ(AddLibName, "pia");
}

TEST_F(Mouse, ModeRowsChooseTheVoiceAndClose) {
    struct Case {
        int x, y;
        char before, after;
        bool closes;
    } cases[] = {
        {208, 123, 'b', 's', true},  {594, 147, 'b', 's', true},  {400, 135, 'b', 's', true},
        {208, 148, 's', 'b', true},  {594, 172, 's', 'b', true},  {400, 160, 's', 'b', true},
        {400, 122, 'b', 'b', false}, {207, 135, 'b', 'b', false}, {595, 160, 's', 's', false},
        {400, 173, 's', 's', false}, {400, 300, 'b', 'b', false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.x << "," << c.y);
        reset();
        mode = 'y';
        sound = c.before;
        press(c.x, c.y);
        EXPECT_EQ(sound, c.after);
        EXPECT_EQ(mode, c.closes ? 'n' : 'y');
        // The release finds the panel closed (or the point outside the rows)
        // and changes nothing more.
        Snapshot s = snap();
        myMouse(GLUT_LEFT_BUTTON, GLUT_UP, c.x, c.y);
        EXPECT_TRUE(snap() == s);
    }
}

TEST_F(Mouse, ListRowsOfLibrarySelectAndTheirBounds) {
    struct Case {
        int x, y, row;  // -1: no row
    } cases[] = {
        {400, 123, 0},  {400, 147, 0},  {400, 148, 1},  {208, 160, 1},  {594, 160, 1},
        {400, 222, 3},  {400, 223, 4},  {400, 300, 7},  {400, 447, 12}, {400, 122, -1},
        {400, 448, -1}, {207, 160, -1}, {595, 160, -1}, {400, 470, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.x << "," << c.y);
        reset();
        lib = 'y';
        iUser2 = 99;  // out of every row's range, to see whether it was set
        click(c.x, c.y);
        EXPECT_EQ(iUser2, c.row < 0 ? 99 : c.row);
        EXPECT_EQ(lib, 'y');  // a row leaves the panel open
    }
}

TEST_F(Mouse, RemoveLibraryRowClosesThePanelAtThePress) {
    revLib = 'y';
    iUser2 = 99;
    press(400, 185);
    EXPECT_EQ(iUser2, 2);
    EXPECT_EQ(revLib, 'n');
    revLib = 'y';
    iUser2 = 99;
    press(400, 448);
    EXPECT_EQ(iUser2, 99);
    EXPECT_EQ(revLib, 'y');
}

TEST_F(Mouse, AddLibraryFieldsTakeAndLoseTheFocus) {
    addLib = 'y';
    click(208, 148);  // mask-name field, top left corner
    EXPECT_EQ(maskType, 'y');
    EXPECT_EQ(libMaskRed, 1.0f);
    EXPECT_EQ(nameType, 'n');
    click(594, 222);  // file-name field, bottom right corner; the mask keeps its focus
    EXPECT_EQ(nameType, 'y');
    EXPECT_EQ(libNameRed, 1.0f);
    EXPECT_EQ(maskType, 'y');

    // Right clicks outside the fields, in the gap between them, on Save or
    // on Leave change nothing.
    Snapshot both = snap();
    for (auto [x, y] : {std::pair{400, 185}, {400, 135}, {207, 160}, {595, 210}, {450, 485}, {551, 485}})
        rightClick(x, y);
    EXPECT_TRUE(snap() == both);

    rightClick(400, 160);  // mask-name field: only it loses the focus
    EXPECT_EQ(maskType, 'n');
    EXPECT_EQ(libMaskRed, 0.0f);
    EXPECT_EQ(nameType, 'y');
    EXPECT_EQ(libNameRed, 1.0f);
    rightClick(400, 160);  // a field without the focus stays without it
    EXPECT_EQ(maskType, 'n');
    rightClick(208, 198);
    EXPECT_EQ(nameType, 'n');
    EXPECT_EQ(libNameRed, 0.0f);

    // Left clicks between the fields or on the label rows give no focus.
    click(400, 185);
    click(400, 135);
    EXPECT_EQ(maskType, 'n');
    EXPECT_EQ(nameType, 'n');
}

TEST_F(Mouse, FieldsAnswerOnlyWhileAddLibraryIsOpen) {
    click(400, 160);
    click(400, 210);
    EXPECT_EQ(maskType, 'n');
    EXPECT_EQ(nameType, 'n');
    EXPECT_EQ(libMaskRed, 0.0f);

    // With the panel closed behind the fields' backs, a right click leaves
    // the focus flags alone.
    maskType = 'y';
    libMaskRed = 1.0f;
    rightClick(400, 160);
    EXPECT_EQ(maskType, 'y');
    EXPECT_EQ(libMaskRed, 1.0f);
}

TEST_F(Mouse, SaveClosesThePanelAtThePressAndKeepsTheTexts) {
    struct Case {
        int x, y;
        bool saves;
    } cases[] = {{421, 473, true},  {507, 497, true},  {460, 485, true},
                 {420, 485, false}, {460, 472, false}, {460, 498, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.x << "," << c.y);
        reset();
        addLib = 'y';
        maskType = nameType = 'y';
        libMaskRed = libNameRed = 1.0f;
        AddMaskInt = AddNameInt = 2;
        press(c.x, c.y);
        EXPECT_EQ(addLib, c.saves ? 'n' : 'y');
        EXPECT_EQ(maskType, c.saves ? 'n' : 'y');
        EXPECT_EQ(libNameRed, c.saves ? 0.0f : 1.0f);
        EXPECT_EQ(AddMaskInt, c.saves ? 0 : 2);
        EXPECT_EQ(AddNameInt, c.saves ? 0 : 2);
    }
    // Save exists only in Add Library: elsewhere its region does nothing.
    reset();
    help = 'y';
    click(460, 485);
    EXPECT_EQ(help, 'y');
}

TEST_F(Mouse, SeveralOpenPanelsActOnOneClick) {
    // Library Select and Mode: row 0 chooses the speaker, closes Mode and
    // leaves Library Select open on row 0.
    lib = mode = 'y';
    sound = 'b';
    iUser2 = 99;
    click(400, 135);
    EXPECT_EQ(sound, 's');
    EXPECT_EQ(mode, 'n');
    EXPECT_EQ(lib, 'y');
    EXPECT_EQ(iUser2, 0);

    // Add Library and Library Select: the mask-name field is list row 1.
    reset();
    addLib = lib = 'y';
    click(400, 160);
    EXPECT_EQ(maskType, 'y');
    EXPECT_EQ(iUser2, 1);
    EXPECT_EQ(flags(), "ynynnn");

    // Library Select and Remove Library: one row acts in both.
    reset();
    lib = revLib = 'y';
    press(400, 185);
    EXPECT_EQ(revLib, 'n');
    EXPECT_EQ(lib, 'y');
    EXPECT_EQ(iUser2, 2);
}

// The clicks run in a child, so a handler that ends the process cannot
// end the test program with it: the status tells, and a marker file shows
// whether the normal exit handlers ran.
int statusOfClicks(int button, int x, int y, const std::string& marker) {
    pid_t pid = fork();
    if (pid == 0) {
        static std::string path;
        path = marker;
        std::atexit([] {
            if (FILE* f = std::fopen(path.c_str(), "w")) std::fclose(f);
        });
        myMouse(button, GLUT_DOWN, x, y);
        myMouse(button, GLUT_UP, x, y);
        _exit(42);  // the handler returned
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return status;
}

TEST_F(Mouse, OtherButtonsChangeNothing) {
    for (char* p : PANELS) *p = 'y';
    Snapshot open = snap();
    // The middle button and unknown buttons, on Leave, a row and a field.
    for (int button : {GLUT_MIDDLE_BUTTON, 3, 4, -1})
        for (auto [x, y] : {std::pair{551, 485}, {400, 160}, {400, 210}, {50, 585}})
            for (int state : {GLUT_DOWN, GLUT_UP}) myMouse(button, state, x, y);
    EXPECT_TRUE(snap() == open);
    // Nor do they, or the right button, end the program from Exit.
    for (int button : {GLUT_MIDDLE_BUTTON, GLUT_RIGHT_BUTTON, 3}) {
        int status = statusOfClicks(button, 700, 585, dir.path + "/not-exited");
        ASSERT_TRUE(WIFEXITED(status)) << button;
        EXPECT_EQ(WEXITSTATUS(status), 42) << button;
    }
}

TEST_F(Mouse, ExitEndsTheProgramNormallyWithStatusZero) {
    for (int x : {633, 700, 737}) {
        SCOPED_TRACE(x);
        std::string marker = dir.path + "/exited-" + std::to_string(x);
        int status = statusOfClicks(GLUT_LEFT_BUTTON, x, 585, marker);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0);
        EXPECT_TRUE(fileExists(marker));
    }
    // Just outside the bar, and above and below it, the handler returns.
    for (auto [x, y] : {std::pair{738, 585}, {700, 572}, {700, 598}}) {
        int status = statusOfClicks(GLUT_LEFT_BUTTON, x, y, dir.path + "/not-exited");
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 42) << x << "," << y;
    }
}

}  // namespace
