// Placeholder until the catalogue lands: the scan, the selection list and
// library loading.
#include "catalogue/catalogue.hpp"

void find() {}
void findGLUT() {}
void load(int) {}
