#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/screens.hpp"
#include "tiling/core/geometry.hpp"
#include "tiling/core/templates.hpp"

namespace tavorin {

class AXWindow;

// What the tiling manager shows and opens beyond windows and hot keys comes from parts that are
// handed to it once they exist: the layout editor, the backup dialogs and the window
// suggestions (the zone preview overlay it makes itself where the desktop has overlays, unless
// it is handed another). While one is not there, what it would show or open simply does not
// happen.

// The zone preview overlay of one screen, used for the short look at a screen's layout after it
// changed (the layout flash).
class ZonePreview {
 public:
  virtual ~ZonePreview() = default;
  // Shows `zones` (window space: origin at the top-left of the primary screen, y down) with no
  // zone highlighted, no focus rectangle and `title`.
  virtual void showLayout(const std::vector<TRect>& zones, const std::string& title) = 0;
  virtual void hide() = 0;
};

// Makes the overlay for a screen; null when it cannot.
using ZonePreviewFactory = std::function<std::unique_ptr<ZonePreview>(const Screen& screen)>;

// An open layout editor.
class LayoutEditorSession {
 public:
  virtual ~LayoutEditorSession() = default;
  // Hides the editor without saving and gives the front back to the application that had it
  // before the editor opened. Called once, also after the editor reported a save or a cancel.
  virtual void close() = 0;
};

struct LayoutEditorRequest {
  Screen screen;
  // The template to edit; its id stays what it is.
  LayoutTemplate layout;
  double gap = 0;
  // The user saved the edited template.
  std::function<void(const LayoutTemplate& edited)> onSave;
  // The user cancelled.
  std::function<void()> onCancel;
};

// Shows a layout editor; null when it cannot.
using LayoutEditorFactory =
    std::function<std::unique_ptr<LayoutEditorSession>(LayoutEditorRequest request)>;

// Offers windows for the zones that are still empty after a window was snapped by dragging.
class WindowSuggestionsOffer {
 public:
  virtual ~WindowSuggestionsOffer() = default;
  // `window` was snapped to `frame`, one of `zones` (window space) on `screen`.
  virtual void suggestWindows(const std::shared_ptr<AXWindow>& window, const TRect& frame,
                              const std::vector<TRect>& zones, const Screen& screen) = 0;
  // Ends whatever is offered (the feature stops).
  virtual void close() = 0;
};

// The file dialogs that save the window layout settings to a backup file and read one back.
class BackupDialogs {
 public:
  virtual ~BackupDialogs() = default;
  // `completion` runs after a file was imported.
  virtual void importInteractively(std::function<void()> completion) = 0;
  virtual void exportInteractively() = 0;
};

}  // namespace tavorin
