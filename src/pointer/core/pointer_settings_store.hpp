#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/notification_center.hpp"
#include "platform/preference_store.hpp"
#include "platform/run_loop.hpp"
#include "platform/signal.hpp"

namespace tavorin {

// The pointer locator's preferences as the settings view edits them: published fields that are
// written to the preferences as soon as they are assigned, and that follow the preferences when
// they change elsewhere. Main thread only.
class PointerSettingsStore : public std::enable_shared_from_this<PointerSettingsStore> {
 public:
  // Loads at once, then reloads (on the main loop) after every change of `defaults`. The store
  // must not outlive `defaults` and `notifications`.
  static std::shared_ptr<PointerSettingsStore> create(PreferenceStore& defaults,
                                                      NotificationCenter& notifications,
                                                      RunLoop& mainLoop);
  PointerSettingsStore(const PointerSettingsStore&) = delete;
  PointerSettingsStore& operator=(const PointerSettingsStore&) = delete;

  PreferenceStore& defaults() const { return defaults_; }
  // True while `load` copies the preferences into the fields; nothing is written then.
  bool isLoading() const { return loading_; }

  // Raw values of the option enumerations.
  const std::string& trigger() const { return trigger_; }
  void setTrigger(std::string value);
  const std::string& modifier() const { return modifier_; }
  void setModifier(std::string value);
  const std::string& speed() const { return speed_; }
  void setSpeed(std::string value);
  // The shortcut's storage string.
  const std::string& shortcutStorage() const { return shortcutStorage_; }
  void setShortcutStorage(std::string value);
  const std::string& style() const { return style_; }
  void setStyle(std::string value);
  const std::string& colorHex() const { return colorHex_; }
  void setColorHex(std::string value);
  // Points.
  double size() const { return size_; }
  void setSize(double value);
  // Seconds.
  double duration() const { return duration_; }
  void setDuration(double value);

  // Copies what the preferences hold into the fields that differ from it.
  void load();

  // Called after any field was assigned.
  [[nodiscard]] Subscription observe(std::function<void()> onChange);

 private:
  explicit PointerSettingsStore(PreferenceStore& defaults);
  void assignString(std::string& field, std::string value, std::string_view key);
  void assignNumber(double& field, double value, std::string_view key);

  PreferenceStore& defaults_;
  Subscription observer_;
  bool loading_ = false;
  std::string trigger_;
  std::string modifier_;
  std::string speed_;
  std::string shortcutStorage_;
  std::string style_;
  std::string colorHex_;
  double size_;
  double duration_;
  Signal<> changed_;
};

}  // namespace tavorin
