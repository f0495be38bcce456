#pragma once

#include <xcb/xcb.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/signal.hpp"

namespace tavorin::x11 {

using SteadyClock = std::chrono::steady_clock;
using Deadline = SteadyClock::time_point;

// A deadline `seconds` from now.
Deadline deadlineIn(double seconds);

struct FreeDeleter {
  void operator()(void* pointer) const { std::free(pointer); }
};
template <typename T>
using XcbPtr = std::unique_ptr<T, FreeDeleter>;

// The atoms the backend uses, interned once when the connection opens.
enum class Atom : std::size_t {
  UTF8_STRING,
  WM_STATE,
  WM_CHANGE_STATE,
  WM_PROTOCOLS,
  WM_DELETE_WINDOW,
  _NET_SUPPORTING_WM_CHECK,
  _NET_CLIENT_LIST,
  _NET_CLIENT_LIST_STACKING,
  _NET_ACTIVE_WINDOW,
  _NET_CURRENT_DESKTOP,
  _NET_WORKAREA,
  _NET_WM_DESKTOP,
  _NET_WM_NAME,
  _NET_WM_PID,
  _NET_WM_WINDOW_TYPE,
  _NET_WM_WINDOW_TYPE_NORMAL,
  _NET_WM_WINDOW_TYPE_DIALOG,
  _NET_WM_WINDOW_TYPE_UTILITY,
  _NET_WM_WINDOW_TYPE_TOOLBAR,
  _NET_WM_WINDOW_TYPE_MENU,
  _NET_WM_WINDOW_TYPE_DROPDOWN_MENU,
  _NET_WM_WINDOW_TYPE_POPUP_MENU,
  _NET_WM_WINDOW_TYPE_TOOLTIP,
  _NET_WM_WINDOW_TYPE_NOTIFICATION,
  _NET_WM_WINDOW_TYPE_COMBO,
  _NET_WM_WINDOW_TYPE_DND,
  _NET_WM_WINDOW_TYPE_SPLASH,
  _NET_WM_WINDOW_TYPE_DOCK,
  _NET_WM_WINDOW_TYPE_DESKTOP,
  _NET_WM_STATE,
  _NET_WM_STATE_HIDDEN,
  _NET_WM_STATE_FULLSCREEN,
  _NET_WM_STATE_MAXIMIZED_VERT,
  _NET_WM_STATE_MAXIMIZED_HORZ,
  _NET_WM_STATE_SKIP_TASKBAR,
  _NET_WM_STATE_MODAL,
  _NET_WM_STATE_ABOVE,
  _NET_FRAME_EXTENTS,
  _NET_MOVERESIZE_WINDOW,
  _NET_WM_STRUT,
  _NET_WM_STRUT_PARTIAL,
  _NET_CLOSE_WINDOW,
  _NET_WM_ALLOWED_ACTIONS,
  _NET_WM_ACTION_MOVE,
  _NET_WM_ACTION_RESIZE,
  EDID,
  count
};

// One connection to the X server, used from the main loop only. Replies are waited for with a
// deadline, never without one; errors come back as codes and never end the program. Events are
// handled by `processPendingEvents`, which the event loop calls when the connection's file
// descriptor becomes readable.
class Connection {
 public:
  // Null when no X server answers on `displayName` (null: $DISPLAY).
  static std::unique_ptr<Connection> open(const char* displayName = nullptr);
  ~Connection();
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  xcb_connection_t* xcb() const { return connection_; }
  xcb_window_t root() const { return screen_->root; }
  const xcb_screen_t& screen() const { return *screen_; }
  int fileDescriptor() const;
  bool isBroken() const;
  xcb_atom_t atom(Atom which) const { return atoms_[static_cast<std::size_t>(which)]; }
  // Interns any other atom; XCB_ATOM_NONE when the server does not answer in time.
  xcb_atom_t internAtom(std::string_view name, Deadline deadline);
  std::string atomName(xcb_atom_t atom, Deadline deadline);

  void flush();

  // The reply to request `sequence`, or null. `error` receives the X error code, or 0 when the
  // reply did not come before the deadline or the connection broke.
  template <typename Reply>
  XcbPtr<Reply> reply(unsigned int sequence, Deadline deadline, int* error = nullptr) {
    return XcbPtr<Reply>(static_cast<Reply*>(waitForReply(sequence, deadline, error)));
  }

  // Waits until the server has handled every request sent so far. After it returns true,
  // `voidError` answers for checked requests without blocking.
  bool sync(Deadline deadline);
  // The error code of a checked request without reply (0: none). Call only after `sync`.
  int voidError(xcb_void_cookie_t cookie);

  // How many events have been read so far: a mark for the two calls below. Take it before
  // looking at the state that an event would announce a change of.
  std::uint64_t eventSerial() const { return eventSerial_; }
  // Waits until an event newer than `serial` has been read (it stays queued for
  // `processPendingEvents`). Answers false at the deadline.
  bool waitForEventsSince(std::uint64_t serial, Deadline deadline);
  // Whether an event read after `serial` (and not yet processed) matches.
  bool hasQueuedEventSince(std::uint64_t serial,
                           const std::function<bool(const xcb_generic_event_t&)>& matches);

  // Handles every event that has arrived, in order. Errors of unchecked requests arrive here
  // as events with response type 0; handlers may ignore them.
  void processPendingEvents();
  [[nodiscard]] Subscription addEventHandler(
      std::function<void(const xcb_generic_event_t&)> handler);
  // Called when events were read while a reply was awaited: the file descriptor will not
  // announce them again, so the event loop must call `processPendingEvents` soon.
  void setWakeUp(std::function<void()> wakeUp) { wakeUp_ = std::move(wakeUp); }

 private:
  Connection(xcb_connection_t* connection, const xcb_screen_t* screen);
  void* waitForReply(unsigned int sequence, Deadline deadline, int* error);
  // Waits until the server sends something or the deadline passes.
  bool waitForData(Deadline deadline);
  void collectQueuedEvents();
  bool readIntoQueue();

  xcb_connection_t* connection_;
  const xcb_screen_t* screen_;
  std::array<xcb_atom_t, static_cast<std::size_t>(Atom::count)> atoms_{};
  void enqueue(xcb_generic_event_t* event);

  struct QueuedEvent {
    std::uint64_t serial;
    XcbPtr<xcb_generic_event_t> event;
  };
  std::deque<QueuedEvent> events_;
  std::uint64_t eventSerial_ = 0;
  Signal<const xcb_generic_event_t&> handlers_;
  std::function<void()> wakeUp_;
  bool processing_ = false;
};

// Property values.
XcbPtr<xcb_get_property_reply_t> getProperty(Connection& connection, xcb_window_t window,
                                             xcb_atom_t property, Deadline deadline,
                                             int* error = nullptr);
xcb_get_property_cookie_t requestProperty(Connection& connection, xcb_window_t window,
                                          xcb_atom_t property, std::uint32_t longLength = 1024);
// 32-bit items (CARDINAL, WINDOW, ATOM); nothing when the property is absent or not 32-bit.
std::optional<std::vector<std::uint32_t>> propertyValues32(const xcb_get_property_reply_t* reply);
// Text of an 8-bit property, as stored.
std::optional<std::string> propertyText(const xcb_get_property_reply_t* reply);
std::string latin1ToUtf8(std::string_view text);

}  // namespace tavorin::x11
