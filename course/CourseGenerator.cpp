#include "course/CourseGenerator.h"

#include "course/CourseNotation.h"
#include "course/CourseRandom.h"

#include <algorithm>

namespace vantor::scene {

namespace {

// The dials, chosen by letting the autopilot play a few hundred courses of each (README,
// "Generated courses").
const CourseDials easyDials = {10, 16, 150, 350, 1, 2, true, false, 0, 0, 800, 150, 150};
const CourseDials mediumDials = {18, 30, 300, 600, 1, 3, false, true, 250, 250, 850, 250, 350};
const CourseDials hardDials = {32, 60, 450, 850, 2, 6, false, true, 500, 500, 850, 350, 550};

// Headings the walk may take, as the route writer counts them (never 2, toward +z and the
// camera).
const int awayFromCamera = 0; // toward -z
const int towardMinusX = 1;

// Slot index of a lane (row) and a third (column) on a straight entered at its local +z.
int slotOf(int lane, int third)
{
    return lane * 3 + third;
}

// The curve's slots near each lane's arc, by how far the arc runs from the curve's inner
// corner: inner (radius 1.9), middle (3.0) and outer (4.1).
const std::array<std::array<bool, 9>, 3> arcSlots = {{
    {true, false, false, false, false, false, false, false, false}, // lv
    {true, true, false, true, true, false, false, false, false},    // lv lm mv mm
    {false, true, false, true, true, false, true, true, false},     // lm mv mm rv rm
}};
// The slots a ball on each arc rolls over (where a fruit on the way belongs).
const std::array<std::array<bool, 9>, 3> arcFruitSlots = {{
    {true, false, false, false, false, false, false, false, false}, // lv
    {false, false, false, true, false, false, false, false, false}, // mv
    {false, false, false, false, true, false, true, false, false},  // mm rv
}};

// Which arc a lane takes round a curve: a left turn's left lane runs innermost, a right
// turn's right lane.
int arcOf(char turn, int lane)
{
    return turn == 'L' ? lane : 2 - lane;
}

struct RouteBuilder {
    CourseRandom& random;          // not owned: generateRoute's; every choice of the route draws from it
    const CourseDials& dials;      // not owned: the difficulty's
    std::vector<CourseStep> route; // the pieces so far, from the drop piece on
    int heading = awayFromCamera;  // where the walk heads now, as the route writer counts headings
    int lane = 1;                  // the open way's lane where the next piece begins; the drop is on the middle one

    // Picks `count` of the slots where `allowed` holds, each set of them as likely as any.
    std::vector<int> pick(const std::array<bool, 9>& allowed, int count)
    {
        std::vector<int> slots;
        for (int s = 0; s < 9; ++s)
            if (allowed[size_t(s)])
                slots.push_back(s);
        for (int k = int(slots.size()) - 1; k > 0; --k)
            std::swap(slots[size_t(k)], slots[random.below(uint32_t(k) + 1u)]);
        slots.resize(size_t(std::min(count, int(slots.size()))));
        return slots;
    }

    int obstacleCode()
    {
        if (random.chance(dials.rollerChance))
            return 1;
        return 2 + int(random.below(3u)); // fence, barricade or sand heap
    }

    // Obstacles on the slots the open way leaves, if this piece gets any; `oneLaneOnly`
    // keeps them to a single lane beside the way's.
    void placeObstacles(const std::array<bool, 9>& way, bool oneLaneOnly, std::array<int, 9>& codes)
    {
        if (!random.chance(dials.obstaclePieceChance))
            return;
        std::array<bool, 9> allowed{};
        for (int s = 0; s < 9; ++s)
            allowed[size_t(s)] = !way[size_t(s)];
        if (oneLaneOnly) {
            const int blockedLane = (lane + 1 + int(random.below(2u))) % 3;
            for (int s = 0; s < 9; ++s)
                allowed[size_t(s)] = allowed[size_t(s)] && s / 3 == blockedLane;
        }
        for (int s : pick(allowed, random.between(dials.minObstacles, dials.maxObstacles)))
            codes[size_t(s)] = obstacleCode();
    }

    // Fruit on the open way (where `onWay` holds), or off it on a free slot where `offWay`
    // holds.
    void placeFruit(const std::array<bool, 9>& onWay, const std::array<bool, 9>& offWay, std::array<int, 9>& codes)
    {
        const bool fruit[2] = {random.chance(dials.firstFruitChance), random.chance(dials.secondFruitChance)};
        for (bool wanted : fruit) {
            if (!wanted)
                continue;
            const bool off = random.chance(dials.offWayFruitChance);
            std::array<bool, 9> allowed{};
            for (int s = 0; s < 9; ++s)
                allowed[size_t(s)] = codes[size_t(s)] == 0 && (off ? offWay[size_t(s)] : onWay[size_t(s)]);
            const int kind = random.chance(400) ? 11 : 10; // apples are worth more, so rarer
            for (int s : pick(allowed, 1))
                codes[size_t(s)] = kind;
        }
    }

    void add(char piece, const std::array<int, 9>& codes)
    {
        std::string slots;
        for (int code : codes)
            slots += slotSymbolOf(code);
        route.push_back({piece, slots});
    }

    void straight(bool withObstacles)
    {
        int exitLane = lane, changeThird = -1;
        if (withObstacles && random.chance(dials.laneChangeChance)) {
            exitLane = (lane + 1 + int(random.below(2u))) % 3;
            changeThird = int(random.below(3u));
        }
        const std::array<bool, 9> way = openWayOnStraight(lane, exitLane, changeThird);
        std::array<int, 9> codes{};
        if (withObstacles)
            placeObstacles(way, dials.obstaclesInOneLane && changeThird < 0, codes);
        // Off the way, a fruit lies next to it, where a short swerve reaches it.
        std::array<bool, 9> besideWay{};
        for (int s = 0; s < 9; ++s) {
            const int row = s / 3, column = s % 3;
            for (int t = 0; t < 9; ++t)
                besideWay[size_t(s)] = besideWay[size_t(s)] ||
                                       (way[size_t(t)] && std::abs(t / 3 - row) + std::abs(t % 3 - column) == 1);
            besideWay[size_t(s)] = besideWay[size_t(s)] && !way[size_t(s)];
        }
        placeFruit(way, besideWay, codes);
        add('S', codes);
        lane = exitLane;
    }

    void curve(char turn)
    {
        const std::array<bool, 9> way = openWayOnCurve(turn, lane);
        std::array<int, 9> codes{};
        if (dials.obstaclesOnCurves)
            placeObstacles(way, false, codes);
        // Off the arc a fruit lies only on a curve without obstacles: reaching for it round
        // obstacles in the curve's outer corner leaves a ball stuck there.
        const bool clear = std::all_of(codes.begin(), codes.end(), [](int code) { return code == 0; });
        std::array<bool, 9> offArc{};
        for (int s = 0; s < 9; ++s)
            offArc[size_t(s)] = clear && !way[size_t(s)];
        placeFruit(arcFruitSlots[size_t(arcOf(turn, lane))], offArc, codes);
        add(turn, codes);
        heading = (heading + (turn == 'L' ? 1 : 3)) % 4;
    }
};

} // namespace

const CourseDials& courseDials(Difficulty difficulty)
{
    switch (difficulty) {
    case Difficulty::Easy: return easyDials;
    case Difficulty::Medium: return mediumDials;
    case Difficulty::Hard: return hardDials;
    }
    return mediumDials;
}

std::array<bool, 9> openWayOnStraight(int entryLane, int exitLane, int changeThird)
{
    std::array<bool, 9> way{};
    for (int third = 0; third < 3; ++third) {
        const bool before = changeThird < 0 || third < changeThird;
        const bool after = changeThird >= 0 && third > changeThird;
        if (before)
            way[size_t(slotOf(entryLane, third))] = true;
        else if (after)
            way[size_t(slotOf(exitLane, third))] = true;
        else
            for (int lane = std::min(entryLane, exitLane); lane <= std::max(entryLane, exitLane); ++lane)
                way[size_t(slotOf(lane, third))] = true;
    }
    return way;
}

std::array<bool, 9> openWayOnCurve(char turn, int lane)
{
    return arcSlots[size_t(arcOf(turn, lane))];
}

std::vector<CourseStep> generateRoute(uint32_t seed, Difficulty difficulty)
{
    CourseRandom random(seed, uint64_t(difficulty));
    RouteBuilder builder{random, courseDials(difficulty), {}};
    const CourseDials& dials = builder.dials;
    const int pieces = random.between(dials.minPieces, dials.maxPieces);
    builder.add('S', {}); // the ball is dropped here
    builder.straight(false);
    for (int k = 2; k + 1 < pieces; ++k) {
        if (!random.chance(dials.curveChance))
            builder.straight(true);
        else if (builder.heading == awayFromCamera)
            builder.curve(random.chance(500) ? 'L' : 'R');
        else
            builder.curve(builder.heading == towardMinusX ? 'R' : 'L'); // back to heading away from the camera
    }
    builder.add('E', {});
    return builder.route;
}

std::string generateCourse(uint32_t seed, Difficulty difficulty)
{
    return courseText(generateRoute(seed, difficulty));
}

} // namespace vantor::scene
