// Times run detection and a whole move against one bare engine tick measured in the same run.
#include <benchmark/benchmark.h>
#include <irrlicht.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <string>
#include <unistd.h>

#include "board/board.h"

static irr::IrrlichtDevice* nullDevice = nullptr;
static int savedStdout = -1;

// Spawns print a newline each; keep that out of the report, which also goes to stdout.
static void silenceStdout()
{
    std::fflush(stdout);
    savedStdout = dup(1);
    int devNull = open("/dev/null", O_WRONLY);
    dup2(devNull, 1);
    close(devNull);
}

static void restoreStdout()
{
    std::fflush(stdout);
    dup2(savedStdout, 1);
    close(savedStdout);
}

static void clearBoard()
{
    std::memset(board, 0, sizeof board);
    std::memset(appearTimer, 0, sizeof appearTimer);
    std::memset(removeTimer, 0, sizeof removeTimer);
}

// The baseline: what one tick of the game costs the engine before any drawing.
static void engineTick(benchmark::State& state)
{
    irr::video::IVideoDriver* video = nullDevice->getVideoDriver();
    for (auto _ : state) {
        benchmark::DoNotOptimize(nullDevice->run());
        video->beginScene(true, true, irr::video::SColor(255, 0, 0, 0));
        video->endScene();
    }
}
BENCHMARK(engineTick);

static void markRunsEmpty(benchmark::State& state)
{
    clearBoard();
    for (auto _ : state)
        benchmark::DoNotOptimize(markRuns(3, 33));
}
BENCHMARK(markRunsEmpty);

// Half the cells filled at random; marking is idempotent, so later iterations see the same board.
static void markRunsRandom(benchmark::State& state)
{
    clearBoard();
    std::srand(1);
    for (int col = 0; col < boardSize; ++col)
        for (int row = 0; row < boardSize; ++row)
            if (std::rand() % 2)
                board[col][row] = std::rand() % colourCount + 1;
    for (auto _ : state)
        benchmark::DoNotOptimize(markRuns(3, 33));
}
BENCHMARK(markRunsRandom);

// Every cell colour 3: the longest walks and the most marking there can be.
static void markRunsFull(benchmark::State& state)
{
    clearBoard();
    for (int col = 0; col < boardSize; ++col)
        for (int row = 0; row < boardSize; ++row)
            board[col][row] = 3;
    for (auto _ : state)
        benchmark::DoNotOptimize(markRuns(3, 33));
}
BENCHMARK(markRunsFull);

// A move that completes nothing: two scans of five colours and three spawns. The timing includes
// copying the start position back (under 1 KB) before each move.
static void resolveClickMove(benchmark::State& state)
{
    clearBoard();
    for (int col = 0; col < boardSize; ++col)
        for (int row = 0; row < boardSize; ++row)
            if ((col * 7 + row * 3) % 5 != 0)
                board[col][row] = (col + 2 * row) % colourCount + 1;  // no two neighbours alike
    int startBoard[boardSize][boardSize], startAppear[boardSize][boardSize];
    std::memcpy(startBoard, board, sizeof board);
    std::memcpy(startAppear, appearTimer, sizeof appearTimer);
    int fromCol = 0, fromRow = 1, toCol = 0, toRow = 0;
    leftButtonDown = true;
    silenceStdout();
    for (auto _ : state) {
        std::memcpy(board, startBoard, sizeof board);
        std::memcpy(appearTimer, startAppear, sizeof appearTimer);
        selectedCol = fromCol, selectedRow = fromRow;
        inputCooldown = 0;
        turnPhase = turnTakesClicks;
        resolveClick(toCol, toRow);
        benchmark::DoNotOptimize(board);
    }
    restoreStdout();
    if (board[toCol][toRow] == emptyCell)
        state.SkipWithError("the move did not happen");
}
BENCHMARK(resolveClickMove);

// The console table as usual, and the CPU time per benchmark kept for the ratio table (steadier than
// wall time on a shared machine; the mean when --benchmark_repetitions asks for several runs).
class RatioReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> nanoseconds;
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs)
            if (!run.error_occurred && (run.run_type == Run::RT_Iteration || run.aggregate_name == "mean"))
                nanoseconds[run.run_name.function_name] = run.GetAdjustedCPUTime() *
                    benchmark::GetTimeUnitMultiplier(benchmark::kNanosecond) /
                    benchmark::GetTimeUnitMultiplier(run.time_unit);
        ConsoleReporter::ReportRuns(runs);
    }
};

int main(int argc, char** argv)
{
    silenceStdout();  // the engine greets on stdout
    nullDevice = irr::createDevice(irr::video::EDT_NULL, irr::core::dimension2d<irr::u32>(640, 480));
    restoreStdout();
    if (!nullDevice) {
        std::printf("no null device\n");
        return 1;
    }
    nullDevice->getLogger()->setLogLevel(irr::ELL_NONE);

    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    auto baseline = reporter.nanoseconds.find("engineTick");
    if (baseline != reporter.nanoseconds.end() && baseline->second > 0) {
        std::printf("\nCPU time per call, against one bare engine tick (%.1f ns):\n", baseline->second);
        for (const auto& entry : reporter.nanoseconds)
            std::printf("  %-18s %10.1f ns  %8.3f ticks\n", entry.first.c_str(), entry.second,
                        entry.second / baseline->second);
    }
    benchmark::Shutdown();
    nullDevice->drop();
    return 0;
}
