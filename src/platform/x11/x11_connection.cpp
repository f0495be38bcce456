#include "platform/x11/x11_connection.hpp"

#include <poll.h>
#include <xcb/xcbext.h>

#include <cstring>

#include "platform/system_log.hpp"

namespace tavorin::x11 {

namespace {

constexpr std::array<std::string_view, static_cast<std::size_t>(Atom::count)> atomNames{
    "UTF8_STRING",
    "WM_STATE",
    "WM_CHANGE_STATE",
    "WM_PROTOCOLS",
    "WM_DELETE_WINDOW",
    "_NET_SUPPORTING_WM_CHECK",
    "_NET_CLIENT_LIST",
    "_NET_CLIENT_LIST_STACKING",
    "_NET_ACTIVE_WINDOW",
    "_NET_CURRENT_DESKTOP",
    "_NET_WORKAREA",
    "_NET_WM_DESKTOP",
    "_NET_WM_NAME",
    "_NET_WM_PID",
    "_NET_WM_WINDOW_TYPE",
    "_NET_WM_WINDOW_TYPE_NORMAL",
    "_NET_WM_WINDOW_TYPE_DIALOG",
    "_NET_WM_WINDOW_TYPE_UTILITY",
    "_NET_WM_WINDOW_TYPE_TOOLBAR",
    "_NET_WM_WINDOW_TYPE_MENU",
    "_NET_WM_WINDOW_TYPE_DROPDOWN_MENU",
    "_NET_WM_WINDOW_TYPE_POPUP_MENU",
    "_NET_WM_WINDOW_TYPE_TOOLTIP",
    "_NET_WM_WINDOW_TYPE_NOTIFICATION",
    "_NET_WM_WINDOW_TYPE_COMBO",
    "_NET_WM_WINDOW_TYPE_DND",
    "_NET_WM_WINDOW_TYPE_SPLASH",
    "_NET_WM_WINDOW_TYPE_DOCK",
    "_NET_WM_WINDOW_TYPE_DESKTOP",
    "_NET_WM_STATE",
    "_NET_WM_STATE_HIDDEN",
    "_NET_WM_STATE_FULLSCREEN",
    "_NET_WM_STATE_MAXIMIZED_VERT",
    "_NET_WM_STATE_MAXIMIZED_HORZ",
    "_NET_WM_STATE_SKIP_TASKBAR",
    "_NET_WM_STATE_MODAL",
    "_NET_WM_STATE_ABOVE",
    "_NET_FRAME_EXTENTS",
    "_NET_MOVERESIZE_WINDOW",
    "_NET_WM_STRUT",
    "_NET_WM_STRUT_PARTIAL",
    "_NET_CLOSE_WINDOW",
    "_NET_WM_ALLOWED_ACTIONS",
    "_NET_WM_ACTION_MOVE",
    "_NET_WM_ACTION_RESIZE",
    "EDID",
};

// How long opening the connection may wait for the server's answers.
constexpr double setupSeconds = 5.0;

}  // namespace

Deadline deadlineIn(double seconds) {
  return SteadyClock::now() +
         std::chrono::duration_cast<SteadyClock::duration>(std::chrono::duration<double>(seconds));
}

std::unique_ptr<Connection> Connection::open(const char* displayName) {
  int screenNumber = 0;
  xcb_connection_t* connection = xcb_connect(displayName, &screenNumber);
  if (connection == nullptr || xcb_connection_has_error(connection) != 0) {
    if (connection != nullptr) xcb_disconnect(connection);
    return nullptr;
  }
  const xcb_screen_t* screen = nullptr;
  auto it = xcb_setup_roots_iterator(xcb_get_setup(connection));
  for (int i = 0; it.rem > 0; xcb_screen_next(&it), ++i) {
    if (i == screenNumber) screen = it.data;
  }
  if (screen == nullptr) {
    xcb_disconnect(connection);
    return nullptr;
  }
  std::unique_ptr<Connection> result(new Connection(connection, screen));

  std::array<xcb_intern_atom_cookie_t, static_cast<std::size_t>(Atom::count)> cookies{};
  for (std::size_t i = 0; i < atomNames.size(); ++i) {
    cookies[i] = xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(atomNames[i].size()),
                                 atomNames[i].data());
  }
  const Deadline deadline = deadlineIn(setupSeconds);
  for (std::size_t i = 0; i < atomNames.size(); ++i) {
    auto reply = result->reply<xcb_intern_atom_reply_t>(cookies[i].sequence, deadline);
    if (!reply) return nullptr;
    result->atoms_[i] = reply->atom;
  }
  // Root property changes (the active window, the client list, the work area) wake every wait
  // for the window manager and tell the screens about panels.
  const std::uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
  xcb_change_window_attributes(connection, screen->root, XCB_CW_EVENT_MASK, &mask);
  return result;
}

Connection::Connection(xcb_connection_t* connection, const xcb_screen_t* screen)
    : connection_(connection), screen_(screen) {}

Connection::~Connection() {
  events_.clear();
  xcb_disconnect(connection_);
}

int Connection::fileDescriptor() const {
  return xcb_get_file_descriptor(connection_);
}

bool Connection::isBroken() const {
  return xcb_connection_has_error(connection_) != 0;
}

void Connection::flush() {
  xcb_flush(connection_);
}

xcb_atom_t Connection::internAtom(std::string_view name, Deadline deadline) {
  auto cookie =
      xcb_intern_atom(connection_, 0, static_cast<std::uint16_t>(name.size()), name.data());
  auto answer = reply<xcb_intern_atom_reply_t>(cookie.sequence, deadline);
  return answer ? answer->atom : xcb_atom_t{XCB_ATOM_NONE};
}

std::string Connection::atomName(xcb_atom_t atom, Deadline deadline) {
  auto cookie = xcb_get_atom_name(connection_, atom);
  auto answer = reply<xcb_get_atom_name_reply_t>(cookie.sequence, deadline);
  if (!answer) return {};
  return std::string(xcb_get_atom_name_name(answer.get()),
                     static_cast<std::size_t>(xcb_get_atom_name_name_length(answer.get())));
}

void* Connection::waitForReply(unsigned int sequence, Deadline deadline, int* error) {
  if (error != nullptr) *error = 0;
  xcb_flush(connection_);
  for (;;) {
    void* answer = nullptr;
    xcb_generic_error_t* failure = nullptr;
    if (xcb_poll_for_reply(connection_, sequence, &answer, &failure) != 0) {
      if (failure != nullptr) {
        if (error != nullptr) *error = failure->error_code;
        std::free(failure);
      }
      collectQueuedEvents();
      return answer;
    }
    if (isBroken()) return nullptr;
    if (SteadyClock::now() >= deadline) {
      xcb_discard_reply(connection_, sequence);
      collectQueuedEvents();
      return nullptr;
    }
    waitForData(deadline);
  }
}

bool Connection::sync(Deadline deadline) {
  auto cookie = xcb_get_input_focus(connection_);
  int error = 0;
  return reply<xcb_get_input_focus_reply_t>(cookie.sequence, deadline, &error) != nullptr;
}

int Connection::voidError(xcb_void_cookie_t cookie) {
  XcbPtr<xcb_generic_error_t> failure(xcb_request_check(connection_, cookie));
  return failure ? failure->error_code : 0;
}

bool Connection::waitForData(Deadline deadline) {
  xcb_flush(connection_);
  const auto remaining =
      std::chrono::ceil<std::chrono::milliseconds>(deadline - SteadyClock::now()).count();
  if (remaining <= 0) return false;
  pollfd descriptor{fileDescriptor(), POLLIN, 0};
  const int ready = ::poll(&descriptor, 1, static_cast<int>(remaining));
  if (ready <= 0) return false;
  // Reads what arrived; replies stay with xcb, events move to our queue.
  readIntoQueue();
  return true;
}

void Connection::enqueue(xcb_generic_event_t* event) {
  events_.push_back({++eventSerial_, XcbPtr<xcb_generic_event_t>(event)});
}

bool Connection::waitForEventsSince(std::uint64_t serial, Deadline deadline) {
  for (;;) {
    collectQueuedEvents();
    if (eventSerial_ > serial) return true;
    if (isBroken() || !waitForData(deadline)) return eventSerial_ > serial;
  }
}

bool Connection::readIntoQueue() {
  bool any = false;
  while (auto* event = xcb_poll_for_event(connection_)) {
    enqueue(event);
    any = true;
  }
  if (any && wakeUp_ && !processing_) wakeUp_();
  return any;
}

void Connection::collectQueuedEvents() {
  bool any = false;
  while (auto* event = xcb_poll_for_queued_event(connection_)) {
    enqueue(event);
    any = true;
  }
  if (any && wakeUp_ && !processing_) wakeUp_();
}

bool Connection::hasQueuedEventSince(
    std::uint64_t serial, const std::function<bool(const xcb_generic_event_t&)>& matches) {
  collectQueuedEvents();
  for (const auto& queued : events_) {
    if (queued.serial > serial && matches(*queued.event)) return true;
  }
  return false;
}

void Connection::processPendingEvents() {
  if (processing_) return;
  processing_ = true;
  while (auto* event = xcb_poll_for_event(connection_))
    enqueue(event);
  while (!events_.empty()) {
    XcbPtr<xcb_generic_event_t> event = std::move(events_.front().event);
    events_.pop_front();
    if (event->response_type == 0) {
      const auto* failure = reinterpret_cast<const xcb_generic_error_t*>(event.get());
      SystemLog::write({"x11", "connection", LogLevel::debug,
                        "X error " + std::to_string(failure->error_code) + " for request " +
                            std::to_string(failure->major_code) + "." +
                            std::to_string(failure->minor_code)});
    }
    handlers_.emit(*event);
    // Handlers may have read more events while waiting for replies.
    while (auto* more = xcb_poll_for_queued_event(connection_))
      enqueue(more);
  }
  processing_ = false;
}

Subscription Connection::addEventHandler(std::function<void(const xcb_generic_event_t&)> handler) {
  return handlers_.connect(std::move(handler));
}

xcb_get_property_cookie_t requestProperty(Connection& connection, xcb_window_t window,
                                          xcb_atom_t property, std::uint32_t longLength) {
  return xcb_get_property(connection.xcb(), 0, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0,
                          longLength);
}

XcbPtr<xcb_get_property_reply_t> getProperty(Connection& connection, xcb_window_t window,
                                             xcb_atom_t property, Deadline deadline, int* error) {
  auto cookie = requestProperty(connection, window, property);
  return connection.reply<xcb_get_property_reply_t>(cookie.sequence, deadline, error);
}

std::optional<std::vector<std::uint32_t>> propertyValues32(const xcb_get_property_reply_t* reply) {
  if (reply == nullptr || reply->type == XCB_ATOM_NONE || reply->format != 32) return std::nullopt;
  const int length = xcb_get_property_value_length(reply) / 4;
  const auto* data = static_cast<const std::uint32_t*>(xcb_get_property_value(reply));
  return std::vector<std::uint32_t>(data, data + length);
}

std::optional<std::string> propertyText(const xcb_get_property_reply_t* reply) {
  if (reply == nullptr || reply->type == XCB_ATOM_NONE || reply->format != 8) return std::nullopt;
  const auto* data = static_cast<const char*>(xcb_get_property_value(reply));
  std::string text(data, static_cast<std::size_t>(xcb_get_property_value_length(reply)));
  // Some clients store a terminating zero.
  while (!text.empty() && text.back() == '\0')
    text.pop_back();
  return text;
}

std::string latin1ToUtf8(std::string_view text) {
  std::string result;
  result.reserve(text.size());
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      result.push_back(c);
    } else {
      result.push_back(static_cast<char>(0xC0 | (byte >> 6)));
      result.push_back(static_cast<char>(0x80 | (byte & 0x3F)));
    }
  }
  return result;
}

}  // namespace tavorin::x11
