// Everything drawn in the window: text, the framed button, the menu bar
// and the six panels.
#pragma once

void renderBitmapString(float x, float y, float z, void* font, const char* string);
void framedButton(float x1, float y1, float x2, float y2, float frameRed, float face,
                  const char* label, float labelX, float labelY, void* font);
void draw();
void drawPanels();  // the open panels, in their fixed order
