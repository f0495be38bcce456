#pragma once

#include <memory>
#include <vector>

#include "platform/overlays.hpp"
#include "platform/platform.hpp"
#include "platform/run_loop.hpp"
#include "platform/signal.hpp"
#include "pointer/core/pointer_locator_settings.hpp"

namespace tavorin {

// The short animation that shows where the pointer is: two rings that shrink onto it or spread
// out from it, or a spotlight that darkens every screen but a circle around it. It follows the
// pointer while it runs, draws 60 frames a second on overlay panels that never take focus or
// clicks, and honours the user's wish for less motion. Main loop only; the frame timer and the
// screen observation hold it weakly.
//
// The panels render at whatever pixel density the overlay service gives their screen, so there
// is no contents scale to choose here.
class PointerHighlighter : public std::enable_shared_from_this<PointerHighlighter> {
 public:
  static constexpr Seconds frameInterval = 1.0 / 60;
  // Width of the rings' and the spotlight's outline, in points.
  static constexpr double lineWidth = 4;
  // Opacity of the first ring's fill and of the spotlight's darkening.
  static constexpr double ringFillOpacity = 0.12;
  static constexpr double dimOpacity = 0.55;

  // Without overlays or screens in `platform` nothing is ever shown.
  static std::shared_ptr<PointerHighlighter> create(Platform& platform);
  PointerHighlighter(const PointerHighlighter&) = delete;
  PointerHighlighter& operator=(const PointerHighlighter&) = delete;

  // Starts the animation at the pointer, or starts it again from the beginning.
  void show(const PointerLocatorSettings& settings);
  // Ends the animation at once; the panels stay for the next one.
  void hide();

  bool isAnimating() const { return timer_.isScheduled(); }
  const PointerLocatorSettings& settings() const { return settings_; }
  bool reduceMotion() const { return reduceMotion_; }
  // The panel of the rings, once made.
  const OverlayPanel* ringPanel() const { return ringWindow_.get(); }
  // The spotlight's panels, one per screen, once made.
  std::size_t spotPanelCount() const { return spots_.size(); }

 private:
  explicit PointerHighlighter(Platform& platform) : platform_(platform) {}
  void tick();
  void prepareRings();
  void prepareSpotlight();
  void moveRingPanel(Point pointer);
  void drawRings(double progress);
  void drawSpotlight(double progress);
  void screensChanged();
  std::unique_ptr<OverlayPanel> makePanel();

  struct SpotOverlay {
    std::unique_ptr<OverlayPanel> window;
  };

  Platform& platform_;
  std::unique_ptr<OverlayPanel> ringWindow_;
  std::vector<SpotOverlay> spots_;
  Timer timer_;
  Seconds start_ = 0;
  PointerLocatorSettings settings_;
  bool reduceMotion_ = false;
  Subscription screenObserver_;
};

}  // namespace tavorin
