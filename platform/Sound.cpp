#include "platform/Sound.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>
#include <algorithm>
#include <cstdio>
#include <iostream>

namespace {

// SDL_mixer has one output per process, so only one system may hold it.
FMOD::System* outputOwner = nullptr;

const int outputFrequency = 44100; // Hz
const int outputChannels = 2;      // stereo
// Frames per mixing buffer: about 23 ms at 44.1 kHz, short enough that an effect starts
// with the frame that asked for it.
const int outputBufferFrames = 1024;
const int maxChannelsAllowed = 4096;

bool fileReadable(const char* fileName)
{
    std::FILE* file = std::fopen(fileName, "rb");
    if (file == nullptr)
        return false;
    std::fclose(file);
    return true;
}

// Opens the mixer on the audio driver SDL has chosen (SDL_AUDIODRIVER, when set, chooses
// it). A driver that lists no output device is not asked to open one: ALSA without a sound
// card would fill standard error with its own complaints before failing.
bool openDeviceOutput()
{
    // NOTE: SDL's audio start-up may fork a helper (the session bus auto-launch), whose exit
    // flushes a copy of every unwritten console line: the log would show them twice.
    std::fflush(stdout);
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return false;
    if (SDL_GetNumAudioDevices(0) != 0 // -1: the driver cannot list devices; try it
        && Mix_OpenAudio(outputFrequency, MIX_DEFAULT_FORMAT, outputChannels, outputBufferFrames) == 0)
        return true;
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
}

// Plays into silence through SDL's "dummy" driver: sounds start, mix and end as usual.
bool openSilentOutput()
{
    // The override outranks SDL_AUDIODRIVER; it is dropped again at once so that a later
    // init still honours the environment.
    SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "dummy", SDL_HINT_OVERRIDE);
    bool opened = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0
        && Mix_OpenAudio(outputFrequency, MIX_DEFAULT_FORMAT, outputChannels, outputBufferFrames) == 0;
    SDL_ResetHint(SDL_HINT_AUDIODRIVER);
    if (!opened)
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return opened;
}

} // namespace

namespace FMOD {

FMOD_RESULT Channel::setVolume(float volume)
{
    if (system == nullptr || !system->outputOpen)
        return FMOD_ERR_UNINITIALIZED;
    int mixerVolume = static_cast<int>(std::clamp(volume, 0.0f, 1.0f) * MIX_MAX_VOLUME + 0.5f);
    if (mixerChannel < 0)
        Mix_VolumeMusic(mixerVolume);
    else
        Mix_Volume(mixerChannel, mixerVolume);
    return FMOD_OK;
}

System::~System()
{
    release();
}

FMOD_RESULT System::init(int maxChannels, FMOD_INITFLAGS, void*)
{
    if (outputOpen || outputOwner != nullptr)
        return FMOD_ERR_INITIALIZED;
    if (maxChannels < 1 || maxChannels > maxChannelsAllowed)
        return FMOD_ERR_INVALID_PARAM;

    // A missing MP3 or OGG decoder is not an error here: loading such a file fails with
    // FMOD_ERR_FORMAT, naming the file that could not be played.
    Mix_Init(MIX_INIT_MP3 | MIX_INIT_OGG);
    // SDL would catch SIGINT and SIGTERM and turn them into a quit event that nothing here
    // reads, so that neither Ctrl+C nor kill could end the game: the game has its own.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    silentOutput = !openDeviceOutput();
    if (silentOutput) {
        if (!openSilentOutput()) {
            Mix_Quit();
            return FMOD_ERR_OUTPUT_INIT;
        }
        std::cout << "No audio device found: sound plays into silence (SDL dummy output)" << std::endl;
    }

    channelCount = maxChannels;
    channels.assign(maxChannels - 1, Channel());
    for (int i = 0; i < maxChannels - 1; ++i) {
        channels[i].mixerChannel = i;
        channels[i].system = this;
    }
    streamChannel.mixerChannel = -1;
    streamChannel.system = this;
    Mix_AllocateChannels(maxChannels - 1);
    outputOpen = true;
    outputOwner = this;
    return FMOD_OK;
}

FMOD_RESULT System::createSound(const char* fileName, FMOD_MODE mode, FMOD_CREATESOUNDEXINFO*, Sound** sound)
{
    return createSample(fileName, mode, false, sound);
}

FMOD_RESULT System::createStream(const char* fileName, FMOD_MODE mode, FMOD_CREATESOUNDEXINFO*, Sound** sound)
{
    return createSample(fileName, mode, true, sound);
}

FMOD_RESULT System::createSample(const char* fileName, FMOD_MODE mode, bool stream, Sound** sound)
{
    if (sound == nullptr || fileName == nullptr)
        return FMOD_ERR_INVALID_PARAM;
    *sound = nullptr;
    if (!outputOpen)
        return FMOD_ERR_UNINITIALIZED;
    if (!fileReadable(fileName))
        return FMOD_ERR_FILE_NOTFOUND;

    Sound* created = new Sound();
    created->mode = mode;
    created->system = this;
    if (stream)
        created->music = Mix_LoadMUS(fileName);
    else
        created->chunk = Mix_LoadWAV(fileName);
    if (created->music == nullptr && created->chunk == nullptr) {
        delete created;
        return FMOD_ERR_FORMAT;
    }
    sounds.push_back(created);
    *sound = created;
    return FMOD_OK;
}

FMOD_RESULT System::playSound(FMOD_CHANNELINDEX channelIndex, Sound* sound, bool paused, Channel** channel)
{
    if (channel != nullptr)
        *channel = nullptr;
    if (!outputOpen)
        return FMOD_ERR_UNINITIALIZED;
    if (sound == nullptr || sound->system != this || channelIndex != FMOD_CHANNEL_FREE)
        return FMOD_ERR_INVALID_PARAM;
    if (paused)
        return FMOD_ERR_UNSUPPORTED;

    bool loop = (sound->mode & FMOD_LOOP_NORMAL) != 0;
    Channel* started = nullptr;
    if (sound->music != nullptr) {
        if (Mix_PlayingMusic())
            return FMOD_ERR_CHANNEL_ALLOC;
        if (Mix_PlayMusic(sound->music, loop ? -1 : 1) != 0)
            return FMOD_ERR_FORMAT;
        started = &streamChannel;
    } else {
        int mixerChannel = Mix_PlayChannel(-1, sound->chunk, loop ? -1 : 0);
        if (mixerChannel < 0)
            return FMOD_ERR_CHANNEL_ALLOC;
        started = &channels[mixerChannel];
    }
    // A free channel starts at full volume, whatever its last sound was set to.
    started->setVolume(1.0f);
    if (channel != nullptr)
        *channel = started;
    return FMOD_OK;
}

FMOD_RESULT System::update()
{
    return outputOpen ? FMOD_OK : FMOD_ERR_UNINITIALIZED;
}

FMOD_RESULT System::release()
{
    if (!outputOpen)
        return FMOD_ERR_UNINITIALIZED;
    // Halt before freeing: the mixer thread must not read a chunk that is gone.
    Mix_HaltMusic();
    Mix_HaltChannel(-1);
    for (Sound* sound : sounds) {
        if (sound->music != nullptr)
            Mix_FreeMusic(sound->music);
        if (sound->chunk != nullptr)
            Mix_FreeChunk(sound->chunk);
        delete sound;
    }
    sounds.clear();
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    channels.clear();
    channelCount = 0;
    outputOpen = false;
    silentOutput = false;
    outputOwner = nullptr;
    return FMOD_OK;
}

} // namespace FMOD

FMOD_RESULT FMOD_System_Create(FMOD::System** system)
{
    if (system == nullptr)
        return FMOD_ERR_INVALID_PARAM;
    *system = new FMOD::System();
    return FMOD_OK;
}

const char* FMOD_ErrorString(FMOD_RESULT result)
{
    switch (result) {
    case FMOD_OK: return "No errors.";
    case FMOD_ERR_INVALID_PARAM: return "An invalid parameter was passed to this function.";
    case FMOD_ERR_UNINITIALIZED: return "The sound system has not been initialised yet.";
    case FMOD_ERR_INITIALIZED: return "The sound output is already open.";
    case FMOD_ERR_OUTPUT_INIT: return "No sound output could be opened, not even a silent one.";
    case FMOD_ERR_FILE_NOTFOUND: return "The sound file could not be found or read.";
    case FMOD_ERR_FORMAT: return "The sound file could not be decoded: unsupported or corrupt format.";
    case FMOD_ERR_CHANNEL_ALLOC: return "No free channel is left to play the sound on.";
    case FMOD_ERR_UNSUPPORTED: return "This request is not supported by the sound system.";
    }
    return "Unknown sound system error.";
}
