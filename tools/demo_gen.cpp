// Builds Tonvask's demo working folder: three libraries of nine generated
// samples each, their library files and a registration file naming them,
// all with paths relative to the folder, so the program started there has
// a working catalogue. Usage: tonvask-demo-gen FOLDER
//
// The samples and library files belong to the demo and are brought up to
// date on every run. The registration file belongs to the user as soon as
// they change it (by adding or removing a library in the window): it is
// written only when it is missing or still holds what this tool last wrote,
// which it remembers in RECORD beside it.
#include <cstdio>
#include <string>
#include <vector>

#include "voices.hpp"
#include "wav_out.hpp"

static const char RECORD[] = ".tvlibs.dll.generated";

struct Library {
    const char* display;  // one word: the registration file's name format
    const char* folder;   // libs/<folder> and samples/<folder>/
    const char* samples[NOTES];
};

static const Library LIBRARIES[] = {
    {"Sine", "sine", {"c4", "d4", "e4", "f4", "g4", "a4", "b4", "c5", "d5"}},
    {"Strings", "strings", {"c4", "d4", "e4", "f4", "g4", "a4", "b4", "c5", "d5"}},
    {"Drums", "drums", {"kick", "snare", "hat", "openhat", "lowtom", "midtom", "hightom", "clap", "cowbell"}},
};

static std::vector<float> render(int library, int note) {
    std::vector<float> raw;
    double rise = 0.002;
    switch (library) {
        case 0:
            raw = sineNote(scaleFrequency(note));
            rise = 0.01;  // a soft onset for the pure tone
            break;
        case 1:
            raw = pluckedNote(scaleFrequency(note));
            break;
        default:
            raw = drumHit(note);
            break;
    }
    finishSample(raw, rise);
    return raw;
}

static std::string registration() {
    // The layout the program itself writes: the count, the names, the paths,
    // one item a line, each line led by a space.
    std::string text = " " + std::to_string(sizeof LIBRARIES / sizeof LIBRARIES[0]) + "\n";
    for (const Library& l : LIBRARIES) text += std::string(" ") + l.display + "\n";
    for (const Library& l : LIBRARIES) text += std::string(" libs/") + l.folder + "\n";
    return text;
}

static bool writeRegistration(const std::string& folder) {
    std::string path = folder + "/tvlibs.dll", record = folder + "/" + RECORD;
    std::string wanted = registration(), current, previous;
    bool exists = readWhole(path, current);
    bool ours = !exists || current == wanted || (readWhole(record, previous) && current == previous);
    if (!ours) {
        std::printf("tonvask-demo-gen: %s was changed by hand; keeping it\n", path.c_str());
        return true;
    }
    return writeIfChanged(path, wanted) && writeIfChanged(record, wanted);
}

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    std::string folder = argv[1];
    bool ok = true;
    int index = 0;
    for (const Library& l : LIBRARIES) {
        std::string list;
        for (int note = 0; note < NOTES; ++note) {
            // At most 31 characters, relative to the working folder: the
            // program reads sample paths into 32-byte slots.
            std::string sample = std::string("samples/") + l.folder + "/" + l.samples[note] + ".wav";
            ok = writeIfChanged(folder + "/" + sample, wavBytes(render(index, note))) && ok;
            list += sample + "\n";
        }
        ok = writeIfChanged(folder + "/libs/" + l.folder, list) && ok;
        ++index;
    }
    ok = writeRegistration(folder) && ok;
    if (!ok) std::fprintf(stderr, "tonvask-demo-gen: could not write every file under %s\n", folder.c_str());
    return ok ? 0 : 1;
}
