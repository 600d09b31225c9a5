// The catalogue scan: reading tvlibs.dll into the catalogue and checking
// that every library file opens (find), reading the first names into the
// selection list (findGLUT), and loading one library's nine sample paths
// into keys (load).
#include <cstdio>

#include "catalogue/catalogue.hpp"
#include "catalogue/format.hpp"
#include "platform/console.hpp"
#include "shell/banner.hpp"
#include "shell/state.hpp"

static const char REGISTRATION[] = "tvlibs.dll";

void find() {
    F = std::fopen(REGISTRATION, "r");
    if (!F) return;
    WordReader in;
    beginWords(in, F);

    consolePrint("Initializing:|Finding Libraries");
    // A count that does not read leaves libs, and the names are read for it.
    long long n = readStoredCount(in, libs);
    consolePrint("|Loading Libraries");
    readEntries(in, n);
    consolePrint("|Closing Stream");
    std::fclose(F);
    F = nullptr;
    consoleClear();

    consolePrint("Validating Libraries:");
    for (int i = 0; i < libs; ++i) {
        FILE* library = std::fopen(libraries[i], "r");
        if (library) {
            std::fclose(library);
        } else {
            consolePrint("Error...\n\n");
            consolePrint("The library: %s cannot be found...\n\n", lib_name[i]);
        }
    }
    consolePrint(" OK\n\n");
    consoleClear();
    printBanner();
}

void findGLUT() {
    S = std::fopen(REGISTRATION, "r");
    if (!S) return;
    WordReader in;
    beginWords(in, S);
    readStoredCount(in, libs2);
    readSelection(in, libs2);
    std::fclose(S);
    S = nullptr;
}

void load(int iuser) {
    find();
    // The row may lie beyond the catalogue's slots; it then names nothing.
    bool inCatalogue = iuser >= 0 && iuser < MAX_LIBS;
    const char* name = inCatalogue ? lib_name[iuser] : "";
    consolePrint("\nLoading Library: %s|", name);
    consolePrint("Reading File|");
    F = inCatalogue ? std::fopen(libraries[iuser], "r") : nullptr;
    if (!F) {
        // keys keep the last library's samples. The message follows the
        // banner, since anything printed before the clear is gone at once.
        consoleClear();
        printBanner();
        if (name[0] != '\0') {
            consolePrint("Error...\n\nThe library: %s could not be opened...\n\n", name);
        } else {
            consolePrint("Error...\n\nNo library is registered at index %d...\n\n", iuser);
        }
        return;
    }
    consolePrint("Loading Information|");
    WordReader in;
    beginWords(in, F);
    readSamples(in);
    consolePrint("Loading Complete|\n\n");
    std::fclose(F);
    F = nullptr;
    consoleClear();
    printBanner();
}
