#include "tiling/kit/snap_assistant.hpp"

#include <algorithm>

#include "tiling/kit/overlay_windows.hpp"

namespace tavorin {

namespace {

TRect translated(const TRect& r, const TPoint& by) {
  return {r.x - by.x, r.y - by.y, r.width, r.height};
}

}  // namespace

Drawing SnapAssistantView::draw(Size bounds) const {
  Drawing drawing;
  const Rect background{0.5, 0.5, std::max(bounds.width - 1, 0.0),
                        std::max(bounds.height - 1, 0.0)};
  Path shape;
  shape.addRoundedRect(background, expanded ? expandedCornerRadius : background.height * 0.5);
  drawing.fill(shape, Color::black().withAlpha(expanded ? expandedOpacity : collapsedOpacity));
  drawing.stroke(shape, Color::white().withAlpha(0.25), 1);
  if (!expanded) return drawing;

  const Color accent = tilingAccentColor();
  if (activeIndex && *activeIndex >= 0 && static_cast<std::size_t>(*activeIndex) < minis.size()) {
    const TRect& mini = minis[static_cast<std::size_t>(*activeIndex)].rect;
    Path outline;
    outline.addRoundedRect({mini.x - activeOutset, mini.y - activeOutset,
                            mini.width + 2 * activeOutset, mini.height + 2 * activeOutset},
                           activeCornerRadius);
    drawing.stroke(outline, accent, 2);
  }
  for (std::size_t m = 0; m < minis.size(); ++m) {
    const auto& zones = minis[m].zones;
    for (std::size_t z = 0; z < zones.size(); ++z) {
      const bool isHit =
          hit && hit->templateIndex == static_cast<int>(m) && hit->zoneIndex == static_cast<int>(z);
      Path zone;
      zone.addRoundedRect(zones[z].insetBy(zoneInset).toRect(), zoneCornerRadius);
      drawing.fill(zone, isHit ? accent : Color::white().withAlpha(0.22));
      drawing.stroke(zone, Color::white().withAlpha(isHit ? 1.0 : 0.45), 1);
    }
  }
  return drawing;
}

SnapAssistant::Geometry SnapAssistant::geometry(const TRect& visibleAX, double top,
                                                std::size_t count, double triggerDistance) {
  Geometry g;
  const double n = static_cast<double>(std::max<std::size_t>(count, 1));
  const double vw = visibleAX.width;
  g.miniatureWidth =
      std::max(std::min((vw - screenMargin - 2 * padding - (n - 1) * miniatureSpacing) / n,
                        maxMiniatureWidth),
               0.0);
  g.miniatureHeight =
      std::min(visibleAX.height * g.miniatureWidth / std::max(vw, 1.0) + 10, maxMiniatureHeight);
  const double width = (n - 1) * miniatureSpacing + n * g.miniatureWidth + 2 * padding;
  const double height = g.miniatureHeight + 2 * padding;
  const double centreX = visibleAX.x + vw * 0.5;
  g.expanded = {centreX - width * 0.5, visibleAX.y + topOffset, width, height};
  g.pill = {centreX - pillWidth * 0.5, g.expanded.y, pillWidth, pillHeight};
  g.triggerLine = top + triggerDistance;
  for (std::size_t i = 0; i < count; ++i) {
    g.miniatures.push_back(
        {g.expanded.x + padding + (g.miniatureWidth + miniatureSpacing) * static_cast<double>(i),
         g.expanded.y + padding, g.miniatureWidth, g.miniatureHeight});
  }
  return g;
}

SnapAssistant::SnapAssistant(Overlays& overlays, const Screen& screen, double primaryHeight)
    : screen_(screen), primaryHeight_(primaryHeight), panel_(overlays.createPanel()) {
  panel_->setLevel(overlayLevel::popUpMenu);
  panel_->setIgnoresMouseEvents(true);
}

SnapAssistant::~SnapAssistant() {
  panel_->orderOut();
}

void SnapAssistant::collapse() {
  expanded_ = false;
  mouseOver_ = false;
  panel_->orderOut();
}

std::optional<SnapAssistant::Hit> SnapAssistant::update(
    TPoint mouseAX, const std::vector<LayoutTemplate>& templates, bool alwaysExpanded,
    double triggerDistance, std::optional<int> activeIndex, bool suppressed) {
  if (templates.empty()) {
    collapse();
    return std::nullopt;
  }
  const Rect& visible = screen_.visibleFrame;
  const TRect visibleAX{visible.x, primaryHeight_ - visible.maxY(), visible.width, visible.height};
  const double top = primaryHeight_ - screen_.frame.maxY();
  const Geometry g = geometry(visibleAX, top, templates.size(), triggerDistance);
  const TRect& strip = g.expanded;

  if (alwaysExpanded) {
    expanded_ = true;
  } else {
    double trigger = g.triggerLine;
    if (expanded_) {
      // An open strip stays open while the pointer moves over it and a little below; it closes
      // as soon as the pointer leaves it sideways.
      if (mouseAX.x >= strip.x - keepOpenMargin && mouseAX.x <= strip.maxX() + keepOpenMargin) {
        trigger = std::max(trigger, strip.maxY() + keepOpenMargin);
      }
    }
    expanded_ = !suppressed && mouseAX.y >= top - 1 && mouseAX.y <= trigger;
  }

  std::optional<Hit> hit;
  TRect frame;
  std::vector<Miniature> minis;
  if (expanded_) {
    const TRect hover{strip.x - hoverMargin, strip.y - hoverMargin, strip.width + 2 * hoverMargin,
                      strip.height + 2 * hoverMargin};
    mouseOver_ = !suppressed && hover.contains(mouseAX);
    frame = strip;
    const TPoint origin{frame.x, frame.y};
    for (std::size_t i = 0; i < templates.size(); ++i) {
      std::vector<TRect> zones = templates[i].root.zoneRects(g.miniatures[i]);
      if (!suppressed && !hit) {
        for (std::size_t z = 0; z < zones.size(); ++z) {
          if (zones[z].contains(mouseAX)) {
            hit = Hit{static_cast<int>(i), static_cast<int>(z)};
            break;
          }
        }
      }
      Miniature mini{translated(g.miniatures[i], origin), {}};
      for (const TRect& zone : zones)
        mini.zones.push_back(translated(zone, origin));
      minis.push_back(std::move(mini));
    }
  } else {
    mouseOver_ = false;
    frame = g.pill;
  }

  if (frame != frameAX_) {
    frameAX_ = frame;
    panel_->setFrame({frame.x, primaryHeight_ - frame.maxY(), frame.width, frame.height});
  }
  view_.expanded = expanded_;
  view_.minis = std::move(minis);
  view_.hit = hit;
  view_.activeIndex = activeIndex;
  Drawing drawing = view_.draw({frame.width, frame.height});
  if (!shown_ || *shown_ != drawing) {
    shown_ = drawing;
    panel_->setContent(std::move(drawing));
  }
  if (!panel_->isVisible()) panel_->orderFront();
  return hit;
}

}  // namespace tavorin
