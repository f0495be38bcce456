// The window layout decisions that run while the user waits: arranging every window of a
// screen into its layout, and converting an imported layout file. Both must stay far below one
// display frame (16 ms).
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "tiling/core/backup_format.hpp"
#include "tiling/core/window_assignment.hpp"

namespace {

using tavorin::TRect;

// A 4 × 8 grid of zones on a 2560 × 1440 screen and 50 windows scattered over it.
void assignFiftyWindowsToThirtyTwoZones(benchmark::State& state) {
  std::vector<TRect> zones;
  for (int row = 0; row < 4; ++row) {
    for (int column = 0; column < 8; ++column)
      zones.push_back({column * 320.0, row * 360.0, 320, 360});
  }
  std::mt19937 random(42);
  std::uniform_real_distribution<double> x(0, 2200), y(0, 1100), size(200, 900);
  std::vector<TRect> windows;
  for (int i = 0; i < 50; ++i)
    windows.push_back({x(random), y(random), size(random), size(random)});

  for (auto _ : state)
    benchmark::DoNotOptimize(tavorin::WindowAssignment::assign(windows, zones));
}
BENCHMARK(assignFiftyWindowsToThirtyTwoZones)->Unit(benchmark::kMicrosecond);

// An 8 × 8 grid of tiles in the unit square, as a Tiling Shell file would hold it.
void buildSixtyFourTileLayout(benchmark::State& state) {
  std::vector<TRect> tiles;
  for (int row = 0; row < 8; ++row) {
    for (int column = 0; column < 8; ++column)
      tiles.push_back({column / 8.0, row / 8.0, 0.125, 0.125});
  }
  for (auto _ : state)
    benchmark::DoNotOptimize(tavorin::TilingShellFormat::build(tiles, {0, 0, 1, 1}));
}
BENCHMARK(buildSixtyFourTileLayout)->Unit(benchmark::kMicrosecond);

// The same tiles, but cut into an uneven mosaic that needs backtracking on its first axis.
void buildSixtyFourTileStripsAndColumns(benchmark::State& state) {
  std::vector<TRect> tiles;
  for (int i = 0; i < 32; ++i)
    tiles.push_back({0, i / 64.0, 1, 1 / 64.0});  // strips on top
  for (int i = 0; i < 32; ++i)
    tiles.push_back({i / 32.0, 0.5, 1 / 32.0, 0.5});  // columns below
  for (auto _ : state)
    benchmark::DoNotOptimize(tavorin::TilingShellFormat::build(tiles, {0, 0, 1, 1}));
}
BENCHMARK(buildSixtyFourTileStripsAndColumns)->Unit(benchmark::kMicrosecond);

// The worst case the work budget exists for: fifty strips above a pinwheel that no straight
// cut separates. Without the budget this takes about 2^50 steps; with it, it is refused.
void rejectStripsAbovePinwheel(benchmark::State& state) {
  std::vector<TRect> tiles;
  for (int i = 0; i < 50; ++i)
    tiles.push_back({0, i * 0.01, 1, 0.01});
  for (const TRect& r : std::vector<TRect>{{0, 0.5, 0.6, 0.2},
                                           {0.6, 0.5, 0.4, 0.3},
                                           {0.4, 0.8, 0.6, 0.2},
                                           {0, 0.7, 0.4, 0.3},
                                           {0.4, 0.7, 0.2, 0.1}}) {
    tiles.push_back(r);
  }
  for (auto _ : state) {
    benchmark::DoNotOptimize(tavorin::TilingShellFormat::build(tiles, {0, 0, 1, 1}));
  }
}
BENCHMARK(rejectStripsAbovePinwheel)->Unit(benchmark::kMillisecond);

}  // namespace
