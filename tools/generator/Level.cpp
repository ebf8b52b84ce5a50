// The course, written to level.json.
//
// Conventions (world axes; a piece at posx, posz stands at (-6 posx, posy, -6 posz) and is
// turned by dir quarter turns about +y, so its local +z edge faces world +z, +x, -z, -x
// for dir 0, 1, 2, 3, and its local -x edge faces -x, +z, +x, -z):
//   straight (typ 1): path between its local +z and -z edges; the course always enters
//                     at local +z, so the slots' "v" row comes first and "l" is the
//                     player's left. Travel -z: dir 0; -x: dir 1; +z: dir 2; +x: dir 3.
//   curve (typ 2):    path between its local +z and -x edges. Entered at +z it turns left,
//                     entered at -x it turns right. Left turns (travel t -> left of t):
//                     -z -> -x dir 0, -x -> +z dir 1, +z -> +x dir 2, +x -> -z dir 3;
//                     right turns (t -> right of t): -x -> -z dir 2, +z -> -x dir 3,
//                     +x -> +z dir 0, -z -> +x dir 1.
//   end (typ 0):      open at its local +z edge only: entered travelling -z with dir 0.
#include "course/CourseNotation.h"
#include "generator/Generator.h"

#include <fstream>
#include <sstream>

namespace datagen {

using vantor::scene::slotMembers;

namespace {

// One piece of the course. `slots` lists the nine item codes in the file's key order
// lv lm lh | mv mm mh | rv rm rh, written as characters:
//   '.' empty (0), R roller (1), F fence (2), B barricade (3), S sand heap (4),
//   b banana (10), a apple (11).
struct CoursePiece {
    int typ, posx, posz, dir;
    const char* slots;
};

// From the drop point (0, 4, -1) the course heads for -z (away from the camera), turns
// left, right, right, left, left, right, and ends 66 units further on.
const CoursePiece course[] = {
    {1, 0, 0, 0, "...|...|..."},   // start: the ball lands here
    {1, 0, 1, 0, "...|.b.|..."},
    {1, 0, 2, 0, "R..|...|.a."},
    {2, 0, 3, 0, "...|b..|..."},   // left turn, now travelling -x
    {1, 1, 3, 1, "..F|.b.|S.."},
    {1, 2, 3, 1, "...|B..|..b"},
    {2, 3, 3, 2, "...|.a.|..."},   // right turn, travelling -z
    {1, 3, 4, 0, "S..|..b|..S"},
    {1, 3, 5, 0, "bR.|...|R.."},
    {2, 3, 6, 1, "...|.b.|..."},   // right turn, travelling +x
    {1, 2, 6, 3, "F.a|.F.|..."},
    {1, 1, 6, 3, "...|S.S|.b."},
    {1, 0, 6, 3, "..B|.a.|B.."},
    {2, -1, 6, 3, "b..|...|..."},  // left turn, travelling -z
    {1, -1, 7, 0, "R..|..R|.b."},
    {1, -1, 8, 0, "F..|..F|a.."},
    {2, -1, 9, 0, "...|.a.|..."},  // left turn, travelling -x
    {1, 0, 9, 1, "S.S|..b|.S."},
    {2, 1, 9, 2, "...|.b.|..."},   // right turn, travelling -z
    {1, 1, 10, 0, "B..|.a.|..B"},
    {0, 1, 11, 0, "...|...|..."},  // the goal
};

std::string levelText()
{
    std::ostringstream out;
    out << "{\n  \"elements\": [\n";
    size_t count = sizeof course / sizeof course[0];
    for (size_t i = 0; i < count; ++i) {
        const CoursePiece& p = course[i];
        out << "    {\"typ\": " << p.typ << ", \"posx\": " << p.posx << ", \"posy\": 0, \"posz\": " << p.posz
            << ", \"dir\": " << p.dir << ",\n     \"obstacles\": {";
        out << slotMembers(p.slots) << "}}" << (i + 1 < count ? "," : "") << "\n";
    }
    out << "  ]\n}\n";
    return out.str();
}

} // namespace

bool generateLevel(const std::string& folder, std::vector<std::string>& written)
{
    std::ofstream file(folder + "/level.json", std::ios::binary);
    file << levelText();
    written.push_back("level.json");
    return file.good();
}

} // namespace datagen
