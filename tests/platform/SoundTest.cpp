#include "platform/Sound.h"
#include "platform/SoundHandles.h"

#include "support/CaptureStdout.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <set>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

const int sampleRate = 44100;

// A 16-bit stereo WAV at the output's rate holding one constant value: after mixing,
// every output sample is an exact sum of such values, so overlaps can be counted.
std::string writeConstantWav(const TempDir& dir, const std::string& name, double seconds, int16_t value)
{
    const uint32_t frames = static_cast<uint32_t>(seconds * sampleRate);
    const uint32_t dataBytes = frames * 4;
    std::string bytes;
    auto put32 = [&](uint32_t v) { for (int i = 0; i < 4; ++i) bytes += static_cast<char>((v >> (8 * i)) & 0xff); };
    auto put16 = [&](uint16_t v) { bytes += static_cast<char>(v & 0xff); bytes += static_cast<char>(v >> 8); };
    bytes += "RIFF"; put32(36 + dataBytes); bytes += "WAVEfmt ";
    put32(16); put16(1); put16(2); put32(sampleRate); put32(sampleRate * 4); put16(4); put16(16);
    bytes += "data"; put32(dataBytes);
    for (uint32_t i = 0; i < frames * 2; ++i)
        put16(static_cast<uint16_t>(value));
    return dir.write(name, bytes);
}

// Encodes a short tone as MP3 with the lame encoder; empty when lame is not installed.
std::string writeMp3(const TempDir& dir, const std::string& name)
{
    std::string wav = writeConstantWav(dir, name + ".wav", 0.3, 3000);
    std::string mp3 = dir.path(name);
    std::string command = "lame --quiet '" + wav + "' '" + mp3 + "' 2>/dev/null";
    if (std::system(command.c_str()) != 0)
        return "";
    return mp3;
}

long fileSize(const std::string& path)
{
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    return file.good() ? static_cast<long>(file.tellg()) : 0;
}

// Waits until the disk output has written `seconds` more audio; it writes in real time.
void waitForOutput(const std::string& path, double seconds)
{
    const long target = fileSize(path) + static_cast<long>(seconds * sampleRate * 4);
    for (int i = 0; i < 1000 && fileSize(path) < target; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
}

// The left channel of what the disk output wrote (16-bit stereo frames).
std::vector<int16_t> leftSamples(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::vector<char> raw((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::vector<int16_t> left;
    for (size_t i = 0; i + 1 < raw.size(); i += 4)
        left.push_back(static_cast<int16_t>(static_cast<uint8_t>(raw[i]) | (static_cast<uint8_t>(raw[i + 1]) << 8)));
    return left;
}

class SoundTest : public ::testing::Test {
protected:
    void SetUp() override { setenv("SDL_AUDIODRIVER", "dummy", 1); }
    void TearDown() override
    {
        unsetenv("SDL_AUDIODRIVER");
        unsetenv("SDL_DISKAUDIOFILE");
    }

    // A system of `channels` channels whose output goes to the file `output`: the disk
    // output writes the mixed samples, so a test hears what a player would.
    FMOD::System* openDiskOutput(const std::string& output, int channels)
    {
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", output.c_str(), 1);
        FMOD::System* system = nullptr;
        FMOD_System_Create(&system);
        EXPECT_EQ(system->init(channels, FMOD_INIT_NORMAL, nullptr), FMOD_OK);
        EXPECT_FALSE(system->silentOutput);
        return system;
    }

    // A sound of `seconds` that holds `value` throughout (see writeConstantWav): an effect,
    // or with `loopingStream` a looping stream. Null when it could not be created.
    FMOD::Sound* constantSound(FMOD::System* system, const std::string& name, double seconds, int16_t value,
                               bool loopingStream = false)
    {
        const std::string file = writeConstantWav(dir, name, seconds, value);
        FMOD::Sound* sound = nullptr;
        if (loopingStream)
            EXPECT_EQ(system->createStream(file.c_str(), FMOD_SOFTWARE | FMOD_LOOP_NORMAL, nullptr, &sound), FMOD_OK);
        else
            EXPECT_EQ(system->createSound(file.c_str(), FMOD_DEFAULT, nullptr, &sound), FMOD_OK);
        return sound;
    }

    TempDir dir;
};

TEST_F(SoundTest, EveryResultHasItsOwnText)
{
    std::set<std::string> texts;
    for (int code = FMOD_OK; code <= FMOD_ERR_UNSUPPORTED; ++code)
        texts.insert(FMOD_ErrorString(static_cast<FMOD_RESULT>(code)));
    EXPECT_EQ(texts.size(), static_cast<size_t>(FMOD_ERR_UNSUPPORTED + 1));
    EXPECT_EQ(texts.count(FMOD_ErrorString(static_cast<FMOD_RESULT>(999))), 0u);
    EXPECT_EQ(FMOD_SOFTWARE | FMOD_LOOP_NORMAL, 0x42u);
}

TEST_F(SoundTest, NoAudioDevicePlaysIntoSilenceAndSaysSo)
{
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    FMOD::System* system = nullptr;
    ASSERT_EQ(FMOD_System_Create(&system), FMOD_OK);
    CaptureStdout capture;
    ASSERT_EQ(system->init(32, FMOD_INIT_NORMAL, nullptr), FMOD_OK);
    EXPECT_TRUE(system->silentOutput);
    EXPECT_EQ(capture.text(), "No audio device found: sound plays into silence (SDL dummy output)\n");

    FMOD::Sound* effect = nullptr;
    ASSERT_EQ(system->createSound(writeConstantWav(dir, "a.wav", 0.1, 1000).c_str(), FMOD_DEFAULT, nullptr, &effect), FMOD_OK);
    EXPECT_EQ(system->playSound(FMOD_CHANNEL_FREE, effect, false, nullptr), FMOD_OK);
    EXPECT_EQ(system->update(), FMOD_OK);
    EXPECT_EQ(system->init(32, FMOD_INIT_NORMAL, nullptr), FMOD_ERR_INITIALIZED);
    delete system;
}

TEST_F(SoundTest, BadFilesAndHandlesFailWithoutEffect)
{
    FMOD::System* system = nullptr;
    FMOD_System_Create(&system);
    FMOD::Sound* sound = reinterpret_cast<FMOD::Sound*>(1);
    EXPECT_EQ(system->createSound("x.wav", FMOD_DEFAULT, nullptr, &sound), FMOD_ERR_UNINITIALIZED);
    EXPECT_EQ(sound, nullptr);
    EXPECT_EQ(system->init(0, FMOD_INIT_NORMAL, nullptr), FMOD_ERR_INVALID_PARAM);
    ASSERT_EQ(system->init(4, FMOD_INIT_NORMAL, nullptr), FMOD_OK);

    EXPECT_EQ(system->createStream(dir.path("missing.mp3").c_str(), FMOD_LOOP_NORMAL, nullptr, &sound), FMOD_ERR_FILE_NOTFOUND);
    EXPECT_EQ(sound, nullptr);
    EXPECT_EQ(system->createSound(dir.write("noise.mp3", "not a sound").c_str(), FMOD_DEFAULT, nullptr, &sound), FMOD_ERR_FORMAT);
    EXPECT_EQ(sound, nullptr);

    FMOD::Channel* channel = reinterpret_cast<FMOD::Channel*>(1);
    EXPECT_EQ(system->playSound(FMOD_CHANNEL_FREE, nullptr, false, &channel), FMOD_ERR_INVALID_PARAM);
    EXPECT_EQ(channel, nullptr);

    // Three effect channels (the fourth is the stream's): a fourth effect finds none free.
    ASSERT_EQ(system->createSound(writeConstantWav(dir, "long.wav", 2.0, 100).c_str(), FMOD_DEFAULT, nullptr, &sound), FMOD_OK);
    std::set<FMOD::Channel*> used;
    for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(system->playSound(FMOD_CHANNEL_FREE, sound, false, &channel), FMOD_OK);
        used.insert(channel);
    }
    EXPECT_EQ(used.size(), 3u);
    EXPECT_EQ(system->playSound(FMOD_CHANNEL_FREE, sound, false, &channel), FMOD_ERR_CHANNEL_ALLOC);
    delete system;
}

// Music alone at half volume (2000), looping; two collect effects (3000 each) overlapping.
TEST_F(SoundTest, MusicLoopsAndEffectsOverlapOnFreeChannels)
{
    const std::string output = dir.path("mix.raw");
    FMOD::System* system = openDiskOutput(output, 32);
    ASSERT_TRUE(system->outputOpen);
    FMOD::Sound* music = constantSound(system, "music.wav", 0.1, 4000, true);
    FMOD::Sound* effect = constantSound(system, "effect.wav", 0.2, 3000);
    ASSERT_TRUE(music != nullptr && effect != nullptr);

    FMOD::Channel* musicChannel = nullptr;
    ASSERT_EQ(system->playSound(FMOD_CHANNEL_FREE, music, false, &musicChannel), FMOD_OK);
    ASSERT_NE(musicChannel, nullptr);
    EXPECT_EQ(musicChannel->setVolume(0.5f), FMOD_OK);
    waitForOutput(output, 0.5);
    EXPECT_EQ(system->playSound(FMOD_CHANNEL_FREE, effect, false, nullptr), FMOD_OK);
    EXPECT_EQ(system->playSound(FMOD_CHANNEL_FREE, effect, false, nullptr), FMOD_OK);
    waitForOutput(output, 0.5);
    system->release();
    delete system;

    int musicOnly = 0, twoEffects = 0, oneEffect = 0;
    for (int16_t left : leftSamples(output)) {
        musicOnly += left == 2000;
        oneEffect += left == 5000;
        twoEffects += left == 8000;
    }
    // Each 0.1 s of music holds 4410 frames: well over three loops were heard.
    EXPECT_GT(musicOnly, 3 * 4410);
    // Both effects play whole (8820 frames each) over unbroken music, and they overlap:
    // they start within a few mixing buffers of each other.
    EXPECT_EQ(oneEffect + 2 * twoEffects, 2 * 8820);
    EXPECT_GT(twoEffects, sampleRate / 20);
}

// The game turns the music's channel down; whatever a channel was last set to, the next
// sound started on it plays at full volume. One effect channel (the other is the stream's),
// so the second effect reuses the first one's channel.
TEST_F(SoundTest, AFreeChannelStartsAtFullVolumeWhateverItsLastSoundWasSetTo)
{
    const std::string output = dir.path("mix.raw");
    FMOD::System* system = openDiskOutput(output, 2);
    ASSERT_TRUE(system->outputOpen);
    FMOD::Sound* turnedDown = constantSound(system, "down.wav", 0.1, 1000);
    FMOD::Sound* next = constantSound(system, "next.wav", 0.1, 3000);
    ASSERT_TRUE(turnedDown != nullptr && next != nullptr);

    FMOD::Channel* first = nullptr;
    FMOD::Channel* second = nullptr;
    ASSERT_EQ(system->playSound(FMOD_CHANNEL_FREE, turnedDown, false, &first), FMOD_OK);
    EXPECT_EQ(first->setVolume(0.25f), FMOD_OK);
    waitForOutput(output, 0.4); // long past its end: the channel is free again
    ASSERT_EQ(system->playSound(FMOD_CHANNEL_FREE, next, false, &second), FMOD_OK);
    EXPECT_EQ(second, first);
    waitForOutput(output, 0.4);
    system->release();
    delete system;

    // The next sound whole at full volume (0.1 s of 3000), none of it at a quarter (750).
    int full = 0, quarter = 0;
    for (int16_t left : leftSamples(output)) {
        full += left == 3000;
        quarter += left == 750;
    }
    EXPECT_EQ(full, 4410);
    EXPECT_EQ(quarter, 0);
}

// Each loading step in one child process: the game's globals are set once per run.
TEST_F(SoundTest, MissingMusicIsFatalWithTheErrorLine)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            // The fatal line goes to standard output; the death test reads standard error.
            dup2(STDERR_FILENO, STDOUT_FILENO);
            std::freopen("/dev/null", "r", stdin);
            FMOD::Sound* music = nullptr;
            FMOD::Channel* channel = nullptr;
            loadMusicAndSounds(music, channel, dir.root + "/");
        },
        ::testing::ExitedWithCode(255),
        ">>> Load Music\nFMOD error: \\(5\\) The sound file could not be found or read.\n");
}

TEST_F(SoundTest, MissingEffectsStaySilentAndChangeNothingElse)
{
    std::string musicFile = writeMp3(dir, "Happy_Mandolin.mp3");
    if (musicFile.empty())
        GTEST_SKIP() << "lame is not installed";
    std::rename(writeMp3(dir, "effect").c_str(), dir.path("collect1.mp3").c_str());

    FMOD::Sound* music = nullptr;
    FMOD::Channel* musicChannel = nullptr;
    {
        CaptureStdout capture;
        loadMusicAndSounds(music, musicChannel, dir.root + "/");
        EXPECT_EQ(capture.text(), ">>> Load Music\n>>> Load Sound\n");
    }
    ASSERT_NE(fmodSystem, nullptr);
    EXPECT_NE(music, nullptr);
    EXPECT_NE(musicChannel, nullptr);
    EXPECT_NE(collectSound, nullptr); // MP3 effects decode too
    EXPECT_EQ(loseSound, nullptr);
    EXPECT_EQ(beginEndSound, nullptr);
    EXPECT_NE(fmodSystem->playSound(FMOD_CHANNEL_FREE, loseSound, false, nullptr), FMOD_OK);
    EXPECT_EQ(fmodSystem->playSound(FMOD_CHANNEL_FREE, collectSound, false, nullptr), FMOD_OK);
    EXPECT_EQ(fmodSystem->update(), FMOD_OK);

    delete fmodSystem;
    fmodSystem = nullptr;
    collectSound = nullptr;
}

} // namespace
