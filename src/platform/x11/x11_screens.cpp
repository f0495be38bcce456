#include "platform/x11/x11_screens.hpp"

#include <xcb/randr.h>

#include <algorithm>
#include <cmath>

namespace tavorin::x11 {

namespace {

enum class Edge { left, right, top, bottom };

struct Strut {
  Edge edge;
  Rect area;  // root coordinates
};

bool intersects(const Rect& a, const Rect& b) {
  return a.x < b.maxX() && b.x < a.maxX() && a.y < b.maxY() && b.y < a.maxY();
}

// The struts a window reserves at the root window's edges (_NET_WM_STRUT_PARTIAL, or the older
// _NET_WM_STRUT that spans the whole edge).
void addStruts(const std::vector<std::uint32_t>& v, bool partial, const Rect& root,
               std::vector<Strut>& out) {
  auto span = [&](std::size_t start, double whole) {
    if (!partial) return std::pair<double, double>{0, whole};
    return std::pair<double, double>{double(v[start]), double(v[start + 1]) + 1};
  };
  if (v[0] > 0) {
    auto [from, to] = span(4, root.height);
    out.push_back({Edge::left, {0, from, double(v[0]), to - from}});
  }
  if (v[1] > 0) {
    auto [from, to] = span(6, root.height);
    out.push_back({Edge::right, {root.width - v[1], from, double(v[1]), to - from}});
  }
  if (v[2] > 0) {
    auto [from, to] = span(8, root.width);
    out.push_back({Edge::top, {from, 0, to - from, double(v[2])}});
  }
  if (v[3] > 0) {
    auto [from, to] = span(10, root.width);
    out.push_back({Edge::bottom, {from, root.height - v[3], to - from, double(v[3])}});
  }
}

}  // namespace

X11Screens::X11Screens(Connection& connection) : connection_(connection) {
  const auto* extension = xcb_get_extension_data(connection_.xcb(), &xcb_randr_id);
  if (extension != nullptr && extension->present != 0) {
    auto cookie = xcb_randr_query_version(connection_.xcb(), 1, 6);
    auto version =
        connection_.reply<xcb_randr_query_version_reply_t>(cookie.sequence, deadlineIn(timeout));
    if (version && (version->major_version > 1 ||
                    (version->major_version == 1 && version->minor_version >= 5))) {
      monitorsSupported_ = true;
      randrEventBase_ = extension->first_event;
      xcb_randr_select_input(
          connection_.xcb(), connection_.root(),
          XCB_RANDR_NOTIFY_MASK_SCREEN_CHANGE | XCB_RANDR_NOTIFY_MASK_OUTPUT_CHANGE |
              XCB_RANDR_NOTIFY_MASK_CRTC_CHANGE | XCB_RANDR_NOTIFY_MASK_OUTPUT_PROPERTY);
      connection_.flush();
    }
  }
  last_ = screens();
  events_ =
      connection_.addEventHandler([this](const xcb_generic_event_t& event) { handle(event); });
}

void X11Screens::handle(const xcb_generic_event_t& event) {
  const std::uint8_t type = event.response_type & 0x7f;
  bool relevant = false;
  if (monitorsSupported_ && (type == randrEventBase_ + XCB_RANDR_SCREEN_CHANGE_NOTIFY ||
                             type == randrEventBase_ + XCB_RANDR_NOTIFY)) {
    relevant = true;
  } else if (type == XCB_PROPERTY_NOTIFY) {
    const auto& property = reinterpret_cast<const xcb_property_notify_event_t&>(event);
    // Panels come and go with the client list; the work area follows their struts.
    relevant = property.window == connection_.root() &&
               (property.atom == connection_.atom(Atom::_NET_WORKAREA) ||
                property.atom == connection_.atom(Atom::_NET_CLIENT_LIST));
  }
  if (!relevant) return;
  auto now = screens();
  if (now == last_) return;
  last_ = std::move(now);
  changed_.emit();
}

std::optional<std::vector<X11Screens::Monitor>> X11Screens::monitors(Deadline deadline) {
  std::vector<Monitor> result;
  if (monitorsSupported_) {
    auto cookie = xcb_randr_get_monitors(connection_.xcb(), connection_.root(), 1);
    auto reply = connection_.reply<xcb_randr_get_monitors_reply_t>(cookie.sequence, deadline);
    if (!reply) return std::nullopt;
    std::vector<xcb_get_atom_name_cookie_t> names;
    for (auto it = xcb_randr_get_monitors_monitors_iterator(reply.get()); it.rem > 0;
         xcb_randr_monitor_info_next(&it)) {
      const xcb_randr_monitor_info_t* info = it.data;
      Monitor monitor;
      monitor.primary = info->primary != 0;
      monitor.rect =
          Rect{double(info->x), double(info->y), double(info->width), double(info->height)};
      const auto* outputs = xcb_randr_monitor_info_outputs(info);
      monitor.outputs.assign(outputs, outputs + xcb_randr_monitor_info_outputs_length(info));
      monitor.nameAtom = info->name;
      names.push_back(xcb_get_atom_name(connection_.xcb(), info->name));
      result.push_back(std::move(monitor));
    }
    for (std::size_t i = 0; i < result.size(); ++i) {
      auto name = connection_.reply<xcb_get_atom_name_reply_t>(names[i].sequence, deadline);
      if (name) {
        result[i].name.assign(xcb_get_atom_name_name(name.get()),
                              std::size_t(xcb_get_atom_name_name_length(name.get())));
      }
    }
    std::stable_partition(result.begin(), result.end(), [](const Monitor& m) { return m.primary; });
  }
  if (result.empty()) {
    // Without monitors the root window is the one screen.
    auto cookie = xcb_get_geometry(connection_.xcb(), connection_.root());
    auto root = connection_.reply<xcb_get_geometry_reply_t>(cookie.sequence, deadline);
    if (!root) return std::nullopt;
    Monitor whole;
    whole.name = "screen";
    whole.primary = true;
    whole.rect = Rect{0, 0, double(root->width), double(root->height)};
    result.push_back(std::move(whole));
  }
  return result;
}

std::vector<Screen> X11Screens::screens() {
  const Deadline deadline = deadlineIn(timeout);
  auto found = monitors(deadline);
  if (!found) return {};

  // Struts of every client, against the root window's current size.
  auto rootCookie = xcb_get_geometry(connection_.xcb(), connection_.root());
  auto clients = getProperty(connection_, connection_.root(),
                             connection_.atom(Atom::_NET_CLIENT_LIST), deadline);
  auto rootGeometry = connection_.reply<xcb_get_geometry_reply_t>(rootCookie.sequence, deadline);
  const Rect root = rootGeometry
                        ? Rect{0, 0, double(rootGeometry->width), double(rootGeometry->height)}
                        : found->front().rect;
  std::vector<Strut> reserved;
  const auto windows = propertyValues32(clients.get()).value_or(std::vector<std::uint32_t>{});
  std::vector<std::pair<xcb_get_property_cookie_t, xcb_get_property_cookie_t>> cookies;
  for (xcb_window_t window : windows) {
    cookies.emplace_back(
        requestProperty(connection_, window, connection_.atom(Atom::_NET_WM_STRUT_PARTIAL), 12),
        requestProperty(connection_, window, connection_.atom(Atom::_NET_WM_STRUT), 4));
  }
  for (const auto& [partialCookie, plainCookie] : cookies) {
    auto partial = connection_.reply<xcb_get_property_reply_t>(partialCookie.sequence, deadline);
    auto plain = connection_.reply<xcb_get_property_reply_t>(plainCookie.sequence, deadline);
    if (auto values = propertyValues32(partial.get()); values && values->size() >= 12) {
      addStruts(*values, true, root, reserved);
    } else if (auto old = propertyValues32(plain.get()); old && old->size() >= 4) {
      addStruts(*old, false, root, reserved);
    }
  }

  const Monitor& primary = found->front();
  origin_ = primary.rect.origin();
  primaryHeight_ = primary.rect.height;
  auto toScreenSpace = [&](const Rect& r) {
    return Rect{r.x - origin_.x, primaryHeight_ - (r.maxY() - origin_.y), r.width, r.height};
  };

  std::vector<Screen> result;
  for (const Monitor& monitor : *found) {
    double minX = monitor.rect.minX(), maxX = monitor.rect.maxX();
    double minY = monitor.rect.minY(), maxY = monitor.rect.maxY();
    for (const Strut& strut : reserved) {
      if (!intersects(strut.area, monitor.rect)) continue;
      switch (strut.edge) {
        case Edge::left:
          minX = std::max(minX, strut.area.maxX());
          break;
        case Edge::right:
          maxX = std::min(maxX, strut.area.minX());
          break;
        case Edge::top:
          minY = std::max(minY, strut.area.maxY());
          break;
        case Edge::bottom:
          maxY = std::min(maxY, strut.area.minY());
          break;
      }
    }
    Screen screen;
    screen.localizedName = monitor.name;
    screen.frame = toScreenSpace(monitor.rect);
    screen.visibleFrame =
        toScreenSpace(Rect{minX, minY, std::max(0.0, maxX - minX), std::max(0.0, maxY - minY)});
    describeDisplay(monitor, screen, deadline);
    result.push_back(std::move(screen));
  }
  return result;
}

void X11Screens::describeDisplay(const Monitor& monitor, Screen& screen, Deadline deadline) {
  if (monitor.outputs.empty()) {
    // A monitor made of no output (one set by hand) is known by its name.
    screen.displayID = monitor.nameAtom;
    return;
  }
  const xcb_randr_output_t output = monitor.outputs.front();
  screen.displayID = output;
  auto cookie = xcb_randr_get_output_property(
      connection_.xcb(), output, connection_.atom(Atom::EDID), XCB_ATOM_ANY, 0, 64, 0, 0);
  auto reply = connection_.reply<xcb_randr_get_output_property_reply_t>(cookie.sequence, deadline);
  if (!reply || reply->format != 8) return;
  describeFromEdid(xcb_randr_get_output_property_data(reply.get()),
                   std::size_t(xcb_randr_get_output_property_data_length(reply.get())), screen);
}

void X11Screens::describeFromEdid(const std::uint8_t* edid, std::size_t length, Screen& screen) {
  static constexpr std::uint8_t header[8] = {0x00, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0x00};
  if (length < 128 || !std::equal(header, header + 8, edid)) return;
  screen.vendorNumber = (std::uint32_t(edid[8]) << 8) | edid[9];
  screen.modelNumber = std::uint32_t(edid[10]) | (std::uint32_t(edid[11]) << 8);
  screen.serialNumber = std::uint32_t(edid[12]) | (std::uint32_t(edid[13]) << 8) |
                        (std::uint32_t(edid[14]) << 16) | (std::uint32_t(edid[15]) << 24);
  for (std::size_t block = 54; block + 18 <= 126; block += 18) {
    const std::uint8_t* d = edid + block;
    if (d[0] == 0 && d[1] == 0 && d[3] == 0xfc) {
      std::string name(reinterpret_cast<const char*>(d + 5), 13);
      name = name.substr(0, name.find('\n'));
      while (!name.empty() && name.back() == ' ')
        name.pop_back();
      if (!name.empty()) screen.localizedName = name;
    }
  }
}

Point X11Screens::pointerLocation() {
  auto cookie = xcb_query_pointer(connection_.xcb(), connection_.root());
  auto reply = connection_.reply<xcb_query_pointer_reply_t>(cookie.sequence, deadlineIn(timeout));
  if (!reply) return {};
  return Point{reply->root_x - origin_.x, primaryHeight_ - (reply->root_y - origin_.y)};
}

Subscription X11Screens::observeChanges(std::function<void()> onChange) {
  return changed_.connect([onChange = std::move(onChange)] { onChange(); });
}

}  // namespace tavorin::x11
