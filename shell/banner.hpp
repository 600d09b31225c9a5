// The copyright banner shown at start-up and after every catalogue
// operation, so the console always ends on it.
#pragma once

extern const char BANNER[];  // one copyright line, then an empty line

void printBanner();
