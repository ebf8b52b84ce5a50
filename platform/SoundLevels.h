#pragma once
// The levels the game mixes its sounds at. Apart from the sound layer and free of includes,
// so that the data generator, which masters the sound files for this mix and links no
// sound layer, reads them from here too.

// The music channel's volume, 0 silent .. 1 full; every effect plays at full volume (1).
constexpr float musicVolume = 0.5f;

// The loudest the game's mix can get, from the peak of each sound (fractions of full scale):
// the music at its volume under every effect that can sound at once, the begin/end jingle
// (start or goal), the lose sound (a fall) and two collect sounds (two fruit side by side).
// Peaks that fall together add up at worst; above 1 the mixer saturates, which crackles.
constexpr float loudestMix(float musicPeak, float jinglePeak, float losePeak, float collectPeak)
{
    return musicPeak * musicVolume + jinglePeak + losePeak + 2.0f * collectPeak;
}
