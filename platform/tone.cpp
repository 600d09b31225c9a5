// The tone generator: a sine with a short fade at each end, streamed to an
// OpenAL output device and context of its own, so the sample voice's
// device, context, buffer and source are never touched and a sample that
// is sounding plays on.
//
// The device is opened at the first tone and kept until exit: opening it
// costs milliseconds that a tone cannot spare, and one steady device lets
// tones follow each other on one queue, each one whole, never overlapping.
// Its context is made current for this thread only (ALC_EXT_thread_local_
// context) so the process-wide current context stays the sample voice's;
// without the extension the current context is saved and put back.
#include "platform/tone.hpp"

#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <thread>
#include <vector>

using Clock = std::chrono::steady_clock;

static ALCdevice* toneDevice = nullptr;
static ALCcontext* toneContext = nullptr;
static ALuint toneSource = 0;
static int toneRate = 0;
static PFNALCSETTHREADCONTEXTPROC setThreadContext = nullptr;
static PFNALCGETTHREADCONTEXTPROC getThreadContext = nullptr;

constexpr double AMPLITUDE = 0.5;
constexpr double FADE_SECONDS = 0.005;
constexpr int CHUNKS_AHEAD = 3;  // a long tone is queued at most this many chunks ahead

// Makes the tone context current and returns what has to be put back.
static ALCcontext* enterToneContext() {
    if (setThreadContext) {
        ALCcontext* previous = getThreadContext();
        setThreadContext(toneContext);
        return previous;
    }
    ALCcontext* previous = alcGetCurrentContext();
    alcMakeContextCurrent(toneContext);
    return previous;
}

static void leaveToneContext(ALCcontext* previous) {
    if (setThreadContext)
        setThreadContext(previous);
    else
        alcMakeContextCurrent(previous);
}

// Unqueues and deletes the buffers the source has finished with (all of
// them once it has stopped), but `keep`, which is still wanted.
static void reclaimPlayed(ALuint keep = 0) {
    ALint done = 0;
    alGetSourcei(toneSource, AL_BUFFERS_PROCESSED, &done);
    while (done-- > 0) {
        ALuint buffer = 0;
        alSourceUnqueueBuffers(toneSource, 1, &buffer);
        if (buffer != 0 && buffer != keep) alDeleteBuffers(1, &buffer);
    }
}

static void closeToneOutput() {
    if (!toneDevice) return;
    ALCcontext* previous = enterToneContext();
    // Let the last tone's tail leave the mixer before the device goes.
    auto deadline = Clock::now() + std::chrono::milliseconds(300);
    ALint state = AL_STOPPED;
    do {
        alGetSourcei(toneSource, AL_SOURCE_STATE, &state);
        if (state == AL_PLAYING) std::this_thread::sleep_for(std::chrono::milliseconds(2));
    } while (state == AL_PLAYING && Clock::now() < deadline);
    alSourceStop(toneSource);
    reclaimPlayed();
    alDeleteSources(1, &toneSource);
    leaveToneContext(previous);
    alcDestroyContext(toneContext);
    alcCloseDevice(toneDevice);
    toneDevice = nullptr;
    toneContext = nullptr;
    toneSource = 0;
}

static bool openToneOutput() {
    if (toneDevice) return true;
    ALCdevice* device = alcOpenDevice(nullptr);
    if (!device) return false;
    ALCcontext* context = alcCreateContext(device, nullptr);
    if (!context) {
        alcCloseDevice(device);
        return false;
    }
    if (alcIsExtensionPresent(nullptr, "ALC_EXT_thread_local_context")) {
        setThreadContext =
            reinterpret_cast<PFNALCSETTHREADCONTEXTPROC>(alcGetProcAddress(nullptr, "alcSetThreadContext"));
        getThreadContext =
            reinterpret_cast<PFNALCGETTHREADCONTEXTPROC>(alcGetProcAddress(nullptr, "alcGetThreadContext"));
        if (!setThreadContext || !getThreadContext) setThreadContext = nullptr, getThreadContext = nullptr;
    }
    ALCint rate = 0;
    alcGetIntegerv(device, ALC_FREQUENCY, 1, &rate);
    toneDevice = device;
    toneContext = context;
    toneRate = rate > 0 ? rate : 44100;

    ALCcontext* previous = enterToneContext();
    alGetError();
    alGenSources(1, &toneSource);
    // Heard where the listener is, whatever the listener does.
    alSourcei(toneSource, AL_SOURCE_RELATIVE, AL_TRUE);
    alSource3f(toneSource, AL_POSITION, 0.0f, 0.0f, 0.0f);
    alSourcef(toneSource, AL_ROLLOFF_FACTOR, 0.0f);
    bool ok = alGetError() == AL_NO_ERROR;
    leaveToneContext(previous);
    static bool registered = false;
    if (!registered) registered = std::atexit(closeToneOutput) == 0;
    if (!ok) closeToneOutput();
    return ok;
}

// Samples [from, from + count) of a tone of `total` samples.
static ALuint synthesise(double hz, int64_t from, int64_t count, int64_t total) {
    std::vector<int16_t> pcm(static_cast<size_t>(count));
    int64_t fade = std::min<int64_t>(static_cast<int64_t>(toneRate * FADE_SECONDS), total / 2);
    for (int64_t i = 0; i < count; ++i) {
        int64_t n = from + i;
        double gain = 1.0;
        int64_t edge = std::min(n, total - 1 - n);
        if (edge < fade) gain = 0.5 - 0.5 * std::cos(M_PI * edge / fade);
        // The phase from the sample's index within its cycle keeps precision in long tones.
        double cycles = std::fmod(hz * static_cast<double>(n), static_cast<double>(toneRate));
        pcm[static_cast<size_t>(i)] = static_cast<int16_t>(
            std::lround(32767.0 * AMPLITUDE * gain * std::sin(2 * M_PI * cycles / toneRate)));
    }
    ALuint buffer = 0;
    alGenBuffers(1, &buffer);
    alBufferData(buffer, AL_FORMAT_MONO16, pcm.data(), static_cast<ALsizei>(count * 2), toneRate);
    return buffer;
}

// Queues a buffer behind whatever the source still plays, so tones follow
// each other without overlap; a source that has stopped (or never played)
// starts afresh with it. A source that is not playing has either played
// its whole queue (all of it processed) or never started (nothing queued).
static void queueTone(ALuint buffer) {
    ALint state = AL_STOPPED;
    alGetSourcei(toneSource, AL_SOURCE_STATE, &state);
    if (state == AL_PLAYING) {
        alSourceQueueBuffers(toneSource, 1, &buffer);
        alGetSourcei(toneSource, AL_SOURCE_STATE, &state);
        if (state == AL_PLAYING) return;
        // It ran out just before the buffer joined: start over with it alone.
    }
    alSourceStop(toneSource);
    reclaimPlayed(buffer);
    ALint left = 0;
    alGetSourcei(toneSource, AL_BUFFERS_QUEUED, &left);
    if (left == 0) alSourceQueueBuffers(toneSource, 1, &buffer);
    alSourcePlay(toneSource);
}

bool Beep(unsigned int frequency, unsigned int duration) {
    auto start = Clock::now();
    auto end = start + std::chrono::milliseconds(duration);
    if (duration == 0) return true;
    if (!openToneOutput() || frequency == 0 || frequency >= static_cast<unsigned>(toneRate) / 2) {
        std::this_thread::sleep_until(end);
        return false;
    }

    ALCcontext* previous = enterToneContext();
    alGetError();
    reclaimPlayed();
    const int64_t total = static_cast<int64_t>(duration) * toneRate / 1000;
    const int64_t chunk = toneRate / 5;
    int64_t queuedUpTo = 0;
    for (;;) {
        ALint pending = 0;
        alGetSourcei(toneSource, AL_BUFFERS_QUEUED, &pending);
        ALint played = 0;
        alGetSourcei(toneSource, AL_BUFFERS_PROCESSED, &played);
        while (queuedUpTo < total && pending - played < CHUNKS_AHEAD) {
            int64_t count = std::min(chunk, total - queuedUpTo);
            queueTone(synthesise(frequency, queuedUpTo, count, total));
            queuedUpTo += count;
            ++pending;
        }
        auto now = Clock::now();
        if (now >= end) break;
        std::this_thread::sleep_until(std::min(end, now + std::chrono::milliseconds(50)));
        reclaimPlayed();
    }
    bool ok = alGetError() == AL_NO_ERROR;
    leaveToneContext(previous);
    return ok;
}
