#include "platform/SoundHandles.h"

#include "platform/FatalExit.h"
#include "platform/SoundLevels.h"

#include <cstdio>
#include <iostream>

FMOD::System* fmodSystem = nullptr;
FMOD::Sound* collectSound = nullptr;
FMOD::Sound* loseSound = nullptr;
FMOD::Sound* beginEndSound = nullptr;

namespace {

// Without the system or the music the game does not start.
void checkFatal(FMOD_RESULT result)
{
    if (result == FMOD_OK)
        return;
    char line[256];
    std::snprintf(line, sizeof line, "FMOD error: (%d) %s", static_cast<int>(result), FMOD_ErrorString(result));
    fatalExit(line);
}

} // namespace

void loadMusicAndSounds(FMOD::Sound*& music, FMOD::Channel*& musicChannel, const std::string& soundDirectory)
{
    std::cout << ">>> Load Music" << std::endl;
    checkFatal(FMOD_System_Create(&fmodSystem));
    checkFatal(fmodSystem->init(32, FMOD_INIT_NORMAL, nullptr));
    checkFatal(fmodSystem->createStream((soundDirectory + "Happy_Mandolin.mp3").c_str(),
                                        FMOD_SOFTWARE | FMOD_LOOP_NORMAL, nullptr, &music));
    checkFatal(fmodSystem->playSound(FMOD_CHANNEL_FREE, music, false, &musicChannel));
    musicChannel->setVolume(musicVolume);

    // Effects are optional: a missing one leaves its handle null and its event silent.
    std::cout << ">>> Load Sound" << std::endl;
    fmodSystem->createSound((soundDirectory + "beginend.mp3").c_str(), FMOD_DEFAULT, nullptr, &beginEndSound);
    fmodSystem->createSound((soundDirectory + "loose.mp3").c_str(), FMOD_DEFAULT, nullptr, &loseSound);
    fmodSystem->createSound((soundDirectory + "collect1.mp3").c_str(), FMOD_DEFAULT, nullptr, &collectSound);
}
