#pragma once
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

// The desktop icon: the hero's ball, lit from the upper left, on a transparent background
// with a soft shadow beneath. It is no game data (the game never reads it), so it goes to a
// folder of its own rather than into Models/.
namespace datagen {

// The icon sizes a desktop menu picks from, in pixels a side.
const int iconSizes[] = {256, 64};

// The file name of the icon of one size: "lantern-trail-256.png".
std::string iconFileName(int size);

// The icon of `size` pixels a side as its file holds it: straight (not premultiplied) RGBA
// bytes, rows top to bottom.
std::vector<uint8_t> iconPixels(int size);

// Writes every icon size into `folder` (created if missing), one log line per file.
// Deterministic, like the rest of the generator. Returns false (after saying why in `log`)
// when a file could not be written.
bool generateIcons(const std::string& folder, std::ostream& log);

} // namespace datagen
