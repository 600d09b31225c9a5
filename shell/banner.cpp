// The one copyright banner, shared by start-up and the catalogue routines.
#include "shell/banner.hpp"

#include "platform/console.hpp"

const char BANNER[] = "Tonvask v1.0.1 - Copyright (C) 2026 the Tonvask developers\n\n";

void printBanner() { consolePrint("%s", BANNER); }
