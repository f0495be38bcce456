// Starts a tray program several times on the current X display and measures, for each run, the
// time from process start until its icon is shown inside the system tray, and its resident
// memory once idle. Compares two programs and prints both figures and the ratios.
//
//   tray_startup <program> <floor-program> [runs]
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

bool insideTray(Display* display, Window window, bool inTray, const std::vector<Window>& before) {
  XClassHint hint{};
  std::string klass;
  if (XGetClassHint(display, window, &hint) != 0) {
    klass = hint.res_class ? hint.res_class : "";
    XFree(hint.res_name);
    XFree(hint.res_class);
  }
  inTray = inTray || klass == "trayer";
  if (inTray && !klass.empty() && klass != "trayer" &&
      std::find(before.begin(), before.end(), window) == before.end()) {
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(display, window, &attributes) != 0 &&
        attributes.map_state == IsViewable) {
      return true;
    }
  }
  Window root = 0, parent = 0, *children = nullptr;
  unsigned count = 0;
  if (XQueryTree(display, window, &root, &parent, &children, &count) == 0) return false;
  bool found = false;
  for (unsigned i = 0; i < count && !found; ++i) {
    found = insideTray(display, children[i], inTray, before);
  }
  if (children) XFree(children);
  return found;
}

void collect(Display* display, Window window, std::vector<Window>& out) {
  out.push_back(window);
  Window root = 0, parent = 0, *children = nullptr;
  unsigned count = 0;
  if (XQueryTree(display, window, &root, &parent, &children, &count) == 0) return;
  for (unsigned i = 0; i < count; ++i)
    collect(display, children[i], out);
  if (children) XFree(children);
}

long residentKilobytes(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) return std::atol(line.c_str() + 6);
  }
  return -1;
}

struct Run {
  double startupMs;
  long rssKb;
};

std::optional<Run> measure(Display* display, const std::string& program, const fs::path& home) {
  std::vector<Window> before;
  collect(display, DefaultRootWindow(display), before);

  fs::create_directories(home / "runtime");
  fs::permissions(home / "runtime", fs::perms::owner_all);
  std::vector<std::string> env;
  for (char** entry = environ; *entry; ++entry)
    env.emplace_back(*entry);
  env.push_back("XDG_CONFIG_HOME=" + (home / "config").string());
  env.push_back("XDG_DATA_HOME=" + (home / "data").string());
  env.push_back("XDG_RUNTIME_DIR=" + (home / "runtime").string());
  std::vector<char*> envp;
  for (auto& e : env)
    envp.push_back(e.data());
  envp.push_back(nullptr);
  std::string path = program;
  char* argv[] = {path.data(), nullptr};

  const auto start = Clock::now();
  pid_t pid = 0;
  if (posix_spawn(&pid, path.c_str(), nullptr, nullptr, argv, envp.data()) != 0) return {};
  std::optional<Run> run;
  while (Clock::now() - start < std::chrono::seconds(20)) {
    if (insideTray(display, DefaultRootWindow(display), false, before)) {
      run = Run{std::chrono::duration<double, std::milli>(Clock::now() - start).count(), 0};
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  if (run) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    run->rssKb = residentKilobytes(pid);
  }
  kill(pid, SIGTERM);
  waitpid(pid, nullptr, 0);
  return run;
}

// Windows of other programs come and go while the tree is walked; a vanished one is no error.
int ignoreXErrors(Display*, XErrorEvent*) { return 0; }

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s <program> <floor-program> [runs]\n", argv[0]);
    return 2;
  }
  const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 7;
  XSetErrorHandler(ignoreXErrors);
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "tray_startup: no X display\n");
    return 1;
  }
  char pattern[] = "/tmp/tray-startup-XXXXXX";
  const fs::path home = mkdtemp(pattern);

  struct Result {
    std::vector<double> startup;
    std::vector<double> rss;
  };
  Result results[2];
  const std::string programs[2] = {argv[1], argv[2]};
  for (int i = 0; i < runs; ++i) {
    for (int p = 0; p < 2; ++p) {  // interleaved, so both see the same machine load
      auto run = measure(display, programs[p], home / std::to_string(p));
      if (!run) {
        std::fprintf(stderr, "tray_startup: %s showed no tray icon\n", programs[p].c_str());
        fs::remove_all(home);
        return 1;
      }
      results[p].startup.push_back(run->startupMs);
      results[p].rss.push_back(static_cast<double>(run->rssKb));
    }
  }
  fs::remove_all(home);
  XCloseDisplay(display);

  const double ours = median(results[0].startup), floor = median(results[1].startup);
  const double oursRss = median(results[0].rss) / 1024, floorRss = median(results[1].rss) / 1024;
  std::printf("tray icon shown after start (median of %d): %s %.1f ms, floor %.1f ms, ratio %.2f\n",
              runs, fs::path(programs[0]).filename().c_str(), ours, floor, ours / floor);
  std::printf("resident memory once idle (median): %s %.1f MB, floor %.1f MB, ratio %.2f\n",
              fs::path(programs[0]).filename().c_str(), oursRss, floorRss, oursRss / floorRss);
  return 0;
}
