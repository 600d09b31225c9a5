// The interface state: every global the program keeps, for the whole run.
// The program is a set of free functions over these variables; each is
// defined once, with its start value, in state.cpp. Name slots are fixed
// 32-character fields holding a NUL-terminated string of at most 31.
#pragma once

#include <cstdio>

constexpr int NAME_SLOT = 32;    // bytes in one name slot, NUL included
constexpr int MAX_LIBS = 10000;  // catalogue capacity
constexpr int SELECT_ROWS = 13;  // rows of the selection list
constexpr int KEY_SLOTS = 100;   // sample-name slots (0 to 8 used)

// Window size
extern int appW;   // current window width in pixels
extern int appH;   // current window height in pixels
extern int appWT;  // width the window is created with
extern int appHT;  // height the window is created with

// Panel flags and voice selector ('y' open, 'n' closed)
extern char lib;     // Library Select panel open
extern char mode;    // Mode panel open
extern char addLib;  // Add Library panel open
extern char revLib;  // Remove Library panel open
extern char help;    // Help panel open
extern char about;   // About panel open
extern char sound;   // voice: 's' sample voice, 'b' beep voice

// Text entry of the Add Library panel
extern char maskType;                   // 'y' while the mask-name field has the focus
extern char nameType;                   // 'y' while the file-name field has the focus
extern char AddLibNameMask[NAME_SLOT];  // text of the mask-name field
extern char AddLibName[NAME_SLOT];      // text of the file-name field
extern int AddMaskInt;                  // next write index in AddLibNameMask
extern int AddNameInt;                  // next write index in AddLibName
extern float libMaskRed;                // red of the mask-name frame: 0 black, 1 red
extern float libNameRed;                // red of the file-name frame: 0 black, 1 red

// List choice
extern int iUser2;  // row last clicked in a list panel, 0 to 12

// Selection list
extern char librarSelect[SELECT_ROWS][NAME_SLOT];  // names shown as list rows 0 to 12
extern int libs2;                                  // count findGLUT last read

// Catalogue
extern int libs;                             // number of registered libraries
extern char lib_name[MAX_LIBS][NAME_SLOT];   // display names, entry k in slot k
extern char libraries[MAX_LIBS][NAME_SLOT];  // library file paths, paired with lib_name

// Sample names of the loaded library
extern char keys[KEY_SLOTS][NAME_SLOT];  // sample file of note index k in slot k (0 to 8)
extern char filename[NAME_SLOT];         // sample file the sample voice loads next

// Audio of the sample voice
extern unsigned int Buffer;   // name of the current OpenAL buffer
extern unsigned int Source;   // name of the current OpenAL source
extern float SourcePos[3];    // source position; effect keys move z
extern float SourceVel[3];    // source velocity; constant
extern float ListenerPos[3];  // listener position; constant
extern float ListenerVel[3];  // listener velocity; constant
extern float ListenerOri[6];  // listener "at" vector, then "up" vector; constant
extern float dfactorv;        // Doppler factor
extern float dvelv;           // Doppler velocity

// Working file handles of the catalogue routines
extern FILE* F;  // scan, loading, adding and removing
extern FILE* S;  // filling the selection list
