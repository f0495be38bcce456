#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "platform/drawing.hpp"
#include "platform/overlays.hpp"
#include "platform/screens.hpp"
#include "tiling/core/geometry.hpp"
#include "tiling/core/templates.hpp"

namespace tavorin {

// A zone of one miniature: the template's position in the list given to the assistant and the
// zone's index in that template.
struct SnapAssistantHit {
  int templateIndex = 0;
  int zoneIndex = 0;
  bool operator==(const SnapAssistantHit&) const = default;
};

// One miniature layout: its rectangle and its zones (without gap).
struct SnapAssistantMiniature {
  TRect rect;
  std::vector<TRect> zones;
  bool operator==(const SnapAssistantMiniature&) const = default;
};

// What the assistant's panel shows, in the panel's own coordinates (top-left origin, y down).
struct SnapAssistantView {
  static constexpr double expandedCornerRadius = 14;
  static constexpr double expandedOpacity = 0.78;
  static constexpr double collapsedOpacity = 0.55;
  // The outline of the current layout lies this far around its miniature.
  static constexpr double activeOutset = 4;
  static constexpr double activeCornerRadius = 7;
  // Zones are drawn this far inside their rectangles.
  static constexpr double zoneInset = 1.5;
  static constexpr double zoneCornerRadius = 4;

  bool expanded = false;
  std::vector<SnapAssistantMiniature> minis;
  std::optional<SnapAssistantHit> hit;
  std::optional<int> activeIndex;

  // The pill, or the dark strip with every miniature's zones (the hit zone filled with the
  // accent colour, the current layout outlined), for a panel of `bounds`.
  Drawing draw(Size bounds) const;
};

// The snap assistant of one screen: while a window is dragged a small pill sits at the top
// centre of the screen; near the top edge it opens into a strip with one miniature per layout,
// and the zone under the pointer is where the window would go. It computes its geometry, the
// open or closed state and the hit under the pointer, and shows them on a panel that never takes
// focus or clicks, above the zone preview. Main loop only.
class SnapAssistant {
 public:
  using Hit = SnapAssistantHit;
  using Miniature = SnapAssistantMiniature;

  static constexpr double maxMiniatureWidth = 105;
  static constexpr double maxMiniatureHeight = 63;
  static constexpr double miniatureSpacing = 8;
  static constexpr double padding = 8;
  // The strip keeps this much room to the visible frame's sides (with its own padding).
  static constexpr double screenMargin = 40;
  // The strip's distance from the top of the visible frame.
  static constexpr double topOffset = 6;
  static constexpr double pillWidth = 112;
  static constexpr double pillHeight = 7;
  // An open strip stays open while the pointer is within this much of it.
  static constexpr double keepOpenMargin = 40;
  // The pointer counts as over the open strip this far outside it.
  static constexpr double hoverMargin = 8;

  // Where everything goes for `count` layouts, in window space.
  struct Geometry {
    double miniatureWidth = 0;
    double miniatureHeight = 0;
    TRect expanded;
    TRect pill;
    // The pointer opens the strip at or above this line.
    double triggerLine = 0;
    std::vector<TRect> miniatures;
  };
  // `visibleAX` is the screen's visible frame and `top` the top of its frame, both in window
  // space. Miniatures never get a negative width, however many layouts there are.
  static Geometry geometry(const TRect& visibleAX, double top, std::size_t count,
                           double triggerDistance);

  // For `screen`; `primaryHeight` is the height of the primary screen. Made collapsed and hidden.
  SnapAssistant(Overlays& overlays, const Screen& screen, double primaryHeight);
  ~SnapAssistant();
  SnapAssistant(const SnapAssistant&) = delete;
  SnapAssistant& operator=(const SnapAssistant&) = delete;

  // Follows the pointer (window space) over `templates`: opens or closes the strip, shows it or
  // the pill, and answers the zone under the pointer. `activeIndex` is the miniature outlined as
  // current; `suppressed` keeps the pointer from opening the strip or hitting a zone (while
  // `alwaysExpanded` still shows it open). No templates: hidden, no hit.
  std::optional<Hit> update(TPoint mouseAX, const std::vector<LayoutTemplate>& templates,
                            bool alwaysExpanded, double triggerDistance,
                            std::optional<int> activeIndex, bool suppressed);
  // Closes the strip and hides the panel.
  void collapse();

  const Screen& screen() const { return screen_; }
  bool expanded() const { return expanded_; }
  // The pointer is over the open strip (or just around it).
  bool mouseOver() const { return mouseOver_; }
  // The panel's frame last applied, in window space.
  const TRect& frameAX() const { return frameAX_; }
  const OverlayPanel& panel() const { return *panel_; }
  const SnapAssistantView& view() const { return view_; }

 private:
  Screen screen_;
  double primaryHeight_;
  std::unique_ptr<OverlayPanel> panel_;
  SnapAssistantView view_;
  bool expanded_ = false;
  TRect frameAX_;
  bool mouseOver_ = false;
  std::optional<Drawing> shown_;
};

}  // namespace tavorin
