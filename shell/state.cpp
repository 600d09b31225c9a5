// Definitions and start values of the interface state declared in
// state.hpp, in the same order. Nothing resets these later: only the
// handlers and routines that own each variable change it.
#include "shell/state.hpp"

// Window size
int appW = 800;
int appH = 600;
int appWT = 800;
int appHT = 600;

// Panel flags and voice selector
char lib = 'n';
char mode = 'n';
char addLib = 'n';
char revLib = 'n';
char help = 'n';
char about = 'n';
char sound = 's';

// Text entry of the Add Library panel
char maskType = 'n';
char nameType = 'n';
char AddLibNameMask[NAME_SLOT] = {};
char AddLibName[NAME_SLOT] = {};
int AddMaskInt = 0;
int AddNameInt = 0;
float libMaskRed = 0.0f;
float libNameRed = 0.0f;

// List choice
int iUser2 = 0;

// Selection list
char librarSelect[SELECT_ROWS][NAME_SLOT] = {};
int libs2 = 0;

// Catalogue
int libs = 0;
char lib_name[MAX_LIBS][NAME_SLOT] = {};
char libraries[MAX_LIBS][NAME_SLOT] = {};

// Sample names of the loaded library
char keys[KEY_SLOTS][NAME_SLOT] = {};
char filename[NAME_SLOT] = {};

// Audio of the sample voice
unsigned int Buffer = 0;
unsigned int Source = 0;
float SourcePos[3] = {0.0f, 0.0f, 0.0f};
float SourceVel[3] = {0.0f, 0.0f, 0.1f};
float ListenerPos[3] = {0.0f, 0.0f, 0.0f};
float ListenerVel[3] = {0.0f, 0.0f, 0.0f};
float ListenerOri[6] = {0.0f, 0.0f, -1.0f, 0.0f, 1.0f, 0.0f};
float dfactorv = 0.5f;
float dvelv = 0.5f;

// Working file handles of the catalogue routines
FILE* F = nullptr;
FILE* S = nullptr;
