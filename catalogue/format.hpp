// The word format shared by the registration file and the library files:
// blank-separated words read into name slots, and the registration file's
// own layout when it is written back.
#pragma once

#include <cstdio>

// A file being read as words. Holds back up to two characters so that a
// sign without digits after it can be returned to the word it starts.
struct WordReader {
    FILE* file;
    int held[2];
    int heldCount;
};

void beginWords(WordReader& in, FILE* file);

// "%s" into a name slot: its first 31 characters are stored and the rest of
// the word is skipped. At the end of the file nothing is stored.
bool readWord(WordReader& in, char* slot);
bool skipWord(WordReader& in);

int catalogueCount(long long count);  // a read count brought into 0..MAX_LIBS

// Reads the file's count into `stored` (brought into 0..MAX_LIBS) and
// returns the count the entries are read for: the count as read, or, when
// the first word is no number, `stored` as it was.
long long readStoredCount(WordReader& in, int& stored);

// Reads the n names and then the paths of the registration file into the
// catalogue; names beyond the catalogue's capacity are skipped to keep the
// paths in step.
void readEntries(WordReader& in, long long n);
void readSelection(WordReader& in, int n);  // the first min(n, 13) names
void readSamples(WordReader& in);           // nine sample paths into keys

// Writes the registration file in the program's layout: catalogue entries
// 0 to n-1 but `skip` (-1 for none), then, when addName is given, a new
// entry whose path is libs/ followed by addFile. False on a write error.
bool writeLayout(FILE* out, int n, int skip, const char* addName, const char* addFile);
