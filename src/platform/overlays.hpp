#pragma once

#include <cstddef>
#include <memory>
#include <string>

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

  // The size one line of `text` (UTF-8) takes when drawn at `fontSize` in `weight`, in points,
  // so that a drawing can fit a background to it. A backend that cannot measure answers this
  // estimate: 0.6 of the font size per character, 1.2 of it in height.
  virtual Size measureText(const std::string& text, double fontSize, FontWeight weight) const {
    (void)weight;
    std::size_t characters = 0;
    for (const char byte : text) {
      // Continuation bytes belong to the character before.
      if ((static_cast<unsigned char>(byte) & 0xC0) != 0x80) ++characters;
    }
    return {static_cast<double>(characters) * fontSize * 0.6, fontSize * 1.2};
  }
};

}  // namespace tavorin
