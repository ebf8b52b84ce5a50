#include "generator/CourseNotation.h"

#include <sstream>

namespace datagen {

namespace {
const char* const slotKeys[9] = {"lv", "lm", "lh", "mv", "mm", "mh", "rv", "rm", "rh"};
}

int itemCodeOf(char symbol)
{
    switch (symbol) {
    case 'R': return 1;
    case 'F': return 2;
    case 'B': return 3;
    case 'S': return 4;
    case 'b': return 10;
    case 'a': return 11;
    default: return 0;
    }
}

std::string slotMembers(const std::string& symbols)
{
    std::ostringstream out;
    int slot = 0;
    for (char c : symbols) {
        if (c == '|' || slot >= 9)
            continue;
        out << (slot ? ", " : "") << "\"" << slotKeys[slot] << "\": " << itemCodeOf(c);
        ++slot;
    }
    for (; slot < 9; ++slot)
        out << (slot ? ", " : "") << "\"" << slotKeys[slot] << "\": 0";
    return out.str();
}

} // namespace datagen
