#pragma once

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "platform/x11/x11_desktop.hpp"

extern char** environ;

namespace tavorin::x11::testing {

// Whether an X server answers on $DISPLAY; the reason when not.
inline std::string missingDisplayReason() {
  const char* display = std::getenv("DISPLAY");
  if (display == nullptr || *display == '\0') return "DISPLAY is not set (no X server to test on)";
  if (!Connection::open()) return std::string("no X server answers on ") + display;
  return {};
}

// Polls the server until `condition` holds or `seconds` pass, handling events on the way.
inline bool waitUntil(X11Desktop& desktop, const std::function<bool()>& condition,
                      double seconds = 5.0) {
  const Deadline deadline = deadlineIn(seconds);
  for (;;) {
    const std::uint64_t seen = desktop.connection().eventSerial();
    desktop.processPendingEvents();
    if (condition()) return true;
    if (SteadyClock::now() >= deadline) return false;
    // Events wake the wait; the short slice covers changes that send none.
    desktop.connection().waitForEventsSince(seen, std::min(deadline, deadlineIn(0.02)));
  }
}

// Presses the keys (XKB key names) in order and releases them in reverse, as a person would,
// through the XTest extension.
inline void pressChord(X11Desktop& desktop, const std::vector<std::string_view>& keys) {
  Connection& c = desktop.connection();
  auto send = [&](std::string_view name, bool down) {
    auto keycode = desktop.keyboard().keycode(name);
    if (!keycode) return;
    xcb_test_fake_input(c.xcb(), down ? XCB_KEY_PRESS : XCB_KEY_RELEASE,
                        static_cast<xcb_keycode_t>(*keycode), XCB_CURRENT_TIME, c.root(), 0, 0, 0);
  };
  for (auto name : keys)
    send(name, true);
  for (auto it = keys.rbegin(); it != keys.rend(); ++it)
    send(*it, false);
  c.sync(deadlineIn(2));
}

// Waits until the window manager has handled everything the server sent it so far: it answers a
// frame extents request for a window of ours, and it handles its events in order.
inline bool syncWithWindowManager(X11Desktop& desktop, double seconds = 5.0) {
  Connection& c = desktop.connection();
  const xcb_window_t probe = xcb_generate_id(c.xcb());
  const std::uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
  xcb_create_window(c.xcb(), XCB_COPY_FROM_PARENT, probe, c.root(), 0, 0, 1, 1, 0,
                    XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &mask);
  xcb_client_message_event_t message{};
  message.response_type = XCB_CLIENT_MESSAGE;
  message.format = 32;
  message.window = probe;
  message.type = c.internAtom("_NET_REQUEST_FRAME_EXTENTS", deadlineIn(2));
  xcb_send_event(c.xcb(), 0, c.root(),
                 XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                 reinterpret_cast<const char*>(&message));
  c.flush();
  const bool answered = waitUntil(
      desktop,
      [&] {
        auto extents = getProperty(c, probe, c.atom(Atom::_NET_FRAME_EXTENTS), deadlineIn(1));
        return propertyValues32(extents.get()).has_value();
      },
      seconds);
  xcb_destroy_window(c.xcb(), probe);
  c.flush();
  return answered;
}

// The project's test client, running for as long as this object lives (also when a test fails
// halfway): it is asked to end by closing its input, then terminated, then killed.
class TestClient {
 public:
  struct Window {
    xcb_window_t id = 0;
    std::string title;
  };

  // Starts the client with `arguments` and waits until every window it announces is mapped.
  static std::unique_ptr<TestClient> start(const std::vector<std::string>& arguments,
                                           double seconds = 10.0) {
    int input[2];
    int output[2];
    if (pipe2(input, O_CLOEXEC) != 0) return nullptr;
    if (pipe2(output, O_CLOEXEC) != 0) {
      close(input[0]);
      close(input[1]);
      return nullptr;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, input[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
    std::vector<std::string> all{TEST_CLIENT_PATH};
    all.insert(all.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (auto& argument : all)
      argv.push_back(argument.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int spawned =
        posix_spawn(&pid, TEST_CLIENT_PATH, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(input[0]);
    close(output[1]);
    if (spawned != 0) {
      close(input[1]);
      close(output[0]);
      return nullptr;
    }
    std::unique_ptr<TestClient> client(new TestClient(pid, input[1], output[0]));
    std::size_t expected = 0;
    for (const auto& argument : arguments) {
      if (argument.rfind("--", 0) != 0) ++expected;
    }
    if (!client->readWindows(expected, seconds)) return nullptr;
    return client;
  }

  ~TestClient() {
    close(input_);
    close(output_);
    for (int signal : {0, SIGTERM, SIGKILL}) {
      if (signal != 0) kill(pid_, signal);
      const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
      while (std::chrono::steady_clock::now() < deadline) {
        if (waitpid(pid_, nullptr, WNOHANG) == pid_) return;
        usleep(5000);
      }
    }
  }

  pid_t pid() const { return pid_; }
  const std::vector<Window>& windows() const { return windows_; }
  xcb_window_t window(const std::string& title) const {
    for (const Window& w : windows_) {
      if (w.title == title) return w.id;
    }
    return 0;
  }

 private:
  TestClient(pid_t pid, int input, int output) : pid_(pid), input_(input), output_(output) {}

  bool readWindows(std::size_t count, double seconds) {
    const auto deadline = std::chrono::steady_clock::now() +
                          std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                              std::chrono::duration<double>(seconds));
    std::string pending;
    while (windows_.size() < count) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                            deadline - std::chrono::steady_clock::now())
                            .count();
      if (left <= 0) return false;
      pollfd descriptor{output_, POLLIN, 0};
      if (poll(&descriptor, 1, static_cast<int>(left)) <= 0) continue;
      char buffer[512];
      const ssize_t n = read(output_, buffer, sizeof buffer);
      if (n <= 0) return false;
      pending.append(buffer, static_cast<std::size_t>(n));
      for (auto end = pending.find('\n'); end != std::string::npos; end = pending.find('\n')) {
        std::istringstream line(pending.substr(0, end));
        pending.erase(0, end + 1);
        std::string word;
        Window window;
        line >> word >> window.id;
        std::getline(line >> std::ws, window.title);
        if (word == "window") windows_.push_back(window);
      }
    }
    return true;
  }

  pid_t pid_;
  int input_;
  int output_;
  std::vector<Window> windows_;
};

}  // namespace tavorin::x11::testing
