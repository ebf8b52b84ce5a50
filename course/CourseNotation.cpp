#include "course/CourseNotation.h"

#include "scene/LevelFile.h"

#include <sstream>

namespace vantor::scene {

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

char slotSymbolOf(int itemCode)
{
    for (char symbol : {'R', 'F', 'B', 'S', 'b', 'a'})
        if (itemCodeOf(symbol) == itemCode)
            return symbol;
    return '.';
}

std::string slotMembers(const std::string& symbols)
{
    std::ostringstream out;
    int slot = 0;
    for (char c : symbols) {
        if (c == '|' || slot >= 9)
            continue;
        out << (slot ? ", " : "") << "\"" << levelSlots[size_t(slot)].key << "\": " << itemCodeOf(c);
        ++slot;
    }
    for (; slot < 9; ++slot)
        out << (slot ? ", " : "") << "\"" << levelSlots[size_t(slot)].key << "\": 0";
    return out.str();
}

} // namespace vantor::scene
