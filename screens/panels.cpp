// The six dialog panels, drawn over the menu bar's frame when their flags
// are open.
#include "screens/screens.hpp"

// The panels arrive with the pointer handling; until then none is drawn.
void drawPanels() {}
