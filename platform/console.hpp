// The text console: clearing it, titling it and printing to it. Clears and
// titles are terminal sequences, written only when standard output is a
// terminal, so output redirected to a file stays plain text.
#pragma once

void consoleClear();                   // home the cursor, erase screen and scroll-back
void consoleTitle(const char* title);  // set the terminal window's title
void consolePrint(const char* format, ...) __attribute__((format(printf, 1, 2)));  // printf, then flush
