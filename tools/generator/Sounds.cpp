// The game's sounds, synthesised here and encoded to MP3 with Debian's `lame`:
//   Sound/Happy_Mandolin.mp3  32 s of mandolin over plucked guitar and bass in G major at
//                             120 beats a minute, 16 bars that loop without a seam (notes
//                             that ring past the end are folded onto the start);
//   Sound/beginend.mp3        a rising arpeggio and a strummed chord;
//   Sound/loose.mp3           a falling "wah wah wah waaah";
//   Sound/collect1.mp3        a bright two-note blip.
// Strings are Karplus-Strong plucks; all noise comes from our own seeded generator.
#include "generator/Generator.h"
#include "generator/Random.h"
#include "platform/SoundLevels.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <initializer_list>

namespace datagen {

namespace {

const int sampleRate = 44100;
const float pi = 3.14159265358979f;

// Mastering: the peak each file is normalised to, as a fraction of full scale, so that the
// loudest moment of the game's mix stays under full scale by the few percent the MP3
// encoding may add to a peak. The jingle, which opens every attempt over the music, gets
// the largest share; the collect blip, bright enough to cut through the music, the smallest.
constexpr float musicPeak = 0.40f;
constexpr float jinglePeak = 0.36f;
constexpr float losePeak = 0.16f;
constexpr float collectPeak = 0.11f;
static_assert(loudestMix(musicPeak, jinglePeak, losePeak, collectPeak) <= 0.95f,
              "the loudest mix leaves no room for the encoding's overshoot");

float midiFrequency(int note)
{
    return 440.0f * std::pow(2.0f, float(note - 69) / 12.0f);
}

// A track being mixed. With `circular` set, anything written past the end wraps around
// to the start, so a loop's ringing tails continue seamlessly into its beginning.
struct Track {
    std::vector<float> left, right;
    bool circular;

    Track(size_t length, bool circular) : left(length, 0.0f), right(length, 0.0f), circular(circular) {}

    void add(size_t index, float value, float pan) // pan 0 left .. 1 right
    {
        if (index >= left.size()) {
            if (!circular)
                return;
            index %= left.size();
        }
        left[index] += value * std::sqrt(1.0f - pan);
        right[index] += value * std::sqrt(pan);
    }
};

// A plucked string (Karplus-Strong with a fractional delay): a burst of noise circulating
// through a delay line one period long, softened a little on each pass.
void pluck(Track& track, double startSeconds, float frequency, float seconds, float amplitude, float pan,
           float brightness, Random& random)
{
    float period = float(sampleRate) / frequency - 0.5f;
    int length = int(period) + 2;
    std::vector<float> line(size_t(length) * 4 + 8, 0.0f);
    // The excitation: noise, smoothed more for a darker tone.
    float smooth = 0.0f;
    for (int i = 0; i < length; ++i) {
        float noise = random.range(-1.0f, 1.0f);
        smooth += (noise - smooth) * brightness;
        line[size_t(i)] = smooth;
    }
    size_t total = size_t(seconds * float(sampleRate));
    size_t start = size_t(startSeconds * double(sampleRate) + 0.5);
    // Damping per period so that the note falls by about 60 dB over its length.
    float decay = std::pow(0.001f, 1.0f / (seconds * frequency));
    std::vector<float> history(line.begin(), line.begin() + length);
    history.reserve(total + size_t(length) + 2);
    for (size_t n = 0; n < total; ++n) {
        float position = float(history.size()) - period;
        int index = int(position);
        float fraction = position - float(index);
        float a = history[size_t(std::max(index - 1, 0))], b = history[size_t(std::max(index, 0))];
        float c = index + 1 < int(history.size()) ? history[size_t(index + 1)] : b;
        float delayed = b + (c - b) * fraction;
        float previous = a + (b - a) * fraction;
        float value = decay * 0.5f * (delayed + previous);
        history.push_back(value);
        float fadeOut = n + 400 > total ? float(total - n) / 400.0f : 1.0f;
        track.add(start + n, value * amplitude * fadeOut, pan);
    }
}

// A mandolin note: two slightly detuned strings plucked together.
void mandolin(Track& track, double start, int note, float seconds, float amplitude, float pan, Random& random)
{
    float f = midiFrequency(note);
    pluck(track, start, f * 1.0015f, seconds, amplitude * 0.55f, pan, 0.75f, random);
    pluck(track, start + 0.002, f * 0.9985f, seconds, amplitude * 0.5f, pan, 0.7f, random);
}

// A short percussive tick (a shaker) from filtered noise.
void tick(Track& track, double start, float amplitude, Random& random)
{
    size_t first = size_t(start * sampleRate + 0.5);
    float previous = 0.0f;
    for (size_t n = 0; n < size_t(0.04f * sampleRate); ++n) {
        float noise = random.range(-1.0f, 1.0f);
        float high = noise - previous; // crude high-pass
        previous = noise;
        float envelope = std::exp(-float(n) / (0.006f * sampleRate));
        track.add(first + n, high * envelope * amplitude, 0.35f);
    }
}

// A small Schroeder reverb (four combs, two all-passes). For a loop, run it over the loop
// twice and keep the second pass, so the reverb's tail also wraps around.
std::vector<float> reverb(const std::vector<float>& dry, bool loop, float wet)
{
    const int combDelays[4] = {1557, 1617, 1491, 1422};
    const int allpassDelays[2] = {225, 556};
    size_t n = dry.size();
    size_t passes = loop ? 2 : 1;
    std::vector<float> out(n, 0.0f);
    std::vector<std::vector<float>> combs(4), allpasses(2);
    for (int i = 0; i < 4; ++i)
        combs[size_t(i)].assign(size_t(combDelays[i]), 0.0f);
    for (int i = 0; i < 2; ++i)
        allpasses[size_t(i)].assign(size_t(allpassDelays[i]), 0.0f);
    size_t combIndex[4] = {0, 0, 0, 0}, allpassIndex[2] = {0, 0};
    float combFilter[4] = {0, 0, 0, 0};
    for (size_t pass = 0; pass < passes; ++pass) {
        for (size_t i = 0; i < n; ++i) {
            float input = dry[i] * 0.25f;
            float sum = 0.0f;
            for (int c = 0; c < 4; ++c) {
                std::vector<float>& buffer = combs[size_t(c)];
                float delayed = buffer[combIndex[c]];
                combFilter[c] = delayed * 0.7f + combFilter[c] * 0.3f;
                buffer[combIndex[c]] = input + combFilter[c] * 0.8f;
                combIndex[c] = (combIndex[c] + 1) % buffer.size();
                sum += delayed;
            }
            for (int a = 0; a < 2; ++a) {
                std::vector<float>& buffer = allpasses[size_t(a)];
                float delayed = buffer[allpassIndex[a]];
                float value = -sum + delayed;
                buffer[allpassIndex[a]] = sum + delayed * 0.5f;
                allpassIndex[a] = (allpassIndex[a] + 1) % buffer.size();
                sum = value;
            }
            if (pass + 1 == passes)
                out[i] = dry[i] + wet * sum;
        }
    }
    return out;
}

// Scales the channels together so that the loudest sample of any of them lies at `peak`.
void normalise(std::initializer_list<std::vector<float>*> channels, float peak)
{
    float highest = 1e-6f;
    for (const std::vector<float>* channel : channels)
        for (float v : *channel)
            highest = std::max(highest, std::fabs(v));
    float gain = peak / highest;
    for (std::vector<float>* channel : channels)
        for (float& v : *channel)
            v *= gain;
}

bool writeWav(const std::string& path, const std::vector<float>& left, const std::vector<float>* right)
{
    int channels = right ? 2 : 1;
    uint32_t frames = uint32_t(left.size());
    uint32_t dataBytes = frames * uint32_t(channels) * 2;
    std::vector<uint8_t> bytes;
    auto put32 = [&](uint32_t v) {
        for (int i = 0; i < 4; ++i)
            bytes.push_back(uint8_t(v >> (8 * i)));
    };
    auto put16 = [&](uint16_t v) {
        bytes.push_back(uint8_t(v));
        bytes.push_back(uint8_t(v >> 8));
    };
    auto putText = [&](const char* t) { bytes.insert(bytes.end(), t, t + 4); };
    putText("RIFF");
    put32(36 + dataBytes);
    putText("WAVE");
    putText("fmt ");
    put32(16);
    put16(1);
    put16(uint16_t(channels));
    put32(sampleRate);
    put32(uint32_t(sampleRate * channels * 2));
    put16(uint16_t(channels * 2));
    put16(16);
    putText("data");
    put32(dataBytes);
    auto sample = [&](float v) {
        v = std::max(-1.0f, std::min(1.0f, v));
        put16(uint16_t(int16_t(std::lround(v * 32767.0f))));
    };
    for (uint32_t i = 0; i < frames; ++i) {
        sample(left[i]);
        if (right)
            sample((*right)[i]);
    }
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return file.good();
}

std::string quoted(const std::string& text)
{
    std::string out = "'";
    for (char c : text)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

// Encodes a WAV file with lame's fixed settings (constant bit rate, no replay-gain scan),
// then removes the WAV.
bool encode(const std::string& wav, const std::string& mp3, int kilobits, std::ostream& log)
{
    std::string command = "lame --quiet --noreplaygain -q 2 --cbr -b " + std::to_string(kilobits) + " " + quoted(wav) +
                          " " + quoted(mp3);
    int status = std::system(command.c_str());
    std::remove(wav.c_str());
    if (status != 0) {
        log << "FAILED: " << command << " (status " << status << ")\n";
        return false;
    }
    return true;
}

// --- The pieces -------------------------------------------------------------------------

struct Chord {
    int bass, fifth;
    int tones[3];
};

Track composeMusic()
{
    const double beat = 0.5; // 120 beats a minute
    const int bars = 16;
    const size_t length = size_t(bars * 4 * beat * sampleRate);
    Track track(length, true);
    Random random(2024);

    const Chord G{43, 50, {55, 59, 62}}, D{38, 45, {57, 62, 66}}, Em{40, 47, {55, 59, 64}}, C{48, 43, {55, 60, 64}};
    const Chord* progression[bars] = {&G, &D, &Em, &C, &G, &D, &C, &D, &Em, &C, &G, &D, &C, &D, &G, &D};
    // The tune in eighth notes: a MIDI note, -1 holds the note before, 0 is a rest.
    const int melody[bars][8] = {
        {71, -1, 74, -1, 79, -1, 78, 76}, {74, -1, -1, -1, 69, -1, 72, 71}, {71, -1, 67, -1, 71, 74, 76, -1},
        {76, -1, -1, -1, 74, -1, 72, -1}, {71, -1, 74, -1, 79, -1, 81, 79}, {78, -1, -1, -1, 76, 74, 78, -1},
        {79, -1, 76, -1, 72, -1, 76, -1}, {74, -1, -1, -1, -1, -1, 0, 0},   {79, -1, 78, -1, 76, -1, 71, -1},
        {72, -1, 76, -1, 79, -1, 76, -1}, {74, -1, 71, -1, 67, -1, 71, 74}, {78, -1, -1, -1, 74, -1, -1, -1},
        {76, -1, 79, -1, 84, -1, 83, 81}, {81, -1, -1, -1, 78, -1, 74, -1}, {79, -1, -1, -1, 74, -1, 71, -1},
        {69, -1, 72, -1, 78, -1, 74, -1},
    };

    for (int bar = 0; bar < bars; ++bar) {
        double barStart = bar * 4 * beat;
        const Chord& chord = *progression[bar];
        // Bass on beats 1 and 3, strummed chords on 2 and 4 (boom-chick).
        pluck(track, barStart, midiFrequency(chord.bass), 1.2f, 0.55f, 0.5f, 0.35f, random);
        pluck(track, barStart + 2 * beat, midiFrequency(chord.fifth), 1.2f, 0.5f, 0.5f, 0.35f, random);
        for (int b : {1, 3}) {
            for (int k = 0; k < 3; ++k)
                pluck(track, barStart + b * beat + 0.012 * k, midiFrequency(chord.tones[k]), 0.9f, 0.22f, 0.3f, 0.5f,
                      random);
        }
        for (int e = 0; e < 8; ++e)
            tick(track, barStart + e * beat * 0.5, e % 2 ? 0.05f : 0.025f, random); // louder off the beat
        // The tune: short notes plucked once, long ones with mandolin tremolo.
        for (int e = 0; e < 8; ++e) {
            int note = melody[bar][e];
            if (note <= 0)
                continue;
            int held = 1;
            while (e + held < 8 && melody[bar][e + held] == -1)
                ++held;
            double start = barStart + e * beat * 0.5;
            double duration = held * beat * 0.5;
            if (held < 3) {
                mandolin(track, start, note, 0.9f, 0.5f, 0.65f, random);
            } else {
                int strokes = int(duration / (beat / 8.0));
                for (int s = 0; s < strokes; ++s) {
                    float accent = (s % 2 == 0) ? 0.42f : 0.32f;
                    float fade = s + 2 >= strokes ? 0.8f : 1.0f;
                    mandolin(track, start + s * beat / 8.0, note, s + 1 == strokes ? 0.8f : 0.25f, accent * fade, 0.65f,
                             random);
                }
            }
        }
    }
    track.left = reverb(track.left, true, 0.18f);
    track.right = reverb(track.right, true, 0.18f);
    return track;
}

Track composeJingle()
{
    Track track(size_t(2.2 * sampleRate), false);
    Random random(7);
    const int arpeggio[4] = {67, 71, 74, 79};
    for (int i = 0; i < 4; ++i)
        mandolin(track, 0.02 + 0.11 * i, arpeggio[i], 0.7f, 0.6f, 0.5f, random);
    for (int s = 0; s < 10; ++s) {
        for (int note : {67, 71, 74, 79})
            mandolin(track, 0.5 + 0.0625 * s + 0.004 * (note - 67) / 4, note, s == 9 ? 1.5f : 0.2f, 0.28f, 0.5f, random);
    }
    pluck(track, 0.5, midiFrequency(43), 1.6f, 0.6f, 0.5f, 0.35f, random);
    track.left = reverb(track.left, false, 0.2f);
    track.right = reverb(track.right, false, 0.2f);
    return track;
}

Track composeLose()
{
    // Four falling notes of a muted brass-like tone (a filtered sawtooth whose filter
    // opens and closes: "wah"); the last one slides down with vibrato.
    const float notes[4] = {392.0f, 370.0f, 349.2f, 329.6f};
    const float starts[4] = {0.0f, 0.36f, 0.72f, 1.08f};
    const float lengths[4] = {0.32f, 0.32f, 0.32f, 1.0f};
    Track track(size_t(2.3 * sampleRate), false);
    for (int i = 0; i < 4; ++i) {
        size_t first = size_t(starts[i] * sampleRate);
        size_t count = size_t(lengths[i] * sampleRate);
        float phase = 0.0f, filtered = 0.0f;
        for (size_t n = 0; n < count; ++n) {
            float t = float(n) / float(sampleRate);
            float progress = t / lengths[i];
            float frequency = notes[i];
            if (i == 3)
                frequency *= std::pow(2.0f, (-5.0f * progress * progress) / 12.0f) * (1.0f + 0.012f * std::sin(2 * pi * 5.5f * t));
            phase += frequency / float(sampleRate);
            phase -= std::floor(phase);
            float saw = 2.0f * phase - 1.0f;
            float wah = std::sin(pi * std::min(1.0f, progress * (i == 3 ? 2.5f : 1.0f)));
            float cutoff = 0.02f + 0.18f * wah;
            filtered += (saw - filtered) * cutoff;
            float envelope = std::min(1.0f, t / 0.02f) * std::min(1.0f, (lengths[i] - t) / 0.06f);
            track.add(first + n, filtered * envelope * 0.8f, 0.5f);
        }
    }
    track.left = reverb(track.left, false, 0.15f);
    track.right = reverb(track.right, false, 0.15f);
    return track;
}

Track composeCollect()
{
    Track track(size_t(0.35 * sampleRate), false);
    const float notes[2] = {1318.5f, 1975.5f};
    const float starts[2] = {0.0f, 0.06f};
    const float lengths[2] = {0.08f, 0.28f};
    for (int i = 0; i < 2; ++i) {
        size_t first = size_t(starts[i] * sampleRate);
        size_t count = size_t(lengths[i] * sampleRate);
        for (size_t n = 0; n < count; ++n) {
            float t = float(n) / float(sampleRate);
            float p = 2.0f * pi * notes[i] * t;
            float tone = std::sin(p) + 0.3f * std::sin(2.0f * p) + 0.12f * std::sin(3.0f * p);
            float envelope = std::min(1.0f, t / 0.003f) * std::exp(-t / (lengths[i] * 0.3f));
            if (first + n < track.left.size())
                track.add(first + n, tone * envelope * 0.5f, 0.5f);
        }
    }
    return track;
}

// Writes a track, mastered to `peak` (see musicPeak), as an MP3 file. A mono file is the
// channels' mix; it is normalised after mixing, since the mixer plays it on both sides as it is.
bool writeSound(const std::string& folder, const std::string& name, Track track, bool stereo, float peak,
                int kilobits, std::vector<std::string>& written, std::ostream& log)
{
    std::string wav = folder + "/Sound/" + name + ".wav", mp3 = folder + "/Sound/" + name + ".mp3";
    std::vector<float> mono;
    if (stereo) {
        normalise({&track.left, &track.right}, peak);
    } else {
        mono.resize(track.left.size());
        for (size_t i = 0; i < mono.size(); ++i)
            mono[i] = (track.left[i] + track.right[i]) * 0.70710678f;
        normalise({&mono}, peak);
    }
    bool ok = stereo ? writeWav(wav, track.left, &track.right) : writeWav(wav, mono, nullptr);
    if (!ok) {
        log << "FAILED: cannot write " << wav << "\n";
        return false;
    }
    written.push_back("Sound/" + name + ".mp3");
    return encode(wav, mp3, kilobits, log);
}

} // namespace

bool generateSounds(const std::string& folder, std::vector<std::string>& written, std::ostream& log)
{
    if (!ensureFolder(folder + "/Sound"))
        return false;
    bool ok = writeSound(folder, "Happy_Mandolin", composeMusic(), true, musicPeak, 128, written, log);
    ok = writeSound(folder, "beginend", composeJingle(), true, jinglePeak, 128, written, log) && ok;
    ok = writeSound(folder, "loose", composeLose(), false, losePeak, 96, written, log) && ok;
    ok = writeSound(folder, "collect1", composeCollect(), false, collectPeak, 96, written, log) && ok;
    return ok;
}

} // namespace datagen
