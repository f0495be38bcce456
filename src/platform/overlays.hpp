#pragma once

#include <memory>

#include "platform/drawing.hpp"
#include "platform/geometry.hpp"

namespace tavorin {

// Window levels of the overlays, from the original platform's level numbers; a panel of a
// higher level stays above one of a lower level.
namespace overlayLevel {
inline constexpr int floating = 3;
inline constexpr int status = 25;
inline constexpr int popUpMenu = 101;
inline constexpr int screenSaver = 1000;
}  // namespace overlayLevel

// A non-activating overlay panel (`NSPanel` with the non-activating style, transparent, no
// shadow, on all spaces, beside full-screen windows). It never takes the keyboard focus; while
// it ignores mouse events every click passes through to the windows below.
class OverlayPanel {
 public:
  virtual ~OverlayPanel() = default;

  // The panel's frame in global screen coordinates (bottom-left origin, y up).
  virtual void setFrame(Rect frame) = 0;
  virtual Rect frame() const = 0;
  virtual void setLevel(int level) = 0;
  virtual void setIgnoresMouseEvents(bool ignores) = 0;
  // Replaces what the panel shows and repaints it.
  virtual void setContent(Drawing drawing) = 0;
  // Shows the panel above the others of its level without activating the program.
  virtual void orderFront() = 0;
  virtual void orderOut() = 0;
  virtual bool isVisible() const = 0;
};

// Makes overlay panels. A panel is hidden when made.
class Overlays {
 public:
  virtual ~Overlays() = default;
  virtual std::unique_ptr<OverlayPanel> createPanel() = 0;
};

}  // namespace tavorin
