#pragma once
// The game's sound layer: a sound system with a fixed number of channels, looping streams,
// effects played on free channels, channel volume and a per-frame update, in the calling
// form the game uses (`fmodSystem->playSound(FMOD_CHANNEL_FREE, sound, false, &channel)`).
// Mixing and decoding (WAV, MP3, OGG) are done by SDL_mixer on its own audio thread; every
// call here is made from the main thread.

#include <vector>

// Result of every call. FMOD_ErrorString gives the text of each.
enum FMOD_RESULT {
    FMOD_OK = 0,
    FMOD_ERR_INVALID_PARAM,  // a null handle or an argument out of range
    FMOD_ERR_UNINITIALIZED,  // the system was used before init succeeded
    FMOD_ERR_INITIALIZED,    // init called twice, or a second system opened the output
    FMOD_ERR_OUTPUT_INIT,    // not even the silent output could be opened
    FMOD_ERR_FILE_NOTFOUND,  // the sound file does not exist or cannot be read
    FMOD_ERR_FORMAT,         // the file exists but cannot be decoded
    FMOD_ERR_CHANNEL_ALLOC,  // every channel is busy
    FMOD_ERR_UNSUPPORTED,    // a request this layer does not offer (see playSound)
};

// Modes of createSound and createStream; they combine with |.
typedef unsigned int FMOD_MODE;
const FMOD_MODE FMOD_DEFAULT = 0x00000000;     // play once
const FMOD_MODE FMOD_LOOP_NORMAL = 0x00000002; // loop endlessly
const FMOD_MODE FMOD_SOFTWARE = 0x00000040;    // mixed in software: always so here

typedef unsigned int FMOD_INITFLAGS;
const FMOD_INITFLAGS FMOD_INIT_NORMAL = 0x00000000;

// Channel requests of playSound.
enum FMOD_CHANNELINDEX {
    FMOD_CHANNEL_FREE = -1, // any channel that is not playing
};

// Extended creation info; this layer takes none, callers pass null.
struct FMOD_CREATESOUNDEXINFO;

struct _Mix_Music;
struct Mix_Chunk;

namespace FMOD {

class System;

// A decoded effect or an opened stream; created by System, released with it.
class Sound {
public:
    Mix_Chunk* chunk = nullptr;    // freed by System::release; an effect's samples (null for a stream)
    _Mix_Music* music = nullptr;   // freed by System::release; a stream's decoder (null for an effect)
    FMOD_MODE mode = FMOD_DEFAULT; // as created; FMOD_LOOP_NORMAL makes it loop
    System* system = nullptr;      // not owned: the system that created it
};

// One voice of the system. Effects play on mixer channels 0 … channelCount - 2; a stream
// plays on the mixer's separate music voice, which counts as the last channel. A handle
// stays valid while its system is open and stands for the voice, not for one playing.
class Channel {
public:
    FMOD_RESULT setVolume(float volume); // 0 silent … 1 full; values outside are clamped

    int mixerChannel = -1;       // SDL_mixer channel of an effect; -1 for the stream voice
    System* system = nullptr;    // not owned: the system that owns this channel
};

class System {
public:
    ~System();

    // Opens the audio output with `maxChannels` channels (1 … 4096). With no usable audio
    // device the output is SDL's silent "dummy" driver and one line says so; only when even
    // that fails is the result an error. `flags` and `extraDriverData` are accepted and unused.
    FMOD_RESULT init(int maxChannels, FMOD_INITFLAGS flags, void* extraDriverData);
    // Decodes a whole file into memory (short effects). On failure *sound is set to null.
    FMOD_RESULT createSound(const char* fileName, FMOD_MODE mode, FMOD_CREATESOUNDEXINFO* info, Sound** sound);
    // Opens a file for decoding while it plays (music). One stream plays at a time.
    FMOD_RESULT createStream(const char* fileName, FMOD_MODE mode, FMOD_CREATESOUNDEXINFO* info, Sound** sound);
    // Starts `sound` on a free channel (FMOD_CHANNEL_FREE is the only request offered) and,
    // when `channel` is not null, returns the channel in it. Starting paused is not offered
    // (FMOD_ERR_UNSUPPORTED) because the mixer could not hold a voice back without a gap.
    FMOD_RESULT playSound(FMOD_CHANNELINDEX channelIndex, Sound* sound, bool paused, Channel** channel);
    // Per-frame work; the mixer runs on its own thread, so this only checks the system.
    FMOD_RESULT update();
    // Stops everything, frees every sound and closes the output. The game never calls it
    // (its sounds live until the process ends); tests and tools do.
    FMOD_RESULT release();

    int channelCount = 0;          // channels given to init; 0 before init
    std::vector<Channel> channels; // the effect channels, channelCount - 1 of them
    Channel streamChannel;         // the stream voice
    std::vector<Sound*> sounds;    // owned: every sound created, freed by release()
    bool outputOpen = false;       // init succeeded and release has not run
    bool silentOutput = false;     // no audio device: playing into SDL's dummy driver

private:
    FMOD_RESULT createSample(const char* fileName, FMOD_MODE mode, bool stream, Sound** sound);
};

} // namespace FMOD

// Creates an uninitialised system; the caller initialises it with init(). Never fails
// unless `system` is null.
FMOD_RESULT FMOD_System_Create(FMOD::System** system);

// A short English text for every result code (and one for an unknown value).
const char* FMOD_ErrorString(FMOD_RESULT result);
