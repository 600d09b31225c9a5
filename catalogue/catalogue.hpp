// The library catalogue: the registration file tvlibs.dll, the scan that
// reads and validates it, library loading, adding and removing.
#pragma once

void find();
void findGLUT();
void load(int iuser);
void add_Lib(const char* new_lib_name, const char* new_lib);
void rev_lib(int rlib);
