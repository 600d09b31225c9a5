// Placeholder until the catalogue lands: adding and removing libraries.
#include "catalogue/catalogue.hpp"

void add_Lib(const char*, const char*) {}
void rev_lib(int) {}
