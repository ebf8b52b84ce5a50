#include "course/CourseRoute.h"

#include "course/CourseNotation.h"

#include <sstream>

namespace vantor::scene {

namespace {

// Directions of travel in turning-left order, as world (x, z) steps, and the "dir" that
// faces a piece's local +z edge back against each (from the course's conventions: local
// +z faces world +z, +x, -z, -x for dir 0, 1, 2, 3).
const int travelX[4] = {0, -1, 0, 1};
const int travelZ[4] = {-1, 0, 1, 0};

} // namespace

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
            out << slotMembers(step.slots) << "}}\n";
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

} // namespace vantor::scene
