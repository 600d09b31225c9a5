// Adding and removing libraries: each scans the catalogue afresh, then
// rewrites the whole registration file from it. Input that the word format
// cannot hold is refused, since one stray blank would shift every later
// word of the file and corrupt every library after it.
#include <cstring>

#include "catalogue/catalogue.hpp"
#include "catalogue/save.hpp"
#include "platform/console.hpp"
#include "shell/state.hpp"

static const char LIBS_FOLDER[] = "libs/";

// Why a word cannot go into the registration file, or nullptr if it can.
// `room` is how many characters of a name slot the word may take.
static const char* unfit(const char* word, size_t room, const char* tooLong) {
    if (!word || word[0] == '\0') return "is empty";
    // Bounded: a text field that filled its slot without a NUL must not be
    // read beyond it.
    size_t length = strnlen(word, NAME_SLOT);
    for (size_t i = 0; i < length; ++i) {
        unsigned char c = static_cast<unsigned char>(word[i]);
        if (c <= ' ' || c == 0x7f) return "holds a blank or a control character";
    }
    return length > room ? tooLong : nullptr;
}

void add_Lib(const char* new_lib_name, const char* new_lib) {
    find();
    int n = libs;
    const size_t slot = NAME_SLOT - 1;
    const char* why = unfit(new_lib_name, slot, "is longer than 31 characters");
    if (why) {
        consolePrint("Error...\n\nThe library was not added: the mask name %s...\n\n", why);
        return;
    }
    why = unfit(new_lib, slot - (sizeof LIBS_FOLDER - 1), "is longer than 31 characters with libs/");
    if (why) {
        consolePrint("Error...\n\nThe library was not added: the file name %s...\n\n", why);
        return;
    }
    if (n >= MAX_LIBS) {
        consolePrint("Error...\n\nThe library was not added: the catalogue already holds %d libraries...\n\n",
                     MAX_LIBS);
        return;
    }
    // The new entry goes to the file only; the next scan brings it in.
    libs = n + 1;
    if (!saveRegistration(n, -1, new_lib_name, new_lib)) libs = n;
}

void rev_lib(int rlib) {
    find();
    int n = libs;
    if (rlib < 0 || rlib >= n) return;
    // The file is written first, so a failed write leaves memory as it was.
    if (!saveRegistration(n, rlib, nullptr, nullptr)) return;
    for (int i = rlib; i < n - 1; ++i) {
        std::memcpy(lib_name[i], lib_name[i + 1], NAME_SLOT);
        std::memcpy(libraries[i], libraries[i + 1], NAME_SLOT);
    }
    std::memset(lib_name[n - 1], 0, NAME_SLOT);
    std::memset(libraries[n - 1], 0, NAME_SLOT);
    libs = n - 1;
}
