// The real program on the test desktop (Xvfb, openbox and the trayer system tray).
#include <fcntl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>

#include "tests/apps/child_process.hpp"

// Xlib's macros (None, Bool, Status) must come after GoogleTest, which uses those names.
// clang-format off
#include <X11/Xlib.h>
#include <X11/Xutil.h>
// clang-format on

namespace tavorin {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using testing::ChildProcess;

// Polls `condition` until it holds or `timeout` passes.
bool eventually(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (std::chrono::steady_clock::now() < deadline) {
    if (condition()) return true;
    std::this_thread::sleep_for(50ms);
  }
  return condition();
}

std::pair<std::string, std::string> windowClass(Display* display, Window window) {
  XClassHint hint{};
  if (XGetClassHint(display, window, &hint) == 0) return {};
  std::pair<std::string, std::string> result{hint.res_name ? hint.res_name : "",
                                             hint.res_class ? hint.res_class : ""};
  XFree(hint.res_name);
  XFree(hint.res_class);
  return result;
}

// Whether a viewable window of class "Tavorin" sits inside the tray's window tree.
bool trayIconShown(Display* display, Window window, bool insideTray) {
  const auto [name, klass] = windowClass(display, window);
  insideTray = insideTray || klass == "trayer";
  if (insideTray && klass == "Tavorin") {
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(display, window, &attributes) != 0 &&
        attributes.map_state == IsViewable) {
      return true;
    }
  }
  Window root = 0;
  Window parent = 0;
  Window* children = nullptr;
  unsigned count = 0;
  if (XQueryTree(display, window, &root, &parent, &children, &count) == 0) return false;
  bool found = false;
  for (unsigned i = 0; i < count && !found; ++i) {
    found = trayIconShown(display, children[i], insideTray);
  }
  if (children != nullptr) XFree(children);
  return found;
}

// Windows of other programs come and go while the tree is walked; a vanished one is no error.
int ignoreXErrors(Display*, XErrorEvent*) { return 0; }

class TavorinProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (std::getenv("DISPLAY") == nullptr) GTEST_SKIP() << "no X display (run scripts/test)";
    XSetErrorHandler(ignoreXErrors);
    display_ = XOpenDisplay(nullptr);
    if (display_ == nullptr) GTEST_SKIP() << "the X server does not answer";
    std::string pattern = (fs::temp_directory_path() / "tavorin-program-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    home_ = pattern;
    fs::create_directories(home_ / "runtime");
    fs::permissions(home_ / "runtime", fs::perms::owner_all);
    environment_ = {{"XDG_CONFIG_HOME", (home_ / "config").string()},
                    {"XDG_DATA_HOME", (home_ / "data").string()},
                    {"XDG_RUNTIME_DIR", (home_ / "runtime").string()},
                    {"LSAN_OPTIONS", "suppressions=" LSAN_SUPPRESSIONS}};
  }
  void TearDown() override {
    if (display_ != nullptr) XCloseDisplay(display_);
    if (!home_.empty()) fs::remove_all(home_);
  }

  std::unique_ptr<ChildProcess> start(std::vector<std::string> arguments = {},
                                      const std::string& output = "/dev/null") {
    return std::make_unique<ChildProcess>(TAVORIN_PROGRAM, std::move(arguments), environment_,
                                          output);
  }
  bool iconShown() { return trayIconShown(display_, DefaultRootWindow(display_), false); }

  Display* display_ = nullptr;
  fs::path home_;
  std::map<std::string, std::string> environment_;
};

TEST_F(TavorinProgramTest, ShowsItsTrayIconHandsOverSecondStartsAndQuitsOnSigterm) {
  auto program = start({}, std::string(TEST_OUTPUT_DIR) + "/tavorin-output.txt");
  ASSERT_TRUE(program->started());
  ASSERT_TRUE(eventually([&] { return iconShown(); }, 20s)) << "no tray icon appeared";
  const std::string screenshot = std::string(TEST_OUTPUT_DIR) + "/tavorin-tray.png";
  ChildProcess capture("/usr/bin/import", {"-window", "root", screenshot}, {});
  EXPECT_EQ(capture.waitForExit(20s), 0);

  // First launch: the onboarding marker is written.
  EXPECT_TRUE(eventually(
      [&] {
        std::ifstream prefs(home_ / "config/tavorin/org.tavorin.Tavorin.json");
        std::string text((std::istreambuf_iterator<char>(prefs)), {});
        return text.find("\"tavorin.onboardingDone\": true") != std::string::npos;
      },
      10s));

  for (const std::vector<std::string>& arguments :
       {std::vector<std::string>{}, std::vector<std::string>{"--open-settings"}}) {
    auto second = start(arguments);
    EXPECT_EQ(second->waitForExit(20s), 0) << "a second start must hand over and end";
    EXPECT_TRUE(program->running());
  }

  // A preference written by another process reaches the running program: the icon hides and
  // comes back.
  const fs::path prefs = home_ / "config/tavorin/org.tavorin.Tavorin.json";
  auto writePrefs = [&](const std::string& text) {
    const fs::path temporary = prefs.string() + ".new";
    std::ofstream(temporary) << text;
    fs::rename(temporary, prefs);
  };
  writePrefs(R"({"tavorin.onboardingDone": true, "tavorin.showMenuBarIcon": false})");
  EXPECT_TRUE(eventually([&] { return !iconShown(); }, 10s)) << "the icon did not hide";
  writePrefs(R"({"tavorin.onboardingDone": true, "tavorin.showMenuBarIcon": true})");
  EXPECT_TRUE(eventually([&] { return iconShown(); }, 10s)) << "the icon did not come back";

  program->signal(SIGTERM);
  EXPECT_EQ(program->waitForExit(20s), 0);
}

TEST_F(TavorinProgramTest, RunsWithoutASystemTrayAndSaysSoOnce) {
  // A display of its own with no tray: the program keeps running until told to stop.
  const std::string output = (home_ / "no-tray.txt").string();
  ChildProcess run("/usr/bin/xvfb-run",
                   {"-a", "/usr/bin/timeout", "-s", "TERM", "4", TAVORIN_PROGRAM}, environment_,
                   output);
  EXPECT_EQ(run.waitForExit(60s), 124) << "it should still run when the time is up";
  std::ifstream log(output);
  std::string text((std::istreambuf_iterator<char>(log)), {});
  const std::string notice = "has no system tray";
  const auto first = text.find(notice);
  EXPECT_NE(first, std::string::npos) << text;
  EXPECT_EQ(text.find(notice, first + 1), std::string::npos) << text;
}

TEST_F(TavorinProgramTest, AnswersHelpAndVersionWithoutADesktop) {
  environment_["DISPLAY"] = "";
  const std::string output = (home_ / "out.txt").string();
  EXPECT_EQ(start({"--version"}, output)->waitForExit(10s), 0);
  std::ifstream version(output);
  std::string text((std::istreambuf_iterator<char>(version)), {});
  EXPECT_EQ(text.rfind("Tavorin ", 0), 0u) << text;

  EXPECT_EQ(start({"--help"})->waitForExit(10s), 0);
  EXPECT_EQ(start({}, output)->waitForExit(10s), 1);
  std::ifstream refusal(output);
  std::string message((std::istreambuf_iterator<char>(refusal)), {});
  EXPECT_NE(message.find("DISPLAY"), std::string::npos) << message;
}

}  // namespace
}  // namespace tavorin
