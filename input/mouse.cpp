// The mouse-button callback: every click on the menu bar and the panels
// takes effect here. It compares the pointer with fixed regions of window
// pixels (origin top left, inclusive bounds, laid out for 800 x 600), sets
// the panel and focus flags, chooses the voice and starts the catalogue
// operations. Press and release are handled alike, and every step runs on
// every event, so one click can act on several open panels at once.
#include <GL/glut.h>

#include <cstdlib>

#include "catalogue/catalogue.hpp"
#include "input/input.hpp"
#include "shell/state.hpp"

// Types private to this file.
namespace {
struct Region {
    int x1, y1, x2, y2;
};
enum MenuButton { LIBRARY, MODE, ADD_LIB, RMV_LIB, HELP, ABOUT, EXIT };
}  // namespace

static constexpr bool in(const Region& r, int x, int y) {
    return x >= r.x1 && x <= r.x2 && y >= r.y1 && y <= r.y2;
}

// The menu bar's buttons touch one another; button i spans x 3+105i to 107+105i.
static constexpr Region menuButton(int i) { return {3 + 105 * i, 573, 107 + 105 * i, 597}; }

// The panel buttons' regions lie one pixel above the drawn buttons
// (474 to 498); clicks are taken where they always were.
static constexpr Region LEAVE = {508, 473, 594, 497};
static constexpr Region SAVE = {421, 473, 507, 497};

// List row k; the Mode rows and the two fields coincide with rows 0, 1 and 3.
static constexpr Region listRow(int k) { return {208, 123 + 25 * k, 594, 147 + 25 * k}; }

static constexpr Region MASK_FIELD = listRow(1);
static constexpr Region NAME_FIELD = listRow(3);

// The row of the list under the pointer, or -1.
static int rowAt(int x, int y) {
    for (int k = 0; k < SELECT_ROWS; ++k)
        if (in(listRow(k), x, y)) return k;
    return -1;
}

static int menuAt(int x, int y) {
    for (int i = LIBRARY; i <= EXIT; ++i)
        if (in(menuButton(i), x, y)) return i;
    return -1;
}

// Closing the Add Library panel takes the focus from both fields and
// rewinds their write positions; the texts stay for the next opening.
static void closeAddLibrary() {
    addLib = 'n';
    maskType = 'n';
    libMaskRed = 0.0f;
    nameType = 'n';
    libNameRed = 0.0f;
    AddMaskInt = 0;
    AddNameInt = 0;
}

static void addLibraryPanel(int x, int y) {
    if (in(MASK_FIELD, x, y)) {
        libMaskRed = 1.0f;
        maskType = 'y';
    } else if (in(NAME_FIELD, x, y)) {
        libNameRed = 1.0f;
        nameType = 'y';
    } else if (in(SAVE, x, y)) {
        add_Lib(AddLibNameMask, AddLibName);
        closeAddLibrary();
    } else if (in(LEAVE, x, y)) {
        closeAddLibrary();
    }
}

static void removeLibraryPanel(int x, int y) {
    int row = rowAt(x, y);
    if (row >= 0) {
        iUser2 = row;
        // Closed before the removal, so the release of the same click finds
        // the panel shut and removes nothing more.
        revLib = 'n';
        rev_lib(iUser2);
    } else if (in(LEAVE, x, y)) {
        revLib = 'n';
    }
}

static void modePanel(int x, int y) {
    if (in(listRow(0), x, y)) {
        sound = 's';
        mode = 'n';
    } else if (in(listRow(1), x, y)) {
        sound = 'b';
        mode = 'n';
    } else if (in(LEAVE, x, y)) {
        mode = 'n';
    }
}

// A row loads its library and leaves the panel open for another choice.
static void librarySelectPanel(int x, int y) {
    int row = rowAt(x, y);
    if (row >= 0) {
        iUser2 = row;
        load(iUser2);
    } else if (in(LEAVE, x, y)) {
        lib = 'n';
    }
}

// Opening a panel leaves the others as they are; the list panels and the
// Add Library panel read the registered names afresh each time.
static void menuBar(int x, int y) {
    switch (menuAt(x, y)) {
        case LIBRARY:
            findGLUT();
            lib = 'y';
            break;
        case MODE:
            mode = 'y';
            break;
        case ADD_LIB:
            findGLUT();
            addLib = 'y';
            break;
        case RMV_LIB:
            findGLUT();
            revLib = 'y';
            break;
        case HELP:
            help = 'y';
            break;
        case ABOUT:
            about = 'y';
            break;
        case EXIT:
            // A normal exit, so the sound's registered tear-downs run.
            std::exit(0);
        default:
            break;
    }
}

static void leftButton(int x, int y) {
    // Every step runs on every event, in this order, each testing its
    // panel's flag as it begins: one click can act on several open panels,
    // and a panel an earlier step closed is passed over.
    if (about == 'y' && in(LEAVE, x, y)) about = 'n';
    if (help == 'y' && in(LEAVE, x, y)) help = 'n';
    if (addLib == 'y') addLibraryPanel(x, y);
    if (revLib == 'y') removeLibraryPanel(x, y);
    if (mode == 'y') modePanel(x, y);
    if (lib == 'y') librarySelectPanel(x, y);
    menuBar(x, y);
}

// A right click in a field of the open Add Library panel takes its focus.
static void rightButton(int x, int y) {
    if (addLib != 'y') return;
    if (in(MASK_FIELD, x, y)) {
        maskType = 'n';
        libMaskRed = 0.0f;
    }
    if (in(NAME_FIELD, x, y)) {
        nameType = 'n';
        libNameRed = 0.0f;
    }
}

void myMouse(int button, int, int x, int y) {
    if (button == GLUT_LEFT_BUTTON)
        leftButton(x, y);
    else if (button == GLUT_RIGHT_BUTTON)
        rightButton(x, y);
}
