// The shipped sounds decode, through the game's own sound library, to the lengths they
// were made with: the music to exactly its 32-second loop (the encoder's padding is
// dropped, so the loop repeats without a gap), the effects short. They are mastered so
// that the game's mix of them never passes full scale.
#include "data/DataFiles.h"
#include "platform/SoundLevels.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>

using namespace datatest;

namespace {

// The mixer opened as the game opens it (stereo, 16-bit, 44.1 kHz), so that a file loads
// into the samples the game would mix.
class SoundFiles : public testing::Test {
protected:
    void SetUp() override
    {
        // No sound card is needed to decode: the dummy driver will do where none is chosen.
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_AUDIO), 0) << SDL_GetError();
        ASSERT_EQ(Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024), 0) << Mix_GetError();
    }
    void TearDown() override
    {
        Mix_CloseAudio();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
};

struct Decoded {
    long frames = -1; // sample frames, -1 if the file cannot be read
    float peak = 0.0f; // the loudest sample, as a fraction of full scale
};

Decoded decode(const std::string& file)
{
    Decoded decoded;
    Mix_Chunk* chunk = Mix_LoadWAV((modelsFolder() + "Sound/" + file).c_str());
    if (!chunk)
        return decoded;
    decoded.frames = long(chunk->alen / 4);
    const int16_t* samples = reinterpret_cast<const int16_t*>(chunk->abuf);
    int peak = 0;
    for (size_t i = 0; i < chunk->alen / 2; ++i)
        peak = std::max(peak, std::abs(int(samples[i])));
    decoded.peak = float(peak) / 32768.0f;
    Mix_FreeChunk(chunk);
    return decoded;
}

} // namespace

TEST_F(SoundFiles, DecodeToTheirLengthsAndTheMusicToExactlyItsLoop)
{
    EXPECT_EQ(decode("Happy_Mandolin.mp3").frames, 32L * 44100); // 16 bars at 120 beats a minute
    long jingle = decode("beginend.mp3").frames, lose = decode("loose.mp3").frames;
    long collect = decode("collect1.mp3").frames;
    EXPECT_GT(jingle, 44100L);
    EXPECT_LE(jingle, 3L * 44100);
    EXPECT_GT(lose, 44100L);
    EXPECT_LE(lose, 3L * 44100);
    EXPECT_GT(collect, 4410L);
    EXPECT_LE(collect, 44100L / 2);
}

TEST_F(SoundFiles, TheLoudestMixTheGameCanMakeStaysBelowFullScaleAndEachSoundIsHeard)
{
    Decoded music = decode("Happy_Mandolin.mp3"), jingle = decode("beginend.mp3"), lose = decode("loose.mp3");
    Decoded collect = decode("collect1.mp3");
    for (const Decoded* sound : {&music, &jingle, &lose, &collect})
        ASSERT_GT(sound->frames, 0);
    float loudest = loudestMix(music.peak, jingle.peak, lose.peak, collect.peak);
    EXPECT_LT(loudest, 32767.0f / 32768.0f) << "music " << music.peak << ", jingle " << jingle.peak << ", lose "
                                            << lose.peak << ", collect " << collect.peak;
    // Loud enough to hear: the jingle alone passes a quarter of full scale, the music
    // stays above 15 % of it, and no effect is lost below 8 %.
    EXPECT_GT(jingle.peak, 0.25f);
    EXPECT_GT(music.peak * musicVolume, 0.15f);
    for (const Decoded* effect : {&lose, &collect})
        EXPECT_GT(effect->peak, 0.08f);
}
