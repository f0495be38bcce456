#include "platform/sim/sim_screens.hpp"

#include <string>

namespace tavorin::sim {

void SimScreens::setScreens(std::vector<Screen> screens) {
  screens_ = std::move(screens);
  changed_.emit();
}

Subscription SimScreens::observeChanges(std::function<void()> onChange) {
  return changed_.connect([onChange = std::move(onChange)] { onChange(); });
}

Screen SimScreens::make(std::uint32_t displayID, Rect frame, double menuBar, double dock) {
  Screen screen;
  screen.displayID = displayID;
  screen.localizedName = "Display " + std::to_string(displayID);
  screen.frame = frame;
  screen.visibleFrame = Rect{frame.x, frame.y + dock, frame.width, frame.height - menuBar - dock};
  return screen;
}

}  // namespace tavorin::sim
