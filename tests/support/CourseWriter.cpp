#include "support/CourseWriter.h"

#include <sstream>

namespace {

const char* const slotKeys[9] = {"lv", "lm", "lh", "mv", "mm", "mh", "rv", "rm", "rh"};

// Directions of travel in turning-left order, as world (x, z) steps, and the "dir" that
// faces a piece's local +z edge back against each (from the course's conventions: local
// +z faces world +z, +x, -z, -x for dir 0, 1, 2, 3).
const int travelX[4] = {0, -1, 0, 1};
const int travelZ[4] = {-1, 0, 1, 0};

} // namespace

int courseItemCode(char slot)
{
    switch (slot) {
    case 'R': return 1;
    case 'F': return 2;
    case 'B': return 3;
    case 'S': return 4;
    case 'b': return 10;
    case 'a': return 11;
    default: return 0;
    }
}

std::string courseText(const std::vector<CourseStep>& route)
{
    std::ostringstream out;
    out << "{\"elements\": [\n";
    int posx = 0, posz = 0, heading = 0;
    bool first = true;
    for (const CourseStep& step : route) {
        int dir = heading;
        int nextHeading = heading;
        if (step.piece == 'T')
            dir = (heading + 2) % 4;
        if (step.piece == 'L')
            nextHeading = (heading + 1) % 4;
        if (step.piece == 'R') {
            dir = (heading + 1) % 4; // the curve's local -x edge faces back
            nextHeading = (heading + 3) % 4;
        }
        if (step.piece != '_') {
            const int typ = step.piece == 'E' ? 0 : (step.piece == 'L' || step.piece == 'R') ? 2 : 1;
            out << (first ? "  " : ", ") << "{\"typ\": " << typ << ", \"posx\": " << posx << ", \"posy\": 0, \"posz\": "
                << posz << ", \"dir\": " << dir << ", \"obstacles\": {";
            int slot = 0;
            for (char c : step.slots) {
                if (c == '|' || slot >= 9)
                    continue;
                out << (slot ? ", " : "") << "\"" << slotKeys[slot] << "\": " << courseItemCode(c);
                ++slot;
            }
            for (; slot < 9; ++slot)
                out << (slot ? ", " : "") << "\"" << slotKeys[slot] << "\": 0";
            out << "}}\n";
            first = false;
        }
        heading = nextHeading;
        // World x = -6 posx, world z = -6 posz: a step toward -z is posz + 1.
        posx -= travelX[heading];
        posz -= travelZ[heading];
    }
    out << "]}\n";
    return out.str();
}
