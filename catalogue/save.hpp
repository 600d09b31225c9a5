// Replacing tvlibs.dll whole without ever leaving it lost or half written.
#pragma once

// Writes the registration file from the catalogue as writeLayout does,
// through a new file in the same folder that is flushed to disk and then
// renamed over the old one. On any failure the old file is left exactly as
// it was, the new one is removed, the console says why, and false returns.
bool saveRegistration(int n, int skip, const char* addName, const char* addFile);
