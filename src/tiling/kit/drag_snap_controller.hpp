#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "platform/platform.hpp"
#include "platform/signal.hpp"
#include "tiling/core/geometry.hpp"
#include "tiling/core/templates.hpp"
#include "tiling/kit/ax_window.hpp"
#include "tiling/kit/overlay_windows.hpp"
#include "tiling/kit/snap_assistant.hpp"

namespace tavorin {

// Snapping windows of other applications by dragging them. It watches every drag of a window
// from outside, through global mouse and modifier monitors, and while the window moves shows
// where it would go on a transparent overlay of the screen under the pointer:
//
//  - with the zone key held, the screen's layout with the zone under the pointer highlighted,
//    and with the span key held too, the zones from where spanning started to the pointer;
//  - without it, near a screen edge or corner, half, all or a quarter of the screen;
//  - near the top of the screen, the snap assistant's miniature layouts.
//
// Releasing the button moves the window there a moment later. A window snapped before gets its
// old size back at the first movement of a drag, and a drag that resizes a window instead is
// reported, so that its neighbours can follow. Main loop only; monitors and delayed work hold
// the controller weakly.
class DragSnapController : public std::enable_shared_from_this<DragSnapController> {
 public:
  struct Config {
    // Every template, in list order.
    std::function<std::vector<LayoutTemplate>()> templates;
    std::function<LayoutTemplate(const Screen&)> templateForScreen;
    // Read afresh on every event.
    std::function<TilingSettings()> settings;
    // A window was resized by dragging from the old to the new frame (window space).
    std::function<void(const std::shared_ptr<AXWindow>& window, const TRect& oldFrame,
                       const TRect& newFrame)>
        onResize;
    // A window was snapped by dragging to `frame`, one of `zones` (window space) on `screen`.
    std::function<void(const std::shared_ptr<AXWindow>& window, const TRect& frame,
                       const std::vector<TRect>& zones, const Screen& screen)>
        onTiled;
  };

  // Seconds after the release until the window is moved, and until a resize is looked at.
  static constexpr Seconds snapDelay = 0.05;
  static constexpr Seconds resizeCheckDelay = 0.08;
  // A drag that has not moved its window after this many events is not a window drag.
  static constexpr int maxStillDragEvents = 31;
  // Less than this in both directions counts as not moved; more than this in either size counts
  // as resized.
  static constexpr double stillDistance = 2;
  static constexpr double resizeDistance = 1;
  // Edge snapping: how close to an edge the pointer must be, and how far the corners reach.
  static constexpr double edgeThreshold = 4;
  static constexpr double edgeCorner = 60;
  // With edge snapping on, this top band of a screen belongs to its maximise region rather than
  // to the snap assistant.
  static constexpr double assistantSuppressionBand = 4;

  // Without event monitors in `platform` nothing is ever seen; without overlays nothing is
  // shown, but windows still snap.
  static std::shared_ptr<DragSnapController> create(Platform& platform,
                                                    std::shared_ptr<WindowServices> windows,
                                                    Config config);
  ~DragSnapController();
  DragSnapController(const DragSnapController&) = delete;
  DragSnapController& operator=(const DragSnapController&) = delete;

  // Installs the monitors; nothing when they are installed already.
  void start();
  // Removes the monitors and forgets the current drag.
  void stop();
  // Hides every overlay and forgets the current drag; the overlays are kept for the next one.
  void reset();
  // Hides every preview and assistant, closes the assistants and forgets the target.
  void clearVisuals();
  // After the screens changed: resets and drops the overlays, so that they are made anew for the
  // new geometry.
  void screensDidChange();

  bool isMonitoring() const { return !monitors_.empty(); }
  std::size_t monitorCount() const { return monitors_.size(); }
  bool isWindowMoving() const { return windowIsMoving_; }
  const std::shared_ptr<AXWindow>& dragWindow() const { return dragWindow_; }
  const std::optional<TRect>& target() const { return target_; }
  const std::vector<TRect>& targetZones() const { return targetZones_; }
  const std::optional<Screen>& targetScreen() const { return targetScreen_; }
  // The overlays made so far for a screen (by display id); null before the first use.
  const ZonePreviewController* preview(std::uint32_t displayID) const;
  const SnapAssistant* assistant(std::uint32_t displayID) const;

 private:
  struct SpanAnchor {
    std::uint32_t displayID = 0;
    int zoneIndex = 0;
  };

  DragSnapController(Platform& platform, std::shared_ptr<WindowServices> windows, Config config);

  void mouseDown();
  void mouseDragged(const InputEvent& event);
  void mouseUp();
  void flagsChanged(const InputEvent& event);
  // Works out the target for the pointer at `location` (screen space) and shows it.
  void update(Point location);
  bool updateAssistant(const Screen& screen, const TilingSettings& settings, const TRect& area,
                       TPoint pointer);
  void setTarget(const TRect& target, std::vector<TRect> zones, const Screen& screen);
  void clearTarget();
  const std::vector<Screen>& screens();
  ZonePreviewController* previewFor(const Screen& screen);
  SnapAssistant* assistantFor(const Screen& screen);
  double primaryHeight();
  TRect toAX(const Rect& rect);

  Platform& platform_;
  std::shared_ptr<WindowServices> windows_;
  Config config_;
  std::vector<Subscription> monitors_;

  bool mouseIsDown_ = false;
  bool lookedUpWindow_ = false;
  std::shared_ptr<AXWindow> dragWindow_;
  std::optional<TPoint> startPosition_;
  std::optional<Size> startSize_;
  bool windowIsMoving_ = false;
  int stillDragEvents_ = 0;
  std::optional<TRect> target_;
  std::vector<TRect> targetZones_;
  std::optional<Screen> targetScreen_;
  std::shared_ptr<AXWindow> resizeWindow_;
  std::optional<TRect> resizeStart_;
  std::optional<SpanAnchor> spanAnchor_;
  // Read once a drag needs them and kept until it ends: the screens rarely change within one
  // drag, and asking the windowing system for them on every event is not free.
  std::optional<std::vector<Screen>> screens_;

  std::map<std::uint32_t, std::unique_ptr<ZonePreviewController>> previews_;
  std::map<std::uint32_t, std::unique_ptr<SnapAssistant>> assistants_;
};

}  // namespace tavorin
