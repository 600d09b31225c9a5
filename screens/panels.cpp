// The six dialog panels, painted over the frame after the menu bar in a
// fixed order: Library Select, Mode, Add Library, Remove Library, Help and
// About. They only show the interface state; the pointer handler's regions
// match the rectangles drawn here. All six share one opaque frame, so the
// last open panel in the order hides the ones before it.
#include <GL/glut.h>

#include "screens/screens.hpp"
#include "shell/state.hpp"

// The common frame: a black box with a grey 0.6 inside, a black title bar
// over its top and the panel's title in white on it.
static void panelFrame(const char* title) {
    glColor3f(0.0f, 0.0f, 0.0f);
    glRectf(198, 98, 602, 502);
    glColor3f(0.6f, 0.6f, 0.6f);
    glRectf(200, 100, 600, 500);
    glColor3f(0.0f, 0.0f, 0.0f);
    glRectf(198, 482, 602, 502);
    glColor3f(1.0f, 1.0f, 1.0f);
    renderBitmapString(202, 487, 0, GLUT_BITMAP_HELVETICA_12, title);
}

// Row k of a list, 24 units high, one unit below row k-1; row 0 at the top.
// Fields and the Mode panel's rows use the same geometry.
static void listRow(int k, float frameRed, const char* label) {
    float y1 = 453.0f - 25.0f * k;
    framedButton(208, y1, 594, y1 + 24, frameRed, 0.5f, label, 225, y1 + 7, GLUT_BITMAP_HELVETICA_18);
}

static void leaveButton() {
    framedButton(508, 102, 594, 126, 0.0f, 0.7f, "Leave", 527, 108, GLUT_BITMAP_HELVETICA_18);
}

static void saveButton() {
    framedButton(421, 102, 507, 126, 0.0f, 0.7f, "Save", 445, 108, GLUT_BITMAP_HELVETICA_18);
}

// Black prose in the small font, without a rectangle behind it.
static void smallText(float x, float y, const char* text) {
    glColor3f(0.0f, 0.0f, 0.0f);
    renderBitmapString(x, y, 0, GLUT_BITMAP_HELVETICA_12, text);
}

// All 13 rows are drawn whatever the slots hold; an empty slot is an empty
// row, and a slot left from an earlier filling still shows its name.
static void listPanel(const char* title) {
    panelFrame(title);
    for (int k = 0; k < SELECT_ROWS; ++k) listRow(k, 0.0f, librarSelect[k]);
    leaveButton();
}

static void modePanel() {
    panelFrame("Mode");
    // Neither row marks the voice in use.
    listRow(0, 0.0f, "Speaker Sound");
    listRow(1, 0.0f, "System Beep");
    leaveButton();
}

// The two fields sit where list rows 1 and 3 sit; their frames turn red
// while they have the focus, and both can at once.
static void addLibraryPanel() {
    panelFrame("Add Library");
    smallText(225, 460, "Library Mask Name:");
    listRow(1, libMaskRed, AddLibNameMask);
    smallText(225, 410, "Library Filename:");
    listRow(3, libNameRed, AddLibName);
    saveButton();
    leaveButton();
}

static void helpPanel() {
    panelFrame("Help");
    smallText(202, 450, "For help with Tonvask, view the manual.");
    leaveButton();
}

// The home page is the README where the install puts it (the build passes
// its address in); the README gives the same address for the default prefix.
static void aboutPanel() {
    panelFrame("About");
    smallText(202, 450, "Tonvask is written by the Tonvask developers.");
    smallText(202, 430, "Audio by OpenAL (https://www.openal.org)");
    smallText(202, 410, "Graphics by GLUT (https://freeglut.sourceforge.net)");
    smallText(202, 370, "Home page: " TONVASK_MANUAL_URL);
    smallText(202, 350, "All feedback is welcomed...");
    leaveButton();
}

void drawPanels() {
    if (lib == 'y') listPanel("Library Select");
    if (mode == 'y') modePanel();
    if (addLib == 'y') addLibraryPanel();
    if (revLib == 'y') listPanel("Remove Library");
    if (help == 'y') helpPanel();
    if (about == 'y') aboutPanel();
}
