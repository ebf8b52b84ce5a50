#pragma once
#include "platform/Sound.h"

#include <string>

// The sound system and the three effects, process-wide so that the hero can play the
// collect sound without reaching the Game. All null until loadMusicAndSounds; never
// released: they live until the process ends.
extern FMOD::System* fmodSystem;  // owned here; 32 channels
extern FMOD::Sound* collectSound; // "collect1.mp3"; null when the file is missing
extern FMOD::Sound* loseSound;    // "loose.mp3"; null when the file is missing
extern FMOD::Sound* beginEndSound; // "beginend.mp3"; null when the file is missing

// Creates the sound system, starts "Happy_Mandolin.mp3" looping at musicVolume into
// `music` / `musicChannel` (the Game's), then loads the three effects. `soundDirectory`
// ends with a slash. A failure of the system or the music ends the process with
// "FMOD error: (code) text"; a missing effect leaves its handle null, and playing a null
// handle does nothing.
void loadMusicAndSounds(FMOD::Sound*& music, FMOD::Channel*& musicChannel,
                        const std::string& soundDirectory = "../Models/Sound/");
