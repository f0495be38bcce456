// A tiny X11 client for the desktop tests: it maps one ordinary top-level window per title on
// its command line, accepts any size the window manager gives it (no size increments, a 1×1
// minimum), prints "window <id> <title>" once each window is mapped, and runs until its
// standard input closes, it is terminated, or every window was closed.
//
//   test_client [--legacy-name] [--dialog] [--at=X,Y,W,H] [--dock=N] TITLE ...
//
// The options apply to the title that follows them: --legacy-name sets only WM_NAME (as xterm
// does), --dialog makes the window a dialog, --at asks for a position and size, --dock=N makes it
// a panel N pixels tall along the top edge that reserves that strip (a strut).

#include <poll.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

struct WindowSpec {
  std::string title;
  bool legacyName = false;
  bool dialog = false;
  bool placed = false;
  int dock = 0;
  int x = 0, y = 0, width = 300, height = 200;
};

volatile std::sig_atomic_t terminated = 0;

xcb_atom_t intern(xcb_connection_t* c, const char* name) {
  auto cookie = xcb_intern_atom(c, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
  std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
      xcb_intern_atom_reply(c, cookie, nullptr), &std::free);
  return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

void setProperty(xcb_connection_t* c, xcb_window_t w, xcb_atom_t property, xcb_atom_t type,
                 std::uint8_t format, std::uint32_t count, const void* data) {
  xcb_change_property(c, XCB_PROP_MODE_REPLACE, w, property, type, format, count, data);
}

// WM_NAME is Latin-1 text: the title's characters beyond it become "?".
std::string toLatin1(const std::string& utf8) {
  std::string result;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const auto byte = static_cast<unsigned char>(utf8[i]);
    if (byte < 0x80) {
      result.push_back(static_cast<char>(byte));
    } else if ((byte & 0xE0) == 0xC0 && i + 1 < utf8.size()) {
      const unsigned code = ((byte & 0x1Fu) << 6) | (static_cast<unsigned char>(utf8[++i]) & 0x3Fu);
      result.push_back(code < 0x100 ? static_cast<char>(code) : '?');
    } else {
      while (i + 1 < utf8.size() && (static_cast<unsigned char>(utf8[i + 1]) & 0xC0) == 0x80)
        ++i;
      result.push_back('?');
    }
  }
  return result;
}

bool parse(int argc, char** argv, std::vector<WindowSpec>& specs) {
  WindowSpec next;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--legacy-name") {
      next.legacyName = true;
    } else if (arg == "--dialog") {
      next.dialog = true;
    } else if (arg.rfind("--dock=", 0) == 0) {
      next.dock = std::atoi(arg.c_str() + 7);
      if (next.dock <= 0) return false;
    } else if (arg.rfind("--at=", 0) == 0) {
      if (std::sscanf(arg.c_str() + 5, "%d,%d,%d,%d", &next.x, &next.y, &next.width,
                      &next.height) != 4 ||
          next.width <= 0 || next.height <= 0) {
        return false;
      }
      next.placed = true;
    } else {
      next.title = arg;
      specs.push_back(next);
      next = WindowSpec{};
    }
  }
  return !specs.empty();
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<WindowSpec> specs;
  if (!parse(argc, argv, specs)) {
    std::fprintf(
        stderr,
        "usage: test_client [--legacy-name] [--dialog] [--at=X,Y,W,H] [--dock=N] TITLE ...\n");
    return 2;
  }
  std::signal(SIGTERM, [](int) { terminated = 1; });
  std::signal(SIGPIPE, SIG_IGN);

  int screenNumber = 0;
  xcb_connection_t* c = xcb_connect(nullptr, &screenNumber);
  if (xcb_connection_has_error(c) != 0) {
    std::fprintf(stderr, "test_client: no X server\n");
    return 1;
  }
  auto it = xcb_setup_roots_iterator(xcb_get_setup(c));
  for (int i = 0; i < screenNumber; ++i)
    xcb_screen_next(&it);
  const xcb_screen_t* screen = it.data;

  const xcb_atom_t utf8 = intern(c, "UTF8_STRING");
  const xcb_atom_t netName = intern(c, "_NET_WM_NAME");
  const xcb_atom_t netPid = intern(c, "_NET_WM_PID");
  const xcb_atom_t netType = intern(c, "_NET_WM_WINDOW_TYPE");
  const xcb_atom_t typeNormal = intern(c, "_NET_WM_WINDOW_TYPE_NORMAL");
  const xcb_atom_t typeDialog = intern(c, "_NET_WM_WINDOW_TYPE_DIALOG");
  const xcb_atom_t typeDock = intern(c, "_NET_WM_WINDOW_TYPE_DOCK");
  const xcb_atom_t strutPartial = intern(c, "_NET_WM_STRUT_PARTIAL");
  const xcb_atom_t protocols = intern(c, "WM_PROTOCOLS");
  const xcb_atom_t deleteWindow = intern(c, "WM_DELETE_WINDOW");

  char host[256] = {};
  gethostname(host, sizeof host - 1);
  const std::uint32_t pid = static_cast<std::uint32_t>(getpid());
  static constexpr char wmClass[] = "tavorin-test-client\0TavorinTestClient";

  std::set<xcb_window_t> open;
  for (WindowSpec spec : specs) {
    if (spec.dock > 0) {
      spec.placed = true;
      spec.x = 0;
      spec.y = 0;
      spec.width = screen->width_in_pixels;
      spec.height = spec.dock;
    }
    const xcb_window_t w = xcb_generate_id(c);
    const std::uint32_t values[] = {screen->white_pixel, XCB_EVENT_MASK_STRUCTURE_NOTIFY};
    xcb_create_window(c, XCB_COPY_FROM_PARENT, w, screen->root, static_cast<std::int16_t>(spec.x),
                      static_cast<std::int16_t>(spec.y), static_cast<std::uint16_t>(spec.width),
                      static_cast<std::uint16_t>(spec.height), 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                      screen->root_visual, XCB_CW_BACK_PIXEL | XCB_CW_EVENT_MASK, values);
    const std::string legacyTitle = toLatin1(spec.title);
    setProperty(c, w, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8,
                static_cast<std::uint32_t>(legacyTitle.size()), legacyTitle.data());
    if (!spec.legacyName) {
      setProperty(c, w, netName, utf8, 8, static_cast<std::uint32_t>(spec.title.size()),
                  spec.title.data());
    }
    setProperty(c, w, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 8, sizeof wmClass, wmClass);
    setProperty(c, w, XCB_ATOM_WM_CLIENT_MACHINE, XCB_ATOM_STRING, 8,
                static_cast<std::uint32_t>(std::strlen(host)), host);
    setProperty(c, w, netPid, XCB_ATOM_CARDINAL, 32, 1, &pid);
    const xcb_atom_t type = spec.dock > 0 ? typeDock : spec.dialog ? typeDialog : typeNormal;
    setProperty(c, w, netType, XCB_ATOM_ATOM, 32, 1, &type);
    if (spec.dock > 0) {
      // left, right, top, bottom, then the spans: the top strip across the whole width.
      const std::uint32_t strut[12] = {0, 0, static_cast<std::uint32_t>(spec.dock),      0, 0, 0, 0,
                                       0, 0, static_cast<std::uint32_t>(spec.width - 1), 0, 0};
      setProperty(c, w, strutPartial, XCB_ATOM_CARDINAL, 32, 12, strut);
    }
    setProperty(c, w, protocols, XCB_ATOM_ATOM, 32, 1, &deleteWindow);
    // WM_NORMAL_HINTS: any size from 1×1 up, no increments; the asked-for place when given.
    std::uint32_t hints[18] = {};
    hints[0] = 16 /* PMinSize */ | (spec.placed ? 1u /* USPosition */ | 2u /* USSize */ : 0u);
    hints[1] = static_cast<std::uint32_t>(spec.x);
    hints[2] = static_cast<std::uint32_t>(spec.y);
    hints[3] = static_cast<std::uint32_t>(spec.width);
    hints[4] = static_cast<std::uint32_t>(spec.height);
    hints[5] = 1;
    hints[6] = 1;
    setProperty(c, w, XCB_ATOM_WM_NORMAL_HINTS, XCB_ATOM_WM_SIZE_HINTS, 32, 18, hints);
    xcb_map_window(c, w);
    xcb_flush(c);
    // One window at a time, so that they stack in the order of the command line.
    bool mapped = false;
    while (!mapped) {
      std::unique_ptr<xcb_generic_event_t, decltype(&std::free)> event(xcb_wait_for_event(c),
                                                                       &std::free);
      if (!event) return 1;
      if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY &&
          reinterpret_cast<xcb_map_notify_event_t*>(event.get())->window == w) {
        mapped = true;
      }
    }
    open.insert(w);
    std::printf("window %u %s\n", w, spec.title.c_str());
    std::fflush(stdout);
  }

  pollfd fds[2] = {{xcb_get_file_descriptor(c), POLLIN, 0}, {STDIN_FILENO, POLLIN, 0}};
  while (terminated == 0 && !open.empty()) {
    while (auto* raw = xcb_poll_for_event(c)) {
      std::unique_ptr<xcb_generic_event_t, decltype(&std::free)> event(raw, &std::free);
      const std::uint8_t type = event->response_type & 0x7f;
      if (type == XCB_CLIENT_MESSAGE) {
        auto* message = reinterpret_cast<xcb_client_message_event_t*>(event.get());
        if (message->type == protocols && message->data.data32[0] == deleteWindow) {
          xcb_destroy_window(c, message->window);
          open.erase(message->window);
          xcb_flush(c);
        }
      }
    }
    if (xcb_connection_has_error(c) != 0) break;
    if (poll(fds, 2, 1000) < 0) continue;
    if ((fds[1].revents & (POLLIN | POLLHUP)) != 0) {
      char buffer[256];
      if (read(STDIN_FILENO, buffer, sizeof buffer) <= 0) break;
    }
  }
  xcb_disconnect(c);
  return 0;
}
