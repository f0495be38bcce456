#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/accessibility.hpp"
#include "platform/running_applications.hpp"
#include "tiling/core/geometry.hpp"

namespace tavorin {

class TiledWindows;

// What window layout reaches other applications' windows through: the accessibility adapter,
// the workspace's application list, the shared system-wide element and the memory of window
// sizes from before snapping. One per process in the program (one per test in tests); windows
// hold it weakly and do nothing once it is gone.
class WindowServices : public std::enable_shared_from_this<WindowServices> {
 public:
  // Seconds every window and application element may block.
  static constexpr Seconds elementTimeout = 0.5;
  // Seconds the system-wide element may block.
  static constexpr Seconds systemWideTimeout = 0.25;

  static std::shared_ptr<WindowServices> create(Accessibility& accessibility,
                                                RunningApplications& applications);
  ~WindowServices();

  Accessibility& accessibility() { return accessibility_; }
  RunningApplications& applications() { return applications_; }
  // Created once, with its own time-out.
  const AXElement& systemWide() const { return systemWide_; }
  TiledWindows& tiledWindows() { return *tiledWindows_; }

 private:
  WindowServices(Accessibility& accessibility, RunningApplications& applications);

  Accessibility& accessibility_;
  RunningApplications& applications_;
  AXElement systemWide_;
  std::unique_ptr<TiledWindows> tiledWindows_;
};

// A handle on one window of another application, shared by whoever holds it. Every read can
// fail (the application does not answer in time, the window is gone): reads then answer
// nothing, and writes are best effort.
class AXWindow : public std::enable_shared_from_this<AXWindow> {
 public:
  // Wraps `element` (it gets the window time-out) and reads its owning process.
  static std::shared_ptr<AXWindow> make(const std::shared_ptr<WindowServices>& services,
                                        AXElement element);

  // The focused window of the frontmost application; none when there is none or it is this
  // program itself.
  static std::shared_ptr<AXWindow> focused(const std::shared_ptr<WindowServices>& services);
  // The window under a point (global, top-left, y down); none when there is none or it belongs
  // to this program.
  static std::shared_ptr<AXWindow> window(const std::shared_ptr<WindowServices>& services,
                                          TPoint atAXPoint);
  // The ordinary windows of all visible regular applications but this one: standard windows,
  // neither minimised nor full screen, per application in the order the system lists them.
  static std::vector<std::shared_ptr<AXWindow>> allStandardWindows(
      const std::shared_ptr<WindowServices>& services);

  const AXElement& element() const { return element_; }
  ProcessId pid() const { return pid_; }

  // The title, "" when unreadable.
  std::string title() const;
  std::optional<TPoint> position() const;
  std::optional<Size> size() const;
  // Position and size together; none when either cannot be read.
  std::optional<TRect> frame() const;

  // Moves and resizes the window to `rect` (global, top-left, y down) and lets the tiled window
  // memory know.
  void setFrame(const TRect& rect);
  // Single writes, best effort.
  void setSize(Size size);
  void setPosition(TPoint origin);

  // Same window: the platform's equality of elements.
  bool operator==(const AXWindow& other) const { return element_ == other.element_; }

 private:
  AXWindow(std::weak_ptr<WindowServices> services, AXElement element, ProcessId pid)
      : services_(std::move(services)), element_(element), pid_(pid) {}
  std::weak_ptr<WindowServices> services_;
  AXElement element_;
  ProcessId pid_;
};

}  // namespace tavorin
