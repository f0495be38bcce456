#pragma once

#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/drawing.hpp"
#include "platform/overlays.hpp"
#include "platform/screens.hpp"
#include "tiling/core/geometry.hpp"
#include "tiling/kit/tiling_companions.hpp"

namespace tavorin {

// The colour the window layout overlays mark zones with: the desktop's usual blue accent.
Color tilingAccentColor();

// A screen's frame (screen space, y up) as the overlays meet it: its top-left corner in window
// space, given the height of the primary screen.
TPoint screenOriginAX(const Screen& screen, double primaryHeight);

// What the zone preview shows, in the view's own coordinates (origin at the top-left of the
// screen the overlay covers, y down).
struct ZonePreviewView {
  // Zones narrower or lower than this are left out of the drawing.
  static constexpr double minimumZoneExtent = 4;
  static constexpr double cornerRadius = 10;
  static constexpr double fillOpacity = 0.18;
  static constexpr double highlightedFillOpacity = 0.45;
  static constexpr double focusFillOpacity = 0.35;
  static constexpr double titleFontSize = 22;
  // The title sits this far below the top of `area`, on a background that reaches this far
  // beyond the text.
  static constexpr double titleTopOffset = 24;
  static constexpr double titlePaddingX = 18;
  static constexpr double titlePaddingY = 8;

  std::vector<TRect> zones;
  std::set<int> highlighted;
  std::optional<TRect> focus;
  std::optional<std::string> title;
  // The screen's visible frame.
  TRect area;

  // The zones with their numbers, then the focus rectangle, then the title. `overlays` measures
  // the title's text.
  Drawing draw(const Overlays& overlays) const;
  // The font size of a zone's number: a fifth of its shorter side, between 18 and 64.
  static double numberFontSize(const TRect& zone);
};

// The transparent overlay over one screen that shows a layout's zones while a window is dragged
// (the zone under the pointer highlighted, or the target as a focus rectangle) and, for the
// layout flash, a layout with its name. It never takes focus or clicks, sits above ordinary
// windows and below the snap assistant, and redraws only when what it shows changes.
class ZonePreviewController final : public ZonePreview {
 public:
  // Covers `screen`; `primaryHeight` is the height of the primary screen.
  ZonePreviewController(Overlays& overlays, const Screen& screen, double primaryHeight);
  ~ZonePreviewController() override;
  ZonePreviewController(const ZonePreviewController&) = delete;
  ZonePreviewController& operator=(const ZonePreviewController&) = delete;

  const Screen& screen() const { return screen_; }
  // The screen frame's top-left corner in window space.
  TPoint originAX() const { return originAX_; }
  const ZonePreviewView& view() const { return view_; }
  const OverlayPanel& panel() const { return *panel_; }
  bool isVisible() const { return panel_->isVisible(); }

  // The zones to show, in window space (an empty list shows none).
  void setZones(const std::vector<TRect>& zonesAX);
  // Shows the overlay with `highlighted` zones, the focus rectangle (window space) and the
  // title, bringing it to the front without activating anything.
  void present(std::set<int> highlighted, std::optional<TRect> focusAX,
               std::optional<std::string> title);

  // ZonePreview
  void showLayout(const std::vector<TRect>& zones, const std::string& title) override;
  void hide() override;

 private:
  TRect toView(const TRect& rectAX) const;
  void redraw();

  Overlays& overlays_;
  Screen screen_;
  TPoint originAX_;
  std::unique_ptr<OverlayPanel> panel_;
  ZonePreviewView view_;
  std::optional<Drawing> shown_;
};

}  // namespace tavorin
