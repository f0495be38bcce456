// Moves 20 windows of another client to 20 target frames and waits until each has settled:
// once through window layout's own path (AXWindow::setFrame over the X11 backend) and once
// with `wmctrl -i -r <id> -e 0,x,y,w,h`, one process per window, as a script would. Rounds
// alternate between the two with fresh targets; the times are per window.
//
//   window_move_bench [rounds]     (needs an X server with an EWMH window manager and wmctrl)

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tiling/kit/ax_window.hpp"
#include "x11_test_support.hpp"

using namespace tavorin;
using Stopwatch = std::chrono::steady_clock;

namespace {

constexpr int windowCount = 20;

double milliseconds(Stopwatch::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

bool runWmctrl(const std::vector<std::string>& arguments) {
  std::vector<std::string> all{"wmctrl"};
  all.insert(all.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (auto& argument : all)
    argv.push_back(argument.data());
  argv.push_back(nullptr);
  // What it prints is not part of the measurement.
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  const int spawned = posix_spawnp(&pid, "wmctrl", &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return false;
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// 20 frames in a 5×4 grid, shifted and sized differently in every round.
std::vector<TRect> targets(int round) {
  std::vector<TRect> result;
  for (int i = 0; i < windowCount; ++i) {
    const double column = i % 5;
    const double row = i / 5;
    result.push_back({10 + column * 370 + round % 7 * 3, 40 + row * 255 + round % 5 * 4,
                      300 + round % 3 * 20.0 + i, 200 + round % 4 * 10.0 + i});
  }
  return result;
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
  if (!runWmctrl({"-m"})) {
    std::fprintf(stderr, "window_move_bench: wmctrl is missing or no window manager runs\n");
    return 1;
  }
  auto desktop = x11::X11Desktop::open();
  if (!desktop) {
    std::fprintf(stderr, "window_move_bench: no X server on $DISPLAY\n");
    return 1;
  }
  std::vector<std::string> titles;
  for (int i = 0; i < windowCount; ++i)
    titles.push_back("Bench " + std::to_string(i + 1));
  auto client = x11::testing::TestClient::start(titles);
  if (!client) {
    std::fprintf(stderr, "window_move_bench: the test client did not start\n");
    return 1;
  }
  auto services = WindowServices::create(desktop->accessibility(), desktop->accessibility());
  std::vector<std::shared_ptr<AXWindow>> windows;
  for (const auto& window : client->windows()) {
    windows.push_back(AXWindow::make(services, AXElement(window.id)));
  }

  std::vector<double> ours;
  std::vector<double> peer;
  int unsettled = 0;
  for (int round = 0; round < 2 * rounds; ++round) {
    const auto frames = targets(round);
    const bool usePeer = round % 2 == 1;
    for (int i = 0; i < windowCount; ++i) {
      const TRect& target = frames[i];
      const auto start = Stopwatch::now();
      if (!usePeer) {
        windows[i]->setFrame(target);
      } else {
        // wmctrl sizes the client: take the decorations off the outer size.
        const auto& window = windows[i];
        const auto outer = window->frame().value_or(target);
        auto geometry = desktop->connection().reply<xcb_get_geometry_reply_t>(
            xcb_get_geometry(desktop->connection().xcb(), window->element().identity()).sequence,
            x11::deadlineIn(2));
        const double decorationWidth = geometry ? outer.width - geometry->width : 0;
        const double decorationHeight = geometry ? outer.height - geometry->height : 0;
        const auto measured = Stopwatch::now();
        char buffer[96];
        std::snprintf(buffer, sizeof buffer, "0,%d,%d,%d,%d", int(target.x), int(target.y),
                      int(target.width - decorationWidth), int(target.height - decorationHeight));
        runWmctrl({"-i", "-r", std::to_string(window->element().identity()), "-e", buffer});
        // The measuring above is not the peer's work.
        const auto offset = measured - start;
        const auto deadline = Stopwatch::now() + std::chrono::seconds(2);
        while (window->frame() != target && Stopwatch::now() < deadline) {
          desktop->connection().waitForEventsSince(desktop->connection().eventSerial(),
                                                   x11::deadlineIn(0.002));
        }
        peer.push_back(milliseconds(Stopwatch::now() - start - offset));
        if (window->frame() != target) ++unsettled;
        continue;
      }
      if (windows[i]->frame() != target) ++unsettled;
      ours.push_back(milliseconds(Stopwatch::now() - start));
      desktop->processPendingEvents();
    }
  }

  const double ourMedian = median(ours);
  const double peerMedian = median(peer);
  double ourMean = 0, peerMean = 0;
  for (double v : ours)
    ourMean += v / ours.size();
  for (double v : peer)
    peerMean += v / peer.size();
  std::printf("windows moved per round: %d, rounds each: %d\n", windowCount, rounds);
  std::printf("ours   (AXWindow::setFrame): median %.3f ms, mean %.3f ms per window\n", ourMedian,
              ourMean);
  std::printf("wmctrl (one process/window): median %.3f ms, mean %.3f ms per window\n", peerMedian,
              peerMean);
  std::printf("ratio (wmctrl / ours, medians): %.1fx\n", peerMedian / ourMedian);
  if (unsettled > 0) std::printf("windows that did not reach their frame: %d\n", unsettled);
  return unsettled == 0 ? 0 : 2;
}
