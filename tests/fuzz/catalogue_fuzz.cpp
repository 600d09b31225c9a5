// Fuzz target for the word readers of the registration file and the
// library files. Whatever the bytes, every slot keeps its terminating NUL
// and the counts stay within the catalogue; and a catalogue of well-formed
// words survives being written in the program's layout and read back.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "catalogue/format.hpp"
#include "shell/state.hpp"

static void check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}

static bool terminated(const char* slot) { return std::memchr(slot, '\0', NAME_SLOT) != nullptr; }

static bool wellFormed(const char* word) {
    if (word[0] == '\0') return false;
    for (const char* c = word; *c; ++c) {
        if (*c == ' ' || (*c >= '\t' && *c <= '\r')) return false;
    }
    return true;
}

// Reads a whole registration file from memory into the catalogue.
static void readRegistration(const char* text, size_t size) {
    FILE* f = fmemopen(const_cast<char*>(text), size, "r");
    check(f != nullptr, "fmemopen");
    WordReader in;
    beginWords(in, f);
    readEntries(in, readStoredCount(in, libs));
    std::fclose(f);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;  // fmemopen wants at least one byte; an empty file is a unit test
    const char* text = reinterpret_cast<const char*>(data);
    libs = 3;
    libs2 = 3;

    readRegistration(text, size);
    check(libs >= 0 && libs <= MAX_LIBS, "libs within the catalogue");
    int touched = libs > 3 ? libs : 3;
    for (int i = 0; i < touched; ++i) {
        check(terminated(lib_name[i]) && terminated(libraries[i]), "catalogue slot terminated");
    }

    FILE* f = fmemopen(const_cast<char*>(text), size, "r");
    WordReader in;
    beginWords(in, f);
    readStoredCount(in, libs2);
    readSelection(in, libs2);
    std::fclose(f);
    check(libs2 >= 0 && libs2 <= MAX_LIBS, "libs2 within the catalogue");
    for (auto& row : librarSelect) check(terminated(row), "selection row terminated");

    f = fmemopen(const_cast<char*>(text), size, "r");
    beginWords(in, f);
    readSamples(in);
    std::fclose(f);
    for (int i = 0; i < KEY_SLOTS; ++i) check(terminated(keys[i]), "sample slot terminated");
    check(keys[9][0] == '\0', "only nine samples are read");

    // Round trip: remove one entry and add one, write, read back.
    int count = libs;
    for (int i = 0; i < count; ++i) {
        if (!wellFormed(lib_name[i]) || !wellFormed(libraries[i])) return 0;
    }
    if (count >= MAX_LIBS) return 0;
    int skip = count > 0 ? static_cast<int>(data[0] % count) : -1;
    std::vector<std::string> names, paths;
    for (int i = 0; i < count; ++i) {
        if (i == skip) continue;
        names.push_back(lib_name[i]);
        paths.push_back(libraries[i]);
    }
    names.push_back("Added");
    paths.push_back("libs/added");

    char* written = nullptr;
    size_t length = 0;
    FILE* out = open_memstream(&written, &length);
    check(writeLayout(out, count, skip, "Added", "added"), "layout written");
    std::fclose(out);
    readRegistration(written, length);
    std::free(written);
    check(libs == static_cast<int>(names.size()), "count read back");
    for (int i = 0; i < libs; ++i) {
        check(names[i] == lib_name[i], "name read back");
        check(paths[i] == libraries[i], "path read back");
    }
    return 0;
}
