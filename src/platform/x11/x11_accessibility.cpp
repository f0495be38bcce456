#include "platform/x11/x11_accessibility.hpp"

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <map>

namespace tavorin::x11 {

namespace {

constexpr std::uint64_t applicationTag = std::uint64_t{1} << 40;
constexpr std::uint64_t systemWideIdentity = std::uint64_t{1} << 41;

// Source indication of EWMH client messages: a pager, that is a program acting for the user.
constexpr std::uint32_t sourcePager = 2;
constexpr std::uint32_t iconicState = 3;

// After the window manager has reconfigured a window, further changes of the same request (a
// move after an un-maximise, the frame after the client) follow within this time.
constexpr double settleGraceSeconds = 0.03;

bool contains(const std::vector<xcb_atom_t>& atoms, xcb_atom_t atom) {
  return std::find(atoms.begin(), atoms.end(), atom) != atoms.end();
}

struct FrameCookies {
  xcb_get_geometry_cookie_t geometry;
  xcb_translate_coordinates_cookie_t position;
  xcb_get_property_cookie_t extents;
};

FrameCookies requestFrame(Connection& connection, xcb_window_t window) {
  return {xcb_get_geometry(connection.xcb(), window),
          xcb_translate_coordinates(connection.xcb(), window, connection.root(), 0, 0),
          requestProperty(connection, window, connection.atom(Atom::_NET_FRAME_EXTENTS), 4)};
}

}  // namespace

X11Accessibility::X11Accessibility(Connection& connection, std::function<Point()> origin)
    : connection_(connection), origin_(std::move(origin)) {
  events_ = connection_.addEventHandler([this](const xcb_generic_event_t& event) {
    if ((event.response_type & 0x7f) == XCB_DESTROY_NOTIFY) {
      const auto& destroyed = reinterpret_cast<const xcb_destroy_notify_event_t&>(event);
      watched_.erase(destroyed.window);
    }
  });
}

X11Accessibility::~X11Accessibility() = default;

X11Accessibility::Kind X11Accessibility::kindOf(const AXElement& element) {
  if (element.identity() == systemWideIdentity) return Kind::systemWide;
  if ((element.identity() & applicationTag) != 0) return Kind::application;
  return Kind::window;
}

Deadline X11Accessibility::deadlineFor(const AXElement& element) {
  const Seconds timeout = element.messagingTimeout();
  return deadlineIn(timeout > 0 ? timeout : defaultTimeout);
}

AXError X11Accessibility::errorFrom(int xError) {
  switch (xError) {
    case 0:  // no answer in time, or the connection is gone
      return AXError::cannotComplete;
    case XCB_WINDOW:
    case XCB_DRAWABLE:
      return AXError::invalidUIElement;
    default:
      return AXError::failure;
  }
}

// --- Reading windows -------------------------------------------------------------------------

std::optional<X11Accessibility::Frame> X11Accessibility::frameOf(xcb_window_t window,
                                                                 Deadline deadline,
                                                                 AXError& error) {
  const FrameCookies cookies = requestFrame(connection_, window);
  int xError = 0;
  auto geometry =
      connection_.reply<xcb_get_geometry_reply_t>(cookies.geometry.sequence, deadline, &xError);
  auto position = connection_.reply<xcb_translate_coordinates_reply_t>(
      cookies.position.sequence, deadline, geometry ? &xError : nullptr);
  auto extents =
      connection_.reply<xcb_get_property_reply_t>(cookies.extents.sequence, deadline, nullptr);
  if (!geometry || !position) {
    error = errorFrom(xError);
    return std::nullopt;
  }
  Frame frame;
  if (auto values = propertyValues32(extents.get()); values && values->size() == 4) {
    frame.left = (*values)[0];
    frame.right = (*values)[1];
    frame.top = (*values)[2];
    frame.bottom = (*values)[3];
  }
  frame.border = geometry->border_width;
  const double border = frame.border;
  frame.outer = Rect{position->dst_x - border - frame.left, position->dst_y - border - frame.top,
                     geometry->width + 2 * border + frame.left + frame.right,
                     geometry->height + 2 * border + frame.top + frame.bottom};
  return frame;
}

std::optional<std::vector<xcb_atom_t>> X11Accessibility::statesOf(xcb_window_t window,
                                                                  Deadline deadline,
                                                                  AXError& error) {
  int xError = 0;
  auto reply =
      getProperty(connection_, window, connection_.atom(Atom::_NET_WM_STATE), deadline, &xError);
  if (!reply) {
    error = errorFrom(xError);
    return std::nullopt;
  }
  return propertyValues32(reply.get()).value_or(std::vector<xcb_atom_t>{});
}

std::optional<std::string> X11Accessibility::titleOf(xcb_window_t window, Deadline deadline,
                                                     AXError& error) {
  auto netName = requestProperty(connection_, window, connection_.atom(Atom::_NET_WM_NAME));
  auto wmName = requestProperty(connection_, window, XCB_ATOM_WM_NAME);
  int xError = 0;
  auto netReply = connection_.reply<xcb_get_property_reply_t>(netName.sequence, deadline, &xError);
  auto wmReply = connection_.reply<xcb_get_property_reply_t>(wmName.sequence, deadline, nullptr);
  if (!netReply) {
    error = errorFrom(xError);
    return std::nullopt;
  }
  if (auto text = propertyText(netReply.get())) return text;
  // Clients without _NET_WM_NAME (xterm among them) have only WM_NAME, as Latin-1 text.
  if (auto text = propertyText(wmReply.get())) {
    return wmReply->type == connection_.atom(Atom::UTF8_STRING) ? *text : latin1ToUtf8(*text);
  }
  return std::string();
}

std::optional<std::string> X11Accessibility::subroleOf(xcb_window_t window, Deadline deadline,
                                                       AXError& error) {
  auto typeCookie =
      requestProperty(connection_, window, connection_.atom(Atom::_NET_WM_WINDOW_TYPE));
  auto transientCookie = requestProperty(connection_, window, XCB_ATOM_WM_TRANSIENT_FOR, 1);
  int xError = 0;
  auto types = connection_.reply<xcb_get_property_reply_t>(typeCookie.sequence, deadline, &xError);
  auto transient =
      connection_.reply<xcb_get_property_reply_t>(transientCookie.sequence, deadline, nullptr);
  if (!types) {
    error = errorFrom(xError);
    return std::nullopt;
  }
  // The first type the window lists that is known decides.
  for (xcb_atom_t type : propertyValues32(types.get()).value_or(std::vector<xcb_atom_t>{})) {
    auto is = [&](Atom atom) { return type == connection_.atom(atom); };
    if (is(Atom::_NET_WM_WINDOW_TYPE_NORMAL)) return std::string(ax::standardWindowSubrole);
    if (is(Atom::_NET_WM_WINDOW_TYPE_DIALOG)) return std::string(ax::dialogSubrole);
    if (is(Atom::_NET_WM_WINDOW_TYPE_UTILITY) || is(Atom::_NET_WM_WINDOW_TYPE_TOOLBAR) ||
        is(Atom::_NET_WM_WINDOW_TYPE_MENU) || is(Atom::_NET_WM_WINDOW_TYPE_DROPDOWN_MENU) ||
        is(Atom::_NET_WM_WINDOW_TYPE_POPUP_MENU) || is(Atom::_NET_WM_WINDOW_TYPE_TOOLTIP) ||
        is(Atom::_NET_WM_WINDOW_TYPE_NOTIFICATION) || is(Atom::_NET_WM_WINDOW_TYPE_COMBO) ||
        is(Atom::_NET_WM_WINDOW_TYPE_DND)) {
      return std::string(ax::floatingWindowSubrole);
    }
    if (is(Atom::_NET_WM_WINDOW_TYPE_SPLASH) || is(Atom::_NET_WM_WINDOW_TYPE_DOCK) ||
        is(Atom::_NET_WM_WINDOW_TYPE_DESKTOP)) {
      return std::string(ax::unknownSubrole);
    }
  }
  // Without a type, a transient window is a dialog and any other a normal window.
  auto owner = propertyValues32(transient.get());
  if (owner && !owner->empty() && (*owner)[0] != XCB_WINDOW_NONE) {
    return std::string(ax::dialogSubrole);
  }
  return std::string(ax::standardWindowSubrole);
}

std::optional<ProcessId> X11Accessibility::pidOf(xcb_window_t window, Deadline deadline) {
  auto reply =
      getProperty(connection_, window, connection_.atom(Atom::_NET_WM_PID), deadline, nullptr);
  auto values = propertyValues32(reply.get());
  if (!values || values->empty() || (*values)[0] == 0) return std::nullopt;
  return static_cast<ProcessId>((*values)[0]);
}

bool X11Accessibility::exists(xcb_window_t window, Deadline deadline, AXError& error) {
  auto cookie = xcb_get_geometry(connection_.xcb(), window);
  int xError = 0;
  if (connection_.reply<xcb_get_geometry_reply_t>(cookie.sequence, deadline, &xError)) {
    return true;
  }
  error = errorFrom(xError);
  return false;
}

std::optional<std::vector<xcb_window_t>> X11Accessibility::rootWindows(Atom property,
                                                                       Deadline deadline) {
  auto reply = getProperty(connection_, connection_.root(), connection_.atom(property), deadline);
  if (!reply) return std::nullopt;
  return propertyValues32(reply.get()).value_or(std::vector<xcb_window_t>{});
}

std::optional<xcb_window_t> X11Accessibility::activeWindow(Deadline deadline) {
  auto windows = rootWindows(Atom::_NET_ACTIVE_WINDOW, deadline);
  if (!windows || windows->empty() || (*windows)[0] == XCB_WINDOW_NONE) return std::nullopt;
  return (*windows)[0];
}

std::vector<xcb_window_t> X11Accessibility::windowsOf(ProcessId pid, Deadline deadline) {
  auto stacking = rootWindows(Atom::_NET_CLIENT_LIST_STACKING, deadline);
  if (!stacking) return {};
  std::vector<xcb_get_property_cookie_t> cookies;
  for (xcb_window_t window : *stacking) {
    cookies.push_back(requestProperty(connection_, window, connection_.atom(Atom::_NET_WM_PID), 1));
  }
  std::vector<xcb_window_t> result;
  for (std::size_t i = stacking->size(); i-- > 0;) {
    auto reply = connection_.reply<xcb_get_property_reply_t>(cookies[i].sequence, deadline);
    auto values = propertyValues32(reply.get());
    if (values && !values->empty() && static_cast<ProcessId>((*values)[0]) == pid) {
      result.push_back((*stacking)[i]);
    }
  }
  return result;
}

std::vector<X11Accessibility::ClientFacts> X11Accessibility::clients(Deadline deadline) {
  auto list = rootWindows(Atom::_NET_CLIENT_LIST, deadline);
  if (!list) return {};
  struct Cookies {
    xcb_get_property_cookie_t pid, wmClass, type, state;
  };
  std::vector<Cookies> cookies;
  for (xcb_window_t window : *list) {
    cookies.push_back(
        {requestProperty(connection_, window, connection_.atom(Atom::_NET_WM_PID), 1),
         requestProperty(connection_, window, XCB_ATOM_WM_CLASS, 64),
         requestProperty(connection_, window, connection_.atom(Atom::_NET_WM_WINDOW_TYPE)),
         requestProperty(connection_, window, connection_.atom(Atom::_NET_WM_STATE))});
  }
  std::vector<ClientFacts> result;
  for (std::size_t i = 0; i < list->size(); ++i) {
    auto pid = connection_.reply<xcb_get_property_reply_t>(cookies[i].pid.sequence, deadline);
    auto wmClass =
        connection_.reply<xcb_get_property_reply_t>(cookies[i].wmClass.sequence, deadline);
    auto type = connection_.reply<xcb_get_property_reply_t>(cookies[i].type.sequence, deadline);
    auto state = connection_.reply<xcb_get_property_reply_t>(cookies[i].state.sequence, deadline);
    if (!pid) continue;  // the window is gone
    ClientFacts facts;
    facts.window = (*list)[i];
    if (auto values = propertyValues32(pid.get()); values && !values->empty() && (*values)[0]) {
      facts.pid = static_cast<ProcessId>((*values)[0]);
    }
    if (auto text = propertyText(wmClass.get())) {
      // "instance\0class\0": the class names the application.
      const auto separator = text->find('\0');
      facts.className = separator == std::string::npos ? *text : text->substr(separator + 1);
    }
    const auto types = propertyValues32(type.get()).value_or(std::vector<xcb_atom_t>{});
    const auto states = propertyValues32(state.get()).value_or(std::vector<xcb_atom_t>{});
    const bool ordinaryType = types.empty() ||
                              contains(types, connection_.atom(Atom::_NET_WM_WINDOW_TYPE_NORMAL)) ||
                              contains(types, connection_.atom(Atom::_NET_WM_WINDOW_TYPE_DIALOG));
    facts.regular =
        ordinaryType && !contains(states, connection_.atom(Atom::_NET_WM_STATE_SKIP_TASKBAR));
    result.push_back(std::move(facts));
  }
  return result;
}

// --- Elements --------------------------------------------------------------------------------

AXElement X11Accessibility::systemWide() {
  return AXElement(systemWideIdentity);
}

AXElement X11Accessibility::application(ProcessId pid) {
  return AXElement(applicationTag | static_cast<std::uint32_t>(pid));
}

std::optional<AXElement> X11Accessibility::elementAtPosition(const AXElement& root, Point point) {
  const Deadline deadline = deadlineFor(root);
  std::optional<ProcessId> onlyPid;
  if (kindOf(root) == Kind::application) {
    onlyPid = static_cast<ProcessId>(root.identity() & 0xffffffffu);
  } else if (kindOf(root) != Kind::systemWide) {
    return std::nullopt;
  }
  auto stacking = rootWindows(Atom::_NET_CLIENT_LIST_STACKING, deadline);
  if (!stacking) return std::nullopt;
  auto currentDesktop = rootWindows(Atom::_NET_CURRENT_DESKTOP, deadline);
  const Point origin = origin_();
  const Point rootPoint{point.x + origin.x, point.y + origin.y};

  struct Cookies {
    FrameCookies frame;
    xcb_get_property_cookie_t state, desktop, pid;
  };
  std::vector<Cookies> cookies;
  for (xcb_window_t window : *stacking) {
    cookies.push_back(
        {requestFrame(connection_, window),
         requestProperty(connection_, window, connection_.atom(Atom::_NET_WM_STATE)),
         requestProperty(connection_, window, connection_.atom(Atom::_NET_WM_DESKTOP), 1),
         requestProperty(connection_, window, connection_.atom(Atom::_NET_WM_PID), 1)});
  }
  // Every reply is collected so that none is left behind; the topmost hit wins.
  std::optional<AXElement> hit;
  for (std::size_t i = stacking->size(); i-- > 0;) {
    const Cookies& c = cookies[i];
    auto geometry =
        connection_.reply<xcb_get_geometry_reply_t>(c.frame.geometry.sequence, deadline);
    auto position =
        connection_.reply<xcb_translate_coordinates_reply_t>(c.frame.position.sequence, deadline);
    auto extents = connection_.reply<xcb_get_property_reply_t>(c.frame.extents.sequence, deadline);
    auto state = connection_.reply<xcb_get_property_reply_t>(c.state.sequence, deadline);
    auto desktop = connection_.reply<xcb_get_property_reply_t>(c.desktop.sequence, deadline);
    auto pid = connection_.reply<xcb_get_property_reply_t>(c.pid.sequence, deadline);
    if (hit || !geometry || !position) continue;
    const auto states = propertyValues32(state.get()).value_or(std::vector<xcb_atom_t>{});
    if (contains(states, connection_.atom(Atom::_NET_WM_STATE_HIDDEN))) continue;
    if (auto onDesktop = propertyValues32(desktop.get());
        onDesktop && !onDesktop->empty() && currentDesktop && !currentDesktop->empty() &&
        (*onDesktop)[0] != 0xffffffffu && (*onDesktop)[0] != (*currentDesktop)[0]) {
      continue;
    }
    if (onlyPid) {
      auto values = propertyValues32(pid.get());
      if (!values || values->empty() || static_cast<ProcessId>((*values)[0]) != *onlyPid) continue;
    }
    std::uint32_t left = 0, right = 0, top = 0, bottom = 0;
    if (auto values = propertyValues32(extents.get()); values && values->size() == 4) {
      left = (*values)[0];
      right = (*values)[1];
      top = (*values)[2];
      bottom = (*values)[3];
    }
    const double border = geometry->border_width;
    const Rect outer{position->dst_x - border - left, position->dst_y - border - top,
                     geometry->width + 2 * border + left + right,
                     geometry->height + 2 * border + top + bottom};
    if (outer.contains(rootPoint)) hit = AXElement((*stacking)[i]);
  }
  return hit;
}

std::optional<ProcessId> X11Accessibility::pid(const AXElement& element) {
  switch (kindOf(element)) {
    case Kind::systemWide:
      return std::nullopt;
    case Kind::application:
      return static_cast<ProcessId>(element.identity() & 0xffffffffu);
    case Kind::window:
      return pidOf(static_cast<xcb_window_t>(element.identity()), deadlineFor(element));
  }
  return std::nullopt;
}

std::optional<AXValue> X11Accessibility::attribute(const AXElement& element,
                                                   std::string_view name) {
  if (element.isNull()) return std::nullopt;
  const Deadline deadline = deadlineFor(element);
  switch (kindOf(element)) {
    case Kind::systemWide:
      if (name == ax::role) return AXValue(std::string(ax::systemWideRole));
      if (name == ax::focusedApplication) {
        auto active = activeWindow(deadline);
        if (!active) return std::nullopt;
        auto owner = pidOf(*active, deadline);
        if (!owner) return std::nullopt;
        return AXValue(application(*owner));
      }
      return std::nullopt;
    case Kind::application:
      return applicationAttribute(static_cast<ProcessId>(element.identity() & 0xffffffffu), name,
                                  deadline);
    case Kind::window:
      return windowAttribute(static_cast<xcb_window_t>(element.identity()), name, deadline);
  }
  return std::nullopt;
}

std::optional<AXValue> X11Accessibility::windowAttribute(xcb_window_t window, std::string_view name,
                                                         Deadline deadline) {
  AXError error = AXError::success;
  const Point origin = origin_();
  if (name == ax::position) {
    auto frame = frameOf(window, deadline, error);
    if (!frame) return std::nullopt;
    return AXValue(Point{frame->outer.x - origin.x, frame->outer.y - origin.y});
  }
  if (name == ax::size) {
    auto frame = frameOf(window, deadline, error);
    if (!frame) return std::nullopt;
    return AXValue(frame->outer.size());
  }
  if (name == ax::title) {
    auto title = titleOf(window, deadline, error);
    if (!title) return std::nullopt;
    return AXValue(std::move(*title));
  }
  if (name == ax::subrole) {
    auto subrole = subroleOf(window, deadline, error);
    if (!subrole) return std::nullopt;
    return AXValue(std::move(*subrole));
  }
  if (name == ax::minimized || name == ax::fullScreen) {
    auto states = statesOf(window, deadline, error);
    if (!states) return std::nullopt;
    const Atom state =
        name == ax::minimized ? Atom::_NET_WM_STATE_HIDDEN : Atom::_NET_WM_STATE_FULLSCREEN;
    return AXValue(contains(*states, connection_.atom(state)));
  }
  if (name == ax::focused || name == ax::main) {
    if (!exists(window, deadline, error)) return std::nullopt;
    return AXValue(activeWindow(deadline) == window);
  }
  if (name == ax::role || name == ax::window) {
    if (!exists(window, deadline, error)) return std::nullopt;
    if (name == ax::role) return AXValue(std::string(ax::windowRole));
    return AXValue(AXElement(window));
  }
  return std::nullopt;
}

std::optional<AXValue> X11Accessibility::applicationAttribute(ProcessId pid, std::string_view name,
                                                              Deadline deadline) {
  // Attributes an application here never has cost no round trip.
  if (name != ax::role && name != ax::windows && name != ax::title && name != ax::frontmost &&
      name != ax::focusedWindow) {
    return std::nullopt;
  }
  const auto windows = windowsOf(pid, deadline);
  // An application without windows is not known here (it may have quit).
  if (windows.empty()) return std::nullopt;
  if (name == ax::role) return AXValue(std::string(ax::applicationRole));
  if (name == ax::windows) {
    std::vector<AXElement> elements;
    for (xcb_window_t window : windows)
      elements.emplace_back(window);
    return AXValue(std::move(elements));
  }
  if (name == ax::title) {
    for (const ClientFacts& client : clients(deadline)) {
      if (client.pid == pid) return AXValue(client.className);
    }
    return std::nullopt;
  }
  auto active = activeWindow(deadline);
  const bool frontmost =
      active && std::find(windows.begin(), windows.end(), *active) != windows.end();
  if (name == ax::frontmost) return AXValue(frontmost);
  if (name == ax::focusedWindow) {
    if (frontmost) return AXValue(AXElement(*active));
    // In the background: the application's topmost window that is not minimised.
    for (xcb_window_t window : windows) {
      AXError error = AXError::success;
      auto states = statesOf(window, deadline, error);
      if (states && !contains(*states, connection_.atom(Atom::_NET_WM_STATE_HIDDEN))) {
        return AXValue(AXElement(window));
      }
    }
  }
  return std::nullopt;
}

// --- Writing ---------------------------------------------------------------------------------

void X11Accessibility::sendToRoot(xcb_window_t window, xcb_atom_t type,
                                  std::array<std::uint32_t, 5> data) {
  xcb_client_message_event_t message{};
  message.response_type = XCB_CLIENT_MESSAGE;
  message.format = 32;
  message.window = window;
  message.type = type;
  for (std::size_t i = 0; i < data.size(); ++i)
    message.data.data32[i] = data[i];
  xcb_send_event(connection_.xcb(), 0, connection_.root(),
                 XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                 reinterpret_cast<const char*>(&message));
  connection_.flush();
}

void X11Accessibility::watch(xcb_window_t window) {
  if (!watched_.insert(window).second) return;
  // Only this connection's interest in the window changes; the owner's stays as it was.
  const std::uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY | XCB_EVENT_MASK_PROPERTY_CHANGE;
  xcb_change_window_attributes(connection_.xcb(), window, XCB_CW_EVENT_MASK, &mask);
}

AXError X11Accessibility::unmaximize(xcb_window_t window, const std::vector<xcb_atom_t>& states,
                                     Deadline deadline) {
  const xcb_atom_t vertical = connection_.atom(Atom::_NET_WM_STATE_MAXIMIZED_VERT);
  const xcb_atom_t horizontal = connection_.atom(Atom::_NET_WM_STATE_MAXIMIZED_HORZ);
  auto maximized = [&](const std::vector<xcb_atom_t>& now) {
    return contains(now, vertical) || contains(now, horizontal);
  };
  if (!maximized(states)) return AXError::success;
  sendToRoot(window, connection_.atom(Atom::_NET_WM_STATE),
             {0 /* remove */, vertical, horizontal, sourcePager, 0});
  // The decorations may change with the state, so the caller measures only afterwards.
  for (;;) {
    const std::uint64_t seen = connection_.eventSerial();
    AXError error = AXError::success;
    auto now = statesOf(window, deadline, error);
    if (!now) return error;
    if (!maximized(*now)) return AXError::success;
    if (!connection_.waitForEventsSince(seen, deadline)) return AXError::cannotComplete;
  }
}

AXError X11Accessibility::moveResize(xcb_window_t window, std::optional<Point> outerOrigin,
                                     std::optional<Size> outerSize, Deadline deadline) {
  AXError error = AXError::success;
  auto states = statesOf(window, deadline, error);
  if (!states) return error;
  watch(window);
  if (AXError unmaximized = unmaximize(window, *states, deadline);
      unmaximized != AXError::success) {
    return unmaximized;
  }
  auto frame = frameOf(window, deadline, error);
  if (!frame) return error;
  const Point origin = origin_();
  const auto roundedX = outerOrigin ? std::lround(outerOrigin->x + origin.x) : 0;
  const auto roundedY = outerOrigin ? std::lround(outerOrigin->y + origin.y) : 0;
  // Already there: nothing to ask of the window manager.
  if ((!outerOrigin || (frame->outer.x == roundedX && frame->outer.y == roundedY)) &&
      (!outerSize || (frame->outer.width == std::lround(outerSize->width) &&
                      frame->outer.height == std::lround(outerSize->height)))) {
    return AXError::success;
  }
  std::uint32_t flags =
      1 /* north-west gravity: x and y place the frame's top-left */ | (sourcePager << 12);
  std::int32_t x = 0, y = 0;
  std::int32_t targetWidth = 0, targetHeight = 0;
  if (outerOrigin) {
    x = static_cast<std::int32_t>(std::lround(outerOrigin->x + origin.x));
    y = static_cast<std::int32_t>(std::lround(outerOrigin->y + origin.y));
    flags |= (1u << 8) | (1u << 9);
  }
  if (outerSize) {
    targetWidth = static_cast<std::int32_t>(std::lround(outerSize->width));
    targetHeight = static_cast<std::int32_t>(std::lround(outerSize->height));
    flags |= (1u << 10) | (1u << 11);
  }
  // The request sizes the client; the frame adds the decorations measured around it.
  Frame measured = *frame;
  auto send = [&] {
    const auto decorationWidth =
        static_cast<std::int32_t>(measured.left + measured.right + 2 * measured.border);
    const auto decorationHeight =
        static_cast<std::int32_t>(measured.top + measured.bottom + 2 * measured.border);
    const auto clientWidth = static_cast<std::uint32_t>(std::max(1, targetWidth - decorationWidth));
    const auto clientHeight =
        static_cast<std::uint32_t>(std::max(1, targetHeight - decorationHeight));
    sendToRoot(window, connection_.atom(Atom::_NET_MOVERESIZE_WINDOW),
               {flags, static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y),
                outerSize ? clientWidth : 0, outerSize ? clientHeight : 0});
  };
  std::uint64_t mark = connection_.eventSerial();
  send();

  auto reached = [&](const Rect& outer) {
    return (!outerOrigin || (outer.x == x && outer.y == y)) &&
           (!outerSize || (outer.width == targetWidth && outer.height == targetHeight));
  };
  auto sameDecorations = [](const Frame& a, const Frame& b) {
    return a.left == b.left && a.right == b.right && a.top == b.top && a.bottom == b.bottom &&
           a.border == b.border;
  };
  auto configured = [window](const xcb_generic_event_t& event) {
    if ((event.response_type & 0x7f) != XCB_CONFIGURE_NOTIFY) return false;
    return reinterpret_cast<const xcb_configure_notify_event_t&>(event).window == window;
  };
  // Wait until the window manager has applied the request. When it applied something else (a
  // client's minimum size, size increments), the frame it chose is final once it reconfigured
  // the window and nothing followed for a moment.
  std::optional<Deadline> settled;
  int resent = 0;
  for (;;) {
    const std::uint64_t seen = connection_.eventSerial();
    auto now = frameOf(window, deadline, error);
    if (!now) return error;
    if (reached(now->outer)) return AXError::success;
    // The decorations changed under the request (they follow the window's state): ask again
    // with the new ones.
    if (outerSize && resent < 2 && !sameDecorations(*now, measured)) {
      measured = *now;
      ++resent;
      settled.reset();
      mark = connection_.eventSerial();
      send();
      continue;
    }
    if (!settled && connection_.hasQueuedEventSince(mark, configured)) {
      settled = std::min(deadline, deadlineIn(settleGraceSeconds));
    }
    const Deadline until = settled.value_or(deadline);
    if (SteadyClock::now() >= until) {
      return settled ? AXError::success : AXError::cannotComplete;
    }
    connection_.waitForEventsSince(seen, until);
  }
}

AXError X11Accessibility::changeState(xcb_window_t window, Atom state, bool on, Deadline deadline) {
  AXError error = AXError::success;
  auto states = statesOf(window, deadline, error);
  if (!states) return error;
  const xcb_atom_t atom = connection_.atom(state);
  if (contains(*states, atom) == on) return AXError::success;
  watch(window);
  sendToRoot(window, connection_.atom(Atom::_NET_WM_STATE),
             {on ? 1u : 0u, atom, 0, sourcePager, 0});
  for (;;) {
    const std::uint64_t seen = connection_.eventSerial();
    states = statesOf(window, deadline, error);
    if (!states) return error;
    if (contains(*states, atom) == on) return AXError::success;
    if (!connection_.waitForEventsSince(seen, deadline)) return AXError::cannotComplete;
  }
}

AXError X11Accessibility::minimize(xcb_window_t window, Deadline deadline) {
  AXError error = AXError::success;
  auto states = statesOf(window, deadline, error);
  if (!states) return error;
  const xcb_atom_t hidden = connection_.atom(Atom::_NET_WM_STATE_HIDDEN);
  if (contains(*states, hidden)) return AXError::success;
  watch(window);
  sendToRoot(window, connection_.atom(Atom::WM_CHANGE_STATE), {iconicState, 0, 0, 0, 0});
  for (;;) {
    const std::uint64_t seen = connection_.eventSerial();
    states = statesOf(window, deadline, error);
    if (!states) return error;
    if (contains(*states, hidden)) return AXError::success;
    if (!connection_.waitForEventsSince(seen, deadline)) return AXError::cannotComplete;
  }
}

bool X11Accessibility::isTopOfItsLayer(xcb_window_t window, Deadline deadline) {
  auto stacking = rootWindows(Atom::_NET_CLIENT_LIST_STACKING, deadline);
  if (!stacking) return false;
  auto position = std::find(stacking->begin(), stacking->end(), window);
  if (position == stacking->end()) return false;
  // Only panels and windows kept above the others may stay on top of a raised window.
  std::vector<std::pair<xcb_get_property_cookie_t, xcb_get_property_cookie_t>> cookies;
  for (auto it = std::next(position); it != stacking->end(); ++it) {
    cookies.emplace_back(
        requestProperty(connection_, *it, connection_.atom(Atom::_NET_WM_WINDOW_TYPE)),
        requestProperty(connection_, *it, connection_.atom(Atom::_NET_WM_STATE)));
  }
  bool top = true;
  for (const auto& [typeCookie, stateCookie] : cookies) {
    auto type = connection_.reply<xcb_get_property_reply_t>(typeCookie.sequence, deadline);
    auto state = connection_.reply<xcb_get_property_reply_t>(stateCookie.sequence, deadline);
    const auto types = propertyValues32(type.get()).value_or(std::vector<xcb_atom_t>{});
    const auto states = propertyValues32(state.get()).value_or(std::vector<xcb_atom_t>{});
    if (!contains(types, connection_.atom(Atom::_NET_WM_WINDOW_TYPE_DOCK)) &&
        !contains(states, connection_.atom(Atom::_NET_WM_STATE_ABOVE))) {
      top = false;
    }
  }
  return top;
}

AXError X11Accessibility::activate(xcb_window_t window, Deadline deadline) {
  AXError error = AXError::success;
  if (!exists(window, deadline, error)) return error;
  watch(window);
  sendToRoot(window, connection_.atom(Atom::_NET_ACTIVE_WINDOW),
             {sourcePager, XCB_CURRENT_TIME, 0, 0, 0});
  // Done when the window is the active one, no longer minimised (a minimised window can stay
  // the active one) and raised: the window manager publishes these one after the other.
  // Property changes of the root window and of the window end each wait.
  const xcb_atom_t hidden = connection_.atom(Atom::_NET_WM_STATE_HIDDEN);
  for (;;) {
    const std::uint64_t seen = connection_.eventSerial();
    auto states = statesOf(window, deadline, error);
    if (!states) return error;
    if (activeWindow(deadline) == window && !contains(*states, hidden) &&
        isTopOfItsLayer(window, deadline)) {
      return AXError::success;
    }
    if (!connection_.waitForEventsSince(seen, deadline)) return AXError::cannotComplete;
  }
}

AXError X11Accessibility::setAttribute(const AXElement& element, std::string_view name,
                                       const AXValue& value) {
  if (element.isNull()) return AXError::invalidUIElement;
  // Applications and the system-wide element have nothing to set here.
  if (kindOf(element) != Kind::window) return AXError::attributeUnsupported;
  const auto window = static_cast<xcb_window_t>(element.identity());
  const Deadline deadline = deadlineFor(element);
  if (name == ax::position) {
    auto point = value.asPoint();
    if (!point) return AXError::illegalArgument;
    return moveResize(window, *point, std::nullopt, deadline);
  }
  if (name == ax::size) {
    auto size = value.asSize();
    if (!size || size->width <= 0 || size->height <= 0) return AXError::illegalArgument;
    return moveResize(window, std::nullopt, *size, deadline);
  }
  auto flag = value.asBool();
  if (name == ax::minimized) {
    if (!flag) return AXError::illegalArgument;
    return *flag ? minimize(window, deadline) : activate(window, deadline);
  }
  if (name == ax::fullScreen) {
    if (!flag) return AXError::illegalArgument;
    return changeState(window, Atom::_NET_WM_STATE_FULLSCREEN, *flag, deadline);
  }
  if (name == ax::main || name == ax::focused) {
    if (!flag) return AXError::illegalArgument;
    // Focus can be given, not taken away.
    return *flag ? activate(window, deadline) : AXError::success;
  }
  return AXError::attributeUnsupported;
}

bool X11Accessibility::isAttributeSettable(const AXElement& element, std::string_view name) {
  if (element.isNull() || kindOf(element) != Kind::window) return false;
  const auto window = static_cast<xcb_window_t>(element.identity());
  const Deadline deadline = deadlineFor(element);
  if (name == ax::position || name == ax::size) {
    int xError = 0;
    auto reply = getProperty(connection_, window, connection_.atom(Atom::_NET_WM_ALLOWED_ACTIONS),
                             deadline, &xError);
    if (!reply) return false;
    auto allowed = propertyValues32(reply.get());
    // A window manager that does not publish the allowed actions allows everything.
    if (!allowed) return true;
    return contains(*allowed, connection_.atom(name == ax::position ? Atom::_NET_WM_ACTION_MOVE
                                                                    : Atom::_NET_WM_ACTION_RESIZE));
  }
  if (name == ax::minimized || name == ax::fullScreen || name == ax::main || name == ax::focused) {
    AXError error = AXError::success;
    return exists(window, deadline, error);
  }
  return false;
}

AXError X11Accessibility::performAction(const AXElement& element, std::string_view action) {
  if (element.isNull()) return AXError::invalidUIElement;
  if (kindOf(element) != Kind::window || action != ax::raiseAction) {
    return AXError::actionUnsupported;
  }
  return activate(static_cast<xcb_window_t>(element.identity()), deadlineFor(element));
}

// --- Running applications --------------------------------------------------------------------

std::vector<RunningApplication> X11Accessibility::runningApplications() {
  std::vector<RunningApplication> result;
  std::map<ProcessId, std::size_t> index;
  for (const ClientFacts& client : clients(deadlineIn(defaultTimeout))) {
    if (!client.pid) continue;
    auto [it, added] = index.emplace(*client.pid, result.size());
    if (added) {
      result.push_back(
          {*client.pid, client.className, Application::ActivationPolicy::accessory, false});
    }
    if (client.regular) {
      result[it->second].activationPolicy = Application::ActivationPolicy::regular;
    }
  }
  return result;
}

std::optional<RunningApplication> X11Accessibility::frontmostApplication() {
  const Deadline deadline = deadlineIn(defaultTimeout);
  auto active = activeWindow(deadline);
  if (!active) return std::nullopt;
  auto owner = pidOf(*active, deadline);
  if (!owner) return std::nullopt;
  for (RunningApplication& app : runningApplications()) {
    if (app.pid == *owner) return app;
  }
  return std::nullopt;
}

ProcessId X11Accessibility::currentProcessId() const {
  return ::getpid();
}

}  // namespace tavorin::x11
