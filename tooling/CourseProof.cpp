#include "tooling/CourseProof.h"

#include "course/CourseCheck.h"
#include "course/CourseGenerator.h"
#include "tooling/Playtest.h"

#include <chrono>
#include <cstdio>
#include <sstream>

namespace vantor::scene {

namespace {

double secondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The first line of a playtest's verdict, without its "Playtest: " and line end.
std::string verdict(const PlaytestResult& result)
{
    std::string line = formatPlaytest(result);
    line = line.substr(0, line.find('\n'));
    const std::string prefix = "Playtest: ";
    return line.compare(0, prefix.size(), prefix) == 0 ? line.substr(prefix.size()) : line;
}

std::string percent(int part, int whole)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.1f %%", whole > 0 ? 100.0 * part / whole : 0.0);
    return text;
}

} // namespace

std::vector<DifficultyProof> proveGenerator(int count, uint32_t firstSeed, const CourseModels& models,
                                            const std::string& modelsFolder, std::ostream& progress)
{
    std::vector<DifficultyProof> proofs;
    for (Difficulty difficulty : {Difficulty::Easy, Difficulty::Medium, Difficulty::Hard}) {
        DifficultyProof proof;
        proof.difficulty = difficulty;
        const auto started = std::chrono::steady_clock::now();
        for (int k = 0; k < count; ++k) {
            const uint32_t seed = firstSeed + uint32_t(k);
            const std::string name = generatedCourseName(seed, difficulty);
            const std::string text = generateCourse(seed, difficulty);
            ++proof.courses;
            const CourseReport report = checkCourse(text, models);
            if (report.errors() > 0) {
                ++proof.refused;
                const std::string why = "refused: " + report.firstError();
                proof.failures.push_back({name, why});
                progress << name << ": " << why << std::endl;
                continue;
            }
            const auto played = std::chrono::steady_clock::now();
            const PlaytestResult result = playtest(name, modelsFolder);
            proof.reached += result.outcome == PlaytestOutcome::ReachedGoal ? 1 : 0;
            proof.fruitTaken += result.fruitCollected;
            proof.fruitTotal += result.fruitTotal;
            proof.playSeconds += result.seconds;
            if (result.outcome != PlaytestOutcome::ReachedGoal)
                proof.failures.push_back({name, verdict(result)});
            char wall[32];
            std::snprintf(wall, sizeof wall, " (%.1f s)", secondsSince(played));
            progress << name << ": " << verdict(result) << wall << std::endl;
        }
        proof.wallSeconds = secondsSince(started);
        proofs.push_back(proof);
    }
    return proofs;
}

std::string formatProof(const std::vector<DifficultyProof>& proofs)
{
    std::ostringstream out;
    char line[256];
    std::snprintf(line, sizeof line, "%-8s %7s %18s %24s %16s %9s %8s\n", "", "courses", "reached the goal",
                  "fruit taken", "game time (mean)", "wall time", "refused");
    out << line;
    double wallSeconds = 0.0;
    int courses = 0;
    for (const DifficultyProof& p : proofs) {
        const int played = p.courses - p.refused;
        std::snprintf(line, sizeof line, "%-8s %7d %7d (%7s) %24s %8.0f s (%3.0f) %7.0f s %8d\n",
                      difficultyName(p.difficulty), p.courses, p.reached, percent(p.reached, p.courses).c_str(),
                      (std::to_string(p.fruitTaken) + " of " + std::to_string(p.fruitTotal) + " (" +
                       percent(p.fruitTaken, p.fruitTotal) + ")").c_str(),
                      p.playSeconds, played > 0 ? p.playSeconds / played : 0.0, p.wallSeconds, p.refused);
        out << line;
        wallSeconds += p.wallSeconds;
        courses += p.courses;
    }
    for (const DifficultyProof& p : proofs)
        for (const ProofFailure& failure : p.failures)
            out << "  " << failure.course << ": " << failure.why << "\n";
    std::snprintf(line, sizeof line, "All %d courses in %.1f minutes.\n", courses, wallSeconds / 60.0);
    out << line;
    return out.str();
}

} // namespace vantor::scene
