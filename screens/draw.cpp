// Text, the framed button, and one whole frame: background, title, the
// menu bar and then the open panels. Nothing is cached between frames;
// the same state always gives the same picture.
#include <GL/glut.h>

#include "screens/screens.hpp"

void renderBitmapString(float x, float y, float z, void* font, const char* string) {
    glRasterPos3f(x, y, z);
    // Characters go over as their signed 8-bit value widened to int.
    for (const char* c = string; *c != '\0'; ++c) glutBitmapCharacter(font, static_cast<signed char>(*c));
}

// The idiom of every button, row and field: a frame of the frame colour
// (black but for the text fields), a grey face two units inside it, and a
// black label at its fixed position.
void framedButton(float x1, float y1, float x2, float y2, float frameRed, float face, const char* label,
                  float labelX, float labelY, void* font) {
    glColor3f(frameRed, 0.0f, 0.0f);
    glRectf(x1, y1, x2, y2);
    glColor3f(face, face, face);
    glRectf(x1 + 2, y1 + 2, x2 - 2, y2 - 2);
    glColor3f(0.0f, 0.0f, 0.0f);
    renderBitmapString(labelX, labelY, 0.0f, font, label);
}

struct MenuButton {
    const char* label;
    float labelX;
};

// Button i spans x 3+105i .. 107+105i; labels sit on the baseline y = 10.
static const MenuButton MENU[] = {
    {"Library", 25}, {"Mode", 135},  {"Add Lib.", 230}, {"Rmv. Lib.", 335},
    {"Help", 455},   {"About", 553}, {"Exit", 665},
};

static void drawMenuBar() {
    for (int i = 0; i < 7; ++i) {
        float x1 = 3.0f + 105.0f * i;
        framedButton(x1, 3, x1 + 104, 27, 0.0f, 0.6f, MENU[i].label, MENU[i].labelX, 10,
                     GLUT_BITMAP_HELVETICA_18);
    }
}

void draw() {
    glColor3f(0.4f, 0.4f, 0.4f);
    glRectf(0, 0, 1024, 1024);
    glColor3f(0.6f, 0.6f, 0.6f);
    renderBitmapString(320, 270, 0, GLUT_BITMAP_HELVETICA_18, "Tonvask v1.0.1");
    drawMenuBar();
    drawPanels();
}
