// The shipped sounds decode, through the game's own sound library, to the lengths they
// were made with: the music to exactly its 32-second loop (the encoder's padding is
// dropped, so the loop repeats without a gap), the effects short.
#include "data/DataFiles.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>
#include <gtest/gtest.h>

using namespace datatest;

namespace {

// Decoded sample frames (stereo, 16-bit, 44.1 kHz) of a sound file, or -1 if it cannot be read.
long decodedFrames(const std::string& file)
{
    Mix_Chunk* chunk = Mix_LoadWAV((modelsFolder() + "Sound/" + file).c_str());
    if (!chunk)
        return -1;
    long frames = long(chunk->alen / 4);
    Mix_FreeChunk(chunk);
    return frames;
}

} // namespace

TEST(SoundFiles, DecodeToTheirLengthsAndTheMusicToExactlyItsLoop)
{
    // No sound card is needed to decode: the dummy driver will do where none is chosen.
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_AUDIO), 0) << SDL_GetError();
    ASSERT_EQ(Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024), 0) << Mix_GetError();
    EXPECT_EQ(decodedFrames("Happy_Mandolin.mp3"), 32L * 44100); // 16 bars at 120 beats a minute
    long jingle = decodedFrames("beginend.mp3"), lose = decodedFrames("loose.mp3"), collect = decodedFrames("collect1.mp3");
    EXPECT_GT(jingle, 44100L);
    EXPECT_LE(jingle, 3L * 44100);
    EXPECT_GT(lose, 44100L);
    EXPECT_LE(lose, 3L * 44100);
    EXPECT_GT(collect, 4410L);
    EXPECT_LE(collect, 44100L / 2);
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}
