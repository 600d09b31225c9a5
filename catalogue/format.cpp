// Reading the registration file and the library files as words, the way
// the standard "%d" and "%s" conversions see them, but never writing past
// a name slot; and writing the registration file's one-item-a-line layout.
#include "catalogue/format.hpp"

#include <cstring>

#include "shell/state.hpp"

// The blanks of "%s": space, tab, line feed, carriage return, vertical tab
// and form feed. Any other byte, NUL included, belongs to a word.
static bool isBlank(int c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
static bool isDigit(int c) { return c >= '0' && c <= '9'; }

static int next(WordReader& in) {
    if (in.heldCount > 0) return in.held[--in.heldCount];
    return std::getc(in.file);
}

static void giveBack(WordReader& in, int c) {
    if (c != EOF) in.held[in.heldCount++] = c;
}

static int skipBlanks(WordReader& in) {
    int c = next(in);
    while (isBlank(c)) c = next(in);
    return c;
}

void beginWords(WordReader& in, FILE* file) {
    in.file = file;
    in.heldCount = 0;
}

// "%d": skips blanks, then an optional sign and decimal digits. Without a
// digit nothing is consumed but the blanks, and false is returned. Huge
// values saturate instead of overflowing.
static bool readCount(WordReader& in, long long& count) {
    int c = skipBlanks(in);
    int sign = 0;
    if (c == '+' || c == '-') {
        sign = c;
        c = next(in);
    }
    if (!isDigit(c)) {
        // Not a number: the word stays whole for the reads that follow.
        giveBack(in, c);
        if (sign) giveBack(in, sign);
        return false;
    }
    // Saturates far beyond any catalogue and far before long long overflows.
    const long long cap = 1LL << 60;
    long long value = 0;
    while (isDigit(c)) {
        value = value <= (cap - 9) / 10 ? value * 10 + (c - '0') : cap;
        c = next(in);
    }
    giveBack(in, c);
    count = sign == '-' ? -value : value;
    return true;
}

bool readWord(WordReader& in, char* slot) {
    int c = skipBlanks(in);
    if (c == EOF) return false;
    int length = 0;
    while (c != EOF && !isBlank(c)) {
        if (length < NAME_SLOT - 1) slot[length++] = static_cast<char>(c);
        c = next(in);
    }
    slot[length] = '\0';
    giveBack(in, c);
    return true;
}

bool skipWord(WordReader& in) {
    int c = skipBlanks(in);
    if (c == EOF) return false;
    while (c != EOF && !isBlank(c)) c = next(in);
    giveBack(in, c);
    return true;
}

int catalogueCount(long long count) {
    if (count < 0) return 0;
    if (count > MAX_LIBS) return MAX_LIBS;
    return static_cast<int>(count);
}

long long readStoredCount(WordReader& in, int& stored) {
    long long n = stored;
    if (readCount(in, n)) stored = catalogueCount(n);
    return n;
}

void readEntries(WordReader& in, long long n) {
    int kept = catalogueCount(n);
    for (int i = 0; i < kept; ++i) readWord(in, lib_name[i]);
    // Every name precedes every path, so the names beyond the catalogue must
    // be passed over before the first path; a short file ends this early.
    for (long long i = kept; i < n; ++i) {
        if (!skipWord(in)) break;
    }
    for (int i = 0; i < kept; ++i) readWord(in, libraries[i]);
}

void readSelection(WordReader& in, int n) {
    int rows = n < SELECT_ROWS ? n : SELECT_ROWS;
    for (int i = 0; i < rows; ++i) readWord(in, librarSelect[i]);
}

void readSamples(WordReader& in) {
    for (int i = 0; i < 9; ++i) readWord(in, keys[i]);
}

bool writeLayout(FILE* out, int n, int skip, const char* addName, const char* addFile) {
    int count = n - (skip >= 0 && skip < n ? 1 : 0) + (addName ? 1 : 0);
    std::fprintf(out, " %d\n", count);
    for (int i = 0; i < n; ++i) {
        if (i != skip) std::fprintf(out, " %s\n", lib_name[i]);
    }
    if (addName) std::fprintf(out, " %s\n", addName);
    for (int i = 0; i < n; ++i) {
        if (i != skip) std::fprintf(out, " %s\n", libraries[i]);
    }
    if (addName) std::fprintf(out, " libs/%s\n", addFile);
    return std::ferror(out) == 0;
}
