// What the mouse handler's calls into the catalogue do, seen through real
// fixture files: how often a click loads or removes a library, that the
// selection list is read at both the press and the release, that several
// open panels act on one click in their order, and what Save registers.
// Runs that count console messages click in a child on a pseudo-terminal.
#include <GL/glut.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "input/input.hpp"
#include "shell/state.hpp"
#include "support/pty.hpp"
#include "support/tempdir.hpp"

namespace {

void click(int x, int y) {
    myMouse(GLUT_LEFT_BUTTON, GLUT_DOWN, x, y);
    myMouse(GLUT_LEFT_BUTTON, GLUT_UP, x, y);
}

int count(const std::string& text, const std::string& word) {
    int n = 0;
    for (size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) ++n;
    return n;
}

// The registration file as the program writes it.
std::string registration(const std::vector<std::string>& names) {
    std::string s = " " + std::to_string(names.size()) + "\n";
    for (const auto& n : names) s += " " + n + "\n";
    for (const auto& n : names) {
        std::string file = n;
        for (char& c : file) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        s += " libs/" + file + "\n";
    }
    return s;
}

// Libraries A, B, C, D with files libs/a .. libs/d naming samples a0.wav ..
void writeLibraries(const std::vector<std::string>& names) {
    writeFile("tvlibs.dll", registration(names));
    for (const auto& n : names) {
        std::string file = n;
        for (char& c : file) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        std::string samples;
        for (int i = 0; i < 9; ++i) samples += file + std::to_string(i) + ".wav\n";
        writeFile("libs/" + file, samples);
    }
}

char* const PANELS[] = {&lib, &mode, &addLib, &revLib, &help, &about};

class MouseCatalogue : public ::testing::Test {
  protected:
    TempDir dir;
    void SetUp() override {
        for (char* p : PANELS) *p = 'n';
        maskType = nameType = 'n';
        sound = 's';
        std::memset(librarSelect, 0, sizeof librarSelect);
        std::memset(AddLibNameMask, 0, sizeof AddLibNameMask);
        std::memset(AddLibName, 0, sizeof AddLibName);
        writeLibraries({"A", "B", "C", "D"});
    }
    void TearDown() override {
        for (char* p : PANELS) *p = 'n';
    }
};

TEST_F(MouseCatalogue, MenuButtonsReadTheSelectionListAtPressAndRelease) {
    struct Case {
        int x;
        char* flag;
    } cases[] = {{50, &lib}, {250, &addLib}, {350, &revLib}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.x);
        std::memset(librarSelect, 0, sizeof librarSelect);
        writeLibraries({"A", "B", "C", "D"});
        myMouse(GLUT_LEFT_BUTTON, GLUT_DOWN, c.x, 585);
        EXPECT_STREQ(librarSelect[3], "D");
        // The file changes between press and release: the release reads it again.
        writeLibraries({"E", "F"});
        myMouse(GLUT_LEFT_BUTTON, GLUT_UP, c.x, 585);
        EXPECT_STREQ(librarSelect[0], "E");
        EXPECT_STREQ(librarSelect[1], "F");
        EXPECT_STREQ(librarSelect[2], "C");  // rows beyond the count keep their names
        EXPECT_EQ(*c.flag, 'y');
        *c.flag = 'n';
    }
    // Mode, Help and About read nothing.
    std::memset(librarSelect, 0, sizeof librarSelect);
    for (int x : {150, 450, 550}) click(x, 585);
    EXPECT_STREQ(librarSelect[0], "");
}

TEST_F(MouseCatalogue, LibrarySelectRowLoadsTwicePerClickAndStaysOpen) {
    std::string out = captureOnPty([] {
        lib = 'y';
        click(400, 185);  // row 2
        std::printf("[keys %s %s lib %c iUser2 %d]", keys[0], keys[8], lib, iUser2);
    });
    EXPECT_EQ(count(out, "Loading Library: C|"), 2);
    EXPECT_EQ(count(out, "Loading Library:"), 2);
    EXPECT_NE(out.find("[keys c0.wav c8.wav lib y iUser2 2]"), std::string::npos) << out;
}

TEST_F(MouseCatalogue, RemoveLibraryRowRemovesOnceAtThePress) {
    revLib = 'y';
    click(400, 160);  // row 1: B
    EXPECT_EQ(readFile("tvlibs.dll"), registration({"A", "C", "D"}));
    EXPECT_EQ(revLib, 'n');
    // A row below the last library removes nothing and leaves the file.
    revLib = 'y';
    click(400, 300);  // row 7
    EXPECT_EQ(readFile("tvlibs.dll"), registration({"A", "C", "D"}));
    EXPECT_EQ(revLib, 'n');
}

TEST_F(MouseCatalogue, RemoveThenLoadWhenBothListPanelsAreOpen) {
    std::string out = captureOnPty([] {
        lib = revLib = 'y';
        click(400, 135);  // row 0: remove A, then load the new row 0 twice
    });
    EXPECT_EQ(readFile("tvlibs.dll"), registration({"B", "C", "D"}));
    EXPECT_EQ(count(out, "Loading Library: B|"), 2);
    EXPECT_EQ(count(out, "Loading Library:"), 2);
}

TEST_F(MouseCatalogue, ARowThatIsAlsoAModeRowOrAFieldLoadsToo) {
    std::string out = captureOnPty([] {
        lib = mode = 'y';
        sound = 'b';
        click(400, 135);  // Speaker Sound and row 0
        std::printf("[sound %c mode %c]", sound, mode);
    });
    EXPECT_EQ(count(out, "Loading Library: A|"), 2);
    EXPECT_NE(out.find("[sound s mode n]"), std::string::npos) << out;

    out = captureOnPty([] {
        lib = addLib = 'y';
        click(400, 160);  // the mask-name field and row 1
        std::printf("[mask %c]", maskType);
    });
    EXPECT_EQ(count(out, "Loading Library: B|"), 2);
    EXPECT_NE(out.find("[mask y]"), std::string::npos) << out;
}

TEST_F(MouseCatalogue, SaveRegistersTheTypedLibraryOnce) {
    addLib = 'y';
    std::strcpy(AddLibNameMask, "Piano");
    std::strcpy(AddLibName, "piano");
    click(460, 485);
    EXPECT_EQ(readFile("tvlibs.dll"), registration({"A", "B", "C", "D", "Piano"}));
    EXPECT_EQ(addLib, 'n');
    // Reopened, the panel shows the texts and the new name in the list.
    click(250, 585);
    EXPECT_EQ(addLib, 'y');
    EXPECT_STREQ(AddLibNameMask, "Piano");
    EXPECT_STREQ(librarSelect[4], "Piano");
}

TEST_F(MouseCatalogue, SaveOfUnfitFieldsClosesThePanelAndSaysWhyNothingWasAdded) {
    struct Case {
        const char *mask, *name, *why;
    } cases[] = {
        {"", "", "the mask name is empty"},
        {"Piano", "", "the file name is empty"},
        {"My Piano", "piano", "the mask name holds a blank"},
        {"Piano", "pi ano", "the file name holds a blank"},
    };
    static const Case* current;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        current = &c;
        std::string out = captureOnPty([] {
            addLib = 'y';
            std::strcpy(AddLibNameMask, current->mask);
            std::strcpy(AddLibName, current->name);
            click(460, 485);
            std::printf("[addLib %c]", addLib);
        });
        EXPECT_NE(out.find(c.why), std::string::npos) << out;
        EXPECT_NE(out.find("[addLib n]"), std::string::npos) << out;
        EXPECT_EQ(readFile("tvlibs.dll"), registration({"A", "B", "C", "D"}));
    }
}

}  // namespace
