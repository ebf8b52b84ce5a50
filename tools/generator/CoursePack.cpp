// The course pack, written to courses/: three courses of rising difficulty beside the
// shipped level.json, for players who want more and for course authors to start from, and
// courses/index.txt, the pack's table that the launchers' --courses prints.
// Written as routes (course/CourseRoute.h); the slot notation is "lv lm lh | mv mm mh | rv rm rh".
#include "course/CourseRoute.h"
#include "generator/Generator.h"

#include <cstdio>
#include <fstream>

namespace datagen {

using vantor::scene::CourseStep;
using vantor::scene::courseText;

namespace {

// A gentle first course: long straights, three wide turns, fruit on the middle lane and a
// single sand heap to cross.
const std::vector<CourseStep> meadow = {
    {'S', ""},
    {'S', "...|.b.|..."},
    {'S', "...|b.b|..."},
    {'L', "...|.a.|..."},
    {'S', ".b.|...|..."},
    {'S', "...|.S.|.a."},
    {'R', "...|.b.|..."},
    {'S', "...|a.a|..."},
    {'S', "b..|...|..b"},
    {'L', "...|.b.|..."},
    {'S', "...|.a.|..."},
    {'E', ""},
};

// S-bends: curves in pairs that swing the course left and right, obstacles that make the
// ball weave from lane to lane, and fruit on the outer side of some curves.
const std::vector<CourseStep> sBends = {
    {'S', ""},
    {'S', "...|.b.|..."},
    {'L', "...|.b.|..."},
    {'R', "...|.a.|..."},
    {'S', "R..|...|..b"},
    {'S', "..b|...|R.."},
    {'R', "...|.b.|..."},
    {'L', "...|..a|..."},
    {'S', "B..|.b.|..B"},
    {'L', "...|.a.|..."},
    {'R', "..b|...|..."},
    {'S', "F..|...|..F"},
    {'S', "..S|.a.|S.."},
    {'R', "..b|..b|..b"},
    {'L', "...|.a.|..."},
    {'S', "R..|..R|.b."},
    {'L', "...|.b.|..."},
    {'R', "...|.a.|.a."},
    {'S', "...|b.b|..."},
    {'S', "...|.a.|..."},
    {'E', ""},
};

// One lap of the long course: a zigzag of fourteen pieces, eight of them curves, with
// passages where obstacles close two lanes of a third and leave the ball the middle one.
const std::vector<CourseStep> gauntletLap = {
    {'L', "..b|..b|..b"},
    {'S', "F..|...|F.."},
    {'R', "...|.a.|..."},
    {'L', "...|...|.b."},
    {'R', "..a|...|..."},
    {'S', ".R.|...|.R."},
    {'S', "..b|B..|..b"},
    {'R', "...|.b.|..."},
    {'L', "S..|...|..."},
    {'R', "...|.a.|..."},
    {'S', "..F|.b.|..F"},
    {'L', "..a|.a.|..."},
    {'S', "...|b.b|..."},
    {'S', "R..|...|..R"},
};
const int gauntletLaps = 4;

// Long and hard: the lap above four times over, 59 pieces and 32 curves.
std::vector<CourseStep> gauntlet()
{
    std::vector<CourseStep> route = {{'S', ""}, {'S', "...|.b.|..."}};
    for (int lap = 0; lap < gauntletLaps; ++lap)
        route.insert(route.end(), gauntletLap.begin(), gauntletLap.end());
    route.push_back({'E', ""});
    return route;
}

// One line of the pack's table: name, pieces, fruit and a few words, in columns.
std::string indexLine(const std::string& name, const std::vector<CourseStep>& route, const std::string& words)
{
    int pieces = 0;
    int fruit = 0;
    for (const CourseStep& step : route) {
        pieces += step.piece != '_';
        for (char slot : step.slots)
            fruit += slot == 'a' || slot == 'b';
    }
    char line[160];
    std::snprintf(line, sizeof line, "%-12s %2d pieces  %2d fruit  %s\n", name.c_str(), pieces, fruit, words.c_str());
    return line;
}

bool writeCourse(const std::string& folder, const std::string& name, const std::vector<CourseStep>& route,
                 const std::string& words, std::string& index, std::vector<std::string>& written)
{
    const std::string file = "courses/" + name + ".json";
    std::ofstream out(folder + "/" + file, std::ios::binary);
    out << courseText(route);
    written.push_back(file);
    index += indexLine(name, route, words);
    return out.good();
}

} // namespace

bool generateCoursePack(const std::string& folder, std::vector<std::string>& written)
{
    if (!ensureFolder(folder + "/courses"))
        return false;
    std::string index;
    bool ok = writeCourse(folder, "1-meadow", meadow, "gentle: long straights, three wide turns, one sand heap",
                          index, written);
    ok = writeCourse(folder, "2-s-bends", sBends, "curves in pairs and obstacles to weave between", index,
                     written) && ok;
    ok = writeCourse(folder, "3-gauntlet", gauntlet(), "long and hard: four laps of a zigzag, 32 curves", index,
                     written) && ok;
    std::ofstream out(folder + "/courses/index.txt", std::ios::binary);
    out << index;
    written.push_back("courses/index.txt");
    return out.good() && ok;
}

} // namespace datagen
