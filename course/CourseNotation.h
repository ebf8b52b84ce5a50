#pragma once
#include <string>

namespace vantor::scene {

// The short notation courses are written in by the data generator, the course generator
// and the tests: one character a slot, in the level file's key order lv lm lh mv mm mh rv
// rm rh. '.' empty, R roller, F fence, B barricade, S sand heap, b banana, a apple; '|'
// separators are ignored.

// The level file's item code of a slot character; 0 (empty) for '.' and anything unknown.
int itemCodeOf(char symbol);
// The slot character of a level file's item code; '.' for 0 and codes that place nothing.
char slotSymbolOf(int itemCode);

// The members of a piece's "obstacles" object, `"lv": 0, "lm": 10, …`: all nine slots, the
// ones `symbols` leaves out empty, characters past the ninth slot ignored.
std::string slotMembers(const std::string& symbols);

} // namespace vantor::scene
