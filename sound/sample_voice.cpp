// The sample voice: each note key tears the whole OpenAL set-up down and
// builds it afresh (device, context, buffer, source), loads that key's
// sample file and plays it once; the effect keys move the source along z
// and step the Doppler values, on the sounding sample at once and on every
// later note. Only one sample sounds at a time.
#include <AL/al.h>
#include <AL/alut.h>

#include <cstdlib>
#include <cstring>

#include "platform/console.hpp"
#include "shell/state.hpp"
#include "sound/sound.hpp"

// The stored values step in double precision and keep the nearest float,
// so a run of steps lands on the same numbers whatever the compiler does
// with float arithmetic.
static float stepped(float value, double by) { return static_cast<float>(static_cast<double>(value) + by); }

static void applyDoppler() {
    alDopplerFactor(dfactorv);
    alDopplerVelocity(dvelv);
}

// With nothing up there is no current context, and OpenAL ignores these calls.
static bool applyEffect(char key) {
    switch (key) {
        case '[':
            dfactorv = stepped(dfactorv, 0.1);
            dvelv = stepped(dvelv, 0.1);
            applyDoppler();
            return true;
        case ']':
            dfactorv = stepped(dfactorv, -0.1);
            dvelv = stepped(dvelv, -0.1);
            applyDoppler();
            return true;
        case '>':
            SourcePos[2] = stepped(SourcePos[2], 0.5);
            alSourcefv(Source, AL_POSITION, SourcePos);
            return true;
        case '<':
            SourcePos[2] = stepped(SourcePos[2], -0.5);
            alSourcefv(Source, AL_POSITION, SourcePos);
            return true;
        case '@':
            SourcePos[0] = 0.0f;
            SourcePos[1] = 0.0f;
            SourcePos[2] = 0.1f;
            dfactorv = 0.5f;
            dvelv = 0.5f;
            applyDoppler();
            alSourcefv(Source, AL_POSITION, SourcePos);
            return true;
        default:
            return false;
    }
}

void make(char key) {
    if (applyEffect(key)) return;
    int slot = noteIndex(key);
    if (slot < 0) return;

    alSourcePause(Source);
    KillALData();
    // A slot is a 32-byte field; copy at most 31 bytes of it and terminate.
    size_t length = strnlen(keys[slot], NAME_SLOT - 1);
    std::memcpy(filename, keys[slot], length);
    filename[length] = '\0';
    alutInit(nullptr, nullptr);
    SetListenerValues();
    std::atexit(KillALData);
    // Whatever the listener or Doppler settings recorded (a negative
    // Doppler value, say) must not fail the load.
    alGetError();
    if (LoadALData() == AL_FALSE) consolePrint("Error loading data.");
    alSourcePlay(Source);
}

ALboolean LoadALData() {
    alGenBuffers(1, &Buffer);
    if (alGetError() != AL_NO_ERROR) return AL_FALSE;

    // The loader leaves its outputs untouched for a file it cannot open:
    // start them as "no data", which OpenAL then refuses as a buffer.
    ALenum format = AL_FORMAT_MONO16;
    ALvoid* data = nullptr;
    ALsizei size = 0;
    ALsizei frequency = 0;
    ALboolean loop = AL_FALSE;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    alutLoadWAVFile(reinterpret_cast<ALbyte*>(filename), &format, &data, &size, &frequency, &loop);
#pragma GCC diagnostic pop
    alBufferData(Buffer, format, data, size, frequency);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    alutUnloadWAV(format, data, size, frequency);
#pragma GCC diagnostic pop

    alGenSources(1, &Source);
    if (alGetError() != AL_NO_ERROR) return AL_FALSE;
    alSourcei(Source, AL_BUFFER, static_cast<ALint>(Buffer));
    alSourcef(Source, AL_PITCH, 1.0f);
    alSourcef(Source, AL_GAIN, 1.0f);
    alSourcefv(Source, AL_POSITION, SourcePos);
    alSourcefv(Source, AL_VELOCITY, SourceVel);
    return alGetError() == AL_NO_ERROR ? AL_TRUE : AL_FALSE;
}

void SetListenerValues() {
    alListenerfv(AL_POSITION, ListenerPos);
    alListenerfv(AL_VELOCITY, ListenerVel);
    alListenerfv(AL_ORIENTATION, ListenerOri);
    applyDoppler();
}

// OpenAL keeps a buffer that a source still holds, and ALUT will not shut
// down while an OpenAL error is pending: so the source goes first, and the
// error state is cleared before the device is closed. Every note then
// leaves nothing of the previous one behind.
void KillALData() {
    alDeleteSources(1, &Source);
    alDeleteBuffers(1, &Buffer);
    alGetError();
    alutExit();
}
