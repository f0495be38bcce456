#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "cutpaste/immediate_observer.hpp"
#include "platform/keyboard_layout_service.hpp"
#include "platform/platform.hpp"
#include "platform/run_loop.hpp"

namespace tavorin {

// Which key types a letter in the user's current keyboard layout, so that shortcuts defined by a
// letter follow the layout (on AZERTY, QWERTZ or Dvorak the key that types "x" is not key 7).
// The letters are read from the layout once and cached until the layout changes. Used on the
// main thread only.
class KeyboardLayout {
 public:
  // Answered for a character that no key of the layout types.
  static constexpr std::uint16_t notFound = 0;

  // Only the fallback letters: a program without a keyboard layout service.
  KeyboardLayout() = default;
  // `service` may be null (the same as no layout); it and `mainLoop` must outlive this object.
  KeyboardLayout(KeyboardLayoutService* service, RunLoop& mainLoop);
  KeyboardLayout(const KeyboardLayout&) = delete;
  KeyboardLayout& operator=(const KeyboardLayout&) = delete;

  // Builds the process's layout on the platform's keyboard layout service and makes it the one
  // `current()` answers. Replaces any earlier one.
  static KeyboardLayout& install(const Platform& platform);
  // Makes `layout` the process's layout (null: none).
  static void setShared(std::shared_ptr<KeyboardLayout> layout);
  // The process's layout, or null before one is installed.
  static KeyboardLayout* shared();
  // The process's layout, or one that knows only the fallback letters before one is installed.
  static KeyboardLayout& current();

  // The key that types the first character of `character` in the current layout: from the
  // cache (rebuilt first when stale), else from the fallback ("x" 7, "c" 8, "v" 9), else
  // `notFound`. Only lower-case ASCII letters are ever found.
  std::uint16_t keyCode(std::string_view character) { return find(character).value_or(notFound); }
  // The same, telling "no key types it" apart from key 0.
  std::optional<std::uint16_t> find(std::string_view character);

  // Registers once for the layout-change notice, which marks the cache stale, and marks it
  // stale now. Later calls do nothing.
  void startObserving();

  bool isStale() const { return isStale_; }
  const std::map<std::string, std::uint16_t, std::less<>>& cache() const { return cache_; }
  const std::optional<std::string>& cachedSourceID() const { return cachedSourceID_; }
  bool isObserving() const { return observing_; }

 private:
  void refresh();

  KeyboardLayoutService* service_ = nullptr;
  RunLoop* mainLoop_ = nullptr;
  std::map<std::string, std::uint16_t, std::less<>> cache_;
  bool isStale_ = true;
  std::optional<std::string> cachedSourceID_;
  bool observing_ = false;
  std::optional<ImmediateObserver> observer_;
};

}  // namespace tavorin
