#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/overlays.hpp"

class QPainter;

namespace tavorin::qt {

// Overlay panels as frameless Qt windows that the window manager leaves alone
// (override-redirect), never take focus, and, while ignoring the mouse, have an empty input
// region so clicks pass through. Levels are kept by raising panels of higher levels after a
// lower one comes to the front. Translucency needs a compositing manager; without one the
// transparent parts show black, which is the X server's own limit.
class QtOverlays final : public Overlays {
 public:
  std::unique_ptr<OverlayPanel> createPanel() override;
  // With the font the panels draw in.
  Size measureText(const std::string& text, double fontSize, FontWeight weight) const override;
};

// Paints a display list; the panels use it and tests render drawings to images with it.
void paint(QPainter& painter, const Drawing& drawing);

}  // namespace tavorin::qt
