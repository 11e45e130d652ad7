// Times the game's tick body on OpenGL for every known frame state at every size, against a bare tick (clear and
// swap) timed at the same size in the same run: each state painted whole, and the full board with everything on
// where one thing changes from tick to tick, as in a running game. Needs $DISPLAY.
#include <benchmark/benchmark.h>
#include <GL/gl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "tests/support/framestates.h"
#include "tests/support/testgame.h"

namespace {

const int bareTick = -1;  // in the place of a frame state

// What changes between two ticks of a state of the full board with everything on: applied on every other tick, so
// each tick paints the difference. A one-way change is timed only in that direction: the tick back is untimed.
struct Change {
    const char* name;
    int state;
    std::function<void(bool)> apply;
    bool oneWay = false;
};
int savedAppear[boardSize][boardSize], savedRemove[boardSize][boardSize];
const Change changes[] = {
    {"+ a spawn fades in", framestates::playAllSelection,
     [](bool on) {
         for (int col = 2; col < 5; ++col)
             appearTimer[col][2] = on ? 12 : 13;
     }},
    {"+ a run is removed", framestates::playAllSelection,
     [](bool on) {
         for (int col = 0; col < 5; ++col)
             removeTimer[col][4] = on ? 7 : 6;
     }},
    {"+ the tooltip moves", framestates::playAllTooltip,
     [](bool on) { testgame::pointAt(screenWidth - 70 - (on ? 6 : 0), 20); }},
    {"+ the banner blinks", framestates::playAllTooltip, [](bool on) { gameOverCountdown = on ? 101 : 112; }},
    {"+ the selection blinks", framestates::playAllSelection, [](bool on) { testgame::setTime(on ? 1009 : 1019); }},
    {"+ every timer steps", framestates::playAllSelection,
     [](bool on) {
         for (int col = 0; col < boardSize; ++col)
             for (int row = 0; row < boardSize; ++row) {
                 appearTimer[col][row] = std::max(0, savedAppear[col][row] - (on ? 1 : 0));
                 removeTimer[col][row] = std::max(0, savedRemove[col][row] - (on ? 1 : 0));
             }
     }},
    {"+ a new game starts", framestates::playAllTooltip,
     [](bool on) {
         if (on)
             playState = playNewPending;
         else
             framestates::enter(framestates::playAllTooltip);  // the full board again
     },
     true},
};
const int firstChange = 100;  // rows from here on are changes
const int changeCount = static_cast<int>(sizeof changes / sizeof changes[0]);

// One device at a time: the benchmarks of one size run together, so each size opens one window.
void useSize(int mode)
{
    if (device && sizeMode == mode)
        return;
    testgame::close();
    testgame::open(video::EDT_OPENGL, mode);
    if (!device) {
        std::printf("cannot open an OpenGL window: is $DISPLAY set?\n");
        std::exit(1);
    }
}

void tickOf(benchmark::State& run, int mode, int state)
{
    useSize(mode);
    if (state == bareTick) {
        for (auto _ : run) {
            driver->beginScene(true, true, video::SColor(0xFFB482C7), video::SExposedVideoData(), nullptr);
            driver->endScene();
        }
        return;
    }
    if (state >= firstChange) {
        const Change& change = changes[state - firstChange];
        framestates::enter(change.state);
        std::copy(&appearTimer[0][0], &appearTimer[0][0] + boardSize * boardSize, &savedAppear[0][0]);
        std::copy(&removeTimer[0][0], &removeTimer[0][0] + boardSize * boardSize, &savedRemove[0][0]);
        bool on = false;
        for (auto _ : run) {
            if (change.oneWay) {
                run.PauseTiming();
                framestates::restore(change.state);
                change.apply(false);
                runTick();
                run.ResumeTiming();
                on = false;
            }
            framestates::restore(change.state);
            change.apply(on = !on);
            runTick();
        }
        return;
    }
    framestates::enter(state);
    for (auto _ : run) {
        framestates::restore(state);
        forgetShownPicture();  // every tick paints the whole picture, as when all of it has changed
        runTick();
    }
}

std::string rowName(int state)
{
    return state == bareTick ? "bare tick" : state >= firstChange ? changes[state - firstChange].name
                                                                  : framestates::name(state);
}

// The console table as usual; wall and process CPU time per tick kept for the summary (the medians when
// --benchmark_repetitions asks for several runs, else the one run).
class TableReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> wallMs, cpuMs;
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs)
            if (!run.error_occurred && (run.run_type == Run::RT_Iteration || run.aggregate_name == "median")) {
                const std::string& name = run.run_name.function_name;
                if (run.run_type == Run::RT_Iteration && wallMs.count(name))
                    continue;  // repetitions: the median follows
                const double toMs = 1e3 / benchmark::GetTimeUnitMultiplier(run.time_unit);
                wallMs[name] = run.GetAdjustedRealTime() * toMs;
                cpuMs[name] = run.GetAdjustedCPUTime() * toMs;
            }
        ConsoleReporter::ReportRuns(runs);
    }
};

std::string benchmarkName(int mode, int state)
{
    return std::to_string(windowSideBySize[mode]) + "/" + rowName(state);
}

void printTable(const char* title, const std::map<std::string, double>& ms, const std::vector<int>& rows)
{
    std::printf("\n%s\n%-22s", title, "");
    for (int mode = 0; mode < sizeModeCount; ++mode)
        std::printf("%16d", windowSideBySize[mode]);
    std::printf("\n");
    for (int state : rows) {
        std::printf("%-22s", rowName(state).c_str());
        for (int mode = 0; mode < sizeModeCount; ++mode) {
            const auto tick = ms.find(benchmarkName(mode, state)), bare = ms.find(benchmarkName(mode, bareTick));
            if (tick == ms.end() || bare == ms.end())
                std::printf("%16s", "-");
            else
                std::printf("%8.2f (%4.1fx)", tick->second, tick->second / bare->second);
        }
        std::printf("\n");
    }
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<int> rows = {bareTick};
    for (int state = 0; state < framestates::stateCount; ++state)
        rows.push_back(state);
    for (int k = 0; k < changeCount; ++k)
        rows.push_back(firstChange + k);
    for (int mode = 0; mode < sizeModeCount; ++mode)
        for (int state : rows)
            benchmark::RegisterBenchmark(benchmarkName(mode, state).c_str(), tickOf, mode, state)
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime()
                ->MeasureProcessCPUTime();

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    TableReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    std::string renderer = "no OpenGL window was opened";
    if (device) {
        renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
        testgame::close();
    }
    std::printf("\nRenderer: %s\n", renderer.c_str());
    printTable("Wall time per tick in ms, and against the bare tick of the same size", reporter.wallMs, rows);
    printTable("CPU time of the process (all its threads) per tick in ms, and against the bare tick", reporter.cpuMs,
               rows);
    benchmark::Shutdown();
    return 0;
}
