#pragma once
#include <string>
#include <vector>

namespace vantor::scene {

// Courses written as a route: the first piece stands in the drop point's cell heading
// away from the camera (-z); each step is one cell on.
//   'S' straight piece entered at its local +z, 'T' the same piece turned half round
//   (entered at its local -z), 'L' a curve turning left, 'R' a curve turning right,
//   'E' the end piece, '_' an empty cell (a gap in the course).
// `slots` gives each piece's nine items in the course notation (CourseNotation.h):
// '.' empty, R roller, F fence, B barricade, S sand heap, b banana, a apple; '|'
// separators are ignored. Missing entries are empty. The course pack, the generated
// courses and the tests' small courses are written this way.
struct CourseStep {
    char piece;        // S, T, L, R, E or _
    std::string slots; // the piece's items, as above
};

// The level file of the route, one element a line, all at height 0. The text depends on
// the route alone, byte for byte.
std::string courseText(const std::vector<CourseStep>& route);

} // namespace vantor::scene
